// Chain lists, the solver, the generator and batch creation: the complete enumeration, the cache that reads lists,
// the worked example, tie-breaks, odd lists, agreement with a literal, slow oracle, properties of many made puzzles,
// batches checked on the written file, and the rating against a count over the shipped chain lists. The shipped lists are the enumeration, and one seed gives one file whatever
// the threads and a cancel keeps whole records: cli_test.cpp.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <tuple>

#include "engine/batch.h"
#include "engine/check.h"
#include "engine/generator.h"
#include "engine/rating.h"
#include "engine/solver.h"
#include "model/geometry.h"
#include "model/puzzle_file.h"
#include "model/text_rules.h"
#include "test_support.h"

namespace kelvane {
namespace {

// The lines of the complete list of side N.
std::vector<std::string> linesOf(int N) { return {ShapesFor(N)->text.begin(), ShapesFor(N)->text.end()}; }

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
// A 5x5 list of straight chains only: Hard never takes one.
const char* const straightChains = "21,11,1,\n23,13,3,\n25,15,5,\n";

TEST(ChainList, EveryChainIsOneAPlayerCanBuildAndEachAppearsOnce) {
  for (int N : {5, 7, 9}) {
    SCOPED_TRACE(N);
    const Geometry geo{N};
    const ChainShapes* shapes = ShapesFor(N);
    ASSERT_NE(shapes, nullptr);
    int expected = 1;
    for (int k = 0; k <= geo.NumbersPerRow(); ++k) expected *= geo.NumbersPerRow();
    EXPECT_EQ(shapes->count, expected);  // 81, 1024, 15625
    EXPECT_EQ(std::set<std::string>(shapes->text.begin(), shapes->text.end()).size(), std::size_t(expected));
    for (int id = 0; id < shapes->count; ++id) {
      const std::uint8_t* cells;
      const int n = shapes->CellsOf(id, cells);
      std::string text;  // the line lists the cells, each followed by a comma
      for (int k = 0; k < n; ++k) text += std::to_string(cells[k]) + ",";
      ASSERT_EQ(shapes->text[static_cast<std::size_t>(id)], text);
      ASSERT_TRUE(geo.IsBottomRow(cells[0]) && geo.IsTopRow(cells[n - 1])) << text;
      ASSERT_EQ(std::set<int>(cells, cells + n).size(), std::size_t(n)) << text;  // no cell twice
      for (int k = 1; k < n; ++k) ASSERT_TRUE(geo.IsChainStep(cells[k - 1], cells[k])) << text;
    }
  }
  // Unknown sizes have no shapes, but their lines are still read one by one.
  EXPECT_EQ(ShapesFor(6), nullptr);
  EXPECT_EQ(ChainListText(8), "");
  EXPECT_EQ(std::tie(ParseChainList(6, "31,19,7,\n")->lines, ParseChainList(6, "31,19,7,\n")->complete),
            std::make_tuple(1, false));
}

// Missing, empty and unreadable lists give a message; a changed file is read again.
TEST(ChainListCache, ReadsAgainWhenTheFileChangesAndSaysWhatIsWrong) {
  test::TempDir dir;
  ChainListCache cache(dir.Folder());
  const std::string file = dir.File("k5x5.kvy"), named = "The chain list \"k5x5.kvy\" ";
  EXPECT_EQ(cache.Get(5).error, named + "is missing from " + dir.Folder() + ".");
  test::WriteFile(file, "");
  EXPECT_EQ(cache.Get(5).error, named + "holds no chains.");

  test::WriteFile(file, ChainListText(5));
  const auto complete = cache.Get(5).list;
  ASSERT_NE(complete, nullptr);
  EXPECT_TRUE(complete->complete);
  EXPECT_EQ(cache.Get(5).list, complete);  // unchanged: the same list
  test::WriteFile(file, "21,11,1,3,\n23,13,3,\n");
  const auto edited = cache.Get(5).list;
  ASSERT_NE(edited, nullptr);
  EXPECT_NE(edited, complete);
  EXPECT_EQ(std::tie(edited->lines, edited->complete), std::make_tuple(2, false));

  std::filesystem::remove(file);
  std::filesystem::create_directory(file);
  const ChainListResult folder = cache.Get(5);
  EXPECT_EQ(folder.list, nullptr);
  EXPECT_EQ(folder.error, named + "cannot be read from " + dir.Folder() + ".");
  EXPECT_EQ(edited->lines, 2);  // a list handed out earlier stays valid
}

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
      {workedExample, test::Joined(linesOf(5)), true, "21,11,1,3, 1", 4},
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
  // Balanced chains of the complete list through a cell, counted up to a limit.
  for (const auto& [cell, limit, count] : {std::tuple{21, 5, 2}, {11, 5, 1}, {13, 5, 0}, {21, 1, 1}})
    EXPECT_EQ(BalancedChainsThrough(workedExample, cell, limit), count) << cell << " up to " << limit;
}

// The texts between the commas of a line; the last is the text after the last comma.
std::vector<std::string> itemsOf(const std::string& line) {
  std::vector<std::string> items;
  for (std::size_t from = 0;;) {
    const std::size_t comma = line.find(',', from);
    items.push_back(line.substr(from, comma == std::string::npos ? std::string::npos : comma - from));
    if (comma == std::string::npos) return items;
    from = comma + 1;
  }
}

// The oracle: a sorted list of texts, coverage counts, owners and candidate entries, all as plain strings.
std::optional<std::string> ReferenceSolve(const Grid& g, bool easy, const std::vector<std::string>& lines) {
  const int cellCount = g.N * g.N;
  const int M = g.N / 2 + 1;
  const auto captionValue = [&](int cell) {
    const char c = g.c[static_cast<std::size_t>(cell)];
    return IntValue(c == '\0' ? std::string() : std::string(1, c));
  };
  std::vector<std::string> list;  // always sorted; equal texts both stay
  auto insertSorted = [&](const std::string& s) { list.insert(std::upper_bound(list.begin(), list.end(), s), s); };
  for (std::string line : lines) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find(',') == std::string::npos || line.size() > 999) continue;
    std::vector<int> cells;  // the items before the last comma
    for (const std::string& item : itemsOf(line)) cells.push_back(IntValue(item));
    cells.pop_back();
    if (std::any_of(cells.begin(), cells.end(), [&](int x) { return x < 1 || x > cellCount; })) continue;
    int value = captionValue(cells[0]);
    for (std::size_t i = 1; i < cells.size(); ++i) {
      const bool plus = g.c[static_cast<std::size_t>((cells[i - 1] + cells[i]) / 2)] == '+';
      value += plus ? captionValue(cells[i]) : -captionValue(cells[i]);
    }
    if (value == 0) insertSorted(line);
  }
  if (list.empty()) return std::nullopt;
  std::vector<int> coverage(static_cast<std::size_t>(cellCount) + 1, 0);
  std::vector<int> owner(static_cast<std::size_t>(cellCount) + 1, 0);
  for (std::size_t t = 0; t < list.size(); ++t) {
    const std::vector<std::string> items = itemsOf(list[t]);
    for (std::size_t i = 0; i + 1 < items.size(); ++i) {
      const int x = IntValue(items[i]);
      ++coverage[static_cast<std::size_t>(x)];
      owner[static_cast<std::size_t>(x)] = static_cast<int>(t);
    }
  }
  const std::vector<std::string> chains = list;  // positions before any candidate joins
  for (int i = 1; i <= cellCount; ++i) {
    if (coverage[static_cast<std::size_t>(i)] != 1) continue;
    const std::string& chain = chains[static_cast<std::size_t>(owner[static_cast<std::size_t>(i)])];
    const std::string entry = "X" + Pad3(static_cast<long long>(chain.size())) + chain + NumText(i);
    if (easy || CountItems(chain) - 1 > M) insertSorted(entry);
  }
  // Candidate entries sort after every chain: Easy takes the first of them, Hard the last.
  if (list.back()[0] != 'X') return std::nullopt;
  const auto first = std::find_if(list.begin(), list.end(), [](const std::string& s) { return s[0] == 'X'; });
  return (easy ? *first : list.back()).substr(4);
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
  const auto list = ParseChainList(N, test::Joined(lines, "\n"));
  std::mt19937_64 rng(seed);
  SolverScratch scratch;
  for (int b = 0; b < boards; ++b) {
    const Grid g = randomBoard(N, rng, b % 3 == 2);
    for (bool easy : {true, false}) {
      const auto ref = ReferenceSolve(g, easy, lines);
      std::string solution = "before";
      int length = -1;
      const bool found = FindSolution(g, easy, *list, scratch, solution, length);
      ASSERT_EQ(found, ref.has_value()) << "board " << b << " " << g.Text() << " easy " << easy;
      ASSERT_EQ(std::tie(solution, length), found ? std::make_tuple(*ref, CountItems(*ref) - 1)
                                                  : std::make_tuple(std::string("before"), -1))
          << "board " << b << " " << g.Text() << " easy " << easy;
    }
  }
}

