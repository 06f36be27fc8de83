// Tests of the progress database (round trips, two windows at once, damaged, foreign and newer files, folders
// and disks that refuse writes, reading only), of the statistics over its wins, and of the play clock.
#include <sqlite3.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "model/play_clock.h"
#include "model/progress.h"
#include "model/puzzle_file.h"
#include "model/statistics.h"
#include "model/write_fault.h"
#include "test_support.h"

namespace kelvane {
namespace {

namespace fs = std::filesystem;

Solve Win(const std::string& key, int size, bool easy, std::int64_t seconds, int hints = 0, bool shown = false,
          std::int64_t when = 1'700'000'000) {
  return {key, size, easy, seconds, hints, shown, when};
}

// Runs SQL on a file with SQLite itself, as another program would.
void Sql(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
  sqlite3_close(db);
}

// A store on a fresh database, filled with wins 0..count-1 of key "k<n>".
void Fill(const std::string& path, int count) {
  ProgressStore s;
  ASSERT_EQ(s.Open(path), "");
  for (int n = 0; n < count; ++n) ASSERT_TRUE(s.RecordWin(Win("k" + std::to_string(n), 5, true, n)));
}

// Every write of a file in one folder fails: refused at open, or the disk full after limit bytes.
struct Refusal : WriteFault {
  std::string folder;
  bool refuseOpen;
  std::size_t limit;
  Refusal(std::string f, bool open, std::size_t l) : folder(std::move(f)), refuseOpen(open), limit(l) {}
  bool Mine(const std::string& path) const { return path.rfind(folder, 0) == 0; }
  bool FailOpen(const std::string& path) override { return refuseOpen && Mine(path); }
  std::size_t WriteLimit(const std::string& path, std::size_t size) override {
    return Mine(path) ? std::min(size, limit) : size;
  }
};

TEST(Progress, EverythingSurvivesCloseAndReopen) {
  test::TempDir dir;
  const std::string path = dir.File("new/folder/progress.sqlite");  // the folders are made
  const std::vector<Solve> wins = {Win("a@11", 5, true, 80, 0, false, 300), Win("b@13", 9, false, 700, 2, true, 100),
                                   Win("a@11", 5, true, 65, 1, false, 200)};
  {
    ProgressStore s;
    ASSERT_EQ(s.Open(path), "");
    EXPECT_TRUE(s.Persistent());
    for (const Solve& w : wins) ASSERT_TRUE(s.RecordWin(w));
    ASSERT_TRUE(s.SaveVisit("a@11", 5, "old"));
    ASSERT_TRUE(s.SaveVisit("a@11", 42, "21+11"));  // replaces the first
    ASSERT_TRUE(s.SaveVisit("c@1", 9, ""));
    ASSERT_TRUE(s.SaveLastShown("/x/p.kvl", 3) && s.SaveLastShown("/x/p.kvl", 7) && s.SaveLastShown("q.kvl", 2));
    ASSERT_TRUE(s.SetSetting("theme", "dark") && s.SetSetting("theme", "light") && s.SetSetting("empty", ""));
  }
  ProgressStore s;
  ASSERT_EQ(s.Open(path), "");
  EXPECT_EQ(s.Solves(), (std::vector<Solve>{wins[1], wins[2], wins[0]}));  // oldest first
  EXPECT_EQ(s.SolvedKeys(), (std::unordered_set<std::string>{"a@11", "b@13"}));
  // (key, seconds, chain, solved): a solved puzzle never visited gives its best time.
  const std::tuple<std::string, std::int64_t, std::string, bool> visits[] = {
      {"a@11", 42, "21+11", true}, {"b@13", 700, "", true}, {"c@1", 9, "", false}, {"d@1", 0, "", false}};
  for (const auto& [key, seconds, chain, solved] : visits) {
    const Visit v = s.LoadVisit(key);
    EXPECT_EQ(std::tie(v.seconds, v.chain, v.solved), std::tie(seconds, chain, solved)) << key;
    EXPECT_EQ(s.IsSolved(key), solved) << key;
  }
  EXPECT_EQ(std::make_tuple(s.LastShown("/x/p.kvl"), s.LastShown("q.kvl"), s.LastShown("p.kvl")),
            std::make_tuple(7, 2, 0));
  EXPECT_EQ(std::make_tuple(s.Setting("theme"), s.Setting("empty", "x"), s.Setting("none", "x")),
            std::make_tuple("light", "", "x"));
}

// Two windows on one file: each sees what the other wrote, in either order.
TEST(Progress, TwoStoresOnOneFileShareTheirRows) {
  test::TempDir dir;
  ProgressStore a, b;
  ASSERT_EQ(a.Open(dir.File("progress.sqlite")), "");
  ASSERT_EQ(b.Open(dir.File("progress.sqlite")), "");
  for (int round = 0; round < 3; ++round) {
    const std::string key = "k" + std::to_string(round);
    ASSERT_TRUE(a.RecordWin(Win(key, 7, false, round)) && b.SaveVisit(key, round + 10, "c") && b.SetSetting("round", key));
    EXPECT_EQ(std::make_tuple(b.IsSolved(key), a.LoadVisit(key).seconds, a.Setting("round")),
              std::make_tuple(true, std::int64_t{round + 10}, key));
  }
  EXPECT_EQ(a.Solves(), b.Solves());
  EXPECT_EQ(b.SolvedKeys().size(), 3u);
}

// A file that is not our database is moved aside with its bytes whole; a new one is started in its place.
TEST(Progress, DamagedAndForeignFilesAreSetAsideWhole) {
  const struct {
    const char* name;
    std::function<void(const std::string&)> make;
    const char* said;
  } cases[] = {
      {"random bytes", [](const std::string& p) { test::WriteFile(p, std::string(5000, '\x9c') + "SQLite"); },
       "damaged"},
      {"truncated",
       [](const std::string& p) {
         Fill(p, 3000);
         const std::string whole = test::ReadFile(p);
         test::WriteFile(p, whole.substr(0, whole.size() / 2));
       },
       "damaged"},
      {"another program's",
       [](const std::string& p) { Sql(p, "PRAGMA application_id = 1234; CREATE TABLE solves(x); INSERT INTO solves VALUES(1);"); },
       "another program"},
      {"tables that are not ours", [](const std::string& p) { Sql(p, "CREATE TABLE notes(text);"); }, "another program"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempDir dir;
    const std::string path = dir.File("progress.sqlite");
    std::vector<std::string> originals, asides;
    for (int time = 1; time <= 2; ++time) {  // the second the same day takes the name with "-2"
      fs::remove(path);  // the new one of the first time
      c.make(path);
      originals.push_back(test::ReadFile(path));
      ProgressStore s;
      const std::string message = s.Open(path);
      std::smatch m;
      ASSERT_TRUE(std::regex_match(message, m, std::regex("The progress file (was damaged|belonged to another program)"
                                                          "; it was set aside as (progress\\.sqlite\\.damaged-"
                                                          "\\d{4}-\\d\\d-\\d\\d(-2)?) and a new one was started\\.")))
          << message;
      EXPECT_NE(message.find(c.said), std::string::npos);
      EXPECT_EQ(m[3].matched, time == 2);
      EXPECT_TRUE(s.Persistent());
      EXPECT_TRUE(s.Solves().empty());
      ASSERT_TRUE(s.RecordWin(Win("new", 5, true, 1)));
      asides.push_back(m[2]);
    }
    EXPECT_EQ(asides[1], asides[0] + "-2");
    // Both set aside whole, and nothing else is left beside them.
    std::map<std::string, std::string> expected = {{"progress.sqlite", test::ReadFile(path)}};
    for (std::size_t n = 0; n < 2; ++n) expected[asides[n]] = originals[n];
    EXPECT_TRUE(test::Snapshot(dir.Path()) == expected);
  }
}

// Files and folders the store cannot or must not write: the progress lasts for the run and nothing is touched.
TEST(Progress, UnwritableFoldersAndNewerFilesKeepProgressInMemory) {
  const struct {
    const char* name;
    const char* file;  // in the temporary folder
    bool existing, refuse;
    const char* said;
  } cases[] = {
      {"read-only folder", "progress.sqlite", false, true, "cannot be written, so your progress will not be kept"},
      {"read-only folder, file there", "progress.sqlite", true, true, "cannot be written"},
      {"folder under a file", "plain/progress.sqlite", false, false, "cannot be written"},
      {"newer schema", "progress.sqlite", true, false, "was written by a newer Kelvane; it is left as it is"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempDir dir;
    test::WriteFile(dir.File("plain"), "a file, not a folder");
    const std::string path = dir.File(c.file);
    if (c.existing) Fill(path, 2);
    if (std::string(c.name) == "newer schema") Sql(path, "PRAGMA user_version = 2;");
    const auto before = test::Snapshot(dir.Path());
    {
      Refusal refusal(dir.Folder(), c.refuse, SIZE_MAX);
      ScopedWriteFault scoped(refusal);
      ProgressStore s;
      const std::string message = s.Open(path);
      EXPECT_NE(message.find(c.said), std::string::npos) << message;
      if (!c.existing) {
        EXPECT_NE(message.find(fs::path(path).parent_path().string()), std::string::npos) << message;
      }
      EXPECT_TRUE(s.IsOpen());
      EXPECT_FALSE(s.Persistent());
      EXPECT_TRUE(s.Solves().empty());
      EXPECT_TRUE(s.RecordWin(Win("k", 5, true, 3)) && s.SaveVisit("k", 3, "") && s.SetSetting("a", "b"));
      EXPECT_TRUE(s.IsSolved("k"));
    }
    EXPECT_TRUE(test::Snapshot(dir.Path()) == before);
  }
}

// A full disk: the write fails, says why and leaves the rows before it; once there is room again it works.
TEST(Progress, AFullDiskRefusesTheWriteAndKeepsEarlierRows) {
  for (std::size_t limit : {std::size_t{0}, std::size_t{100}}) {
    SCOPED_TRACE(limit);
    test::TempDir dir;
    const std::string path = dir.File("progress.sqlite");
    ProgressStore s;
    ASSERT_EQ(s.Open(path), "");
    ASSERT_TRUE(s.RecordWin(Win("kept", 5, true, 9)) && s.SaveVisit("kept", 9, "c") && s.SetSetting("a", "1"));
    {
      Refusal full(dir.Folder(), false, limit);
      ScopedWriteFault scoped(full);
      EXPECT_FALSE(s.RecordWin(Win("lost", 5, true, 1)));
      EXPECT_NE(s.LastError().find("full"), std::string::npos) << s.LastError();
      EXPECT_FALSE(s.SaveVisit("kept", 99, "lost"));
      EXPECT_FALSE(s.SetSetting("a", "2"));
      EXPECT_FALSE(s.SaveLastShown("p.kvl", 4));
      EXPECT_EQ(s.SolvedKeys(), std::unordered_set<std::string>{"kept"});
    }
    ASSERT_TRUE(s.RecordWin(Win("later", 5, true, 2)));
    ProgressStore again;
    ASSERT_EQ(again.Open(path), "");
    EXPECT_EQ(again.Solves(), (std::vector<Solve>{Win("kept", 5, true, 9), Win("later", 5, true, 2)}));
    EXPECT_EQ(std::make_tuple(again.LoadVisit("kept").chain, again.Setting("a"), again.LastShown("p.kvl")),
              std::make_tuple("c", "1", 0));
  }
}

// Reading only (kelvane-cli stats): nothing is created or written. The cli tests check a damaged file and the side files.
TEST(Progress, ReadOnlyChangesNothing) {
  test::TempDir dir;
  const std::string path = dir.File("progress.sqlite");
  ProgressStore s;
  EXPECT_EQ(s.Open(path, true), "");
  EXPECT_FALSE(s.RecordWin(Win("k", 5, true, 1)));
  EXPECT_FALSE(fs::exists(path));
  Fill(path, 3);
  const std::string bytes = test::ReadFile(path);
  EXPECT_EQ(s.Open(path, true), "");
  EXPECT_EQ(s.SolvedKeys().size(), 3u);
  EXPECT_FALSE(s.RecordWin(Win("k", 5, true, 1)) || s.SaveVisit("k", 1, "") || s.SetSetting("a", "b"));
  EXPECT_EQ(test::ReadFile(path), bytes);
}

// Statistics.

TEST(Statistics, RowsBySizeAndDifficulty) {
  const std::vector<Solve> wins = {
      Win("h1", 5, false, 75), Win("h2", 5, false, 65, 1), Win("h1", 5, false, 90),   // odd: the middle
      Win("e1", 9, true, 30), Win("e2", 9, true, 10, 0, true), Win("e1", 9, true, 20), Win("e3", 9, true, 40),  // even
      Win("e9", 5, true, 4000, 2), Win("h9", 7, false, 1),
  };
  EXPECT_EQ(SummariseSolves(wins), (std::vector<StatsRow>{{5, true, 1, 4000, 4000, 0},
                                                          {5, false, 2, 75, 65, 2},
                                                          {7, false, 1, 1, 1, 1},
                                                          {9, true, 3, 20, 10, 3}}));
  EXPECT_TRUE(SummariseSolves({}).empty());
  const std::vector<StatsRow> rows = {{5, false, 2, 75, 65, 2}, {9, true, 1234, 4000, 9, 0}};
  EXPECT_EQ(StatsTable(rows, false),
            "size difficulty  solved  median   best  clean\n"
            "5x5  Hard             2    1:15   1:05      2\n"
            "9x9  Easy          1234   66:40   0:09      0\n");
  EXPECT_EQ(StatsTable(rows, true),
            "size,difficulty,solved,median seconds,best seconds,clean\n5,Hard,2,75,65,2\n9,Easy,1234,4000,9,0\n");
  std::vector<Solve> rated = {Win("a", 7, false, 75, 2, true, 1796824980), Win("b", 5, true, 9, 0, false, 59)};
  rated[0].stars = 3;
  EXPECT_EQ(SolvesCsv(rated), "date,size,difficulty,seconds,hints,solution shown,stars\n"
                              "2026-12-09 14:03,7,Hard,75,2,yes,3\n1970-01-01 00:00,5,Easy,9,0,no,\n");
  // By stars: unrated wins left out, the rows in order of stars.
  std::vector<Solve> starred = wins;
  for (std::size_t k = 0; k < starred.size(); ++k) starred[k].stars = static_cast<int>(k % 3) * 2;  // 0, 2, 4
  EXPECT_EQ(SummariseSolvesByStars(starred), (std::vector<StatsRow>{{.solved = 3, .medianSeconds = 65, .bestSeconds = 10, .clean = 0, .stars = 2},
                                                                    {.solved = 3, .medianSeconds = 20, .bestSeconds = 1, .clean = 3, .stars = 4}}));
  std::vector<Solve> timed;
  for (std::int64_t s : {0, 59, 60, 119, 120, 299, 300, 599, 600, 1799, 1800, 99999}) timed.push_back(Win("t", 5, true, s));
  const std::vector<ChartBar> bars = SolveTimeBars(timed);
  ASSERT_EQ(bars.size(), 6u);
  for (const ChartBar& bar : bars) EXPECT_EQ(bar.count, 2) << bar.label;
}

// A file's solved puzzles by position, wherever they were won; an incomplete record counts but is never solved.
TEST(Statistics, SolvedInFileFindsThePuzzlesByGridAndMarkedCell) {
  test::TempDir dir;
  const std::string grid = "1+2-3-   +2-3+1+   -3+1-2", other = "2+3-1-   +3-1+2+   -1+2-3";
  const std::string path = dir.File("p.kvl");
  test::WriteFile(path, FormatRecord(1, true, 5, 4, 11, grid, "21,11,1,3, 11") +
                            FormatRecord(2, true, 5, 4, 13, grid, "21,11,1,3, 13") +
                            FormatRecord(3, false, 5, 4, 11, other, "21,11,1,3, 11") +
                            FormatRecord(4, true, 5, 4, 11, grid, "21,11,1,3, 11") +  // puzzle 1 again
                            "#5\r\nEasy\r\n5 4\r\n011" + grid + "\r\n");
  const std::vector<Solve> wins = {Win(PuzzleKey(grid, 11), 5, true, 10), Win("elsewhere@1", 5, true, 20),
                                   Win(PuzzleKey(other, 11), 5, false, 30), Win(PuzzleKey(grid, 11), 5, true, 40)};
  FileProgress p;
  ASSERT_EQ(SolvedInFile(path, {PuzzleKey(grid, 11), PuzzleKey(other, 11), "elsewhere@1"}, wins, p), ReadStatus::Ok);
  EXPECT_EQ(p.puzzles, 5);
  EXPECT_EQ(p.solvedNumbers, (std::vector<int>{1, 3, 4}));
  EXPECT_EQ(p.solves, (std::vector<Solve>{wins[0], wins[2], wins[3]}));
  EXPECT_EQ(SolvedInFile(dir.File("missing.kvl"), {}, wins, p), ReadStatus::Missing);
  EXPECT_EQ(p.puzzles, 5);  // unchanged
}

// The play clock, on a clock the test moves.

TEST(PlayClock, CountsOnlyWhileRunningAndResetStopsIt) {
  std::int64_t now = 1'000'000;
  PlayClock clock([&] { return now; });
  enum Op { Start, Pause, Wait, ResetTo };
  const struct {
    Op op;
    std::int64_t ms;  // the wait, or the time reset to
    std::int64_t spent;
    bool running;
  } steps[] = {
      {Wait, 5000, 0, false},       // a new clock stands still
      {Start, 0, 0, true},          {Wait, 1500, 1500, true},   {Start, 0, 1500, true},  // starting again changes nothing
      {Wait, 500, 2000, true},      {Pause, 0, 2000, false},    {Wait, 9000, 2000, false},
      {Pause, 0, 2000, false},      {Start, 0, 2000, true},     {Wait, 61000, 63000, true},
      {ResetTo, 75000, 75000, false},  // a puzzle seen before, stopped while running
      {Wait, 4000, 75000, false},   {Start, 0, 75000, true},    {Wait, 250, 75250, true},
      {Wait, -1000, 75000, true},   // a clock stepping back takes nothing away from what was spent
      {ResetTo, -5, 0, false},      {Start, 0, 0, true},        {Wait, 999, 999, true},
  };
  int k = 0;
  for (const auto& s : steps) {
    SCOPED_TRACE(testing::Message() << "step " << ++k);
    switch (s.op) {
      case Start: clock.SetRunning(true); break;
      case Pause: clock.SetRunning(false); break;
      case Wait: now += s.ms; break;
      case ResetTo: clock.Reset(s.ms); break;
    }
    EXPECT_EQ(std::make_tuple(clock.SpentMs(), clock.Running(), clock.Seconds()),
              std::make_tuple(s.spent, s.running, s.spent / 1000));
  }
}

TEST(PlayClock, ClockTextAndStatusLine) {
  const std::pair<std::int64_t, const char*> clocks[] = {
      {0, "0:00"}, {7, "0:07"}, {60, "1:00"}, {754, "12:34"}, {360000, "6000:00"}, {-3, "0:00"},
  };
  for (const auto& [seconds, text] : clocks) EXPECT_EQ(ClockText(seconds), text) << seconds;

  const std::string dot = "\xc2\xb7";
  const std::pair<StatusInfo, std::string> lines[] = {
      {{2, false, 3, 0, 72}, "0:02 " + dot + " hints left 3 " + dot + " 0 of 72 solved"},
      {{75, true, -9, 12, 72}, "Solved in 1:15 " + dot + " 12 of 72 solved"},
      {{3600, false, -1, 5, 6}, "60:00 " + dot + " hints left 0 " + dot + " 5 of 6 solved"},
      {{9, false, 1, 0, 0}, "0:09 " + dot + " hints left 1"},  // a board of its own: no file count
      {{61, true, -9, 0, 0}, "Solved in 1:01"},
  };
  for (const auto& [info, text] : lines) EXPECT_EQ(StatusLineText(info), text);
}

}  // namespace
}  // namespace kelvane
