// Playing on the worked board: starting, extending and taking back the chain, the win, hints and the solution display.
#include <gtest/gtest.h>

#include "model/navigation.h"
#include "model/play.h"
#include "test_support.h"

namespace kelvane {
namespace {

// Two balanced chains: 21,11,1,3 (the Easy solution, marked cell 1) and 21,23,25,15,5.
struct Board {
  test::TempDir dir;
  GameState g;
  Board(const std::string& solution = "21,11,1,3, 1") {
    const std::string f = dir.File("p.kvl");
    test::WriteFile(f, FormatRecord(1, true, 5, 4, 1, "1-2-3+ - -2-3-1- - -3-1+2", solution));
    EXPECT_TRUE(ShowPuzzle(g, f, 1).found);
  }
  Colour colour(int i) const { return g.Cell[static_cast<std::size_t>(i)].BackColor; }
};

TEST(Chain, StartsOnlyInTheBottomRowAndStepsLeftRightOrUp) {
  Board b;
  GameState& g = b.g;
  for (int i : {1, 3, 11, 13, 6, 0}) EXPECT_EQ(LeftRelease(g, i).move, Move::Ignored) << i;  // 0: the overlay on cell 1
  EXPECT_EQ(LeftRelease(g, 22).move, Move::Started);  // a sign cell of the bottom row counts 0
  EXPECT_EQ(g.CurrentSum, 0);
  EXPECT_EQ(LeftRelease(g, 22).move, Move::Removed);

  EXPECT_EQ(LeftRelease(g, 21).move, Move::Started);
  EXPECT_EQ(g.ChainString, "21");
  EXPECT_EQ(g.CurrentSum, 3);
  EXPECT_EQ(b.colour(21), g.ChainEndColour);
  for (int i : {25, 13, 16, 15, 1, 22}) EXPECT_EQ(LeftRelease(g, i).move, Move::Ignored) << i;  // too far, diagonal, a sign, …
  EXPECT_EQ(LeftRelease(g, 23).move, Move::Extended);
  EXPECT_EQ(g.ChainString, "21-23");
  EXPECT_EQ(g.CurrentSum, 2);
  EXPECT_EQ(b.colour(21), g.ChainEndColour);  // a first cell keeps the end colour
  EXPECT_EQ(b.colour(22), g.ChainCellColour);
  EXPECT_EQ(LeftRelease(g, 13).move, Move::Extended);
  EXPECT_EQ(b.colour(23), g.ChainCellColour);
  EXPECT_EQ(b.colour(13), g.ChainEndColour);
  EXPECT_EQ(LeftRelease(g, 23).move, Move::Ignored);  // never down, never back onto the chain
  EXPECT_EQ(LeftRelease(g, 11).move, Move::Extended);
  EXPECT_EQ(LeftRelease(g, 13).move, Move::Ignored);
}

TEST(Chain, TakingBackRestoresColoursAndSum) {
  Board b;
  GameState& g = b.g;
  (void)LeftRelease(g, 21);
  (void)LeftRelease(g, 23);
  EXPECT_EQ(LeftRelease(g, 23).move, Move::TookBack);
  EXPECT_EQ(g.ChainString, "21");
  EXPECT_EQ(g.LastChainCell, 21);
  EXPECT_EQ(g.CurrentSum, 3);
  EXPECT_EQ(b.colour(23), g.NumberCellColour);
  EXPECT_EQ(b.colour(22), g.SignCellColour);
  EXPECT_EQ(b.colour(21), g.ChainEndColour);
  EXPECT_EQ(LeftRelease(g, 21).move, Move::Removed);
  EXPECT_EQ(g.LastChainCell, -1);
  EXPECT_EQ(g.CurrentSum, 0);
  EXPECT_EQ(b.colour(21), g.NumberCellColour);

  (void)LeftRelease(g, 21);
  (void)LeftRelease(g, 11);
  EXPECT_EQ(UndoLastStep(g).move, Move::TookBack);
  EXPECT_EQ(g.ChainString, "21");
  ClearChain(g);
  EXPECT_EQ(g.ChainString, "");
  EXPECT_TRUE(g.Cell[0].Visible);
  EXPECT_EQ(UndoLastStep(g).move, Move::Ignored);
}

TEST(Chain, TheSolutionWinsAndOtherBalancedChainsDoNot) {
  Board b;
  GameState& g = b.g;
  for (int i : {21, 23, 25, 15}) EXPECT_FALSE(LeftRelease(g, i).won);
  const MoveOutcome last = LeftRelease(g, 5);  // balanced and in the top row, but not the solution
  EXPECT_EQ(g.CurrentSum, 0);
  EXPECT_FALSE(last.won);
  ClearChain(g);
  for (int i : {21, 11}) EXPECT_FALSE(LeftRelease(g, i).won);
  EXPECT_FALSE(LeftRelease(g, 0).won);  // the overlay is the marked cell 1
  EXPECT_EQ(g.ChainString, "21-11+01");
  const MoveOutcome win = LeftRelease(g, 3);
  EXPECT_TRUE(win.won);
  EXPECT_EQ(g.HintsLeft, -9);
  EXPECT_EQ(ChainAsSolution(g), "21,11,1,3, 1");
  EXPECT_EQ(LeftRelease(g, 3).move, Move::TookBack);  // a solved chain can still change
  EXPECT_TRUE(LeftRelease(g, 3).won);
}

TEST(Chain, KeyboardStepsFollowTheSameRules) {
  Board b;
  GameState& g = b.g;
  EXPECT_EQ(StepChain(g, Step::Up).move, Move::Ignored);  // no chain yet
  (void)LeftRelease(g, 21);
  EXPECT_EQ(StepChain(g, Step::Left).move, Move::Ignored);  // the left edge
  EXPECT_EQ(StepChain(g, Step::Up).move, Move::Extended);
  EXPECT_EQ(StepChain(g, Step::Up).move, Move::Extended);
  EXPECT_TRUE(StepChain(g, Step::Right).won);
}

TEST(Hints, ThreeMovesThenTheMessageThenSilence) {
  Board b;
  GameState& g = b.g;
  EXPECT_EQ(PathDigits("21,11,13,3, 13"), "21111303");
  EXPECT_EQ(g.HintsLeft, 3);
  EXPECT_EQ(Hint(g).last.move, Move::Started);
  EXPECT_EQ(Hint(g).last.move, Move::Extended);
  EXPECT_EQ(Hint(g).last.move, Move::Extended);
  EXPECT_EQ(g.ChainString, "21-11+01");
  EXPECT_TRUE(Hint(g).noMoreHints);
  const HintOutcome fifth = Hint(g);
  EXPECT_FALSE(fifth.noMoreHints);
  EXPECT_EQ(fifth.last.move, Move::Ignored);
}

TEST(Hints, AWrongChainIsTakenBackAndAWonBoardGetsNone) {
  Board b;
  GameState& g = b.g;
  (void)LeftRelease(g, 23);
  EXPECT_EQ(Hint(g).last.move, Move::Removed);  // a one-cell chain off the solution
  (void)LeftRelease(g, 21);
  (void)LeftRelease(g, 23);
  EXPECT_EQ(Hint(g).last.move, Move::TookBack);
  EXPECT_EQ(g.ChainString, "21");
  EXPECT_EQ(Hint(g).last.move, Move::Extended);  // back on the solution: its next cell
  EXPECT_EQ(g.ChainString, "21-11");

  Board won;
  for (int i : {21, 11, 1, 3}) (void)LeftRelease(won.g, i);
  const HintOutcome h = Hint(won.g);
  EXPECT_FALSE(h.noMoreHints);
  EXPECT_EQ(h.last.move, Move::Ignored);
  EXPECT_EQ(won.g.ChainString, "21-11+01-03");
}

TEST(Hints, ASolutionStartingOnTheMarkedCellMakesTwoMoves) {
  Board b("21,11,1,3, 21");
  EXPECT_EQ(b.g.MarkedCell, 21);
  (void)Hint(b.g);
  EXPECT_EQ(b.g.ChainString, "21-11");
}

TEST(ShowSolution, PaintsThePathAndGivesTheChainItsColoursBack) {
  Board b;
  GameState& g = b.g;
  (void)LeftRelease(g, 21);
  (void)LeftRelease(g, 23);
  std::array<Colour, 26> before{};
  for (int i = 1; i <= 25; ++i) before[static_cast<std::size_t>(i)] = b.colour(i);
  PressShowSolution(g);
  for (int i : {21, 16, 11, 6, 1, 2, 3}) EXPECT_EQ(b.colour(i), g.SolutionCellColour) << i;
  EXPECT_EQ(b.colour(23), g.NumberCellColour);
  EXPECT_EQ(g.MarkedCell, 1);
  EXPECT_TRUE(g.Cell[0].Visible);
  ReleaseShowSolution(g);
  for (int i = 1; i <= 25; ++i) EXPECT_EQ(b.colour(i), before[static_cast<std::size_t>(i)]) << i;
  EXPECT_EQ(g.ChainString, "21-23");
  EXPECT_EQ(g.CurrentSum, 2);
}

}  // namespace
}  // namespace kelvane