// The complete lists, and lists a user might leave behind: chains dropped, repeated, reordered,
// written with junk after the last comma or a leading blank, or cut short.
TEST(SolverOracle, CompleteAndEditedListsAgree) {
  expectSameAsOracle(5, linesOf(5), 3000, 11);
  expectSameAsOracle(7, linesOf(7), 600, 12);
  expectSameAsOracle(9, linesOf(9), 60, 13);
  for (int N : {5, 7}) {
    std::mt19937_64 rng(static_cast<std::uint64_t>(100 + N));
    std::vector<std::string> lines;
    for (const auto& line : linesOf(N)) {
      const int roll = static_cast<int>(rng() % 20);
      if (roll < 5) continue;
      if (roll == 5) lines.push_back(line);
      if (roll == 6) lines.push_back(" " + line);
      else if (roll == 7) lines.push_back(line + "x");
      else if (roll == 8) lines.push_back(line.substr(0, line.size() - 1));
      else lines.push_back(line);
    }
    std::shuffle(lines.begin(), lines.end(), rng);
    EXPECT_FALSE(ParseChainList(N, test::Joined(lines, "\n"))->complete);
    expectSameAsOracle(N, lines, N == 5 ? 3000 : 400, static_cast<std::uint64_t>(N));
  }
}

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

