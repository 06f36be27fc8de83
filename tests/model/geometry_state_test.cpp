// Tests of board geometry, board layout, the marked cell, the grid text and the win test.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "model/game_state.h"
#include "model/geometry.h"

namespace kelvane {
namespace {

TEST(Geometry, NumberCellsAreAtOddRowsAndColumnsSignCellsBetweenAndNothingOffTheBoard) {
  std::vector<int> numbers, signs;
  for (int i = -3; i <= 30; ++i) {
    if (Geometry{5}.IsNumberCell(i)) numbers.push_back(i);
    if (Geometry{5}.IsSignCell(i)) signs.push_back(i);
  }
  EXPECT_EQ(numbers, (std::vector<int>{1, 3, 5, 11, 13, 15, 21, 23, 25}));
  EXPECT_EQ(signs, (std::vector<int>{2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24}));
  for (int n : {5, 7, 9}) {
    const Geometry g{n};
    SCOPED_TRACE("size " + std::to_string(n));
    int count[3] = {};  // number, sign and blank cells
    for (int i = 1; i <= g.CellCount(); ++i) {
      EXPECT_EQ(g.CellAt(g.RowOf(i), g.ColOf(i)), i);
      EXPECT_FALSE(g.IsNumberCell(i) && g.IsSignCell(i));
      ++count[g.IsNumberCell(i) ? 0 : g.IsSignCell(i) ? 1 : 2];
    }
    const int m = g.NumbersPerRow();
    EXPECT_EQ(std::tie(m, count[0], count[1], count[2]),
              std::make_tuple(n / 2 + 1, m * m, 2 * m * (m - 1), (m - 1) * (m - 1)));
    for (int i : {-5, -1, 0, n * n + 1, 100, 140}) {
      EXPECT_EQ(std::make_tuple(g.RowOf(i), g.ColOf(i)), std::make_tuple(-1, -1)) << i;
      EXPECT_FALSE(g.IsNumberCell(i) || g.IsSignCell(i)) << i;
    }
  }
  EXPECT_EQ(Geometry{9}.CellCount(), 81);
  for (const auto& [r, c, cell] : {std::tuple{0, 1, 0}, {1, 8, 0}, {8, 8, 0}, {7, 7, 49}, {2, 3, 10}})
    EXPECT_EQ(Geometry{7}.CellAt(r, c), cell) << r << "," << c;
}

TEST(Geometry, ChainStepsGoSidewaysOrUpAndCrossTheSignBetween) {
  const Geometry g7{7};
  EXPECT_TRUE(g7.IsChainStep(43, 29));
  EXPECT_EQ(Geometry::Between(43, 29), 36);
  EXPECT_TRUE(g7.IsSignCell(36));

  const Geometry g5{5};
  const std::tuple<int, int, bool> steps[] = {  // from, to, a step
      {21, 23, true},  {23, 21, true},  {21, 11, true},  {13, 3, true},   {11, 21, false},
      {3, 13, false},  {21, 25, false}, {21, 13, false}, {21, 1, false},  {21, 21, false},
      {21, 22, false}, {5, 11, false},  {22, 12, false}, {-9, 1, false},  {25, 35, false},
  };
  for (const auto& [a, b, ok] : steps) {
    EXPECT_EQ(g5.IsChainStep(a, b), ok) << a << " -> " << b;
    EXPECT_TRUE(!ok || g5.IsSignCell(Geometry::Between(a, b))) << a << " -> " << b;
  }
}

TEST(LayOutBoard, SetsCountsTagsColoursAndChainListNameAndHintsOnlyForANewSize) {
  GameState g;
  for (int n : {5, 7, 9, 5}) {
    SCOPED_TRACE("size " + std::to_string(n));
    g.HintsLeft = -9;
    g.LastChainCell = 4;
    LayOutBoard(g, n);
    const std::string size = std::to_string(n);
    EXPECT_EQ(std::tie(g.CellCount, g.NumbersPerRow, g.SizeCacheFile, g.LastChainCell, g.HintsLeft),
              std::make_tuple(n * n, n / 2 + 1, "k" + size + "x" + size + ".kvy", -1, 3));
    EXPECT_EQ(g.RowOf(n * n), n);
    EXPECT_FALSE(g.Cell[0].Visible);
    for (int i = 1; i <= n * n; ++i) {
      const bool number = Geometry{n}.IsNumberCell(i);
      EXPECT_EQ(std::tie(g.Cell[i].Tag, g.Cell[i].BackColor),
                std::make_tuple(number ? 'N' : 'X', number ? g.NumberCellColour : g.SignCellColour)) << i;
    }
    for (int i = 1; i <= MaxCellIndex; ++i) EXPECT_EQ(g.Cell[i].Visible, i <= n * n) << i;
    g.HintsLeft = 1;
    LayOutBoard(g, n);  // the same size keeps the hints
    EXPECT_EQ(g.HintsLeft, 1);
  }
}

// A 5 x 5 board: numbers in a Latin square, signs between them, blanks at the crossings.
void FillFiveByFive(GameState& g) {
  LayOutBoard(g, 5);
  const char* rows[] = {"1+2-3", "-   +", "2-3+1", "+   -", "3+1-2"};
  for (int r = 1; r <= 5; ++r)
    for (int c = 1; c <= 5; ++c) g.Cell[g.CellAt(r, c)].Caption = std::string(1, rows[r - 1][c - 1]);
}

TEST(PlaceMarker, MovesTheOverlayOntoTheLastItem) {
  GameState g;
  FillFiveByFive(g);
  // The first and the last cell of the board can be marked.
  for (const auto& [text, cell, caption] :
       {std::tuple{"21,11,1, 11", 11, "2"}, {"13", 13, "3"}, {"3, 1", 1, "1"}, {"15, 25", 25, "2"}}) {
    PlaceMarker(g, text);
    EXPECT_EQ(std::tie(g.MarkedCell, g.Cell[0].Visible, g.Cell[0].Caption, g.Cell[0].BackColor),
              std::make_tuple(cell, true, caption, g.MarkedCellBackColour)) << text;
  }
  for (const char* text : {"21,11,1, 26", "21,11,1, 0", "21,11,1,", "", "21,11,1,-4", "21,11,1, 99999999999"}) {
    PlaceMarker(g, "13");
    PlaceMarker(g, text);
    EXPECT_EQ(std::tie(g.MarkedCell, g.Cell[0].Visible), std::make_tuple(0, false)) << text;
  }
}

TEST(GridText, EmptyCaptionsWriteNothing) {
  GameState g;
  FillFiveByFive(g);
  EXPECT_EQ(GridText(g), "1+2-3-   +2-3+1+   -3+1-2");
  g.Cell[7].Caption.clear();
  g.Cell[13].Caption.clear();
  EXPECT_EQ(GridText(g), "1+2-3-  +2-+1+   -3+1-2");
  EXPECT_EQ(std::make_tuple(CellValue(g, 13), CellValue(g, 2), CellValue(g, 11)), std::make_tuple(0, 0, 2));

  GameState fresh;
  LayOutBoard(fresh, 7);
  EXPECT_LT(GridText(fresh).size(), 49u);
}

TEST(Win, ChainTextMatchesTheSolutionOnlyAtTheTopWithSumZero) {
  GameState g;
  FillFiveByFive(g);
  g.Solution = "21,11,13,3, 13";
  PlaceMarker(g, g.Solution);
  g.ChainString = "21-11+13-03";
  g.LastChainCell = 3;
  g.CurrentSum = 0;
  EXPECT_EQ(ChainAsSolution(g), "21,11,13,3, 13");
  EXPECT_TRUE(IsWin(g));

  // Each of the three conditions alone stops the win.
  for (const auto& spoil : std::vector<std::function<void(GameState&)>>{
           [](GameState& s) { s.CurrentSum = 2; }, [](GameState& s) { s.LastChainCell = 13; },
           [](GameState& s) { s.LastChainCell = -1; }, [](GameState& s) { s.Solution = "21,11,13,3, 11"; }}) {
    GameState lost = g;
    spoil(lost);
    EXPECT_FALSE(IsWin(lost));
  }
  for (const auto& [chain, marked, text] : {std::tuple{"", 0, " 0"}, {"07", 7, "7, 7"}}) {
    g.ChainString = chain;
    g.MarkedCell = marked;
    EXPECT_EQ(ChainAsSolution(g), text);
  }
}

}  // namespace
}  // namespace kelvane
