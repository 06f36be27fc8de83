// The generator: random signs and squares, board filling, and properties of many made puzzles.
#include <gtest/gtest.h>

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

TEST(Generator, SignsAndSquares) {
  Random rng(1);
  int plus = 0, total = 0;
  for (int M : {3, 4, 5}) {
    for (int k = 0; k < 2000; ++k) {
      const std::string signs = RandomSigns(M, rng);
      ASSERT_EQ(signs.size(), static_cast<std::size_t>((2 * M - 1) * (2 * M - 1)));
      for (char c : signs) {
        ASSERT_TRUE(c == '+' || c == '-');
        plus += c == '+';
        ++total;
      }
      ASSERT_TRUE(isLatin(RandomSquare(M, rng), M));
    }
  }
  EXPECT_NEAR(static_cast<double>(plus) / total, 0.2, 0.01);
}

TEST(Generator, SquaresVaryAndStreamsRepeat) {
  Random a(99), b(99);
  std::set<std::string> squares;
  for (int k = 0; k < 500; ++k) {
    const std::string s = RandomSquare(3, a);
    EXPECT_EQ(s, RandomSquare(3, b));
    squares.insert(s);
  }
  EXPECT_EQ(squares.size(), 12u);  // every Latin square of order 3 turns up
  EXPECT_NE(Random::StreamSeed(1, 1), Random::StreamSeed(1, 2));
  EXPECT_NE(Random::StreamSeed(1, 1), Random::StreamSeed(2, 1));
}

TEST(Generator, FillBoardPutsEachKindOfCellInItsPlace) {
  Random rng(3);
  for (int N : {5, 7, 9}) {
    const Geometry geo{N};
    Grid g;
    g.N = N;
    std::map<int, std::set<char>> seen;
    for (int k = 0; k < 300; ++k) {
      FillBoard(g, rng);
      for (int i = 1; i <= N * N; ++i) seen[i].insert(g.c[static_cast<std::size_t>(i)]);
    }
    for (int i = 1; i <= N * N; ++i) {
      const int r = geo.RowOf(i), c = geo.ColOf(i);
      const std::set<char>& s = seen[i];
      if (geo.IsNumberCell(i)) {
        EXPECT_EQ(s.size(), static_cast<std::size_t>(geo.NumbersPerRow())) << i;
      } else if (r % 2 == 0 && c % 2 == 0) {
        EXPECT_EQ(s, std::set<char>{' '}) << i;
      } else if (r % 2 == 1 && r != 1 && r != N) {
        EXPECT_EQ(s, std::set<char>{'-'}) << i;  // inner rows' horizontal signs
      } else {
        EXPECT_EQ(s, (std::set<char>{'+', '-'})) << i;
      }
    }
  }
}

TEST(Generator, CancelBeforeTheFirstAttemptLeavesTheBoard) {
  test::TempDir dir;
  test::WriteFile(dir.File("k5x5.kvy"), ChainListText(5));
  ChainListCache lists(dir.Folder());
  GameState g;
  LayOutBoard(g, 5);
  g.Cell[7].Caption = "Q";
  g.Solution = "old";
  g.CancelRequested = YES;
  Random rng(1);
  int yields = 0;
  EXPECT_EQ(MakePuzzle(g, lists, rng, nullptr, [&] { ++yields; }), -1);
  EXPECT_EQ(yields, 1);
  EXPECT_EQ(g.Cell[7].Caption, "Q");
  EXPECT_EQ(g.Solution, "old");

  std::atomic<bool> cancel{true};
  NewPuzzle p;
  long long attempts = 0;
  SolverScratch scratch;
  EXPECT_EQ(MakePuzzle(5, true, *lists.Get(5).list, rng, scratch, &cancel, p, attempts), MakeResult::Cancelled);
  EXPECT_EQ(attempts, 0);
}

TEST(Generator, MissingListIsReportedNotRetried) {
  test::TempDir dir;
  ChainListCache lists(dir.Folder());
  GameState g;
  LayOutBoard(g, 9);
  Random rng(1);
  std::string error;
  EXPECT_EQ(MakePuzzle(g, lists, rng, &error), -1);
  EXPECT_NE(error.find("k9x9.kvy"), std::string::npos);
}

TEST(Generator, MadeBoardShowsTheMarkerOnTheSolution) {
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
}

