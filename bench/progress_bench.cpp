// Speed of the progress database and the statistics: a win and a visit saved, a 50,000-puzzle file's solved puzzles.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "model/progress.h"
#include "model/puzzle_file.h"
#include "model/statistics.h"
#include "test_support.h"

namespace kelvane {
namespace {

// 50,000 9x9 puzzles with distinct grids, every fifth of them won, and a copy of those 10,000 wins to add to.
struct Fixture {
  test::TempDir dir;
  std::string file = dir.File("big.kvl"), wins = dir.File("wins.sqlite"), more = dir.File("more.sqlite");
  Fixture() {
    const std::string base = "1+2-3+4-5+6-7+8-9";  // one row; the rows below vary with the puzzle's number
    std::string text;
    ProgressStore store;
    if (!store.Open(wins).empty()) std::abort();
    for (int k = 1; k <= 50000; ++k) {
      std::string grid;
      for (int row = 0; row < 9; ++row) grid += base + std::string(row < 8 ? 17 : 0, ' ');
      grid.resize(81, ' ');
      for (int digit = 0, n = k; digit < 6; ++digit, n /= 9) grid[static_cast<std::size_t>(18 + 2 * digit)] = '1' + n % 9;
      text += FormatRecord(k, k % 2 == 0, 9, 9, 41, grid, "73,55,57,41,23,25,7,5,3, 41");
      if (k % 5 == 0 && !store.RecordWin({PuzzleKey(grid, 41), 9, k % 2 == 0, 60 + k % 600, k % 3, false, k}))
        std::abort();
    }
    test::WriteFile(file, text);
    std::filesystem::copy_file(wins, more);
  }
};

Fixture& fixture() {
  static Fixture f;
  return f;
}

// A win recorded in a store that holds 10,000 already.
void BM_RecordWin(benchmark::State& state) {
  ProgressStore store;
  if (!store.Open(fixture().more).empty()) state.SkipWithError("open failed");
  std::int64_t n = 0;
  for (auto _ : state)
    if (!store.RecordWin({"bench@" + std::to_string(++n), 7, true, 90, 0, false, n})) state.SkipWithError("failed");
}
BENCHMARK(BM_RecordWin)->Unit(benchmark::kMicrosecond);

// The time and chain of a puzzle saved, as the window does on leaving it.
void BM_SaveVisit(benchmark::State& state) {
  ProgressStore store;
  if (!store.Open(fixture().more).empty()) state.SkipWithError("open failed");
  std::int64_t n = 0;
  for (auto _ : state) {
    ++n;
    if (!store.SaveVisit("visit@" + std::to_string(n % 1000), n, "73+55-57")) state.SkipWithError("failed");
  }
}
BENCHMARK(BM_SaveVisit)->Unit(benchmark::kMicrosecond);

// Which of 50,000 puzzles are among 10,000 solved, and their wins.
void BM_SolvedInFile50000(benchmark::State& state) {
  ProgressStore store;
  if (!store.Open(fixture().wins, true).empty()) state.SkipWithError("open failed");
  const auto keys = store.SolvedKeys();
  const auto solves = store.Solves();
  for (auto _ : state) {
    FileProgress p;
    if (SolvedInFile(fixture().file, keys, solves, p) != ReadStatus::Ok || p.solvedNumbers.size() != 10000)
      state.SkipWithError("wrong count");
  }
}
BENCHMARK(BM_SolvedInFile50000)->Unit(benchmark::kMillisecond);

// The whole command: start, open the database, read the file, print.
void BM_CliStatsFile50000(benchmark::State& state) {
  const std::string line = "'" KELVANE_BIN_DIR "kelvane-cli' stats '" + fixture().file + "' --db '" +
                           fixture().wins + "' >/dev/null";
  for (auto _ : state)
    if (std::system(line.c_str()) != 0) state.SkipWithError("kelvane-cli failed");
}
BENCHMARK(BM_CliStatsFile50000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kelvane

BENCHMARK_MAIN();
