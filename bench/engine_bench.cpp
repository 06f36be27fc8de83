// Speed of the engine: one attempt, one puzzle, and whole batches written to a file.
#include <benchmark/benchmark.h>

#include <atomic>
#include <filesystem>

#include "engine/batch.h"
#include "engine/generator.h"
#include "engine/solver.h"
#include "model/puzzle_file.h"
#include "test_support.h"

namespace kelvane {
namespace {

std::shared_ptr<const ChainList> listFor(int N) {
  ChainListCache cache(KELVANE_BIN_DIR);
  return cache.Get(N).list;
}

// One board filled and solved: the cost of an attempt.
void BM_Attempt(benchmark::State& state) {
  const int N = static_cast<int>(state.range(0));
  const bool easy = state.range(1) != 0;
  const auto list = listFor(N);
  Random rng(42);
  SolverScratch scratch;
  Grid grid;
  grid.N = N;
  std::string solution;
  int length = 0;
  long long found = 0;
  for (auto _ : state) {
    FillBoard(grid, rng);
    found += FindSolution(grid, easy, *list, scratch, solution, length);
  }
  state.counters["attempts/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["solved"] = static_cast<double>(found) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_Attempt)->ArgsProduct({{5, 7, 9}, {1, 0}})->ArgNames({"size", "easy"});

// Puzzles made by MakePuzzle, repeats included.
void BM_MakePuzzle(benchmark::State& state) {
  const int N = static_cast<int>(state.range(0));
  const bool easy = state.range(1) != 0;
  const auto list = listFor(N);
  Random rng(7);
  SolverScratch scratch;
  NewPuzzle p;
  long long attempts = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(MakePuzzle(N, easy, *list, rng, scratch, nullptr, p, attempts));
  }
  state.counters["puzzles/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["attempts/puzzle"] = static_cast<double>(attempts) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_MakePuzzle)->ArgsProduct({{5, 7, 9}, {1, 0}})->ArgNames({"size", "easy"});

// Puzzles made and appended to a file as a batch writes them, repeats not
// looked for: the speed of making and writing alone.
void BM_MakeAndWrite(benchmark::State& state) {
  const int N = static_cast<int>(state.range(0));
  const bool easy = state.range(1) != 0;
  const auto list = listFor(N);
  test::TempDir dir;
  const std::string path = dir.File("written.kvl");
  Random rng(9);
  SolverScratch scratch;
  NewPuzzle p;
  long long attempts = 0;
  std::string pending;
  int number = 0;
  for (auto _ : state) {
    while (MakePuzzle(N, easy, *list, rng, scratch, nullptr, p, attempts) != MakeResult::Made) {
    }
    pending += FormatRecord(++number, p.easy, N, p.SolutionLength, p.MarkedCell, p.grid.Text(), p.Solution);
    if (pending.size() >= 256 * 1024) {
      if (!AppendToFile(path, pending).ok) state.SkipWithError("write failed");
      pending.clear();
    }
  }
  if (!AppendToFile(path, pending).ok) state.SkipWithError("write failed");
  state.counters["puzzles/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["attempts/puzzle"] = static_cast<double>(attempts) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_MakeAndWrite)->ArgsProduct({{5, 7, 9}, {1, 0}})->ArgNames({"size", "easy"});

// A whole batch as kelvane-cli create runs it: distinct puzzles, file writing included.
void BM_CreateBatch(benchmark::State& state) {
  const int N = static_cast<int>(state.range(0));
  const bool easy = state.range(1) != 0;
  const int threads = static_cast<int>(state.range(2));
  const int count = static_cast<int>(state.range(3));
  test::TempDir dir;
  ChainListCache lists(KELVANE_BIN_DIR);
  std::atomic<bool> cancel{false};
  long long made = 0, attempts = 0;
  std::uint64_t seed = 1;
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove(dir.File("batch.kvl"));
    PuzzleFileIndexes files;
    BatchOptions o;
    o.count = count;
    o.size = N;
    o.easy = easy;
    o.outFile = dir.File("batch.kvl");
    o.seed = seed++;
    o.threads = threads;
    state.ResumeTiming();
    const BatchResult r = CreateBatch(o, lists, files, cancel);
    made += r.added;
    attempts += r.attempts;
  }
  state.counters["puzzles/s"] = benchmark::Counter(static_cast<double>(made), benchmark::Counter::kIsRate);
  state.counters["attempts/puzzle"] = static_cast<double>(attempts) / static_cast<double>(made);
}
BENCHMARK(BM_CreateBatch)
    ->Args({9, 0, 1, 20000})
    ->Args({9, 0, 2, 20000})
    ->Args({9, 1, 1, 20000})
    ->Args({7, 0, 1, 20000})
    ->Args({7, 1, 1, 20000})
    ->Args({5, 1, 1, 2000})
    ->Args({5, 0, 1, 2000})
    ->Args({5, 1, 2, 2000})
    ->ArgNames({"size", "easy", "threads", "count"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace kelvane

BENCHMARK_MAIN();
