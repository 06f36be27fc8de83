// The solver: the worked example, tie-breaks, odd chain lists, and agreement with the literal oracle.
#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "engine/generator.h"
#include "engine/solver.h"
#include "reference_solver.h"
#include "test_support.h"

namespace kelvane {
namespace {

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  while (from < text.size()) {
    const std::size_t nl = text.find('\n', from);
    lines.push_back(text.substr(from, nl - from));
    from = nl == std::string::npos ? text.size() : nl + 1;
  }
  return lines;
}

std::string joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& l : lines) text += l + "\n";
  return text;
}

// The board of the worked example: one balanced chain of four cells and one of five.
Grid workedExample() {
  Grid g;
  g.N = 5;
  const char* rows[] = {"1-2-3", "+ - -", "2-3-1", "- - -", "3-1+2"};
  for (int r = 0; r < 5; ++r)
    for (int c = 0; c < 5; ++c) g.c[static_cast<std::size_t>(r * 5 + c + 1)] = rows[r][c];
  return g;
}

struct Solved {
  bool found;
  std::string solution;
  int length;
};

Solved solve(const Grid& g, bool easy, const ChainList& list) {
  SolverScratch scratch;
  Solved s{false, "unchanged", -7};
  s.found = FindSolution(g, easy, list, scratch, s.solution, s.length);
  return s;
}

TEST(Solver, WorkedExampleEasyAndHard) {
  const Grid g = workedExample();
  const auto list = ParseChainList(5, ChainListText(5));
  ASSERT_TRUE(list->complete);

  const Solved easy = solve(g, true, *list);
  ASSERT_TRUE(easy.found);
  EXPECT_EQ(easy.solution, "21,11,1,3, 1");
  EXPECT_EQ(easy.length, 4);
  const Solved hard = solve(g, false, *list);
  ASSERT_TRUE(hard.found);
  EXPECT_EQ(hard.solution, "21,23,25,15,5, 5");
  EXPECT_EQ(hard.length, 5);

  const auto ref = test::ReferenceSolve(g, true, linesOf(ChainListText(5)));
  const std::vector<std::string> expected = {"X01021,11,1,3, 1",      "X01021,11,1,3, 11",
                                             "X01021,11,1,3, 3",      "X01421,23,25,15,5, 15",
                                             "X01421,23,25,15,5, 23", "X01421,23,25,15,5, 25",
                                             "X01421,23,25,15,5, 5"};
  EXPECT_EQ(ref.candidates, expected);
}

TEST(Solver, WorkedExampleOnTheBoardPlacesTheMarker) {
  test::TempDir dir;
  test::WriteFile(dir.File("k5x5.kvy"), ChainListText(5));
  ChainListCache lists(dir.Folder());
  for (bool easy : {true, false}) {
    GameState g;
    LayOutBoard(g, 5);
    BoardFromGrid(g, workedExample());
    g.EasyFlag = easy;
    ASSERT_EQ(FindSolution(g, lists), 0);
    PlaceMarker(g, g.Solution);
    EXPECT_EQ(g.MarkedCell, easy ? 1 : 5);
    EXPECT_EQ(g.Cell[0].Caption, easy ? "1" : "3");
  }
}

TEST(Solver, LengthIsCharactersOfTheLineAndCellsSortAsText) {
  // Two balanced chains with a unique cell each: the 8-character line is the
  // shorter even though the other has the same number of cells plus one.
  Grid g;
  g.N = 5;
  for (int i = 1; i <= 25; ++i) g.c[static_cast<std::size_t>(i)] = ' ';
  // 23,13,3 is 2 - 1 - 1 and 21,11,13,3 is 1 + 1 - 1 - 1.
  auto set = [&](int cell, char ch) { g.c[static_cast<std::size_t>(cell)] = ch; };
  set(23, '2'), set(18, '-'), set(13, '1'), set(8, '-'), set(3, '1');
  set(21, '1'), set(16, '+'), set(11, '1'), set(12, '-');
  const auto list = ParseChainList(5, "23,13,3,\n21,11,13,3,\n");
  // 13 and 3 lie on both chains; 23 is only on the first, 21 and 11 only on the second.
  const Solved easy = solve(g, true, *list);
  ASSERT_TRUE(easy.found);
  EXPECT_EQ(easy.solution, "23,13,3, 23");
  const Solved hard = solve(g, false, *list);
  ASSERT_TRUE(hard.found);
  EXPECT_EQ(hard.solution, "21,11,13,3, 21");  // " 21" sorts after " 11"
}

TEST(Solver, FailuresLeaveTheResultUntouched) {
  // Only chains of three cells are listed: Hard never takes a chain of M cells.
  const auto straight = ParseChainList(5, "21,11,1,\n23,13,3,\n25,15,5,\n");
  Random rng(5);
  Grid g;
  g.N = 5;
  int boards = 0;
  for (; boards < 10000; ++boards) {
    FillBoard(g, rng);
    if (solve(g, true, *straight).found) break;
  }
  ASSERT_LT(boards, 10000);
  const Solved hard = solve(g, false, *straight);
  EXPECT_FALSE(hard.found);
  EXPECT_EQ(hard.solution, "unchanged");
  EXPECT_EQ(hard.length, -7);

  g = workedExample();

  // The same chain listed twice covers each cell twice: no candidate.
  const auto twice = ParseChainList(5, "21,11,1,3,\n21,11,1,3,\n");
  EXPECT_FALSE(solve(g, true, *twice).found);

  // No balanced chain at all.
  const auto none = ParseChainList(5, "23,13,3,\n");
  EXPECT_FALSE(solve(g, true, *none).found);
}

