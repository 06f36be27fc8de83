// The solver: the worked example, tie-breaks, odd chain lists, and agreement with the literal oracle.
#include <gtest/gtest.h>

#include <array>
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

std::string joined(const std::vector<std::string>& lines, const char* end = "\n") {
  std::string text;
  for (const auto& l : lines) text += l + end;
  return text;
}

// A 5x5 board written row by row.
Grid board(const std::array<const char*, 5>& rows) {
  Grid g;
  g.N = 5;
  for (int r = 0; r < 5; ++r)
    for (int c = 0; c < 5; ++c) g.c[static_cast<std::size_t>(r * 5 + c + 1)] = rows[static_cast<std::size_t>(r)][c];
  return g;
}

// The worked example: one balanced chain of four cells and one of five.
const Grid workedExample = board({"1-2-3", "+ - -", "2-3-1", "- - -", "3-1+2"});
// 23,13,3 is 2 - 1 - 1 and 21,11,13,3 is 1 + 1 - 1 - 1; 13 and 3 lie on both.
const Grid twoChains = board({"  1  ", "  -  ", "1-1  ", "+ -  ", "1 2  "});

TEST(Solver, TakesTheCandidateTheListOrdersFirstOrLeavesTheResult) {
  const std::string complete = ChainListText(5);
  const struct {
    const Grid& grid;
    std::string list;
    bool easy;
    const char* solution;  // "unchanged" when nothing is found
    int length;
  } rows[] = {
      {workedExample, complete, true, "21,11,1,3, 1", 4},
      {workedExample, complete, false, "21,23,25,15,5, 5", 5},
      {workedExample, joined(linesOf(complete), "\r\n"), true, "21,11,1,3, 1", 4},
      // The shorter line sorts first although it counts as many cells as the other has plus one.
      {twoChains, "23,13,3,\n21,11,13,3,\n", true, "23,13,3, 23", 3},
      {twoChains, "23,13,3,\n21,11,13,3,\n", false, "21,11,13,3, 21", 4},  // " 21" sorts after " 11"
      {twoChains, "23,13,3,\n", false, "unchanged", -7},  // Hard never takes a chain of M cells
      {workedExample, "21,11,1,3,\n21,11,1,3,\n", true, "unchanged", -7},  // each cell covered twice
      {workedExample, "23,13,3,\n", true, "unchanged", -7},               // no balanced chain
      // "21,11,1,3" evaluates 21,11,1 only: 3 - 2 + 1 = 2; "21,11,1,3,5" keeps its junk text.
      {workedExample, "21,11,1,3\n", true, "unchanged", -7},
      {workedExample, "21,11,1,3,5\n", true, "21,11,1,3,5 1", 4},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.list.substr(0, 24) + (row.easy ? " easy" : " hard"));
    SolverScratch scratch;
    std::string solution = "unchanged";
    int length = -7;
    EXPECT_EQ(FindSolution(row.grid, row.easy, *ParseChainList(5, row.list), scratch, solution, length),
              row.length > 0);
    EXPECT_EQ(std::tie(solution, length), std::make_tuple(row.solution, row.length));
  }
  EXPECT_TRUE(ParseChainList(5, rows[2].list)->complete);
  const auto skipped = ParseChainList(5, "21,11,1,3,\n99,11,1,\n,21,\n0,1,\nnonsense\n\n");
  EXPECT_EQ(std::tie(skipped->lines, skipped->skipped), std::make_tuple(1, 4));
}

TEST(Solver, OnTheBoardPlacesTheMarkerAndCountsBalancedChains) {
  test::TempDir dir;
  test::WriteFile(dir.File("k5x5.kvy"), ChainListText(5));
  ChainListCache lists(dir.Folder());
  for (bool easy : {true, false}) {
    GameState g;
    LayOutBoard(g, 5);
    BoardFromGrid(g, workedExample);
    g.EasyFlag = easy;
    ASSERT_EQ(FindSolution(g, lists), 0);
    PlaceMarker(g, g.Solution);
    EXPECT_EQ(g.MarkedCell, easy ? 1 : 5);
    EXPECT_EQ(g.Cell[0].Caption, easy ? "1" : "3");
  }
  EXPECT_EQ(BalancedChainsThrough(workedExample, 21, 5), 2);
  EXPECT_EQ(BalancedChainsThrough(workedExample, 11, 5), 1);
  EXPECT_EQ(BalancedChainsThrough(workedExample, 13, 5), 0);
  EXPECT_EQ(BalancedChainsThrough(workedExample, 21, 1), 1);  // stops at the limit
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
      ASSERT_EQ(std::tie(solution, length), found ? std::make_tuple(ref.solution, ref.solutionLength)
                                                  : std::make_tuple(std::string("before"), -1))
          << "board " << b << " " << g.Text() << " easy " << easy;
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
    EXPECT_FALSE(ParseChainList(N, joined(lines))->complete);
    expectSameAsOracle(N, lines, N == 5 ? 3000 : 400, static_cast<std::uint64_t>(N));
  }
}

}  // namespace
}  // namespace kelvane
