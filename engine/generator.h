// The generator: random Latin squares and signs until the solver finds a puzzle.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <random>
#include <string>

#include "engine/grid.h"
#include "engine/solver.h"

namespace kelvane {

// The one random source: seeded once, uniform draws in [0, 1).
class Random {
 public:
  explicit Random(std::uint64_t seed) : engine_(seed) {}
  double Draw() { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }
  // 1..n, each equally likely.
  int Pick(int n) {
    const int k = static_cast<int>(Draw() * n) + 1;
    return k > n ? n : k;
  }
  // A seed from the system's entropy and the clock.
  static std::uint64_t FreshSeed();
  // The seed of stream `index` of a base seed: independent streams per puzzle.
  static std::uint64_t StreamSeed(std::uint64_t seed, std::uint64_t index);

 private:
  std::mt19937_64 engine_;
};

// (2M-1)^2 signs, each "+" with probability 2/10.
std::string RandomSigns(int M, Random& rng);
// M*M digits, row after row: a Latin square of order M.
std::string RandomSquare(int M, Random& rng);
// Blanks, random signs (inner rows' horizontal signs "-") and a Latin square.
void FillBoard(Grid& grid, Random& rng);

// A puzzle made by the generator, apart from any board.
struct NewPuzzle {
  Grid grid;
  bool easy = false;
  std::string Solution;
  int SolutionLength = 0;
  int MarkedCell = 0;
};

enum class MakeResult { Made, GaveUp, Cancelled };

// Up to maxAttempts boards of size grid.N until one has a solution; counts
// the attempts made. Polls the cancel flag before every attempt.
MakeResult MakePuzzle(int N, bool easy, const ChainList& list, Random& rng, SolverScratch& scratch,
                      const std::atomic<bool>* cancel, NewPuzzle& out, long long& attempts, int maxAttempts = 100);

// The generator on the board of a game state: 0 when a puzzle was made and
// marked, -1 after 100 failed attempts, a cancel request (CancelRequested)
// or a missing chain list (then error says why). `yield` runs once per attempt.
[[nodiscard]] int MakePuzzle(GameState& g, ChainListCache& lists, Random& rng, std::string* error = nullptr,
                             const std::function<void()>& yield = {});

}  // namespace kelvane
