// Batch creation: many new puzzles appended to a puzzle file, without repeats.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "engine/chain_list.h"
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
};

struct BatchResult {
  int added = 0;
  int firstNumber = 0;     // the number of the first puzzle appended
  bool cancelled = false;
  bool exhausted = false;  // new puzzles became too rare (see staleLimit)
  bool failed = false;     // a chain list or the output file failed; see message
  std::string message;
  long long attempts = 0;  // boards tried for the puzzles added
};

// Called on the calling thread after each puzzle is added: (added, wanted).
using BatchProgress = std::function<void(int, int)>;

// Makes count puzzles and appends them to outFile, numbered after the
// puzzles already there. Puzzle k draws from its own stream of the seed, so
// the file is the same whatever the number of threads. A puzzle whose grid and
// marked cell equal one already in the file or the batch is drawn again.
// The cancel flag is polled between attempts; the file then holds whole
// records only.
BatchResult CreateBatch(const BatchOptions& options, ChainListCache& lists, PuzzleFileIndexes& files,
                        const std::atomic<bool>& cancel, const BatchProgress& progress = {});

}  // namespace kelvane
