// The generator: random signs and squares, making puzzles on a board, and properties of many made puzzles.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "engine/generator.h"
#include "model/geometry.h"
#include "reference_solver.h"
#include "test_support.h"

namespace kelvane {
namespace {

bool isLatin(const std::string& square, int M) {
  for (int i = 0; i < M; ++i) {
    std::set<char> row, column;
    for (int k = 0; k < M; ++k) {
      row.insert(square[static_cast<std::size_t>(i * M + k)]);
      column.insert(square[static_cast<std::size_t>(k * M + i)]);
    }
    if (row.size() != static_cast<std::size_t>(M) || column.size() != static_cast<std::size_t>(M)) return false;
    if (*row.begin() != '1' || *row.rbegin() != static_cast<char>('0' + M)) return false;
  }
  return true;
}

TEST(Generator, SignsAndSquaresAreRandomAndEachStreamRepeats) {
  Random rng(1), again(1);
  int plus = 0, total = 0;
  std::set<std::string> orderThree;
  for (int M : {3, 4, 5}) {
    for (int k = 0; k < 2000; ++k) {
      const std::string signs = RandomSigns(M, rng), square = RandomSquare(M, rng);
      ASSERT_EQ(signs, RandomSigns(M, again));
      ASSERT_EQ(square, RandomSquare(M, again));
      ASSERT_EQ(signs.size(), static_cast<std::size_t>((2 * M - 1) * (2 * M - 1)));
      ASSERT_EQ(signs.find_first_not_of("+-"), std::string::npos) << signs;
      plus += static_cast<int>(std::count(signs.begin(), signs.end(), '+'));
      total += static_cast<int>(signs.size());
      ASSERT_TRUE(isLatin(square, M)) << square;
      if (M == 3) orderThree.insert(square);
    }
  }
  EXPECT_NEAR(static_cast<double>(plus) / total, 0.2, 0.01);
  EXPECT_EQ(orderThree.size(), 12u);  // every Latin square of order 3 turns up
  EXPECT_NE(Random::StreamSeed(1, 1), Random::StreamSeed(1, 2));
  EXPECT_NE(Random::StreamSeed(1, 1), Random::StreamSeed(2, 1));
}

// A missing list is reported, not retried; a cancel before the first attempt leaves the board.
// A list that makes no puzzle gives up after 100 boards instead of looping.
TEST(Generator, OnTheBoardMarksTheSolutionOrStopsAndSaysWhy) {
  ChainListCache lists(KELVANE_BIN_DIR);
  Random rng(8);
  for (int N : {5, 7, 9}) {
    GameState g;
    LayOutBoard(g, N);
    g.EasyFlag = N == 7;
    ASSERT_EQ(MakePuzzle(g, lists, rng), 0);
    EXPECT_TRUE(g.Cell[0].Visible);
    EXPECT_EQ(g.Cell[0].Caption, g.Cell[static_cast<std::size_t>(g.MarkedCell)].Caption);
    EXPECT_NE(g.Solution.find(std::to_string(g.MarkedCell) + ","), std::string::npos) << g.Solution;
    EXPECT_EQ(g.SolutionLength, CountItems(g.Solution) - 1);
  }
  // (lists, size, cancel asked, yields, what the error names); straight chains only: Hard never finds one.
  test::TempDir dir;
  test::WriteFile(dir.File("k5x5.kvy"), "21,11,1,\n23,13,3,\n25,15,5,\n");
  ChainListCache own(dir.Folder());
  const struct {
    ChainListCache& lists;
    int N;
    bool cancel;
    int yields;
    const char* error;
  } stops[] = {{own, 9, false, 0, "\"k9x9.kvy\" is missing"}, {lists, 9, true, 1, ""}, {own, 5, false, 100, ""}};
  for (const auto& row : stops) {
    SCOPED_TRACE(row.yields);
    GameState g;
    LayOutBoard(g, row.N);
    g.Cell[7].Caption = "Q";
    g.Solution = "old";
    g.CancelRequested = row.cancel ? YES : NO;
    int yields = 0;
    std::string error;
    EXPECT_EQ(MakePuzzle(g, row.lists, rng, &error, [&] { ++yields; }), -1);
    EXPECT_EQ(yields, row.yields);
    EXPECT_NE(error.find(row.error), std::string::npos) << error;
    EXPECT_EQ(g.Solution, "old");
    EXPECT_EQ(g.Cell[7].Caption == "Q", row.yields < 100);  // giving up shows the last board tried
  }
  std::atomic<bool> cancel{true};
  NewPuzzle p;
  long long attempts = 0;
  SolverScratch scratch;
  EXPECT_EQ(MakePuzzle(5, true, *lists.Get(5).list, rng, scratch, &cancel, p, attempts), MakeResult::Cancelled);
  EXPECT_EQ(attempts, 0);
}

TEST(GeneratorProperties, ThousandsOfPuzzlesAreSoundAndUnique) {
  ChainListCache lists(KELVANE_BIN_DIR);
  for (int N : {5, 7, 9}) {
    const Geometry geo{N};
    const int M = geo.NumbersPerRow();
    const ChainShapes& every = *ShapesFor(N);  // every chain a player can build: chain_list_test
    const auto list = lists.Get(N).list;
    ASSERT_NE(list, nullptr);
    const std::vector<std::string> lines(every.text.begin(), every.text.end());
    std::map<int, std::set<char>> seen;  // what each cell held over the puzzles of this size
    for (bool easy : {true, false}) {
      const std::uint64_t seed = 1000u + static_cast<unsigned>(N) * 2 + easy;
      SCOPED_TRACE("size " + std::to_string(N) + (easy ? " easy" : " hard") + " seed " + std::to_string(seed));
      Random rng(seed);
      SolverScratch scratch;
      for (int k = 0; k < 1000; ++k) {
        NewPuzzle p;
        long long attempts = 0;
        MakeResult made;
        do made = MakePuzzle(N, easy, *list, rng, scratch, nullptr, p, attempts);
        while (made == MakeResult::GaveUp);
        ASSERT_EQ(made, MakeResult::Made);
        const Grid& g = p.grid;
        std::string square;
        for (int i = 1; i <= N * N; ++i) {
          seen[i].insert(g.c[static_cast<std::size_t>(i)]);
          if (geo.IsNumberCell(i)) square += g.c[static_cast<std::size_t>(i)];
        }
        ASSERT_TRUE(isLatin(square, M)) << g.Text();
        // The solution's chain is the one balanced chain through the marked cell; Hard takes more than M cells.
        const std::string chain = p.Solution.substr(0, p.Solution.rfind(',') + 1);
        ASSERT_EQ(IntValue(p.Solution.substr(chain.size())), p.MarkedCell);
        std::vector<std::string> balanced;
        for (int id = 0; id < every.count; ++id) {
          const std::uint8_t* cells;
          const int n = every.CellsOf(id, cells);
          if (std::find(cells, cells + n, p.MarkedCell) == cells + n) continue;
          int sum = g.Value(cells[0]);
          for (int i = 1; i < n; ++i) sum += (g.Plus((cells[i - 1] + cells[i]) / 2) ? 1 : -1) * g.Value(cells[i]);
          if (sum == 0) balanced.push_back(every.text[static_cast<std::size_t>(id)]);
        }
        ASSERT_EQ(balanced, std::vector<std::string>{chain}) << g.Text();
        if (!easy) {
          ASSERT_GT(std::count(chain.begin(), chain.end(), ','), M) << p.Solution;
        }
        // Easy takes the smallest candidate, Hard the largest, as the literal solver orders them.
        if (N < 9 || k % 10 == 0) {
          const auto ref = test::ReferenceSolve(g, easy, lines);
          ASSERT_TRUE(ref.found);
          ASSERT_EQ(p.Solution, ref.solution);
        }
      }
    }
    // Numbers take every value, blanks stay blank, inner rows' horizontal signs are "-", other signs vary.
    for (int i = 1; i <= N * N; ++i) {
      std::set<char> expected = {'+', '-'};
      if (geo.IsNumberCell(i)) {
        expected.clear();
        for (int v = 1; v <= M; ++v) expected.insert(static_cast<char>('0' + v));
      } else if (!geo.IsSignCell(i)) {
        expected = {' '};
      } else if (geo.RowOf(i) % 2 == 1 && geo.RowOf(i) != 1 && geo.RowOf(i) != N) {
        expected = {'-'};
      }
      EXPECT_EQ(seen[i], expected) << "cell " << i;
    }
  }
}

}  // namespace
}  // namespace kelvane
