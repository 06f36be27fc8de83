// Speed of the engine: one attempt, one puzzle, a rating, and whole batches written to a file.
#include <benchmark/benchmark.h>

#include <atomic>
#include <filesystem>

#include "engine/batch.h"
#include "engine/generator.h"
#include "engine/rating.h"
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

// Made puzzles of a size, for rating.
std::vector<NewPuzzle> madePuzzles(int N, int count) {
  const auto list = listFor(N);
  Random rng(11);
  SolverScratch scratch;
  std::vector<NewPuzzle> made;
  long long attempts = 0;
  while (static_cast<int>(made.size()) < count) {
    NewPuzzle p;
    if (MakePuzzle(N, made.size() % 2 == 0, *list, rng, scratch, nullptr, p, attempts) == MakeResult::Made)
      made.push_back(p);
  }
  return made;
}

// The rating as create --stars takes it, from the marked cell and the solution's length.
void BM_RateSolution(benchmark::State& state) {
  const int N = static_cast<int>(state.range(0));
  const std::vector<NewPuzzle> made = madePuzzles(N, 1000);
  std::size_t k = 0;
  for (auto _ : state) {
    const NewPuzzle& p = made[k++ % made.size()];
    benchmark::DoNotOptimize(RateSolution(N, p.MarkedCell, p.SolutionLength));
  }
}
BENCHMARK(BM_RateSolution)->Arg(5)->Arg(7)->Arg(9)->ArgNames({"size"});

// The rating as rate and sort take it: a record read, its solution checked as a path, then rated.
void BM_RateRecord(benchmark::State& state) {
  const int N = static_cast<int>(state.range(0));
  std::string text;
  int number = 0;
  for (const NewPuzzle& p : madePuzzles(N, 1000))
    text += FormatRecord(++number, p.easy, N, p.SolutionLength, p.MarkedCell, p.grid.Text(), p.Solution);
  std::vector<RawRecord> records;
  ReadRecordsInText(text, [&](int, const RawRecord& raw, ReadStatus) {
    records.push_back(raw);
    return true;
  });
  std::size_t k = 0;
  for (auto _ : state) benchmark::DoNotOptimize(RateRecord(records[k++ % records.size()]));
}
BENCHMARK(BM_RateRecord)->Arg(5)->Arg(9)->ArgNames({"size"});

// A whole batch as kelvane-cli create runs it: distinct puzzles, file writing included; with stars > 0
// only puzzles with that many stars or more are kept.
void BM_CreateBatch(benchmark::State& state) {
  const int N = static_cast<int>(state.range(0));
  const bool easy = state.range(1) != 0;
  const int threads = static_cast<int>(state.range(2));
  const int count = static_cast<int>(state.range(3));
  const int stars = static_cast<int>(state.range(4));
  test::TempDir dir;
  ChainListCache lists(KELVANE_BIN_DIR);
  std::atomic<bool> cancel{false};
  long long made = 0, attempts = 0, draws = 0;
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
    if (stars > 0) o.stars = {stars, MostStars};
    state.ResumeTiming();
    const BatchResult r = CreateBatch(o, lists, files, cancel);
    made += r.added;
    attempts += r.attempts;
    draws += r.draws;
  }
  state.counters["puzzles/s"] = benchmark::Counter(static_cast<double>(made), benchmark::Counter::kIsRate);
  state.counters["attempts/puzzle"] = static_cast<double>(attempts) / static_cast<double>(made);
  state.counters["kept"] = static_cast<double>(made) / static_cast<double>(draws);
}
BENCHMARK(BM_CreateBatch)
    ->Args({9, 0, 1, 20000, 0})
    ->Args({9, 0, 2, 20000, 0})
    ->Args({9, 1, 1, 20000, 0})
    ->Args({7, 0, 1, 20000, 0})
    ->Args({7, 1, 1, 20000, 0})
    ->Args({5, 1, 1, 2000, 0})
    ->Args({5, 0, 1, 2000, 0})
    ->Args({5, 1, 2, 2000, 0})
    ->Args({9, 0, 1, 20000, 4})
    ->Args({9, 0, 2, 20000, 4})
    ->ArgNames({"size", "easy", "threads", "count", "stars"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace kelvane

BENCHMARK_MAIN();
