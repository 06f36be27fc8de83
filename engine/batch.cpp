// Batch creation: many new puzzles appended to a puzzle file, without repeats.
#include "engine/batch.h"

#include <chrono>
#include <climits>
#include <memory>
#include <optional>
#include <thread>
#include <unordered_set>
#include <vector>

#include "engine/generator.h"
#include "model/puzzle_file.h"
#include "model/text_rules.h"

namespace kelvane {

namespace {

constexpr std::size_t kFlushBytes = 256 * 1024;
constexpr auto kFlushEvery = std::chrono::milliseconds(200);
constexpr int kChunk = 32;  // puzzles a worker makes at a time
constexpr int kRecent = 100;

enum class Outcome { Made, Cancelled, Exhausted, StarsRare };

struct Lists {
  std::shared_ptr<const ChainList> bySize[10];
};

// One puzzle's stream: its random source, the attempts spent on it and the puzzles it made.
struct Stream {
  Random rng;
  long long attempts = 0;
  long long draws = 0;
};

// The next puzzle of a stream with the stars asked for, repeats included. `halt`
// ends the search for stars once the batch is over.
Outcome nextCandidate(const BatchOptions& o, const Lists& lists, Stream& s, SolverScratch& scratch,
                      const std::atomic<bool>& cancel, const std::atomic<bool>& halt, NewPuzzle& out) {
  const long long start = s.attempts;
  for (;;) {
    const int size = o.size != 0 ? o.size : 5 + 2 * (s.rng.Pick(3) - 1);
    switch (MakePuzzle(size, o.easy, *lists.bySize[size], s.rng, scratch, &cancel, out, s.attempts)) {
      case MakeResult::Made: {
        ++s.draws;
        if (o.stars.Any()) return Outcome::Made;
        const std::optional<Rating> r = RateSolution(size, out.MarkedCell, out.SolutionLength);
        if (r && o.stars.Holds(r->stars)) return Outcome::Made;
        if (halt.load(std::memory_order_relaxed)) return Outcome::Cancelled;
        if (s.attempts - start >= o.staleLimit / 10) return Outcome::StarsRare;
        continue;
      }
      case MakeResult::Cancelled: return Outcome::Cancelled;
      case MakeResult::GaveUp: break;
    }
    if (s.attempts >= o.staleLimit) return Outcome::Exhausted;  // no list can make a puzzle
  }
}

std::string keyOf(std::string_view cells, int marked) {
  std::string key(cells);
  key += '|';
  key += std::to_string(marked);
  return key;
}

// A worker's result for one puzzle number.
struct Slot {
  NewPuzzle puzzle;
  std::optional<Stream> stream;
  Outcome outcome = Outcome::Made;
};

struct RingEntry {
  std::atomic<int> ready{-1};  // the chunk whose slots this entry holds
  Slot slots[kChunk];
};

}  // namespace

BatchResult CreateBatch(const BatchOptions& o, ChainListCache& chainLists, PuzzleFileIndexes& files,
                        const std::atomic<bool>& cancel, const BatchProgress& progress) {
  BatchResult result;
  if (std::string problem = StarRangeProblem(o.size, o.stars); !problem.empty()) {
    result.failed = true;
    result.message = "No puzzles can be made: " + problem + ".";
    return result;
  }
  Lists lists;
  for (int size : {5, 7, 9}) {
    if (o.size != 0 && o.size != size) continue;
    ChainListResult r = chainLists.Get(size);
    if (!r.list) {
      result.failed = true;
      result.message = r.error;
      return result;
    }
    lists.bySize[size] = r.list;
  }

  // What the file holds already, so that no puzzle is added twice.
  std::unordered_set<std::string> seen;
  const int existing = CountPuzzles(files, o.outFile);
  if (FileExists(o.outFile)) {
    const ReadStatus read = ReadAllRecords(o.outFile, [&](int, const RawRecord& raw, ReadStatus s) {
      if (s == ReadStatus::Ok) {
        const ParsedRecord rec = ParseRecord(raw);
        seen.insert(keyOf(rec.Cells, rec.MarkedCell));
      }
      return true;
    });
    if (read != ReadStatus::Ok) {
      result.failed = true;
      result.message = "Cannot read the output file " + o.outFile + ": " + DescribeReadStatus(read);
      return result;
    }
  }
  result.firstNumber = existing + 1;

  std::string pending;  // whole records not yet written
  int pendingFirst = 0;
  int pendingCount = 0;
  auto lastFlush = std::chrono::steady_clock::now();
  auto flush = [&]() -> bool {
    if (pending.empty()) return true;
    const WriteResult w = AppendToFile(o.outFile, pending);
    if (!w.ok) {
      result.failed = true;
      result.message = "Error writing puzzle#" + NumText(pendingFirst) + " to file: " + o.outFile + "\n" + w.reason;
      pending.clear();
      pendingCount = 0;
      return false;
    }
    result.added += pendingCount;
    pending.clear();
    pendingCount = 0;
    lastFlush = std::chrono::steady_clock::now();
    return true;
  };

  SolverScratch scratch;
  int accepted = 0;
  long long spent = 0;  // attempts of every candidate so far, repeats included
  long long drawn = 0;  // puzzles made so far, repeats and other stars included
  std::atomic<bool> stop{false};  // the batch is over: workers give up their searches
  // Totals of `spent` at the last kRecent acceptances: the batch gives up when
  // the last staleLimit attempts brought fewer than kRecent new puzzles.
  long long recent[kRecent] = {};
  // Takes puzzle k from its first candidate on; false stops the batch.
  auto commit = [&](Slot& slot) -> bool {
    Stream& stream = *slot.stream;
    NewPuzzle& p = slot.puzzle;
    long long counted = 0, countedDraws = 0;
    if (cancel.load()) slot.outcome = Outcome::Cancelled;  // made ahead, but asked to stop
    for (;;) {
      spent += stream.attempts - counted;
      counted = stream.attempts;
      drawn += stream.draws - countedDraws;
      countedDraws = stream.draws;
      if (slot.outcome == Outcome::Cancelled) {
        result.cancelled = true;
        return false;
      }
      if (slot.outcome == Outcome::Exhausted || slot.outcome == Outcome::StarsRare) {
        (slot.outcome == Outcome::Exhausted ? result.exhausted : result.starsRare) = true;
        return false;
      }
      const std::string cells = p.grid.Text();
      if (seen.insert(keyOf(cells, p.MarkedCell)).second) {
        const int number = existing + accepted + 1;
        if (pendingCount == 0) pendingFirst = number;
        pending += FormatRecord(number, p.easy, p.grid.N, p.SolutionLength, p.MarkedCell, cells, p.Solution);
        ++pendingCount;
        recent[accepted % kRecent] = spent;
        ++accepted;
        result.attempts = spent;
        result.draws = drawn;
        if (pending.size() >= kFlushBytes || std::chrono::steady_clock::now() - lastFlush >= kFlushEvery) {
          if (!flush()) return false;
        }
        if (progress) progress(accepted, o.count, drawn);
        return true;
      }
      const long long windowStart = accepted >= kRecent ? recent[accepted % kRecent] : 0;
      if (spent - windowStart >= o.staleLimit) {
        result.exhausted = true;
        return false;
      }
      slot.outcome = nextCandidate(o, lists, stream, scratch, cancel, stop, p);
    }
  };
  auto firstCandidate = [&](int k, Slot& slot, SolverScratch& s) {
    slot.stream.emplace(Stream{Random(Random::StreamSeed(o.seed, static_cast<std::uint64_t>(k))), 0, 0});
    slot.outcome = nextCandidate(o, lists, *slot.stream, s, cancel, stop, slot.puzzle);
  };

  const int n = o.count;
  if (o.threads <= 1 || n <= 1) {
    Slot slot;
    for (int k = 1; k <= n; ++k) {
      firstCandidate(k, slot, scratch);
      if (!commit(slot)) break;
    }
  } else {
    const int threads = o.threads;
    const int chunks = (n + kChunk - 1) / kChunk;
    const int ringSize = 4 * threads;
    auto ring = std::make_unique<RingEntry[]>(static_cast<std::size_t>(ringSize));
    std::atomic<int> nextChunk{0};
    std::atomic<int> committed{0};
    auto worker = [&] {
      SolverScratch local;
      for (;;) {
        const int c = nextChunk.fetch_add(1);
        if (c >= chunks) return;
        for (;;) {
          const int done = committed.load();
          if (stop.load() || c < done + ringSize) break;
          committed.wait(done);
        }
        if (stop.load()) return;
        RingEntry& entry = ring[static_cast<std::size_t>(c % ringSize)];
        const int first = c * kChunk + 1;
        for (int k = first; k < first + kChunk && k <= n; ++k) firstCandidate(k, entry.slots[k - first], local);
        entry.ready.store(c, std::memory_order_release);
        entry.ready.notify_all();
      }
    };
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t) pool.emplace_back(worker);
    bool going = true;
    for (int c = 0; c < chunks && going; ++c) {
      RingEntry& entry = ring[static_cast<std::size_t>(c % ringSize)];
      for (int seenChunk = entry.ready.load(std::memory_order_acquire); seenChunk != c;
           seenChunk = entry.ready.load(std::memory_order_acquire))
        entry.ready.wait(seenChunk);
      const int first = c * kChunk + 1;
      for (int k = first; k < first + kChunk && k <= n && going; ++k) going = commit(entry.slots[k - first]);
      committed.store(c + 1);
      committed.notify_all();
    }
    stop.store(true);
    committed.store(INT_MAX);
    committed.notify_all();
    for (std::thread& t : pool) t.join();
  }
  if (!result.failed) flush();
  if (result.added == 0) result.firstNumber = 0;
  return result;
}

}  // namespace kelvane
