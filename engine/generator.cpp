// The generator: random Latin squares and signs until the solver finds a puzzle.
#include "engine/generator.h"

#include <chrono>
#include <utility>

#include "model/text_rules.h"

namespace kelvane {

std::uint64_t Random::FreshSeed() {
  std::random_device device;
  const auto clock = static_cast<std::uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count());
  return (static_cast<std::uint64_t>(device()) << 32 | device()) ^ clock;
}

std::uint64_t Random::StreamSeed(std::uint64_t seed, std::uint64_t index) {
  // splitmix64 of the pair: streams of neighbouring indexes share nothing.
  std::uint64_t z = seed + 0x9E3779B97F4A7C15ull * (index + 1);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

std::string RandomSigns(int M, Random& rng) {
  const int length = (2 * M - 1) * (2 * M - 1);
  std::string signs(static_cast<std::size_t>(length), ' ');
  for (char& s : signs) s = static_cast<int>(rng.Draw() * 10) > 7 ? '+' : '-';
  return signs;
}

std::string RandomSquare(int M, Random& rng) {
  std::string rows[5];
  for (int i = 0; i < M; ++i)
    for (int k = 0; k < M; ++k) rows[i] += static_cast<char>('1' + (i + k) % M);
  for (int pass = 0; pass < 3; ++pass) {
    const int a = rng.Pick(M) - 1;
    const int b = rng.Pick(M) - 1;
    for (int i = 0; i < M; ++i) std::swap(rows[i][static_cast<std::size_t>(a)], rows[i][static_cast<std::size_t>(b)]);
    const int c = rng.Pick(M) - 1;
    const int d = rng.Pick(M) - 1;
    std::swap(rows[c], rows[d]);
  }
  std::string square;
  for (int i = 0; i < M; ++i) square += rows[i];
  return square;
}

void FillBoard(Grid& grid, Random& rng) {
  const int N = grid.N;
  const int M = N / 2 + 1;
  auto at = [&](int r, int c) -> char& { return grid.c[static_cast<std::size_t>((r - 1) * N + c)]; };
  for (int i = 1; i <= N * N; ++i) grid.c[static_cast<std::size_t>(i)] = ' ';
  const std::string signs = RandomSigns(M, rng);
  std::size_t p = 0;
  for (int r = 1; r <= N; r += 2)
    for (int c = 2; c <= N - 1; c += 2) at(r, c) = signs[p++];
  for (int r = 2; r <= N - 1; r += 2)
    for (int c = 1; c <= N; c += 2) at(r, c) = signs[p++];
  for (int r = 3; r <= N - 2; r += 2)
    for (int c = 2; c <= N - 1; c += 2) at(r, c) = '-';
  const std::string square = RandomSquare(M, rng);
  p = 0;
  for (int r = 1; r <= N; r += 2)
    for (int c = 1; c <= N; c += 2) at(r, c) = square[p++];
}

MakeResult MakePuzzle(int N, bool easy, const ChainList& list, Random& rng, SolverScratch& scratch,
                      const std::atomic<bool>* cancel, NewPuzzle& out, long long& attempts, int maxAttempts) {
  out.grid.N = N;
  out.easy = easy;
  for (int attempt = 0; attempt < maxAttempts; ++attempt) {
    if (cancel && cancel->load(std::memory_order_relaxed)) return MakeResult::Cancelled;
    ++attempts;
    FillBoard(out.grid, rng);
    if (FindSolution(out.grid, easy, list, scratch, out.Solution, out.SolutionLength)) {
      out.MarkedCell = IntValue(LastItem(out.Solution));
      return MakeResult::Made;
    }
  }
  return MakeResult::GaveUp;
}

int MakePuzzle(GameState& g, ChainListCache& lists, Random& rng, std::string* error,
               const std::function<void()>& yield) {
  const ChainListResult r = lists.Get(g.Geo.N);
  if (!r.list) {
    if (error) *error = r.error;
    return -1;
  }
  SolverScratch scratch;
  Grid grid;
  grid.N = g.Geo.N;
  bool filled = false;
  for (int attempt = 1; attempt <= 100; ++attempt) {
    if (yield) yield();
    if (g.CancelRequested == YES) break;
    FillBoard(grid, rng);
    filled = true;
    if (FindSolution(grid, g.EasyFlag, *r.list, scratch, g.Solution, g.SolutionLength)) {
      BoardFromGrid(g, grid);
      PlaceMarker(g, g.Solution);
      return 0;
    }
  }
  if (filled) BoardFromGrid(g, grid);
  return -1;
}

}  // namespace kelvane
