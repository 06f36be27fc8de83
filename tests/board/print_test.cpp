// Printing the current puzzle: the question, a PDF page when no printer is there, and failures that say so.
#include <gtest/gtest.h>

#include "window_fixture.h"

namespace kelvane::ui {
namespace {

TEST(PrintCurrent, AsksThenPrintsIntoTheChosenPdfOrSaysWhyNot) {
  const Msg question{"Print Puzzle and its solution?", "vbYesNo+vbquestion"};
  const struct {
    int answer;        // to the question
    const char* file;  // the chooser's answer; nullptr: cancelled
    Msg last;          // the last message, its text as far as given
  } rows[] = {{7, "page.pdf", question},
              {6, nullptr, question},
              // An unwritable path is reported, not claimed done.
              {6, "no/such/folder/page.pdf", {"Printing failed.", "vbok+vbcritical"}},
              {6, "page.pdf", {"Done", "vbok+vbinformation"}}};
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.answer) + " " + (row.file ? row.file : "cancelled"));
    Worked p;
    MainWindow& w = p.Start();
    p.answers.codes = {row.answer};
    if (row.file) p.answers.files = {p.dir.File(row.file)};
    w.PrintCurrent();
    ASSERT_EQ(p.answers.messages.size(), row.last == question ? 1u : 2u);
    EXPECT_EQ(p.answers.messages[0], question);
    EXPECT_EQ(p.answers.messages.back().first.rfind(row.last.first, 0), 0u) << p.answers.messages.back().first;
    EXPECT_EQ(p.answers.messages.back().second, row.last.second);
    EXPECT_EQ(p.answers.requests.size(), row.answer == 6 ? 1u : 0u);
    EXPECT_EQ(test::ReadFile(p.dir.File("page.pdf")).substr(0, 4), row.last.first == "Done" ? "%PDF" : "");
    EXPECT_FALSE(p.Find<QWidget>("Frame1")->isVisible());
  }
}

// Naming the puzzle file in the chooser replaced the puzzles with a PDF, and an old PDF went without a word.
TEST(PrintCurrent, APdfNeverReplacesAPuzzleFileAndAnOldPdfOnlyWhenConfirmed) {
  const struct {
    const char* name;
    const char* content;  // nullptr: the puzzle file itself
    int answer;           // to "Replace it?"
    bool written;
  } rows[] = {{"worked.kvl", nullptr, 6, false}, {"other.kvl", "#1\r\nEasy\r\n", 6, false},
              {"old.pdf", "%PDF-1.4 old", 7, false}, {"old.pdf", "%PDF-1.4 old", 6, true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.name) + " answered " + std::to_string(row.answer));
    Worked p;
    MainWindow& w = p.Start();
    const std::string target = p.dir.File(row.name);
    if (row.content) test::WriteFile(target, row.content);
    const std::string before = test::ReadFile(target);
    p.answers.codes = {6, row.answer};
    p.answers.files = {target};
    w.PrintCurrent();
    EXPECT_EQ(test::ReadFile(target) != before, row.written);
    EXPECT_EQ(p.answers.messages.back().first == "Done", row.written) << p.answers.messages.back().first;
    EXPECT_EQ(w.State().PuzzleCount, 10);
  }
}

}  // namespace
}  // namespace kelvane::ui
