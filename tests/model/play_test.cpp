// The board: geometry, layout, the marked cell and the win test; playing on the worked board: starting,
// extending and taking back the chain, the win, hints and the solution display.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "model/game_state.h"
#include "model/geometry.h"
#include "model/navigation.h"
#include "model/play.h"
#include "model/text_rules.h"
#include "test_support.h"

namespace kelvane {
namespace {

TEST(Geometry, NumberCellsAtOddRowsAndColumnsSignCellsBetweenAndNothingOffTheBoard) {
  std::vector<int> numbers, signs;
  for (int i = -3; i <= 30; ++i) {
    if (Geometry{5}.IsNumberCell(i)) numbers.push_back(i);
    if (Geometry{5}.IsSignCell(i)) signs.push_back(i);
  }
  EXPECT_EQ(numbers, (std::vector<int>{1, 3, 5, 11, 13, 15, 21, 23, 25}));
  EXPECT_EQ(signs, (std::vector<int>{2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24}));
  for (int n : {5, 7, 9}) {
    const Geometry g{n};
    int count[3] = {};  // number, sign and blank cells
    for (int i = 1; i <= g.CellCount(); ++i) {
      EXPECT_EQ(g.CellAt(g.RowOf(i), g.ColOf(i)), i);
      ++count[g.IsNumberCell(i) ? 0 : g.IsSignCell(i) ? 1 : 2];
    }
    const int m = g.NumbersPerRow();
    EXPECT_EQ(std::tie(m, count[0], count[1], count[2]),
              std::make_tuple(n / 2 + 1, m * m, 2 * m * (m - 1), (m - 1) * (m - 1))) << n;
    for (int i : {-5, 0, n * n + 1, 140}) {
      EXPECT_EQ(std::make_tuple(g.RowOf(i), g.ColOf(i), g.CellAt(i, 1), g.CellAt(1, i)), std::make_tuple(-1, -1, 0, 0));
      EXPECT_FALSE(g.IsNumberCell(i) || g.IsSignCell(i)) << i;
    }
  }
  const std::tuple<int, int, bool> steps[] = {  // from, to on the 5 x 5 board, a step
      {21, 23, true},  {23, 21, true},  {21, 11, true},  {13, 3, true},   {11, 21, false},
      {3, 13, false},  {21, 25, false}, {21, 13, false}, {21, 1, false},  {21, 21, false},
      {21, 22, false}, {5, 11, false},  {22, 12, false}, {-9, 1, false},  {25, 35, false},
  };
  for (const auto& [a, b, ok] : steps) {
    EXPECT_EQ(Geometry{5}.IsChainStep(a, b), ok) << a << " -> " << b;
    EXPECT_TRUE(!ok || Geometry{5}.IsSignCell(Geometry::Between(a, b))) << a << " -> " << b;
  }
  EXPECT_EQ(std::make_tuple(Geometry{7}.IsChainStep(43, 29), Geometry::Between(43, 29)), std::make_tuple(true, 36));
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
    for (int i = 0; i <= MaxCellIndex; ++i) {
      const bool number = Geometry{n}.IsNumberCell(i);
      EXPECT_EQ(g.Cell[i].Visible, i >= 1 && i <= n * n) << i;
      EXPECT_TRUE(i == 0 || i > n * n || (g.Cell[i].Tag == (number ? 'N' : 'X') &&
                                          g.Cell[i].BackColor == (number ? g.NumberCellColour : g.SignCellColour)))
          << i;
    }
    g.HintsLeft = 1;
    LayOutBoard(g, n);  // the same size keeps the hints
    EXPECT_EQ(g.HintsLeft, 1);
  }
}

// A 5 x 5 board: numbers in a Latin square, signs between them, blanks at the crossings.
GameState FiveByFive() {
  GameState g;
  LayOutBoard(g, 5);
  const std::string grid = "1+2-3-   +2-3+1+   -3+1-2";
  for (int i = 1; i <= 25; ++i) g.Cell[i].Caption = grid.substr(i - 1, 1);
  return g;
}

TEST(PlaceMarker, MovesTheOverlayOntoTheLastItemOrHidesIt) {
  GameState g = FiveByFive();
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
  GameState g = FiveByFive();
  EXPECT_EQ(GridText(g), "1+2-3-   +2-3+1+   -3+1-2");
  g.Cell[7].Caption.clear();
  g.Cell[13].Caption.clear();
  EXPECT_EQ(GridText(g), "1+2-3-  +2-+1+   -3+1-2");
  EXPECT_EQ(std::make_tuple(CellValue(g, 13), CellValue(g, 2), CellValue(g, 11)), std::make_tuple(0, 0, 2));
  EXPECT_EQ(std::make_tuple(CellValue(g, -1), CellValue(g, MaxCellIndex + 1)), std::make_tuple(0, 0));  // off the board
  GameState fresh;
  LayOutBoard(fresh, 7);
  EXPECT_LT(GridText(fresh).size(), 49u);
}

TEST(Win, ChainTextMatchesTheSolutionOnlyAtTheTopWithSumZero) {
  GameState g = FiveByFive();
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

// Actions other than a click on a cell (0 is a click on the overlay of the marked cell).
constexpr int kUndo = -1, kClear = -2, kLeft = -3, kRight = -4, kUp = -5, kHint = -6, kPress = -7, kRelease = -8;

// One action and the board after it.
struct Turn {
  int action;
  Move move;
  const char* chain;
  int sum;
  const char* colours = nullptr;  // row by row, see Board::Colours; not checked when null
  bool won = false;
  bool noMoreHints = false;
};

// Two balanced chains: 21,11,1,3 (the Easy solution, marked cell 1) and 21,23,25,15,5.
struct Board {
  test::TempDir dir;
  GameState g;
  explicit Board(const std::string& solution = "21,11,1,3, 1") {
    const std::string f = dir.File("p.kvl");
    test::WriteFile(f, FormatRecord(1, true, 5, 4, 1, "1-2-3+ - -2-3-1- - -3-1+2", solution));
    EXPECT_TRUE(ShowPuzzle(g, f, 1).found);
  }

  // n number, s sign or blank, C chain, E chain end, S solution path; row by row.
  std::string Colours() const {
    const Colour kinds[] = {g.NumberCellColour, g.SignCellColour, g.ChainCellColour, g.ChainEndColour,
                            g.SolutionCellColour};
    std::string s;
    for (int i = 1; i <= 25; ++i) {
      s += "nsCES?"[std::find(kinds, kinds + 5, g.Cell[static_cast<std::size_t>(i)].BackColor) - kinds];
      if (i % 5 == 0 && i < 25) s += ' ';
    }
    return s;
  }

  HintOutcome Act(int action) {
    if (action == kHint) return Hint(g);
    if (action == kClear) ClearChain(g);
    if (action == kPress) PressShowSolution(g);
    if (action == kRelease) ReleaseShowSolution(g);
    HintOutcome out;
    if (action >= 0) out.last = LeftRelease(g, action);
    if (action == kUndo) out.last = UndoLastStep(g);
    if (action == kLeft || action == kRight || action == kUp)
      out.last = StepChain(g, action == kLeft ? Step::Left : action == kRight ? Step::Right : Step::Up);
    return out;
  }

  void Play(std::initializer_list<Turn> turns) {
    int k = 0;
    for (const Turn& t : turns) {
      SCOPED_TRACE(testing::Message() << "turn " << ++k << ", action " << t.action);
      const HintOutcome out = Act(t.action);
      EXPECT_EQ(std::tie(out.last.move, out.last.won, out.noMoreHints), std::tie(t.move, t.won, t.noMoreHints));
      // The last cell is the chain's last group.
      const int last = g.ChainString.empty() ? -1 : IntValue(g.ChainString.substr(g.ChainString.size() - 2));
      EXPECT_EQ(std::tie(g.ChainString, g.CurrentSum, g.LastChainCell),
                std::make_tuple(std::string(t.chain), t.sum, last));
      EXPECT_TRUE(!t.colours || Colours() == t.colours) << Colours();
    }
  }
};

const char* const kPlain = "nsnsn sssss nsnsn sssss nsnsn";
using enum Move;

TEST(Chain, StartsOnlyInTheBottomRowStepsLeftRightOrUpAndTakesBack) {
  Board b;
  b.Play({
      {1, Ignored, "", 0}, {3, Ignored, "", 0}, {11, Ignored, "", 0}, {13, Ignored, "", 0}, {6, Ignored, "", 0},
      {0, Ignored, "", 0},  // the overlay on cell 1
      {kUndo, Ignored, "", 0},
      {22, Started, "22", 0, "nsnsn sssss nsnsn sssss nEnsn"},  // a sign cell of the bottom row counts 0
      {22, Removed, "", 0, kPlain}, {21, Started, "21", 3, "nsnsn sssss nsnsn sssss Esnsn"},
      // Too far, diagonal, a sign, up two rows, the top row, the sign beside it.
      {25, Ignored, "21", 3}, {13, Ignored, "21", 3}, {16, Ignored, "21", 3}, {15, Ignored, "21", 3},
      {1, Ignored, "21", 3}, {22, Ignored, "21", 3},
      {23, Extended, "21-23", 2, "nsnsn sssss nsnsn sssss ECEsn"},  // a first cell keeps the end colour
      {13, Extended, "21-23-13", -1, "nsnsn sssss nsEsn ssCss ECCsn"},
      {23, Ignored, "21-23-13", -1},  // never down, never back onto the chain
      {11, Extended, "21-23-13-11", -3, "nsnsn sssss ECCsn ssCss ECCsn"}, {13, Ignored, "21-23-13-11", -3},
      {11, TookBack, "21-23-13", -1, "nsnsn sssss nsEsn ssCss ECCsn"},
      {13, TookBack, "21-23", 2, "nsnsn sssss nsnsn sssss ECEsn"},
      {23, TookBack, "21", 3, "nsnsn sssss nsnsn sssss Esnsn"}, {21, Removed, "", 0, kPlain},
      {21, Started, "21", 3}, {11, Extended, "21-11", 1},
      {kUndo, TookBack, "21", 3},  // undo takes back the last step
      {11, Extended, "21-11", 1}, {kClear, Ignored, "", 0, kPlain}, {kUndo, Ignored, "", 0},
      {kUp, Ignored, "", 0},  // no chain for the keys either
  });
  EXPECT_TRUE(b.g.Cell[0].Visible);
}

TEST(Chain, OnlyTheSolutionWinsByMouseOrKeyboard) {
  Board b;
  b.Play({
      {21, Started, "21", 3}, {23, Extended, "21-23", 2}, {25, Extended, "21-23+25", 4},
      {15, Extended, "21-23+25-15", 3},
      {5, Extended, "21-23+25-15-05", 0},  // balanced and in the top row, but not the solution
      {kClear, Ignored, "", 0}, {21, Started, "21", 3},
      {kLeft, Ignored, "21", 3},  // the keys take the same steps; this is the left edge
      {kUp, Extended, "21-11", 1}, {kUp, Extended, "21-11+01", 2},
      {kUp, Ignored, "21-11+01", 2},  // the top edge
      {kRight, Extended, "21-11+01-03", 0, nullptr, true},
      {3, TookBack, "21-11+01", 2},  // a solved chain can still change
      {3, Extended, "21-11+01-03", 0, nullptr, true},
  });
  EXPECT_EQ(b.g.HintsLeft, -9);
  EXPECT_EQ(ChainAsSolution(b.g), "21,11,1,3, 1");
}

TEST(Hints, FollowTheSolutionTakeBackAWrongStepAndRunOut) {
  EXPECT_EQ(PathDigits("21,11,13,3, 13"), "21111303");
  Board b;
  EXPECT_EQ(b.g.HintsLeft, 3);
  b.Play({
      {kHint, Started, "21", 3}, {kHint, Extended, "21-11", 1}, {kHint, Extended, "21-11+01", 2},
      {kHint, Ignored, "21-11+01", 2, nullptr, false, true},  // said once
      {kHint, Ignored, "21-11+01", 2},
  });

  Board wrong;
  wrong.Play({
      {23, Started, "23", 1},
      {kHint, Removed, "", 0},  // a one-cell chain off the solution
      {21, Started, "21", 3}, {23, Extended, "21-23", 2}, {kHint, TookBack, "21", 3},
      {kHint, Extended, "21-11", 1},  // back on the solution: its next cell
      {0, Extended, "21-11+01", 2},   // the overlay is the marked cell 1
      {3, Extended, "21-11+01-03", 0, nullptr, true},
      {kHint, Ignored, "21-11+01-03", 0},  // no hint and no message once won
  });

  // A solution starting on the marked cell: the first hint makes two moves.
  Board marked("21,11,1,3, 21");
  marked.Play({{kHint, Extended, "21-11", 1}});
}

TEST(ShowSolution, PaintsThePathAndGivesTheChainItsColoursBack) {
  Board b;
  b.Play({
      {21, Started, "21", 3}, {23, Extended, "21-23", 2, "nsnsn sssss nsnsn sssss ECEsn"},
      {kPress, Ignored, "21-23", 2, "SSSsn Sssss Ssnsn Sssss Ssnsn"},
  });
  EXPECT_EQ(b.g.MarkedCell, 1);
  EXPECT_TRUE(b.g.Cell[0].Visible);
  b.Play({{kRelease, Ignored, "21-23", 2, "nsnsn sssss nsnsn sssss ECEsn"}});
}

}  // namespace
}  // namespace kelvane
