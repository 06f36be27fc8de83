// Batch creation: many new puzzles appended to a puzzle file, without repeats.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "engine/chain_list.h"
#include "engine/rating.h"
#include "model/file_index.h"

namespace kelvane {

struct BatchOptions {
  int count = 1;
  int size = 9;          // 5, 7 or 9; 0 draws a size for every try
  bool easy = false;
  std::string outFile;
  std::uint64_t seed = 0;
  int threads = 1;
  // The batch stops when this many attempts bring fewer than 100 new puzzles.
  long long staleLimit = 1'000'000;
  // Only puzzles with these stars are kept; the others are drawn again.
  StarRange stars{};
};

struct BatchResult {
  int added = 0;
  int firstNumber = 0;     // the number of the first puzzle appended
  bool cancelled = false;
  bool exhausted = false;  // new puzzles became too rare (see staleLimit)
  bool starsRare = false;  // staleLimit / 10 attempts in a row made no puzzle with the stars asked for
  bool failed = false;     // a chain list or the output file failed; see message
  std::string message;
  long long attempts = 0;  // boards tried for the puzzles added
  long long draws = 0;     // puzzles made for the puzzles added: repeats and other stars too
};

// Called on the calling thread after each puzzle is added: (added, wanted, draws so far).
using BatchProgress = std::function<void(int, int, long long)>;

// Makes count puzzles and appends them to outFile, numbered after the
// puzzles already there. Puzzle k draws from its own stream of the seed, so
// the file is the same whatever the number of threads. A puzzle whose grid and
// marked cell equal one already in the file or the batch is drawn again.
// The cancel flag is polled between attempts; the file then holds whole
// records only. A star range that no puzzle of the size can have fails at once.
BatchResult CreateBatch(const BatchOptions& options, ChainListCache& lists, PuzzleFileIndexes& files,
                        const std::atomic<bool>& cancel, const BatchProgress& progress = {});

}  // namespace kelvane