TEST(Solver, OddListLinesOnTheWorkedExample) {
  const Grid g = workedExample();
  std::string crlf;
  for (const auto& line : linesOf(ChainListText(5))) crlf += line + "\r\n";
  EXPECT_TRUE(ParseChainList(5, crlf)->complete);
  // "21,11,1,3" evaluates 21,11,1 only: 3 - 2 + 1 = 2, not balanced; "21,11,1,3,5" keeps its junk text.
  const std::tuple<std::string, bool, const char*> cases[] = {  // list, found, solution
      {crlf, true, "21,11,1,3, 1"}, {"21,11,1,3\n", false, "unchanged"}, {"21,11,1,3,5\n", true, "21,11,1,3,5 1"}};
  for (const auto& [text, found, solution] : cases) {
    const Solved s = solve(g, true, *ParseChainList(5, text));
    EXPECT_EQ(std::tie(s.found, s.solution), std::tie(found, solution)) << text.substr(0, 20);
  }
  const auto skipped = ParseChainList(5, "21,11,1,3,\n99,11,1,\n,21,\n0,1,\nnonsense\n\n");
  EXPECT_EQ(std::tie(skipped->lines, skipped->skipped), std::make_tuple(1, 4));
}

// Random boards, including captions no generator writes, against the oracle.
Grid randomBoard(int N, std::mt19937_64& rng, bool wild) {
  Grid g;
  g.N = N;
  Random r(rng());
  FillBoard(g, r);
  if (wild) {
    const char pool[] = " +-0123456789";
    std::uniform_int_distribution<int> pick(0, 12), cell(1, N * N), count(1, 6);
    for (int k = count(rng); k > 0; --k) g.c[static_cast<std::size_t>(cell(rng))] = pool[pick(rng)];
    if (count(rng) == 1) g.c[static_cast<std::size_t>(cell(rng))] = '\0';
  }
  return g;
}

void expectSameAsOracle(int N, const std::vector<std::string>& lines, int boards, std::uint64_t seed) {
  SCOPED_TRACE("size " + std::to_string(N) + " seed " + std::to_string(seed));
  const auto list = ParseChainList(N, joined(lines));
  std::mt19937_64 rng(seed);
  SolverScratch scratch;
  for (int b = 0; b < boards; ++b) {
    const Grid g = randomBoard(N, rng, b % 3 == 2);
    for (bool easy : {true, false}) {
      const auto ref = test::ReferenceSolve(g, easy, lines);
      std::string solution = "before";
      int length = -1;
      const bool found = FindSolution(g, easy, *list, scratch, solution, length);
      ASSERT_EQ(found, ref.found) << "board " << b << " " << g.Text() << " easy " << easy;
      if (found) {
        ASSERT_EQ(solution, ref.solution) << "board " << b << " " << g.Text() << " easy " << easy;
        ASSERT_EQ(length, ref.solutionLength);
      } else {
        ASSERT_EQ(solution, "before");
      }
    }
  }
}

TEST(SolverOracle, CompleteListsAgree) {
  expectSameAsOracle(5, linesOf(ChainListText(5)), 3000, 11);
  expectSameAsOracle(7, linesOf(ChainListText(7)), 600, 12);
  expectSameAsOracle(9, linesOf(ChainListText(9)), 60, 13);
}

TEST(SolverOracle, EditedListsAgree) {
  // Lists a user might leave behind: chains dropped, repeated, reordered,
  // written with junk after the last comma or a leading blank, or cut short.
  for (int N : {5, 7}) {
    std::mt19937_64 rng(static_cast<std::uint64_t>(100 + N));
    std::vector<std::string> lines;
    for (const auto& line : linesOf(ChainListText(N))) {
      const int roll = static_cast<int>(rng() % 20);
      if (roll < 5) continue;
      if (roll == 5) lines.push_back(line);
      if (roll == 6) lines.push_back(" " + line);
      else if (roll == 7) lines.push_back(line + "x");
      else if (roll == 8) lines.push_back(line.substr(0, line.size() - 1));
      else lines.push_back(line);
    }
    std::shuffle(lines.begin(), lines.end(), rng);
    const auto list = ParseChainList(N, joined(lines));
    EXPECT_FALSE(list->complete);
    expectSameAsOracle(N, lines, N == 5 ? 3000 : 400, static_cast<std::uint64_t>(N));
  }
}

TEST(Solver, BalancedChainsThroughCountsTheCompleteList) {
  const Grid g = workedExample();
  EXPECT_EQ(BalancedChainsThrough(g, 21, 5), 2);
  EXPECT_EQ(BalancedChainsThrough(g, 11, 5), 1);
  EXPECT_EQ(BalancedChainsThrough(g, 13, 5), 0);
  EXPECT_EQ(BalancedChainsThrough(g, 21, 1), 1);  // stops at the limit
}

}  // namespace
}  // namespace kelvane
