// Printing ranges of a file on a recording page canvas: the Tag, the range check, pages, slots and titles.
#include "output/file_printing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/puzzle_file.h"
#include "output/page_layout.h"
#include "test_support.h"

namespace kelvane {
namespace {

using Kind = CanvasCall::Kind;

// A 9 x 9 grid: numbers where row and column are odd, signs between them, blanks elsewhere.
std::string NineByNine() {
  std::string grid;
  for (int r = 1; r <= 9; ++r)
    for (int c = 1; c <= 9; ++c) {
      if (r % 2 == 1 && c % 2 == 1) grid += static_cast<char>('1' + (r / 2 + c / 2) % 5);
      else if (r % 2 == 1 || c % 2 == 1) grid += (r + c) % 4 == 1 ? '+' : '-';
      else grid += ' ';
    }
  return grid;
}

// count records of side 9; even numbers Easy, odd Hard.
std::string Records(int count) {
  std::string text;
  for (int k = 1; k <= count; ++k) text += FormatRecord(k, k % 2 == 0, 9, 5, 41, NineByNine(), "73,55,37,19,1, 41");
  return text;
}

std::vector<std::string> Titles(const RecordingCanvas& page) {
  std::vector<std::string> titles;
  for (const CanvasCall& c : page.Of(Kind::Text))
    if (c.text.find('#') != std::string::npos) titles.push_back(c.text);
  return titles;
}

TEST(PrintTag, RoundTripsAndKeepsCommasInThePath) {
  const std::string tag = PrintTag("/home/a,b/puz.kvl", "2", "17", GridMode::Solution, 24);
  EXPECT_EQ(tag, "/home/a,b/puz.kvl,2,17, 1, 24");
  const auto job = ParsePrintTag(tag);
  ASSERT_TRUE(job);
  EXPECT_EQ(*job, (FilePrintJob{"/home/a,b/puz.kvl", 2, 17, GridMode::Solution, 24}));
  EXPECT_EQ(ParsePrintTag(PrintTag("p.kvl", " 3.6", "x", GridMode::Puzzle, 1)),
            (FilePrintJob{"p.kvl", 4, 0, GridMode::Puzzle, 1}));
  for (const char* bad : {"X", "", "p.kvl,1,2, 0", ",1,2, 0, 1", "p.kvl,1,2, 0, 3"})
    EXPECT_FALSE(ParsePrintTag(bad)) << bad;
}

// A PDF written over a puzzle file lost the puzzles: only new, empty or PDF files are targets.
TEST(PdfTarget, RefusesThePuzzleFileAndEveryFileThatIsNoPdf) {
  test::TempDir dir;
  test::WriteFile(dir.File("p.kvl"), "#1\r\nEasy\r\n");
  test::WriteFile(dir.File("old.pdf"), "%PDF-1.4 ...");
  test::WriteFile(dir.File("empty.pdf"), "");
  test::WriteFile(dir.File("notes.pdf"), "%PD");
  std::filesystem::create_directory(dir.File("folder.pdf"));
  const struct {
    const char* name;
    bool refused;
  } rows[] = {{"new.pdf", false}, {"old.pdf", false}, {"empty.pdf", false}, {"p.kvl", true},
              {"notes.pdf", true}, {"folder.pdf", true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(!PdfTargetProblem(dir.File(row.name), dir.File("p.kvl")).empty(), row.refused);
  }
  // The puzzle file itself, also by another name for it.
  EXPECT_NE(PdfTargetProblem(dir.Folder() + "./p.kvl", dir.File("p.kvl")).find("puzzle file itself"), std::string::npos);
}

TEST(PrintRange, NamesWhatStandsInTheWay) {
  test::TempDir dir;
  const std::string good = dir.File("good.kvl"), empty = dir.File("empty.kvl"), cut = dir.File("cut.kvl");
  test::WriteFile(good, Records(5));
  test::WriteFile(empty, "no records here\r\n");
  const std::string five = Records(5);
  test::WriteFile(cut, Records(2) + "#3\r\nHard\r\n" + five.substr(five.find("#4")));
  PuzzleFileIndexes files;
  struct Case {
    std::string path;
    int first, last, code;
    std::string problem;
  };
  const Case cases[] = {
      {good, 1, 5, 24, ""},
      {good, 5, 2, 1, ""},  // prints nothing, no problem
      {good, 0, 3, 1, "Invalid from or to puzzle number"},
      {good, 1, 6, 1, "Invalid from or to puzzle number"},
      {empty, 1, 1, 1, "No puzzles in this file: " + empty},
      {dir.File("missing.kvl"), 1, 1, 1, "No puzzles in this file: " + dir.File("missing.kvl")},
      {cut, 1, 2, 1, ""},
      {cut, 2, 4, 1, "Puzzle 3 of " + cut + " cannot be read.\n" + DescribeReadStatus(ReadStatus::Incomplete)},
      {good, 1, 2, 3, "There is no page layout for 3 grids per page."},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PrintRangeProblem(files, {c.path, c.first, c.last, GridMode::Puzzle, c.code}), c.problem)
        << c.path << " " << c.first << ".." << c.last;
}

TEST(PrintRange, FillsPagesInSlotOrderForEveryCode) {
  test::TempDir dir;
  const std::string path = dir.File("nine.kvl");
  test::WriteFile(path, Records(30));
  for (int code : {1, 2, 4, 6, 15, 24}) {
    SCOPED_TRACE(code);
    const PageLayout layout = *FilePageLayout(code);
    const int per = static_cast<int>(layout.places.size());
    for (auto [first, last] : {std::pair{1, 30}, std::pair{4, 4}, std::pair{3, 3 + per}}) {
      GameState g;
      RecordingPageCanvas canvas;
      const FilePrintOutcome out =
          DrawFileRange(canvas, g, {path, first, last, GridMode::Puzzle, code}, PrintStyle(code, "Arial"));
      ASSERT_TRUE(out.ok) << out.message;
      const int grids = last - first + 1;
      EXPECT_EQ(out.grids, grids);
      EXPECT_EQ(out.pages, (grids + per - 1) / per);
      ASSERT_EQ(static_cast<int>(canvas.pages.size()), out.pages);
      int n = first;
      for (const RecordingCanvas& page : canvas.pages) {
        const std::vector<std::string> titles = Titles(page);
        // Each grid's first box is its top-left cell at the slot's corner.
        std::vector<CanvasCall> corners;
        for (const CanvasCall& c : page.Of(Kind::Box))
          for (const GridSlot& s : layout.places)
            if (c.x1 == s.left && c.y1 == s.top) corners.push_back(c);
        ASSERT_EQ(titles.size(), corners.size());
        for (std::size_t k = 0; k < titles.size(); ++k, ++n) {
          EXPECT_EQ(titles[k], "Puz#" + std::to_string(n) + (n % 2 == 0 ? " Easy" : " Hard"));
          EXPECT_EQ(corners[k].x1, layout.places[k].left);
          EXPECT_EQ(corners[k].y1, layout.places[k].top);
        }
      }
      EXPECT_EQ(n, last + 1);
    }
  }
}

TEST(PrintRange, ThreeAtTwoAPageAndSolutionTitles) {
  test::TempDir dir;
  const std::string path = dir.File("nine.kvl");
  test::WriteFile(path, Records(3));
  GameState g;
  g.EasyFlag = true;  // the window's setting does not title the puzzles
  RecordingPageCanvas canvas;
  const FilePrintOutcome out =
      DrawFileRange(canvas, g, {path, 1, 3, GridMode::Solution, 2}, PrintStyle(2, "Arial"));
  ASSERT_TRUE(out.ok);
  ASSERT_EQ(canvas.pages.size(), 2u);
  EXPECT_EQ(Titles(canvas.pages[0]), (std::vector<std::string>{"Sol#1 Hard", "Sol#2 Easy"}));
  EXPECT_EQ(Titles(canvas.pages[1]), (std::vector<std::string>{"Sol#3 Hard"}));
  // Puzzle 3 alone sits at the upper position; the solution path is filled grey.
  const GridSlot upper = FilePageLayout(2)->places[0];
  bool atUpper = false;
  for (const CanvasCall& c : canvas.pages[1].Of(Kind::Box)) atUpper |= c.x1 == upper.left && c.y1 == upper.top;
  EXPECT_TRUE(atUpper);
  EXPECT_EQ(canvas.pages[1].Of(Kind::FilledBox).size(), 10u);  // five cells, four signs, the marked cell

  RecordingPageCanvas none;
  const FilePrintOutcome empty = DrawFileRange(none, g, {path, 3, 1, GridMode::Puzzle, 1}, PrintStyle(1, "Arial"));
  EXPECT_TRUE(empty.ok);
  EXPECT_EQ(empty.pages, 0);
  EXPECT_TRUE(none.pages.empty());
}

TEST(PrintRange, StopsAtARecordThatWentBadAfterTheCheck) {
  test::TempDir dir;
  const std::string path = dir.File("nine.kvl");
  const std::string four = Records(4);
  test::WriteFile(path, four.substr(0, four.find("#4")) + "#4\r\nEasy\r\n");
  GameState g;
  RecordingPageCanvas canvas;
  const FilePrintOutcome out = DrawFileRange(canvas, g, {path, 1, 4, GridMode::Puzzle, 2}, PrintStyle(2, "Arial"));
  EXPECT_FALSE(out.ok);
  EXPECT_EQ(out.grids, 3);
  EXPECT_EQ(out.pages, 2);
  EXPECT_EQ(out.message.rfind("Puzzle 4 of " + path, 0), 0u) << out.message;
}

}  // namespace
}  // namespace kelvane
