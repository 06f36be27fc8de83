// Batch creation: numbering, repeats, threads, cancel and failures, checked on the written file.
#include <gtest/gtest.h>

#include <set>

#include "engine/batch.h"
#include "engine/check.h"
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

// Every record of a file, each checked; fails the test on a bad one.
std::vector<ParsedRecord> soundRecords(const std::string& path) {
  std::vector<ParsedRecord> records;
  const ReadStatus s = ReadAllRecords(path, [&](int position, const RawRecord& raw, ReadStatus status) {
    EXPECT_EQ(status, ReadStatus::Ok) << "record " << position;
    EXPECT_EQ(CheckRecord(raw), "") << "record " << position;
    records.push_back(ParseRecord(raw));
    return true;
  });
  EXPECT_EQ(s, ReadStatus::Ok);
  return records;
}

TEST(Batch, AppendsAfterThePuzzlesAlreadyThere) {
  Batch b;
  b.options.count = 10;
  b.options.size = 7;
  BatchResult r = b.Run();
  EXPECT_EQ(r.added, 10);
  EXPECT_EQ(r.firstNumber, 1);
  b.options.count = 3;
  b.options.seed = 18;
  b.options.easy = true;
  r = b.Run();
  EXPECT_EQ(r.added, 3);
  EXPECT_EQ(r.firstNumber, 11);
  const auto records = soundRecords(b.options.outFile);
  ASSERT_EQ(records.size(), 13u);
  for (std::size_t i = 0; i < records.size(); ++i) {
    EXPECT_EQ(records[i].WrittenNumber, static_cast<int>(i) + 1);
    EXPECT_EQ(records[i].Title, i < 10 ? "Hard" : "Easy");
    EXPECT_EQ(records[i].Size, 7);
  }
  EXPECT_EQ(CountPuzzles(b.files, b.options.outFile), 13);
}

TEST(Batch, SameSeedSameFileWhateverTheThreads) {
  std::string first;
  for (int threads : {1, 2, 3, 8}) {
    SCOPED_TRACE(threads);
    Batch b;
    b.options.count = 300;
    b.options.size = 0;  // a size drawn for every try
    b.options.threads = threads;
    ASSERT_EQ(b.Run().added, 300);
    const std::string text = test::ReadFile(b.options.outFile);
    if (first.empty()) first = text;
    EXPECT_EQ(text, first);
  }
  std::set<int> sizes;
  Batch b;
  test::WriteFile(b.options.outFile, first);
  for (const auto& r : soundRecords(b.options.outFile)) sizes.insert(r.Size);
  EXPECT_EQ(sizes, (std::set<int>{5, 7, 9}));
}

TEST(Batch, NoPuzzleTwiceInTheFileOrTheBatch) {
  Batch b;
  b.options.size = 5;
  b.options.easy = true;
  b.options.count = 400;  // far more often drawn twice than not
  b.options.threads = 2;
  ASSERT_EQ(b.Run().added, 400);
  b.options.count = 200;  // same seed again: every first draw is a repeat now
  ASSERT_EQ(b.Run().added, 200);
  std::set<std::string> keys;
  for (const auto& r : soundRecords(b.options.outFile))
    EXPECT_TRUE(keys.insert(r.Cells + "|" + std::to_string(r.MarkedCell)).second) << r.WrittenNumber;
  EXPECT_EQ(keys.size(), 600u);
}

TEST(Batch, StopsWhenNewPuzzlesBecomeRare) {
  Batch b;
  b.options.size = 5;
  b.options.easy = true;
  b.options.count = 100000;
  b.options.staleLimit = 20000;
  const BatchResult r = b.Run();
  EXPECT_TRUE(r.exhausted);
  EXPECT_FALSE(r.failed);
  EXPECT_GT(r.added, 500);
  EXPECT_LT(r.added, 100000);
  EXPECT_EQ(soundRecords(b.options.outFile).size(), static_cast<std::size_t>(r.added));
}

TEST(Batch, CancelKeepsWholeRecordsOnly) {
  for (int threads : {1, 2}) {
    SCOPED_TRACE(threads);
    Batch b;
    b.options.count = 1000;
    b.options.threads = threads;
    const BatchResult r = b.Run([&](int done, int) {
      if (done == 37) b.cancel = true;
    });
    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(r.added, 37);
    const std::string text = test::ReadFile(b.options.outFile);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(soundRecords(b.options.outFile).size(), 37u);
  }
}

TEST(Batch, FailuresWriteNothingAndSaySo) {
  {
    Batch b;
    b.lists = ChainListCache(b.dir.Folder());  // no chain lists there
    b.options.count = 5;
    const BatchResult r = b.Run();
    EXPECT_TRUE(r.failed);
    EXPECT_NE(r.message.find("k9x9.kvy"), std::string::npos) << r.message;
    EXPECT_FALSE(FileExists(b.options.outFile));
  }
  {
    Batch b;
    b.options.outFile = b.dir.File("no/such/folder/out.kvl");
    b.options.count = 5;
    const BatchResult r = b.Run();
    EXPECT_TRUE(r.failed);
    EXPECT_EQ(r.added, 0);
    EXPECT_NE(r.message.find("Error writing puzzle# 1 to file: "), std::string::npos) << r.message;
  }
  {
    Batch b;  // an output file that is no puzzle file is left alone
    test::WriteFile(b.options.outFile, std::string("#1\r\n\0\0\0", 7));
    std::filesystem::create_directory(b.dir.File("folder.kvl"));
    b.options.outFile = b.dir.File("folder.kvl");
    const BatchResult r = b.Run();
    EXPECT_TRUE(r.failed);
  }
}

TEST(Batch, AFileWithoutFinalLineBreakKeepsItsLastRecord) {
  Batch b;
  std::string text = FormatRecord(1, true, 5, 4, 11, "3-1-2+ - -2-3-1- - +1-2-3", "21,11,1,3, 11");
  text.resize(text.size() - 2);
  test::WriteFile(b.options.outFile, text);
  b.options.count = 2;
  b.options.size = 5;
  ASSERT_EQ(b.Run().added, 2);
  RawRecord raw;
  ASSERT_EQ(ReadRawRecord(b.files, b.options.outFile, 1, raw), ReadStatus::Ok);
  EXPECT_EQ(raw.SolutionLine, "21,11,1,3, 11");
  EXPECT_EQ(CountPuzzles(b.files, b.options.outFile), 3);
}

}  // namespace
}  // namespace kelvane
