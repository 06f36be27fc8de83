// Printing the current puzzle: the question, a PDF page when no printer is there, and failures that say so.
#include <gtest/gtest.h>

#include "window_fixture.h"

namespace kelvane::ui {
namespace {

struct Printing : Program {
  Printing() { UseFile("worked.kvl", FormatRecord(1, true, 5, 4, 1, "1-2-3+ - -2-3-1- - -3-1+2", "21,11,1,3, 1")); }
};

TEST(PrintCurrent, APageGoesIntoTheChosenPdf) {
  Printing p;
  MainWindow& w = p.Start();
  const std::string pdf = p.dir.File("page.pdf");
  p.answers.codes = {6};
  p.answers.files = {pdf};
  w.PrintCurrent();
  ASSERT_GE(p.answers.messages.size(), 2u);
  EXPECT_EQ(p.answers.messages.front(), std::make_pair(std::string("Print Puzzle and its solution?"), std::string("vbYesNo+vbquestion")));
  EXPECT_EQ(p.answers.messages.back(), std::make_pair(std::string("Done"), std::string("vbok+vbinformation")));
  const std::string bytes = test::ReadFile(pdf);
  ASSERT_GT(bytes.size(), 1000u);
  EXPECT_EQ(bytes.substr(0, 4), "%PDF");
  EXPECT_FALSE(p.Find<QWidget>("Frame1")->isVisible());
}

TEST(PrintCurrent, NoACancelledChooserAndAnUnwritableFilePrintNothing) {
  Printing p;
  MainWindow& w = p.Start();
  p.answers.codes = {7};
  w.PrintCurrent();
  EXPECT_EQ(p.answers.messages.size(), 1u);
  EXPECT_TRUE(p.answers.requests.empty());
  p.answers.codes = {6};
  w.PrintCurrent();  // the chooser answers ""
  EXPECT_EQ(p.answers.messages.size(), 2u);

  p.answers.codes = {6};
  p.answers.files = {p.dir.File("no/such/folder/page.pdf")};
  w.PrintCurrent();
  ASSERT_EQ(p.answers.messages.size(), 4u);
  EXPECT_EQ(p.answers.messages.back().first.rfind("Printing failed.", 0), 0u) << p.answers.messages.back().first;
  EXPECT_EQ(p.answers.messages.back().second, "vbok+vbcritical");
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
    Printing p;
    MainWindow& w = p.Start();
    const std::string target = p.dir.File(row.name);
    if (row.content) test::WriteFile(target, row.content);
    const std::string before = test::ReadFile(target);
    p.answers.codes = {6, row.answer};
    p.answers.files = {target};
    w.PrintCurrent();
    EXPECT_EQ(test::ReadFile(target) != before, row.written);
    EXPECT_EQ(p.answers.messages.back().first == "Done", row.written) << p.answers.messages.back().first;
    EXPECT_EQ(w.State().PuzzleCount, 1);
  }
}

}  // namespace
}  // namespace kelvane::ui