// Latin squares on made boards: GeneratorProperties; repeats of a seed: CliTest.DefaultOutputIsNextFreeName...
TEST(Generator, SignsAndSquaresAreRandom) {
  Random rng(1);
  int plus = 0, total = 0;
  std::set<std::string> orderThree;
  for (int k = 0; k < 6000; ++k) {
    const std::string signs = RandomSigns(5, rng);
    ASSERT_EQ(signs.size(), 81u);
    plus += static_cast<int>(std::count(signs.begin(), signs.end(), '+'));
    total += static_cast<int>(signs.size());
    orderThree.insert(RandomSquare(3, rng));
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
  // The worked example solved on its board: the marker takes the marked cell's number.
  for (bool easy : {true, false}) {
    GameState g;
    LayOutBoard(g, 5);
    BoardFromGrid(g, workedExample);
    g.EasyFlag = easy;
    ASSERT_EQ(FindSolution(g, lists), 0);
    PlaceMarker(g, g.Solution);
    EXPECT_EQ(std::tie(g.MarkedCell, g.Cell[0].Caption), std::make_tuple(easy ? 1 : 5, easy ? "1" : "3"));
  }
  // (lists, size, cancel asked, yields, what the error names).
  test::TempDir dir;
  test::WriteFile(dir.File("k5x5.kvy"), straightChains);
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
    const std::vector<std::string> lines = linesOf(N);
    const auto list = lists.Get(N).list;
    ASSERT_NE(list, nullptr);
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
        ASSERT_EQ(IntValue(LastItem(p.Solution)), p.MarkedCell);
        // The literal solver finds the same: the one balanced chain through a cell no other covers, the smallest
        // such candidate (Easy) or the largest of more than one row (Hard).
        if (N < 9 || k % 10 == 0) {
          ASSERT_EQ(p.Solution, ReferenceSolve(g, easy, lines)) << g.Text();
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

struct Batch {
  test::TempDir dir;
  ChainListCache lists{KELVANE_BIN_DIR};
  PuzzleFileIndexes files;
  std::atomic<bool> cancel{false};
  BatchOptions options{.outFile = dir.File("out.kvl"), .seed = 17};

  BatchResult Run(const BatchProgress& progress = {}) { return CreateBatch(options, lists, files, cancel, progress); }
};

// Every record of a file, each checked and no two alike (grid and marked cell); fails the test on a bad one.
// No file, no records.
std::vector<ParsedRecord> soundRecords(const std::string& path) {
  std::vector<ParsedRecord> records;
  if (!FileExists(path)) return records;
  std::set<std::string> keys;
  const ReadStatus s = ReadAllRecords(path, [&](int position, const RawRecord& raw, ReadStatus status) {
    EXPECT_EQ(status, ReadStatus::Ok) << "record " << position;
    EXPECT_EQ(CheckRecord(raw), "") << "record " << position;
    records.push_back(ParseRecord(raw));
    EXPECT_TRUE(keys.insert(records.back().Cells + "|" + std::to_string(records.back().MarkedCell)).second)
        << "record " << position << " repeats";
    return true;
  });
  EXPECT_EQ(s, ReadStatus::Ok);
  return records;
}

// Appending to a file whose last line had no line break glued the new "#" line to it and lost a record.
// The second run draws the first run's puzzles again first: repeats of the file are skipped.
TEST(Batch, AppendsAfterThePuzzlesAlreadyThereEvenWithoutAFinalLineBreak) {
  Batch b;
  std::string text = FormatRecord(1, true, 5, 4, 1, "1-2-3+ - -2-3-1- - -3-1+2", "21,11,1,3, 1");
  text.resize(text.size() - 2);
  test::WriteFile(b.options.outFile, text);
  b.options.count = 10;
  b.options.size = 7;
  BatchResult r = b.Run();
  EXPECT_EQ(std::tie(r.added, r.firstNumber), std::make_tuple(10, 2));
  b.options.count = 3;
  r = b.Run();
  EXPECT_EQ(std::tie(r.added, r.firstNumber), std::make_tuple(3, 12));
  const auto records = soundRecords(b.options.outFile);
  ASSERT_EQ(records.size(), 14u);
  EXPECT_EQ(records[0].Solution, "21,11,1,3, 1");
  for (std::size_t i = 0; i < records.size(); ++i)
    EXPECT_EQ(std::tie(records[i].WrittenNumber, records[i].Title, records[i].Size),
              std::make_tuple(static_cast<int>(i) + 1, i == 0 ? "Easy" : "Hard", i == 0 ? 5 : 7)) << i;
  EXPECT_EQ(CountPuzzles(b.files, b.options.outFile), 14);
}

// The rarity window worked out one puzzle number after another: each draws from its own stream until it
// brings a new puzzle, and the batch stops once the last staleLimit attempts brought fewer than 100, or
// one stream spent staleLimit attempts without making any puzzle.
BatchResult expectedRarityStop(const BatchOptions& o, const ChainList& list) {
  BatchResult expected;
  std::set<std::string> seen;
  std::vector<long long> spentAt;  // attempts spent when each puzzle was taken
  long long spent = 0;
  SolverScratch scratch;
  for (int k = 1; k <= o.count; ++k) {
    Random rng(Random::StreamSeed(o.seed, static_cast<std::uint64_t>(k)));
    NewPuzzle p;
    const long long streamStart = spent;
    for (;;) {
      if (MakePuzzle(5, o.easy, list, rng, scratch, nullptr, p, spent) != MakeResult::Made) {
        if (spent - streamStart >= o.staleLimit) return expected;
        continue;
      }
      if (seen.insert(p.grid.Text() + "|" + std::to_string(p.MarkedCell)).second) break;
      const long long windowStart = spentAt.size() >= 100 ? spentAt[spentAt.size() - 100] : 0;
      if (spent - windowStart >= o.staleLimit) return expected;
    }
    spentAt.push_back(spent);
    ++expected.added;
    expected.attempts = spent;
  }
  return expected;
}

// Without the window a 5x5 batch goes on drawing repeats; a list that makes no puzzle looped for ever.
TEST(Batch, StopsWhenNewPuzzlesBecomeRare) {
  // (attempts window, threads, easy, a k5x5.kvy of its own or the shipped one)
  const std::tuple<long long, int, bool, const char*> rows[] = {
      {300, 1, true, nullptr}, {3000, 2, true, nullptr}, {300, 1, false, straightChains}};
  for (const auto& [staleLimit, threads, easy, list] : rows) {
    SCOPED_TRACE(staleLimit);
    Batch b;
    if (list) {
      test::WriteFile(b.dir.File("k5x5.kvy"), list);
      b.lists = ChainListCache(b.dir.Folder());
    }
    b.options.size = 5;
    b.options.easy = easy;
    b.options.count = 100000;
    b.options.staleLimit = staleLimit;
    b.options.threads = threads;
    const BatchResult r = b.Run();
    const BatchResult expected = expectedRarityStop(b.options, *b.lists.Get(5).list);
    EXPECT_TRUE(r.exhausted);
    EXPECT_FALSE(r.failed);
    EXPECT_EQ(std::tie(r.added, r.attempts), std::tie(expected.added, expected.attempts));
    EXPECT_EQ(soundRecords(b.options.outFile).size(), static_cast<std::size_t>(r.added));
  }
}

// A batch write failure stops the batch with the message instead of one message per further record.
TEST(Batch, FailuresWriteNothingAndSaySo) {
  // (output file, what the message names); the first batch finds no chain lists.
  const std::pair<std::string, std::string> rows[] = {
      {"out.kvl", "k9x9.kvy"}, {"no/such/folder/out.kvl", "Error writing puzzle# 1 to file: "},
      {"folder.kvl", "folder.kvl"}};  // an output file that is no puzzle file is left alone
  for (const auto& [out, said] : rows) {
    SCOPED_TRACE(out);
    Batch b;
    if (out == rows[0].first) b.lists = ChainListCache(b.dir.Folder());
    std::filesystem::create_directory(b.dir.File("folder.kvl"));
    b.options.outFile = b.dir.File(out);
    b.options.count = 100000;  // the first write comes long before the last puzzle
    int made = 0;
    const BatchResult r = b.Run([&](int done, int, long long) { made = done; });
    EXPECT_TRUE(r.failed);
    EXPECT_EQ(r.added, 0);
    EXPECT_LT(made, b.options.count);
    EXPECT_NE(r.message.find(said), std::string::npos) << r.message;
    EXPECT_FALSE(std::filesystem::is_regular_file(b.options.outFile));
  }
  // An output file too large to read for its puzzles is left as it is.
  Batch big;
  test::WriteFile(big.options.outFile, "#1\r\n");
  std::filesystem::resize_file(big.options.outFile, MaxPuzzleFileBytes + 1);  // sparse: no space taken
  const BatchResult r = big.Run();
  EXPECT_TRUE(r.failed);
  EXPECT_NE(r.message.find("Cannot read the output file"), std::string::npos) << r.message;
  EXPECT_EQ(std::filesystem::file_size(big.options.outFile), MaxPuzzleFileBytes + 1);
}

// The rating counted the slow way: every line of the shipped chain list, as cell numbers.
struct ListCount {
  std::vector<std::vector<int>> chains;
  explicit ListCount(int N) {
    std::istringstream in(test::ReadFile(std::string(KELVANE_BIN_DIR "k") + std::to_string(N) + "x" + std::to_string(N) + ".kvy"));
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      std::vector<int> cells;
      for (const std::string& item : itemsOf(line))
        if (!item.empty()) cells.push_back(std::stoi(item));
      chains.push_back(cells);
    }
  }
  // a + (b + 1) / 2 for a solution of `length` cells through `marked`; 0 when no chain has that length.
  double Effort(int marked, std::size_t length) const {
    int shorter = 0, same = 0;
    for (const std::vector<int>& c : chains) {
      if (std::find(c.begin(), c.end(), marked) == c.end()) continue;
      if (c.size() < length) ++shorter;
      else if (c.size() == length) ++same;
    }
    return same == 0 ? 0 : shorter + (same + 1) / 2.0;
  }
};

// A record of a size from a solution line; the rating reads no grid.
RawRecord recordOf(int N, const std::string& solution) {
  RawRecord raw;
  ReadRecordsInText(FormatRecord(1, true, N, 0, IntValue(LastItem(solution)), std::string(N * N, ' '), solution),
                    [&](int, const RawRecord& r, ReadStatus) { raw = r; return false; });
  return raw;
}

// The worked example's two solutions. Easy, 21,11,1,3 through 1: of the chains through the corner one has
// three cells (21,11,1) and four have four. Hard, 21,23,25,15,5 through 5: seven are shorter, eight as long.
TEST(Rating, TheWorkedExampleCountedOverTheChainList) {
  const ListCount list(5);
  // (solution, cells, shorter, as long, stars)
  for (const auto& [solution, cells, shorter, same, stars] : std::vector<std::tuple<std::string, int, int, int, int>>{
           {"21,11,1,3, 1", 4, 1, 4, 1}, {"21,23,25,15,5, 5", 5, 7, 8, 2}}) {
    SCOPED_TRACE(solution);
    const int marked = IntValue(LastItem(solution));
    const double effort = shorter + (same + 1) / 2.0;
    EXPECT_EQ(list.Effort(marked, static_cast<std::size_t>(cells)), effort);
    const std::optional<Rating> r = RateRecord(recordOf(5, solution));
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, (Rating{cells, effort, stars}));
    EXPECT_EQ(RateGrid(workedExample, marked), r) << "the grid's one balanced chain through the cell is that one";
    EXPECT_EQ(RateKey(PuzzleKey(workedExample.Text(), marked)), r);
  }
}

// Over a thousand made puzzles a size: the count by length equals the count over the list, by record, by grid
// and by key; the list's own highest rating is the one create checks ranges against.
TEST(RatingProperties, TheFastCountEqualsTheCountOverTheListForAThousandPuzzlesASize) {
  ChainListCache lists(KELVANE_BIN_DIR);
  for (int N : {5, 7, 9}) {
    SCOPED_TRACE(N);
    const ListCount list(N);
    double highest = 0;
    for (int cell = 1; cell <= N * N; ++cell)
      for (std::size_t length = 1; length <= 25; ++length) highest = std::max(highest, list.Effort(cell, length));
    EXPECT_EQ(HighestStars(N), StarsOf(highest));
    Random rng(77u + static_cast<unsigned>(N));
    SolverScratch scratch;
    std::set<int> stars;
    for (int k = 0; k < 1000; ++k) {
      NewPuzzle p;
      long long attempts = 0;
      if (MakePuzzle(N, k % 2 == 0, *lists.Get(N).list, rng, scratch, nullptr, p, attempts) != MakeResult::Made) {
        --k;
        continue;
      }
      const std::optional<Rating> r = RateRecord(recordOf(N, p.Solution));
      ASSERT_TRUE(r) << p.Solution;
      ASSERT_EQ(r->effort, list.Effort(p.MarkedCell, static_cast<std::size_t>(p.SolutionLength))) << p.Solution;
      ASSERT_EQ(std::tie(r->cells, r->stars), std::make_tuple(p.SolutionLength, StarsOf(r->effort)));
      ASSERT_EQ(RateGrid(p.grid, p.MarkedCell), r) << p.grid.Text();
      if (k % 10 == 0) {
        ASSERT_EQ(RateKey(PuzzleKey(p.grid.Text(), p.MarkedCell)), r);
      }
      stars.insert(r->stars);
    }
    EXPECT_EQ(static_cast<int>(stars.size()), HighestStars(N)) << "every rating the size allows turns up";
  }
}

TEST(Rating, StarsRangesAndWhatCannotBeRated) {
  for (const auto& [effort, stars] : std::vector<std::pair<double, int>>{
           {1, 1}, {10, 1}, {10.5, 2}, {50, 2}, {50.5, 3}, {250, 3}, {250.5, 4}, {1000, 4}, {1000.5, 5}, {9999, 5}})
    EXPECT_EQ(StarsOf(effort), stars) << effort;
  EXPECT_EQ(StarsText(2), "\u2605\u2605\u2606\u2606\u2606");
  EXPECT_EQ(StarsText(0), "");
  // (text, read, low, high)
  for (const auto& [text, ok, low, high] : std::vector<std::tuple<std::string, bool, int, int>>{
           {"4", true, 4, 4}, {"1-5", true, 1, 5}, {"3-3", true, 3, 3}, {"0", false, 0, 0}, {"6", false, 0, 0},
           {"5-3", false, 0, 0}, {"x", false, 0, 0}, {"", false, 0, 0}, {"4-", false, 0, 0}, {"4-5 ", false, 0, 0},
           {"2..4", false, 0, 0}}) {
    StarRange range{9, 9};
    EXPECT_EQ(ParseStarRange(text, range), ok) << text;
    if (ok) {
      EXPECT_EQ(std::tie(range.low, range.high), std::tie(low, high)) << text;
    }
  }
  EXPECT_TRUE((StarRange{}).Any());
  EXPECT_FALSE((StarRange{2, 5}).Any());
  // (size, range, what the refusal says; "" for none)
  for (const auto& [size, low, high, said] : std::vector<std::tuple<int, int, int, std::string>>{
           {5, 3, 5, ""}, {5, 4, 5, "a 5x5 puzzle has at most 3 stars: no puzzle has 4 or more stars"},
           {7, 5, 5, "a 7x7 puzzle has at most 4 stars: no puzzle has 5 stars"}, {9, 5, 5, ""}, {0, 5, 5, ""}}) {
    EXPECT_EQ(StarRangeProblem(size, StarRange{low, high}), said) << size << " " << low;
  }
  // Records and keys that name no chain through their marked cell.
  for (const auto& [N, solution, said] : std::vector<std::tuple<int, std::string, std::string>>{
           {5, "21,11,13,3, 7", "does not pass through the marked cell 7"},
           {5, "21,11,3, 3", "steps from cell 11 to cell 3"},
           {5, "11,13,3, 13", "does not start in the bottom row"},
           {5, "21,11,13, 13", "does not end in the top row"},
           {5, "x", "is not a chain"},
           {6, "21,11,13,3, 13", "gives no size of 5, 7 or 9"}}) {
    std::string problem;
    EXPECT_FALSE(RateRecord(recordOf(N, solution), &problem)) << solution;
    EXPECT_NE(problem.find(said), std::string::npos) << problem;
  }
  for (const std::string& key : std::vector<std::string>{"", "@13", "abc@", "1-2@13", PuzzleKey(workedExample.Text(), 99),
                                PuzzleKey(workedExample.Text(), 21), PuzzleKey(workedExample.Text(), 1) + "x"})
    EXPECT_FALSE(RateKey(key)) << key;
  std::vector<Solve> wins = {{.key = PuzzleKey(workedExample.Text(), 1)}, {.key = "bad"}, {.key = PuzzleKey(workedExample.Text(), 5)}};
  RateSolves(wins);
  EXPECT_EQ(std::vector<int>({wins[0].stars, wins[1].stars, wins[2].stars}), std::vector<int>({1, 0, 2}));
}

// Stars outside the range are drawn again: every puzzle kept has them, passes verify and is still the one its
// difficulty chooses. Stars the size cannot have fail at once; stars too rare for the size stop the batch.
TEST(Batch, KeepsOnlyTheStarsAskedForChosenByTheDifficultyAsEver) {
  // (size, easy, stars, threads)
  const std::tuple<int, bool, StarRange, int> rows[] = {
      {9, false, {4, 5}, 2}, {7, true, {3, 3}, 1}, {0, false, {4, 5}, 1}, {5, true, {2, 2}, 2}};
  for (const auto& [size, easy, stars, threads] : rows) {
    SCOPED_TRACE(std::to_string(size) + " " + std::to_string(stars.low));
    Batch b;
    b.options.size = size;
    b.options.easy = easy;
    b.options.stars = stars;
    b.options.threads = threads;
    b.options.count = 40;
    const BatchResult r = b.Run();
    ASSERT_EQ(r.added, 40) << r.message;
    EXPECT_GT(r.draws, 40) << "some puzzles were made again";
    EXPECT_GE(r.attempts, r.draws);
    for (const ParsedRecord& rec : soundRecords(b.options.outFile)) {
      std::string problem;
      const std::optional<Rating> rating = RateSolutionText(rec.Size, rec.Solution, &problem);
      ASSERT_TRUE(rating) << problem;
      EXPECT_TRUE(stars.Holds(rating->stars)) << rec.Solution;
      EXPECT_EQ(rec.Title, easy ? "Easy" : "Hard");
      EXPECT_EQ(ReferenceSolve(GridFromCells(rec.Size, rec.Cells), easy, linesOf(rec.Size)), rec.Solution);
    }
  }
  Batch impossible;
  impossible.options.size = 5;
  impossible.options.stars = {4, 5};
  const BatchResult none = impossible.Run();
  EXPECT_TRUE(none.failed);
  EXPECT_NE(none.message.find("a 5x5 puzzle has at most 3 stars"), std::string::npos) << none.message;
  EXPECT_FALSE(FileExists(impossible.options.outFile));

  Batch rare;  // 3 stars at 5x5 Hard: about one puzzle in sixty
  rare.options.size = 5;
  rare.options.stars = {3, 3};
  rare.options.count = 1000;
  rare.options.staleLimit = 100;  // 10 attempts a search
  rare.options.threads = 2;
  const BatchResult stopped = rare.Run();
  EXPECT_TRUE(stopped.starsRare);
  EXPECT_FALSE(stopped.failed || stopped.exhausted);
  EXPECT_EQ(soundRecords(rare.options.outFile).size(), static_cast<std::size_t>(stopped.added));
}

}  // namespace
}  // namespace kelvane
