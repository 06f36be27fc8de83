// Printing ranges of a file on a recording page canvas: the Tag, the range check, pages, slots and titles.
#include "output/file_printing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "model/puzzle_file.h"
#include "output/page_layout.h"
#include "test_support.h"

namespace kelvane {
namespace {

using Kind = CanvasCall::Kind;

// count records of side 9 (any 81 captions do for printing); even numbers Easy, odd Hard.
std::string Records(int count) {
  std::string text;
  for (int k = 1; k <= count; ++k)
    text += FormatRecord(k, k % 2 == 0, 9, 5, 41, std::string(81, '5'), "73,55,37,19,1, 41");
  return text;
}

std::vector<std::string> Titles(const RecordingCanvas& page) {
  std::vector<std::string> titles;
  for (const CanvasCall& c : page.Of(Kind::Text))
    if (c.text.find('#') != std::string::npos) titles.push_back(c.text);
  return titles;
}

// A printer that cannot start a second page.
struct OnePageOnly final : PageCanvas {
  void Line(int, int, int, int, Colour) override {}
  void Box(int, int, int, int, Colour) override {}
  void FilledBox(int, int, int, int, Colour) override {}
  void Text(int, int, std::string_view, const FontSpec&) override {}
  bool NewPage() override { return false; }
};

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

TEST(PrintRange, NamesWhatStandsInTheWayBeforeAndDuringTheRun) {
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

  // The file went bad after the check: the run stops at the record, on its page, and names the read problem.
  GameState g;
  RecordingPageCanvas canvas;
  const FilePrintOutcome out = DrawFileRange(canvas, g, {cut, 1, 4, GridMode::Puzzle, 1}, PrintStyle(1, "Arial"));
  EXPECT_FALSE(out.ok);
  EXPECT_EQ(std::tie(out.grids, out.pages), std::make_tuple(2, 3));
  EXPECT_EQ(out.message,
            "Puzzle 3 of " + cut + " could not be read any more.\n" + DescribeReadStatus(ReadStatus::Incomplete));
  // A page the printer cannot start stops the run and is named.
  OnePageOnly printer;
  const FilePrintOutcome stopped = DrawFileRange(printer, g, {good, 1, 5, GridMode::Puzzle, 4}, PrintStyle(4, "Arial"));
  EXPECT_EQ(std::tie(stopped.ok, stopped.grids, stopped.pages, stopped.message),
            std::make_tuple(false, 4, 1, std::string("Page 2 could not be started.")));
}

// Titles take each record's own difficulty, not the window's setting; a first number above the last prints nothing.
TEST(PrintRange, FillsPagesInSlotOrderForEveryCode) {
  test::TempDir dir;
  const std::string path = dir.File("nine.kvl");
  test::WriteFile(path, Records(30));
  for (int code : {1, 2, 4, 6, 15, 24}) {
    SCOPED_TRACE(code);
    const PageLayout layout = *FilePageLayout(code);
    const int per = static_cast<int>(layout.places.size());
    for (auto [first, last] : {std::pair{1, 30}, std::pair{4, 4}, std::pair{3, 3 + per}, std::pair{3, 2}}) {
      const GridMode mode = first == 4 ? GridMode::Solution : GridMode::Puzzle;
      GameState g;
      g.EasyFlag = true;
      RecordingPageCanvas canvas;
      const FilePrintOutcome out = DrawFileRange(canvas, g, {path, first, last, mode, code}, PrintStyle(code, "Arial"));
      ASSERT_TRUE(out.ok) << out.message;
      const int grids = std::max(0, last - first + 1);
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
        // A puzzle fills its marked cell; a solution its five cells, four signs and the marked cell.
        EXPECT_EQ(page.Of(Kind::FilledBox).size(), titles.size() * (mode == GridMode::Solution ? 10 : 1));
        for (std::size_t k = 0; k < titles.size(); ++k, ++n) {
          EXPECT_EQ(titles[k], (mode == GridMode::Solution ? "Sol#" : "Puz#") + std::to_string(n) +
                                   (n % 2 == 0 ? " Easy" : " Hard"));
          EXPECT_EQ(corners[k].x1, layout.places[k].left);
          EXPECT_EQ(corners[k].y1, layout.places[k].top);
        }
      }
      EXPECT_EQ(n, first + grids);
    }
  }
}

}  // namespace
}  // namespace kelvane