// The chain's cells of a solution text, and its marked cell.
std::vector<int> chainOf(const std::string& solution, int& marked) {
  std::vector<int> cells;
  const std::size_t last = solution.rfind(',');
  for (std::size_t from = 0; from < last;) {
    const std::size_t comma = solution.find(',', from);
    cells.push_back(IntValue(solution.substr(from, comma - from)));
    from = comma + 1;
  }
  marked = IntValue(solution.substr(last + 1));
  return cells;
}

// Walks every chain a player can build from the bottom row, by plain recursion.
void allChains(const Geometry& geo, std::vector<int>& path, std::vector<std::vector<int>>& out) {
  const int last = path.back();
  if (geo.IsTopRow(last)) out.push_back(path);
  for (int next : {last - 2, last + 2, last - 2 * geo.N}) {
    if (!geo.IsChainStep(last, next) || std::find(path.begin(), path.end(), next) != path.end()) continue;
    path.push_back(next);
    allChains(geo, path, out);
    path.pop_back();
  }
}

TEST(GeneratorProperties, ThousandsOfPuzzlesAreSoundAndUnique) {
  ChainListCache lists(KELVANE_BIN_DIR);
  for (int N : {5, 7, 9}) {
    const Geometry geo{N};
    const int M = geo.NumbersPerRow();
    std::vector<std::vector<int>> every;
    for (int c = 1; c <= N; c += 2) {
      std::vector<int> path{geo.CellAt(N, c)};
      allChains(geo, path, every);
    }
    const auto list = lists.Get(N).list;
    ASSERT_NE(list, nullptr);
    const std::vector<std::string> lines = [&] {
      std::vector<std::string> l;
      for (const auto& t : ShapesFor(N)->text) l.push_back(t);
      return l;
    }();
    for (bool easy : {true, false}) {
      const std::uint64_t seed = 1000u + static_cast<unsigned>(N) * 2 + easy;
      SCOPED_TRACE("size " + std::to_string(N) + (easy ? " easy" : " hard") + " seed " + std::to_string(seed));
      Random rng(seed);
      SolverScratch scratch;
      const int puzzles = 1000;
      for (int k = 0; k < puzzles; ++k) {
        NewPuzzle p;
        long long attempts = 0;
        MakeResult made;
        do made = MakePuzzle(N, easy, *list, rng, scratch, nullptr, p, attempts);
        while (made == MakeResult::GaveUp);
        ASSERT_EQ(made, MakeResult::Made);
        const Grid& g = p.grid;
        // Latin square on the number cells; inner rows' horizontal signs are "-".
        std::string square;
        for (int r = 1; r <= N; r += 2)
          for (int c = 1; c <= N; c += 2) square += g.c[static_cast<std::size_t>(geo.CellAt(r, c))];
        ASSERT_TRUE(isLatin(square, M)) << g.Text();
        for (int r = 3; r <= N - 2; r += 2)
          for (int c = 2; c < N; c += 2) ASSERT_EQ(g.c[static_cast<std::size_t>(geo.CellAt(r, c))], '-');
        // The solution is a legal balanced chain through the marked cell.
        int marked = 0;
        const std::vector<int> chain = chainOf(p.Solution, marked);
        ASSERT_EQ(marked, p.MarkedCell);
        ASSERT_NE(std::find(chain.begin(), chain.end(), marked), chain.end()) << p.Solution;
        ASSERT_NE(std::find(every.begin(), every.end(), chain), every.end()) << p.Solution;
        if (!easy) {
          ASSERT_GT(static_cast<int>(chain.size()), M) << p.Solution;
        }
        // No other chain a player can build through the marked cell balances.
        int through = 0;
        for (const auto& c : every) {
          if (std::find(c.begin(), c.end(), marked) == c.end()) continue;
          int sum = g.Value(c[0]);
          for (std::size_t i = 1; i < c.size(); ++i)
            sum += (g.Plus((c[i - 1] + c[i]) / 2) ? 1 : -1) * g.Value(c[i]);
          if (sum == 0) {
            ++through;
            ASSERT_EQ(c, chain) << "another balanced chain through " << marked << " on " << g.Text();
          }
        }
        ASSERT_EQ(through, 1);
        // Easy takes the smallest candidate, Hard the largest, as the literal solver orders them.
        if (N < 9 || k % 10 == 0) {
          const auto ref = test::ReferenceSolve(g, easy, lines);
          ASSERT_TRUE(ref.found);
          ASSERT_EQ(p.Solution, ref.solution);
        }
      }
    }
  }
}

}  // namespace
}  // namespace kelvane
