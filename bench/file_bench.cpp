// Speed of puzzle files: count, seek and read in a file of 50,000 puzzles.
#include <benchmark/benchmark.h>

#include "model/navigation.h"
#include "model/puzzle_file.h"
#include "test_support.h"

namespace kelvane {
namespace {

struct BigFile {
  test::TempDir dir;
  std::string path = dir.File("big.kvl");
  BigFile() {
    std::string text;
    const std::string grid = "3-1-2+ - -2-3-1- - +1-2-3";
    for (int k = 1; k <= 50000; ++k)
      text += FormatRecord(k, k % 2 == 0, 5, 4, 11, grid, "21,11,1,3, 11");
    test::WriteFile(path, text);
  }
};

BigFile& bigFile() {
  static BigFile file;
  return file;
}

// The first open: the whole file is scanned for its records.
void BM_IndexFirstOpen(benchmark::State& state) {
  const std::string& path = bigFile().path;
  for (auto _ : state) {
    PuzzleFileIndexes files;
    benchmark::DoNotOptimize(CountPuzzles(files, path));
  }
}
BENCHMARK(BM_IndexFirstOpen)->Unit(benchmark::kMillisecond);

// After the first open: count, then seek and read the last puzzle but one.
void BM_CountSeekRead49999(benchmark::State& state) {
  const std::string& path = bigFile().path;
  PuzzleFileIndexes files;
  (void)CountPuzzles(files, path);
  for (auto _ : state) {
    const int count = CountPuzzles(files, path);
    RawRecord raw;
    const ReadStatus s = ReadRawRecord(files, path, 49999, raw);
    benchmark::DoNotOptimize(count);
    if (s != ReadStatus::Ok || count != 50000) state.SkipWithError("read failed");
  }
}
BENCHMARK(BM_CountSeekRead49999)->Unit(benchmark::kMicrosecond);

// Every record in order, as the batch and the command line read a file.
void BM_ReadAllRecords50000(benchmark::State& state) {
  const std::string& path = bigFile().path;
  for (auto _ : state) {
    int records = 0;
    const ReadStatus s = ReadAllRecords(path, [&](int, const RawRecord&, ReadStatus) { return ++records > 0; });
    if (s != ReadStatus::Ok || records != 50000) state.SkipWithError("read failed");
  }
}
BENCHMARK(BM_ReadAllRecords50000)->Unit(benchmark::kMillisecond);

// What the window does for next, previous and go-to: count, seek, read and
// put the puzzle on the board (painting not included).
void BM_ShowPuzzleIn50000(benchmark::State& state) {
  const std::string& path = bigFile().path;
  GameState g;
  (void)ShowPuzzle(g, path, 1);
  int n = 49999;
  for (auto _ : state) {
    const ShowResult r = ShowPuzzle(g, path, n);
    if (!r.found) state.SkipWithError("not found");
    n = n == 50000 ? 1 : n + 1;
  }
}
BENCHMARK(BM_ShowPuzzleIn50000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kelvane

BENCHMARK_MAIN();
