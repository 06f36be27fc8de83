// Batch creation: numbering, repeats, the rarity window and failures, checked on the written file.
// Same seed, same file whatever the threads, and cancel keeping whole records: cli_test.cpp runs both.
#include <gtest/gtest.h>

#include <set>

#include "engine/batch.h"
#include "engine/check.h"
#include "engine/generator.h"
#include "model/puzzle_file.h"
#include "test_support.h"

namespace kelvane {
namespace {

struct Batch {
  test::TempDir dir;
  ChainListCache lists{KELVANE_BIN_DIR};
  PuzzleFileIndexes files;
  std::atomic<bool> cancel{false};
  BatchOptions options;

  Batch() {
    options.outFile = dir.File("out.kvl");
    options.seed = 17;
  }
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
  for (std::size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(records[i].WrittenNumber, static_cast<int>(i) + 1);
    EXPECT_EQ(records[i].Title, i == 0 ? "Easy" : "Hard");
    EXPECT_EQ(records[i].Size, i == 0 ? 5 : 7);
  }
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
  const struct {
    long long staleLimit;
    int threads;
    bool easy;
    const char* list;  // a k5x5.kvy of its own, or the shipped one
  } rows[] = {{300, 1, true, nullptr}, {3000, 2, true, nullptr}, {300, 1, false, "21,11,1,\n23,13,3,\n25,15,5,\n"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.staleLimit);
    Batch b;
    if (row.list) {
      test::WriteFile(b.dir.File("k5x5.kvy"), row.list);  // straight chains: Hard never takes one
      b.lists = ChainListCache(b.dir.Folder());
    }
    b.options.size = 5;
    b.options.easy = row.easy;
    b.options.count = 100000;
    b.options.staleLimit = row.staleLimit;
    b.options.threads = row.threads;
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
    const BatchResult r = b.Run([&](int done, int) { made = done; });
    EXPECT_TRUE(r.failed);
    EXPECT_EQ(r.added, 0);
    EXPECT_LT(made, b.options.count);
    EXPECT_NE(r.message.find(said), std::string::npos) << r.message;
    EXPECT_FALSE(std::filesystem::is_regular_file(b.options.outFile));
  }
}

}  // namespace
}  // namespace kelvane
