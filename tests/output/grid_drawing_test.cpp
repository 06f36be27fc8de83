// Tests of the grid drawing on a recording canvas: fills, boxes, captions, titles, footers and damaged solutions.
#include "output/grid_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
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

// A puzzle fills only its marked cell and shows the marker's number there; a solution fills the path
// cells and the signs between them, and the marked cell shows its own caption once it is on the path.
TEST(GridDrawing, PuzzleFillsTheMarkedCellAndSolutionThePath) {
  const std::map<int, Colour> marked = {{13, MarkedFillColour}};
  std::map<int, Colour> path;
  for (int k : {21, 16, 11, 12, 13, 8, 3}) path[k] = PathFillColour;
  for (GridMode mode : {GridMode::Puzzle, GridMode::Solution}) {
    GameState g = FiveByFive();
    g.RecCells[0] = mode == GridMode::Puzzle ? "3" : "9";  // the marker's number; cell 13 reads "3"
    RecordingCanvas canvas;
    ASSERT_TRUE(DrawGrid(canvas, g, PrintStyle(2, "Arial"), mode, 1100, 700, "Puz#1 Easy").ok);
    EXPECT_EQ(FinalFills(canvas, 1100, 700, 5), mode == GridMode::Puzzle ? marked : path);
    EXPECT_EQ(TextsAt(canvas).at({1100 + 1000 + 160, 700 + 1000 + 60}), "3");
    EXPECT_EQ(canvas.Of(Kind::Box).size(), 25u);
    for (const CanvasCall& box : canvas.Of(Kind::Box)) EXPECT_EQ(box.colour, RGB(20, 20, 20));
  }
}

TEST(GridDrawing, EveryCellGetsABoxAndItsCaptionForBoardsOfOneToNine) {
  for (int size : {1, 5, 7, 9, 0, -3, 10, 1000}) {
    SCOPED_TRACE(size);
    GameState g = Numbered(std::clamp(size, 1, 9));
    g.RecSize = size;
    RecordingCanvas canvas;
    const GridDrawn drawn = DrawGrid(canvas, g, PrintStyle(2, "Arial"), GridMode::Solution, 1100, 1400, "");
    if (size < 1 || size > 9) {
      EXPECT_FALSE(drawn.ok);
      EXPECT_TRUE(canvas.calls.empty());
      continue;
    }
    ASSERT_TRUE(drawn.ok);
    const int side = size * 500;
    EXPECT_EQ(drawn.side, side);
    std::set<std::tuple<int, int, int, int>> boxes, expected;
    for (const CanvasCall& b : canvas.Of(Kind::Box)) boxes.insert({b.x1, b.y1, b.x2, b.y2});
    for (int x = 1100; x < 1100 + side; x += 500)
      for (int y = 1400; y < 1400 + side; y += 500) expected.insert({x, y, x + 500, y + 500});
    EXPECT_EQ(boxes, expected);
    EXPECT_EQ(TextsAt(canvas).at({1100 + side - 500 + 160, 1400 + side - 500 + 60}), std::to_string(size * size % 10));
  }
}

TEST(GridDrawing, PrintedTitleAndFooterSitAtTheirOffsetsInTheCodesFonts) {
  const GameState g = Numbered(9);
  for (int code : {1, 2, 4, 6, 15, 24}) {
    SCOPED_TRACE(code);
    const GridFonts sizes = FontSizesFor(code);
    RecordingCanvas canvas;
    ASSERT_TRUE(DrawGrid(canvas, g, PrintStyle(code, "Serif"), GridMode::Puzzle, 1000, 2400, "Puz#5 Hard").ok);
    const auto texts = canvas.Of(Kind::Text);
    ASSERT_EQ(texts.size(), 83u);
    EXPECT_EQ(std::tie(texts.front().text, texts.front().x1, texts.front().y1), std::tuple("Puz#5 Hard", 1010, 2150));
    EXPECT_EQ(texts.front().font, (FontSpec{"Serif", sizes.title, false}));
    EXPECT_EQ(texts[1].font, (FontSpec{"Serif", sizes.caption, true}));
    EXPECT_EQ(std::tie(texts.back().text, texts.back().x1, texts.back().y1),
              std::tuple(FooterText(), 1010, 2400 + 4500 + 100));
    EXPECT_EQ(texts.back().font, (FontSpec{"Serif", sizes.footer, true}));
  }
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
  EXPECT_EQ(texts.back().font, (FontSpec{"Arial", 18, true}));
  EXPECT_EQ(std::tie(texts.back().text, texts.back().x1, texts.back().y1), std::tuple("2", 2160, 2260));  // no footer
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
  EXPECT_EQ(canvas.Of(Kind::Text).back().font, (FontSpec{"Arial", 8, true}));
  for (const CanvasCall& b : canvas.Of(Kind::Box)) {
    EXPECT_TRUE(b.x1 >= x0 - 100 && b.x2 <= x0 + 1650 && b.y1 >= y0 && b.y2 <= y0 + 1850)
        << b.x1 << "," << b.y1 << " " << b.x2 << "," << b.y2;
  }
}

// Damaged solution lines: what is on the board is drawn and the rest skipped, never read outside the grid.
TEST(GridDrawing, DamagedSolutionDrawsWhatIsOnTheBoardAndSkipsTheRest) {
  const struct {
    const char* solution;
    int skippedItems, skippedSteps;
    std::set<int> filled;
  } rows[] = {
      {"99,11,x,-5,13,3, 13", 3, 0, {11, 13, 8, 3}}, {"", 0, 0, {}}, {"21", 0, 0, {}},
      {"0,26,2147483647,99999999999, 13", 4, 0, {}}, {"1,25, 13", 0, 1, {1, 25}}, {",,,, 1", 4, 0, {}},
      {"5,3,1,15, 1", 0, 1, {5, 4, 3, 2, 1, 15}}, {"21,25,3, 13", 0, 2, {21, 25, 3}},  // no steps: 4 apart
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.solution);
    GameState g = FiveByFive();
    g.RecSolution = row.solution;
    RecordingCanvas canvas;
    const GridDrawn drawn = DrawGrid(canvas, g, PrintStyle(2, "Arial"), GridMode::Solution, 0, 0, "");
    ASSERT_TRUE(drawn.ok);
    EXPECT_EQ(std::tie(drawn.skippedItems, drawn.skippedSteps), std::tie(row.skippedItems, row.skippedSteps));
    std::set<int> filled;
    for (const auto& [cell, colour] : FinalFills(canvas, 0, 0, 5))
      if (colour == PathFillColour) filled.insert(cell);
    EXPECT_EQ(filled, row.filled);
    EXPECT_EQ(canvas.Of(Kind::Box).size(), 25u);
  }
}

// Printed titles took the main window's difficulty for every puzzle; each now carries its own record's.
TEST(GridDrawing, FilePuzzlesCarryTheirOwnDifficulty) {
  EXPECT_EQ(BoardGridTitle(GridMode::Puzzle, "012", true), "Puz#012 Easy");
  EXPECT_EQ(BoardGridTitle(GridMode::Solution, "7", false), "Sol#7 Hard");
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
  // A puzzle that is not there: empty boxes and the footer, no title and no marker.
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
