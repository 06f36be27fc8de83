// Tests of board geometry, board layout, the marked cell, the grid text and the win test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/game_state.h"
#include "model/geometry.h"

namespace kelvane {
namespace {

TEST(Geometry, NumberCellsAreAtOddRowsAndColumns) {
  const Geometry g5{5};
  std::vector<int> numbers;
  for (int i = -3; i <= 30; ++i)
    if (g5.IsNumberCell(i)) numbers.push_back(i);
  EXPECT_EQ(numbers, (std::vector<int>{1, 3, 5, 11, 13, 15, 21, 23, 25}));
  EXPECT_EQ(g5.NumbersPerRow(), 3);

  for (int n : {5, 7, 9}) {
    const Geometry g{n};
    SCOPED_TRACE("size " + std::to_string(n));
    int numberCells = 0, signCells = 0, blanks = 0;
    for (int i = 1; i <= g.CellCount(); ++i) {
      EXPECT_EQ(g.CellAt(g.RowOf(i), g.ColOf(i)), i);
      EXPECT_FALSE(g.IsNumberCell(i) && g.IsSignCell(i));
      if (g.IsNumberCell(i)) ++numberCells;
      else if (g.IsSignCell(i)) ++signCells;
      else ++blanks;
    }
    const int m = g.NumbersPerRow();
    EXPECT_EQ(m, n / 2 + 1);
    EXPECT_EQ(numberCells, m * m);
    EXPECT_EQ(signCells, 2 * m * (m - 1));
    EXPECT_EQ(blanks, (m - 1) * (m - 1));
  }
  EXPECT_EQ(Geometry{9}.CellCount(), 81);
  EXPECT_EQ(Geometry{9}.NumbersPerRow(), 5);
}

TEST(Geometry, LookUpsOffTheBoardGiveMinusOneOrZero) {
  const Geometry g{7};
  for (int i : {-5, -1, 0, 50, 100, 140}) {
    EXPECT_EQ(g.RowOf(i), -1) << i;
    EXPECT_EQ(g.ColOf(i), -1) << i;
    EXPECT_FALSE(g.IsNumberCell(i)) << i;
    EXPECT_FALSE(g.IsSignCell(i)) << i;
  }
  EXPECT_EQ(Geometry{5}.RowOf(100), -1);
  EXPECT_EQ(g.CellAt(0, 1), 0);
  EXPECT_EQ(g.CellAt(1, 8), 0);
  EXPECT_EQ(g.CellAt(8, 8), 0);
  EXPECT_EQ(g.CellAt(7, 7), 49);
}

TEST(Geometry, ChainStepsGoSidewaysOrUpAndCrossTheSignBetween) {
  const Geometry g7{7};
  EXPECT_TRUE(g7.IsChainStep(43, 29));
  EXPECT_EQ(Geometry::Between(43, 29), 36);
  EXPECT_TRUE(g7.IsSignCell(36));

  const Geometry g5{5};
  struct Step {
    int a, b;
    bool ok;
  };
  const Step steps[] = {
      {21, 23, true},  {23, 21, true},  {21, 11, true},  {13, 3, true},   {11, 21, false},
      {3, 13, false},  {21, 25, false}, {21, 13, false}, {21, 1, false},  {21, 21, false},
      {21, 22, false}, {5, 11, false},  {22, 12, false}, {-9, 1, false},  {25, 35, false},
  };
  for (const auto& s : steps) {
    EXPECT_EQ(g5.IsChainStep(s.a, s.b), s.ok) << s.a << " -> " << s.b;
    if (s.ok) {
      EXPECT_TRUE(g5.IsSignCell(Geometry::Between(s.a, s.b))) << s.a << " -> " << s.b;
    }
  }
}

TEST(LayOutBoard, SetsCountsTagsAndChainListName) {
  for (int n : {5, 7, 9}) {
    GameState g;
    LayOutBoard(g, n);
    SCOPED_TRACE("size " + std::to_string(n));
    EXPECT_EQ(g.CellCount, n * n);
    EXPECT_EQ(g.NumbersPerRow, n / 2 + 1);
    EXPECT_EQ(g.SizeCacheFile, ChainListName(n));
    EXPECT_EQ(g.LastChainCell, -1);
    for (int i = 1; i <= MaxCellIndex; ++i) {
      EXPECT_EQ(g.Cell[i].Visible, i <= n * n) << i;
      if (i <= n * n) {
        EXPECT_EQ(g.Cell[i].Tag, g.Geo.IsNumberCell(i) ? 'N' : 'X') << i;
      }
    }
    EXPECT_FALSE(g.Cell[0].Visible);
  }
  GameState g;
  LayOutBoard(g, 7);
  EXPECT_EQ(g.SizeCacheFile, "k7x7.kvy");
  EXPECT_EQ(g.Cell[1].Tag, 'N');
  EXPECT_EQ(g.Cell[2].Tag, 'X');
  EXPECT_EQ(g.Cell[9].Tag, 'X');
}

TEST(LayOutBoard, HintsResetOnlyWhenTheSizeChanges) {
  GameState g;
  LayOutBoard(g, 7);
  g.HintsLeft = 1;
  LayOutBoard(g, 7);
  EXPECT_EQ(g.HintsLeft, 1);
  LayOutBoard(g, 5);
  EXPECT_EQ(g.HintsLeft, 3);
  EXPECT_EQ(g.CellCount, 25);
  EXPECT_EQ(g.SizeCacheFile, "k5x5.kvy");
  g.HintsLeft = -9;
  LayOutBoard(g, 5);
  EXPECT_EQ(g.HintsLeft, -9);
  EXPECT_EQ(g.RowOf(25), 5);
  EXPECT_FALSE(g.Cell[26].Visible);
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
  PlaceMarker(g, "21,11,1, 11");
  EXPECT_EQ(g.MarkedCell, 11);
  EXPECT_TRUE(g.Cell[0].Visible);
  EXPECT_EQ(g.Cell[0].Caption, "2");
  EXPECT_EQ(g.Cell[0].BackColor, g.MarkedCellBackColour);

  PlaceMarker(g, "13");
  EXPECT_EQ(g.MarkedCell, 13);
  EXPECT_EQ(g.Cell[0].Caption, "3");

  for (const char* text : {"21,11,1, 26", "21,11,1, 0", "21,11,1,", "", "21,11,1,-4", "21,11,1, 99999999999"}) {
    PlaceMarker(g, "13");
    PlaceMarker(g, text);
    EXPECT_EQ(g.MarkedCell, 0) << text;
    EXPECT_FALSE(g.Cell[0].Visible) << text;
  }
}

TEST(GridText, EmptyCaptionsWriteNothing) {
  GameState g;
  FillFiveByFive(g);
  EXPECT_EQ(GridText(g), "1+2-3-   +2-3+1+   -3+1-2");
  g.Cell[7].Caption.clear();
  g.Cell[13].Caption.clear();
  EXPECT_EQ(GridText(g), "1+2-3-  +2-+1+   -3+1-2");
  EXPECT_EQ(CellValue(g, 13), 0);
  EXPECT_EQ(CellValue(g, 2), 0);
  EXPECT_EQ(CellValue(g, 11), 2);

  GameState fresh;
  LayOutBoard(fresh, 7);
  EXPECT_LT(GridText(fresh).size(), 49u);
}

TEST(Win, ChainTextMatchesTheSolutionOnlyAtTheTopWithSumZero) {
  GameState g;
  FillFiveByFive(g);
  g.Solution = "21,11,13,3, 13";
  PlaceMarker(g, g.Solution);
  ASSERT_EQ(g.MarkedCell, 13);
  g.ChainString = "21-11+13-03";
  g.LastChainCell = 3;
  g.CurrentSum = 0;
  EXPECT_EQ(ChainAsSolution(g), "21,11,13,3, 13");
  EXPECT_TRUE(IsWin(g));

  g.CurrentSum = 2;
  EXPECT_FALSE(IsWin(g));
  g.CurrentSum = 0;
  g.LastChainCell = 13;
  EXPECT_FALSE(IsWin(g));
  g.LastChainCell = -1;
  EXPECT_FALSE(IsWin(g));
  g.LastChainCell = 3;
  g.Solution = "21,11,13,3, 11";
  EXPECT_FALSE(IsWin(g));

  g.ChainString.clear();
  g.MarkedCell = 0;
  EXPECT_EQ(ChainAsSolution(g), " 0");
  g.ChainString = "07";
  g.MarkedCell = 7;
  EXPECT_EQ(ChainAsSolution(g), "7, 7");
}

}  // namespace
}  // namespace kelvane
