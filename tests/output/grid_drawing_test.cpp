// Tests of the grid drawing on a recording canvas: fills, boxes, captions, titles, footers and damaged solutions.
#include "output/grid_drawing.h"

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <set>
#include <string>
#include <tuple>

#include "model/puzzle_file.h"
#include "test_support.h"

namespace kelvane {
namespace {

using Kind = CanvasCall::Kind;

// A 5 x 5 record whose solution climbs 21, 11, 13, 3 through the marked cell 13.
GameState FiveByFive() {
  GameState g;
  const std::string cells = "1+2-3- + -2-3+1+ - +3+1-2";
  g.RecSize = 5;
  for (int k = 1; k <= 25; ++k) g.RecCells[k] = std::string(1, cells[k - 1]);
  g.RecMarkedCell = 13;
  g.RecCells[0] = "3";
  g.RecSolution = "21,11,13,3, 13";
  return g;
}

// A record of side S whose cell k reads k mod 10, marked cell 1.
GameState Numbered(int size) {
  GameState g;
  g.RecSize = size;
  for (int k = 1; k <= size * size; ++k) g.RecCells[k] = std::to_string(k % 10);
  g.RecMarkedCell = 1;
  g.RecCells[0] = "1";
  g.RecSolution = "1, 1";
  return g;
}

// The last fill of every cell, by cell number, for a grid at (left, top).
std::map<int, Colour> FinalFills(const RecordingCanvas& canvas, int left, int top, int size, int pitch = 500) {
  std::map<int, Colour> fills;
  for (const CanvasCall& c : canvas.Of(Kind::FilledBox))
    fills[(c.y1 - top) / pitch * size + (c.x1 - left) / pitch + 1] = c.colour;
  return fills;
}

std::map<std::pair<int, int>, std::string> TextsAt(const RecordingCanvas& canvas) {
  std::map<std::pair<int, int>, std::string> texts;
  for (const CanvasCall& c : canvas.Of(Kind::Text)) texts[{c.x1, c.y1}] = c.text;
  return texts;
}

TEST(GridDrawing, PuzzleModeFillsOnlyTheMarkedCellWithItsNumber) {
  const GameState g = FiveByFive();
  RecordingCanvas canvas;
  const GridDrawn drawn = DrawGrid(canvas, g, PrintStyle(2, "Arial"), GridMode::Puzzle, 1100, 700, "Puz#1 Easy");
  ASSERT_TRUE(drawn.ok);
  EXPECT_EQ(FinalFills(canvas, 1100, 700, 5), (std::map<int, Colour>{{13, MarkedFillColour}}));
  const auto texts = TextsAt(canvas);
  EXPECT_EQ(texts.at({1100 + 1000 + 160, 700 + 1000 + 60}), "3");
  for (const CanvasCall& box : canvas.Of(Kind::Box)) EXPECT_EQ(box.colour, RGB(20, 20, 20));
}

TEST(GridDrawing, SolutionModeFillsPathCellsAndTheSignsBetweenThem) {
  GameState g = FiveByFive();
  g.RecCells[13] = "3";
  g.RecCells[0] = "9";  // the marked cell shows its own caption once it is on the path
  RecordingCanvas canvas;
  ASSERT_TRUE(DrawGrid(canvas, g, PrintStyle(2, "Arial"), GridMode::Solution, 1100, 7000, "Sol#1 Easy").ok);
  std::map<int, Colour> expected;
  for (int k : {21, 16, 11, 12, 13, 8, 3}) expected[k] = PathFillColour;
  EXPECT_EQ(FinalFills(canvas, 1100, 7000, 5), expected);
  EXPECT_EQ(TextsAt(canvas).at({1100 + 1000 + 160, 7000 + 1000 + 60}), "3");
  EXPECT_EQ(canvas.Of(Kind::Box).size(), 25u);
}

class GridSides : public testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(GridSides, EveryCellGetsABoxAndTheLastCellItsCaption) {
  const auto [size, side] = GetParam();
  const GameState g = Numbered(size);
  RecordingCanvas canvas;
  const GridDrawn drawn = DrawGrid(canvas, g, PrintStyle(2, "Arial"), GridMode::Puzzle, 1100, 1400, "");
  ASSERT_TRUE(drawn.ok);
  EXPECT_EQ(drawn.side, side);
  std::set<std::tuple<int, int, int, int>> boxes, expected;
  for (const CanvasCall& b : canvas.Of(Kind::Box)) boxes.insert({b.x1, b.y1, b.x2, b.y2});
  for (int x = 1100; x < 1100 + side; x += 500)
    for (int y = 1400; y < 1400 + side; y += 500) expected.insert({x, y, x + 500, y + 500});
  EXPECT_EQ(boxes, expected);
  const int last = size * size;
  EXPECT_EQ(TextsAt(canvas).at({1100 + side - 500 + 160, 1400 + side - 500 + 60}), std::to_string(last % 10));
}

INSTANTIATE_TEST_SUITE_P(Sizes, GridSides,
                         testing::Values(std::tuple{5, 2500}, std::tuple{7, 3500}, std::tuple{9, 4500}));

TEST(GridDrawing, PrintedTitleAndFooterSitAtTheirOffsetsInTheCodesFonts) {
  const GameState g = Numbered(9);
  for (int code : {1, 2, 4, 6, 15, 24}) {
    SCOPED_TRACE(code);
    const GridFonts sizes = FontSizesFor(code);
    RecordingCanvas canvas;
    ASSERT_TRUE(DrawGrid(canvas, g, PrintStyle(code, "Serif"), GridMode::Puzzle, 1000, 2400, "Puz#5 Hard").ok);
    const auto texts = canvas.Of(Kind::Text);
    ASSERT_EQ(texts.size(), 83u);
    EXPECT_EQ(texts.front().text, "Puz#5 Hard");
    EXPECT_EQ(std::tie(texts.front().x1, texts.front().y1), std::tuple(1010, 2150));
    EXPECT_EQ(texts.front().font, (FontSpec{"Serif", sizes.title, false}));
    EXPECT_EQ(texts[1].font, (FontSpec{"Serif", sizes.caption, true}));
    EXPECT_EQ(texts.back().text, FooterText());
    EXPECT_EQ(std::tie(texts.back().x1, texts.back().y1), std::tuple(1010, 2400 + 4500 + 100));
    EXPECT_EQ(texts.back().font, (FontSpec{"Serif", sizes.footer, true}));
  }
  EXPECT_TRUE(FooterText().starts_with("Free Download at "));
}

TEST(GridDrawing, PictureTitleSitsAboveTheGridAndFitsTheFinalSurface) {
  GameState g;
  g.PuzzleSize = 5;
  LayOutBoard(g, 5);
  for (int k = 1; k <= 25; ++k) g.Cell[k].Caption = std::string(1, "1+2-3- + -2-3+1+ - +3+1-2"[k - 1]);
  g.Cell[0].Caption = "3";
  g.MarkedCell = 13;
  g.Solution = "21,11,13,3, 13";
  FillRecordFromBoard(g);
  RecordingCanvas canvas;
  ASSERT_TRUE(DrawGrid(canvas, g, PictureStyle("Arial"), GridMode::Puzzle, 0, PictureGridTop, PictureTitle()).ok);
  const auto texts = canvas.Of(Kind::Text);
  EXPECT_EQ(std::tie(texts.front().x1, texts.front().y1), std::tuple(10, 25));
  EXPECT_EQ(texts.front().font, (FontSpec{"Arial", 7, false}));
  EXPECT_EQ(texts.back().text, "2");  // no footer
  EXPECT_EQ(std::tie(texts.back().x1, texts.back().y1), std::tuple(2000 + 160, 200 + 2000 + 60));
  EXPECT_EQ(FinalFills(canvas, 0, 200, 5), (std::map<int, Colour>{{13, MarkedFillColour}}));

  const PageSize surface = PictureSize(5);
  EXPECT_EQ(std::tie(surface.width, surface.height), std::tuple(2600.0, 2800.0));
  const TextExtent title = EstimateText(PictureTitle(), 7, 1);
  EXPECT_LE(10 + title.width, surface.width);
  EXPECT_LE(25 + title.height, PictureGridTop);
}

TEST(GridDrawing, NineByNineThumbnailUsesItsPitchOffsetsAndFitsItsFrame) {
  GameState g = Numbered(9);
  g.RecMarkedCell = 41;
  g.RecCells[0] = "7";
  const int x0 = 150 + 1800, y0 = 400 + 1900;
  RecordingCanvas canvas;
  const GridStyle style = ThumbnailStyle("Arial", RGB(120, 120, 120), RGB(20, 20, 20));
  const GridDrawn drawn = DrawGrid(canvas, g, style, GridMode::Puzzle, x0, y0 + ThumbnailGridDrop, "Puz#22 Easy");
  ASSERT_TRUE(drawn.ok);
  EXPECT_EQ(drawn.side, 1575);
  const auto fills = canvas.Of(Kind::FilledBox);
  ASSERT_EQ(fills.size(), 1u);
  EXPECT_EQ(std::tie(fills[0].x1, fills[0].y1, fills[0].x2, fills[0].y2, fills[0].colour),
            std::tuple(x0 + 700, y0 + 200 + 700, x0 + 855, y0 + 200 + 855, RGB(120, 120, 120)));
  const auto texts = TextsAt(canvas);
  EXPECT_EQ(texts.at({x0, y0}), "Puz#22 Easy");
  EXPECT_EQ(texts.at({x0 + 35 + 175 * 4, y0 + 170 + 175 * 4}), "7");
  EXPECT_EQ(texts.at({x0 + 35 + 175 * 8, y0 + 170 + 175 * 8}), "1");
  for (const CanvasCall& b : canvas.Of(Kind::Box)) {
    EXPECT_GE(b.x1, x0 - 100);
    EXPECT_LE(b.x2, x0 + 1650);
    EXPECT_GE(b.y1, y0);
    EXPECT_LE(b.y2, y0 + 1850);
  }
}

struct Damaged {
  const char* solution;
  int skippedItems;
  int skippedSteps;
  std::set<int> filled;
};

void PrintTo(const Damaged& d, std::ostream* os) { *os << '"' << d.solution << '"'; }

class DamagedSolution : public testing::TestWithParam<Damaged> {};

TEST_P(DamagedSolution, DrawsWhatIsOnTheBoardAndSkipsTheRest) {
  GameState g = FiveByFive();
  g.RecSolution = GetParam().solution;
  RecordingCanvas canvas;
  const GridDrawn drawn = DrawGrid(canvas, g, PrintStyle(2, "Arial"), GridMode::Solution, 0, 0, "");
  ASSERT_TRUE(drawn.ok);
  EXPECT_EQ(drawn.skippedItems, GetParam().skippedItems);
  EXPECT_EQ(drawn.skippedSteps, GetParam().skippedSteps);
  std::set<int> filled;
  for (const auto& [cell, colour] : FinalFills(canvas, 0, 0, 5))
    if (colour == PathFillColour) filled.insert(cell);
  EXPECT_EQ(filled, GetParam().filled);
  EXPECT_EQ(canvas.Of(Kind::Box).size(), 25u);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DamagedSolution,
    testing::Values(Damaged{"99,11,x,-5,13,3, 13", 3, 0, {11, 13, 8, 3}}, Damaged{"", 0, 0, {}},
                    Damaged{"21", 0, 0, {}}, Damaged{"0,26,2147483647,99999999999, 13", 4, 0, {}},
                    Damaged{"1,25, 13", 0, 1, {1, 25}}, Damaged{",,,, 1", 4, 0, {}},
                    Damaged{"5,3,1,15, 1", 0, 1, {5, 4, 3, 2, 1, 15}}));

TEST(GridDrawing, BoardSizeOutsideOneToNineDrawsNothing) {
  GameState g = FiveByFive();
  for (int size : {0, -3, 10, 1000}) {
    g.RecSize = size;
    RecordingCanvas canvas;
    EXPECT_FALSE(DrawGrid(canvas, g, PrintStyle(2, "Arial"), GridMode::Solution, 0, 0, "t").ok);
    EXPECT_TRUE(canvas.calls.empty());
  }
}

TEST(GridTitles, NumberAndDifficultyWord) {
  EXPECT_EQ(GridTitle(GridMode::Puzzle, "12", "Easy"), "Puz#12 Easy");
  EXPECT_EQ(GridTitle(GridMode::Solution, "7", "VeryEasy"), "Sol#7 Easy");
  EXPECT_EQ(GridTitle(GridMode::Solution, "3", "Hard"), "Sol#3 Hard");
  EXPECT_EQ(BoardGridTitle(GridMode::Puzzle, "012", true), "Puz#012 Easy");
  EXPECT_EQ(RecordGridTitle(GridMode::Puzzle, 40, "VeryEasy"), "Puz#40 Easy");
}

TEST(GridDrawing, FilePuzzlesCarryTheirOwnDifficulty) {
  test::TempDir dir;
  const std::string path = dir.File("mix.kvl");
  const std::string grid = "1+2-3- + -2-3+1+ - +3+1-2";
  std::string veryEasy = FormatRecord(3, true, 5, 4, 13, grid, "21,11,13,3, 13");
  veryEasy.replace(veryEasy.find("Easy"), 4, "VeryEasy");
  test::WriteFile(path, FormatRecord(1, true, 5, 4, 13, grid, "21,11,13,3, 13") +
                            FormatRecord(2, false, 5, 4, 13, grid, "21,11,13,3, 13") + veryEasy);
  GameState g;
  g.EasyFlag = true;  // the main window's setting must not leak into the titles
  const GridStyle style = PrintStyle(2, "Arial");
  for (const auto& [n, mode, expected] : {std::tuple{1, GridMode::Puzzle, "Puz#1 Easy"},
                                          {2, GridMode::Solution, "Sol#2 Hard"}, {3, GridMode::Puzzle, "Puz#3 Easy"}}) {
    RecordingCanvas canvas;
    const FilePuzzleDrawn drawn = DrawFilePuzzle(canvas, g, path, n, style, mode, 1100, 1400);
    ASSERT_EQ(drawn.status, ReadStatus::Ok);
    EXPECT_EQ(canvas.Of(Kind::Text).front().text, expected);
    EXPECT_EQ(FinalFills(canvas, 1100, 1400, 5).size(), mode == GridMode::Puzzle ? 1u : 7u);
  }

  RecordingCanvas missing;
  const FilePuzzleDrawn drawn = DrawFilePuzzle(missing, g, path, 9, style, GridMode::Puzzle, 1100, 1400);
  EXPECT_NE(drawn.status, ReadStatus::Ok);
  EXPECT_EQ(missing.Of(Kind::Box).size(), 25u);
  const auto texts = missing.Of(Kind::Text);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, FooterText());
}

}  // namespace
}  // namespace kelvane
