// Tests of puzzle files (counting, reading by position, bad input, the index cache, writing, writes that fail), of
// the number and field rules used in their text, of navigation (showing stored puzzles, the arrows' targets, the
// pickers, saving and deleting records, finding the data folder in build, portable and installed layouts), and of
// the board and play: geometry, layout, the marked cell, the win test, the chain, hints and the solution display.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/batch.h"
#include "engine/chain_list.h"
#include "model/folders.h"
#include "model/game_state.h"
#include "model/geometry.h"
#include "model/navigation.h"
#include "model/play.h"
#include "model/puzzle_file.h"
#include "model/text_rules.h"
#include "model/write_fault.h"
#include "settings/config_file.h"
#include "test_support.h"

namespace kelvane {
namespace {

namespace fs = std::filesystem;
using Text = std::vector<std::string>;
using test::Joined;

// A 5 x 5 grid: numbers 1..3 in a Latin square, signs between them, blanks at the crossings.
const std::string kGrid5 = "1+2-3-   +2-3+1+   -3+1-2";
const std::string kSolution5 = "21,11,13,3, 13";

Text Record(const std::string& header, const std::string& title = "Easy", const std::string& solution = kSolution5,
            const std::string& grid = "013" + kGrid5) {
  return {header, title, "5 4", grid, solution};
}

// count records of kGrid5, even numbers Easy, odd Hard, with marked cells that differ.
std::string Records(int count) {
  std::string text;
  for (int k = 1; k <= count; ++k) text += FormatRecord(k, k % 2 == 0, 5, 4, 11 + k % 3, kGrid5, "21,11,1,3, 11");
  return text;
}

Text Concat(std::initializer_list<Text> parts) {
  Text all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

auto Fields(const RawRecord& r) {
  return std::tie(r.HeaderLine, r.TitleLine, r.SizeLine, r.GridLine, r.SolutionLine, r.Overlong);
}
const RawRecord kSecond{"#2", "Easy", "5 4", "013" + kGrid5, kSolution5, false};

// One file "p.kvl" in a fresh folder, read through one index cache.
class PuzzleFile : public ::testing::Test {
 protected:
  void Write(const Text& lines) { test::WriteFile(path, Joined(lines)); }
  int Count() { return CountPuzzles(files, path); }
  ReadStatus Raw(int position) { return ReadRawRecord(files, path, position, raw); }
  ReadStatus Read(int position) { return ReadRecord(g, path, position, title); }

  test::TempDir dir;
  const std::string path = dir.File("p.kvl");
  PuzzleFileIndexes files;
  RawRecord raw;
  GameState g;
  std::string title;
};

TEST_F(PuzzleFile, CountsHeadersWithAPositiveNumberButReadsEveryHeader) {
  // Long runs of blanks or zeros before the number must not hide it.
  const std::pair<std::string, bool> headers[] = {
      {"#", false},    {"#0", false},   {"#-3", false},  {"#x", false},  {"#" + std::string(60, '0'), false},
      {"#7", true},    {"# 12", true},  {"#0.5", true},  {"#3 old", true}, {"#0007", true},
      {"#" + std::string(60, ' ') + "4", true}, {"#" + std::string(60, '0') + "4", true},
      {"#0." + std::string(60, '0') + "1", true},
  };
  for (const auto& [header, counted] : headers) {
    SCOPED_TRACE(header);
    Write(Concat({Record("#1"), Record(header), Record("#2")}));
    EXPECT_EQ(Count(), counted ? 3 : 2);
    ASSERT_EQ(Raw(2), ReadStatus::Ok);
    EXPECT_EQ(raw.HeaderLine, header);
    ASSERT_EQ(Raw(3), ReadStatus::Ok);
    EXPECT_EQ(raw.HeaderLine, "#2");
  }
}

TEST_F(PuzzleFile, MissingEmptyAndFolderInputs) {
  test::WriteFile(dir.File("empty.kvl"), "");
  int calls = 0;
  auto each = [&](int, const RawRecord&, ReadStatus) { return ++calls, true; };
  const std::tuple<std::string, ReadStatus, ReadStatus> cases[] = {  // file, by position, whole file
      {dir.File("none.kvl"), ReadStatus::Missing, ReadStatus::Missing},
      {dir.File("empty.kvl"), ReadStatus::NotFound, ReadStatus::Ok},
      {dir.Path().string(), ReadStatus::Unreadable, ReadStatus::Unreadable},
  };
  for (const auto& [f, byPosition, whole] : cases) {
    EXPECT_EQ(std::make_tuple(CountPuzzles(files, f), ReadRawRecord(files, f, 1, raw), ReadAllRecords(f, each)),
              std::make_tuple(0, byPosition, whole)) << f;
  }
  EXPECT_EQ(calls, 0);
  g.RecCells[0] = g.RecCells[MaxGridCells] = "9";
  title = "old";
  EXPECT_EQ(ReadRecord(g, dir.File("none.kvl"), 1, title), ReadStatus::Missing);
  EXPECT_EQ(title + g.RecCells[0] + g.RecCells[MaxGridCells], "");
}

// The rest of the record buffer is checked by the round trip through AppendRecord below.
TEST_F(PuzzleFile, ReadRecordTakesTheTitlesFirstFieldAndAShortGrid) {
  Write({"#8", "Easy, by someone", "9 12", "013" + kGrid5, kSolution5});
  ASSERT_EQ(Read(1), ReadStatus::Ok);
  EXPECT_EQ(std::tie(title, g.RecCells[0], g.RecCells[25]), std::make_tuple("Easy", "3", "2"));
  ASSERT_EQ(Raw(1), ReadStatus::Ok);
  EXPECT_EQ(ParseRecord(raw).WrittenNumber, 8);

  // Read over the longer record, a short grid leaves the rest empty; a marked cell beyond it reads as 0.
  Write({"#1", "Easy", "7 6", "029123", "43,29, 29"});
  ASSERT_EQ(Read(1), ReadStatus::Ok);
  EXPECT_EQ(std::tie(g.RecSize, g.RecMarkedCell, g.RecCells[0], g.RecCells[3], g.RecCells[4], g.RecCells[25]),
            std::make_tuple(7, 29, "0", "3", "", ""));
}

TEST(ParseRecord, SizeLineAndMarkedCellRules) {
  const std::tuple<const char*, int, int, int> sizes[] = {  // line, size, digit, length
      {"4 6", 7, 4, 6}, {"9 12", 9, 9, 12}, {"5 4", 5, 5, 4},  {"7", 7, 7, 0},   {"6 3", 6, 6, 3},
      {"", 7, 0, 0},    {"x 5", 7, 0, 5},   {"0 8", 7, 0, 8},  {"5 -1", 5, 5, -1}, {"95", 9, 9, 5},
  };
  for (const auto& [line, size, digit, length] : sizes) {
    RawRecord raw;
    raw.SizeLine = line;
    const ParsedRecord r = ParseRecord(raw);
    EXPECT_EQ(std::tie(r.Size, r.SizeDigit, r.SolutionLength), std::tie(size, digit, length)) << '"' << line << '"';
  }
  const std::tuple<const char*, int, bool> marks[] = {  // solution, marked cell, bad
      {"21,11,1, 11", 11, false}, {"13", 13, false},       {"21,11,1, 81", 81, false},
      {"21,11,1, 0", 0, false},   {"21,11,1,", 0, false},  {"21,11,1, x", 0, false},
      {"21,11,1, 82", 0, true},   {"21,11,1, -1", 0, true}, {"21,11,1, 2.5", 0, true},
      {"1, 99999999999999999999", 0, true},
  };
  for (const auto& [solution, marked, bad] : marks) {
    RawRecord raw;
    raw.SolutionLine = solution;
    const ParsedRecord r = ParseRecord(raw);
    EXPECT_EQ(std::tie(r.MarkedCell, r.MarkedCellBad, r.Solution), std::tie(marked, bad, solution)) << solution;
  }
}

TEST_F(PuzzleFile, LineEndsAndJunkLinesBetweenRecordsDoNotChangeWhatIsRead) {
  const Text second = Record("#2", "Easy", "23,13, 13");
  const Text records = Concat({Record("#1"), second});
  const Text junk = Concat({{"notes", "", "5 4"}, Record("#1"), {"extra", "21,11", ""}, second, {"trailing"}});
  using Seen = std::tuple<std::string, decltype(GameState::RecCells), std::string, int, int>;
  auto readBoth = [&](const std::string& name, const std::string& text) {
    test::WriteFile(dir.File(name), text);
    EXPECT_EQ(CountPuzzles(files, dir.File(name)), 2) << name;
    std::vector<Seen> seen;
    for (int pos : {1, 2}) {
      GameState s;
      std::string t;
      EXPECT_EQ(ReadRecord(s, dir.File(name), pos, t), ReadStatus::Ok) << name;
      seen.emplace_back(t, s.RecCells, s.RecSolution, s.RecMarkedCell, s.RecSize);
    }
    return seen;
  };
  const std::vector<Seen> crlf = readBoth("crlf.kvl", Joined(records));
  EXPECT_EQ(std::tie(std::get<0>(crlf[1]), std::get<2>(crlf[1])), std::make_tuple("Easy", "23,13, 13"));
  EXPECT_EQ(readBoth("lf.kvl", Joined(records, "\n")), crlf);
  EXPECT_EQ(readBoth("junk.kvl", Joined(junk)), crlf);
}

TEST_F(PuzzleFile, LongGridsAreCutAt81CellsAndVeryLongLinesAreCut) {
  std::string cells;
  for (int i = 0; i < 120; ++i) cells += static_cast<char>('a' + i % 26);
  for (std::size_t length : {std::size_t{120}, std::size_t{81}}) {
    Write({"#1", "Hard", "9 8", "081" + cells.substr(0, length), "1, 81"});
    ASSERT_EQ(Raw(1), ReadStatus::Ok);
    const ParsedRecord r = ParseRecord(raw);
    EXPECT_EQ(std::tie(r.GridTooLong, r.Cells, r.GridPrefix), std::make_tuple(length > 81, cells.substr(0, 81), "081"));
    ASSERT_EQ(Read(1), ReadStatus::Ok);
    EXPECT_EQ(std::tie(g.RecCells[81], g.RecCells[0]), std::make_tuple(std::string(1, cells[80]), "0"));
  }

  // Lines longer than a reader keeps are cut and do not spill over; first as the grid line.
  const std::string huge(100000, 'z');
  Write(Concat({{"#1", "Hard", "9 8", "013" + huge, kSolution5}, Record("#2")}));
  EXPECT_EQ(Count(), 2);
  ASSERT_EQ(Raw(1), ReadStatus::Ok);
  EXPECT_EQ(std::tie(raw.Overlong, raw.SolutionLine), std::make_tuple(true, kSolution5));
  EXPECT_LE(raw.GridLine.size(), MaxRecordLine);
  EXPECT_EQ(ParseRecord(raw).Cells, std::string(81, 'z'));
  ASSERT_EQ(Raw(2), ReadStatus::Ok);
  EXPECT_EQ(Fields(raw), Fields(kSecond));

  // As the title line: the grid itself is fine.
  Write({"#1", huge, "5 4", "013" + kGrid5, kSolution5});
  ASSERT_EQ(Raw(1), ReadStatus::Ok);
  const ParsedRecord titled = ParseRecord(raw);
  EXPECT_EQ(std::tie(raw.Overlong, titled.GridTooLong, titled.Cells, titled.Size),
            std::make_tuple(true, false, kGrid5, 5));

  // As a header line and as a line between records.
  Write(Concat({Record("#1" + huge), {huge, "#" + huge}, Record("#2")}));
  EXPECT_EQ(Count(), 2);
  EXPECT_EQ(Raw(2), ReadStatus::Incomplete);
  ASSERT_EQ(Raw(3), ReadStatus::Ok);
  EXPECT_EQ(Fields(raw), Fields(kSecond));
}

TEST_F(PuzzleFile, BinaryBytesAndNulsReadWithoutHarm) {
  std::string grid = "013" + kGrid5;
  grid[5] = '\0';
  grid[6] = '\xff';
  test::WriteFile(path, std::string("\x00\x01\x80\xfe\n", 5) +
                            Joined(Concat({Record("#1", "Easy", kSolution5, grid), Record("#2")})));
  const FileIndex* index = files.Get(path);
  ASSERT_NE(index, nullptr);
  EXPECT_EQ(std::tie(index->hasNul, index->counted), std::make_tuple(true, 2));
  ASSERT_EQ(Raw(1), ReadStatus::Ok);
  EXPECT_EQ(raw.GridLine, grid);
  ASSERT_EQ(Read(1), ReadStatus::Ok);
  EXPECT_EQ(std::tie(g.RecCells[3], g.RecCells[4]), std::make_tuple(std::string(1, '\0'), "\xff"));

  Write(Record("#1"));
  ASSERT_NE(index = files.Get(path), nullptr);
  EXPECT_FALSE(index->hasNul);
}

// A record cut short by the end of the file or by the next "#" line is incomplete; it was read
// across into the next record. The whole-file reader and the positional reader see the same records.
TEST_F(PuzzleFile, ReadAllRecordsAgreesWithReadingByPositionAndCanStop) {
  Write(Concat({{"preface"}, Record("#1"), {"#"}, Record("#0"), {"#2", "Easy"}, Record("#3"), {"after"},
                Record("#5" + std::string(MaxRecordLine, 'h')), {"#4", "Hard", "7 6"}}));
  std::vector<RawRecord> all;
  std::vector<ReadStatus> seen;
  ASSERT_EQ(ReadAllRecords(path, [&](int pos, const RawRecord& r, ReadStatus s) {
    EXPECT_EQ(pos, static_cast<int>(all.size()) + 1);
    return all.push_back(r), seen.push_back(s), true;
  }), ReadStatus::Ok);
  const auto ok = ReadStatus::Ok, part = ReadStatus::Incomplete;
  EXPECT_EQ(seen, (std::vector<ReadStatus>{ok, part, ok, part, ok, ok, part}));
  for (std::size_t i = 0; i <= all.size(); ++i) {
    const ReadStatus s = Raw(static_cast<int>(i + 1));
    ASSERT_EQ(s, i < all.size() ? seen[i] : ReadStatus::NotFound) << "position " << i + 1;
    EXPECT_TRUE(s != ReadStatus::Ok || Fields(raw) == Fields(all[i])) << "position " << i + 1;
  }
  for (int pos : {0, -1, INT_MAX, INT_MIN}) EXPECT_EQ(Raw(pos), ReadStatus::NotFound) << pos;
  int calls = 0;
  ASSERT_EQ(ReadAllRecords(path, [&](int, const RawRecord&, ReadStatus) { return ++calls < 2; }), ReadStatus::Ok);
  EXPECT_EQ(calls, 2);
}

// Pasted text is split into records as a file is; where the text could be a file (LF or CR LF), the file reader
// reads the same records from it.
TEST_F(PuzzleFile, RecordsInTextAreSplitAsInAFile) {
  using Seen = std::vector<std::tuple<int, ReadStatus, std::string, std::string, std::string, std::string, std::string,
                                      bool>>;
  auto record = [](int pos, ReadStatus s, const RawRecord& r) {
    return std::tuple_cat(std::make_tuple(pos, s), Fields(r));
  };
  const auto ok = ReadStatus::Ok, part = ReadStatus::Incomplete;
  const RawRecord first{"#1", "Easy", "5 4", "013" + kGrid5, kSolution5, false};
  const Text two = Concat({{"Hello, two puzzles:", "", "5 4"}, Record("#1"), {"and", "21,11"}, Record("#2"),
                           {"-- ", "signed"}});
  const Seen both = {record(1, ok, first), record(2, ok, kSecond)};
  const std::string huge(MaxRecordLine + 10, 'x');
  const struct {
    const char* what;
    std::string text;
    bool asFile;
    Seen seen;
  } rows[] = {
      {"chatter, CR LF", Joined(two), true, both},
      {"chatter, LF", Joined(two, "\n"), true, both},
      {"lone CR", Joined(two, "\r"), false, both},
      {"mixed, cut off", Joined(Record("#1")) + Joined(Record("#2"), "\n") + "#3\r\nHard", true,
       {record(1, ok, first), record(2, ok, kSecond), record(3, part, {"#3", "Hard", "", "", "", false})}},
      {"cut by the next record", Joined(Concat({{"#1", "Easy", "5 4"}, Record("#2")})), true,
       {record(1, part, {"#1", "Easy", "5 4", "", "", false}), record(2, ok, kSecond)}},
      {"empty", "", true, {}},
      {"overlong", Joined({"#1", huge, "5 4", "013" + kGrid5, kSolution5}, "\n"), true,
       {record(1, ok, {"#1", huge.substr(0, MaxRecordLine), "5 4", "013" + kGrid5, kSolution5, true})}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Seen inText, inFile;
    ReadRecordsInText(row.text, [&](int pos, const RawRecord& r, ReadStatus s) {
      return inText.push_back(record(pos, s, r)), true;
    });
    EXPECT_EQ(inText, row.seen);
    if (!row.asFile) continue;
    test::WriteFile(path, row.text);
    ASSERT_EQ(ReadAllRecords(path, [&](int pos, const RawRecord& r, ReadStatus s) {
      return inFile.push_back(record(pos, s, r)), true;
    }), ok);
    EXPECT_EQ(inFile, row.seen);
  }
}

// A longer file: AppendToFileStartsTheTextOnALineOfItsOwn.
TEST_F(PuzzleFile, IndexCacheNoticesChangedFiles) {
  Write(Concat({Record("#1"), Record("#2")}));
  EXPECT_EQ(Count(), 2);
  // As long, written later, one record less: the index is built anew.
  std::string same = test::ReadFile(path);
  same[same.rfind('#')] = 'x';
  test::WriteFile(path, same);
  fs::last_write_time(path, fs::last_write_time(path) + std::chrono::seconds(5));
  EXPECT_EQ(Count(), 1);
  // Shorter, different content: old offsets must not be used.
  Write({"x", "#8", "Hard", "7 6", "029123", "43,29, 29"});
  EXPECT_EQ(Count(), 1);
  ASSERT_EQ(Raw(1), ReadStatus::Ok);
  EXPECT_EQ(raw.HeaderLine + raw.SolutionLine, "#843,29, 29");
  EXPECT_EQ(Raw(2), ReadStatus::NotFound);
  fs::remove(path);
  EXPECT_EQ(Count(), 0);
  EXPECT_EQ(Raw(1), ReadStatus::Missing);
}

// A line break goes first only where the file does not end in one: an empty file gets no blank first line, and
// the index cache, which read the file before, sees the record added.
TEST_F(PuzzleFile, AppendToFileStartsTheTextOnALineOfItsOwn) {
  const Text records = Concat({Record("#1"), Record("#2")});
  const std::string two = Joined(records), lf = Joined(records, "\n"), cut = two.substr(0, two.size() - 2);
  const std::string rec = Joined(Record("#3", "Easy", "23,13, 13"));
  const std::tuple<const char*, std::optional<std::string>, std::string, int> rows[] = {  // what, before, after, count
      {"no file", std::nullopt, rec, 1},  {"empty file", "", rec, 1},  {"CR LF at the end", two, two + rec, 3},
      {"LF at the end", lf, lf + rec, 3}, {"no final line break", cut, two + rec, 3},
  };
  for (const auto& [what, before, after, count] : rows) {
    SCOPED_TRACE(what);
    fs::remove(path);
    if (before) test::WriteFile(path, *before);
    const FileIndex* index = files.Get(path);
    EXPECT_EQ(index && index->endsWithNewline, before && (before->empty() || before->back() == '\n'));
    EXPECT_EQ(index ? index->counted : 0, count - 1);
    ASSERT_TRUE(AppendToFile(path, rec).ok);
    EXPECT_EQ(test::ReadFile(path), after);
    EXPECT_EQ(Count(), count);
    ASSERT_EQ(Raw(count), ReadStatus::Ok);
    EXPECT_EQ(raw.SolutionLine, "23,13, 13");
  }
}

// The shipped file was written by the same writer: each puzzle read onto the board and saved again gives the file
// back byte for byte, every size and both difficulties. Number 0 starts the file anew, here over three records; each
// save after it appends the next number.
TEST_F(PuzzleFile, ShippedPuzzlesShownAndSavedGiveTheFileBack) {
  const std::string shipped = KELVANE_SOURCE_DATA "puzzles.kvl";
  ASSERT_EQ(CountPuzzles(files, shipped), 72);
  Write(Concat({Record("#1"), Record("#2"), Record("#3")}));
  EXPECT_EQ(Count(), 3);
  ASSERT_TRUE(ShowPuzzle(g, shipped, 1).found);
  int number = 0;
  ASSERT_TRUE(AppendRecord(g, number, path).ok);
  EXPECT_EQ(number, 1);
  for (int k = 2; k <= 72; ++k) {
    ASSERT_TRUE(ShowPuzzle(g, shipped, k).found) << k;
    const SaveResult s = SaveCurrentPuzzle(g, path);
    ASSERT_EQ(std::tie(s.ok, s.number, s.message),
              std::make_tuple(true, k, "Puzzle# " + std::to_string(k) + " saved in file " + path));
  }
  EXPECT_EQ(Count(), 72);
  // Nothing else is left in the folder.
  EXPECT_EQ(test::Snapshot(dir.Path()), (std::map<std::string, std::string>{{"p.kvl", test::ReadFile(shipped)}}));
}

// A record the game could never accept as won is not written. A failed New once
// left an empty solution on the board, and Save appended it.
TEST_F(PuzzleFile, AppendRecordWithoutAMarkedCellOrASolutionWritesNothing) {
  const std::string before = Joined(Record("#1"));
  test::WriteFile(path, before);
  ASSERT_TRUE(ShowPuzzle(g, path, 1).found);
  for (const char* solution : {"21,11,1,", "", "21,,1, 1", "21,11,01, 1", "21,11,1,30, 1", "21,11,1,3, 1x"}) {
    SCOPED_TRACE(std::string("solution \"") + solution + "\"");
    GameState board = g;
    PlaceMarker(board, solution);
    board.Solution = solution;
    if (board.MarkedCell < 1) board.MarkedCell = 1;  // so the solution itself is what is refused
    if (std::string(solution) == "21,11,1,") board.MarkedCell = 0;
    for (int start : {5, 0}) {
      int number = start;
      const WriteResult w = AppendRecord(board, number, path);
      EXPECT_FALSE(w.ok);
      EXPECT_EQ(test::ReadFile(path), before);
      EXPECT_TRUE(start != 5 || w.message == "Error writing puzzle# 5 to file: " + path) << w.message;
    }
    int number = 1;
    EXPECT_FALSE(AppendRecord(board, number, dir.File("fresh.kvl")).ok);
    EXPECT_EQ(test::Snapshot(dir.Path()), (std::map<std::string, std::string>{{"p.kvl", before}}));
  }
}

TEST_F(PuzzleFile, WritesFailCleanlyWhereNothingCanBeWritten) {
  const std::string nowhere = dir.File("missing/p.kvl");
  const WriteResult w = AppendToFile(nowhere, Joined(Record("#1")));
  EXPECT_FALSE(w.ok);
  EXPECT_NE(w.message.find(nowhere), std::string::npos);
  ASSERT_TRUE(ShowPuzzle(g, KELVANE_SOURCE_DATA "puzzles.kvl", 1).found);
  int number = 0;
  EXPECT_FALSE(AppendRecord(g, number, nowhere).ok);
  EXPECT_FALSE(fs::exists(dir.File("missing")));
  // A read-only folder, also for root: WriteFailure.EveryWriteThatFailsKeepsEveryFileAndSaysSo.
  test::WriteFile(path, "x");
  EXPECT_TRUE(FileExists(path));
  for (const std::string& other : {nowhere, std::string(), dir.Path().string(), dir.Folder()})
    EXPECT_FALSE(FileExists(other)) << other;
}

TEST_F(PuzzleFile, NextFreeNameNumbersBeforeTheExtension) {
  const std::pair<std::string, std::string> names[] = {
      {"x;07.kvl", "x;08.kvl"}, {"x;99.kvl", "x;01.kvl"}, {"noext", "noext;01"}, {"a.b.kvl", "a.b;01.kvl"},
      {"v1.2/plain", "v1.2/plain;01"}, {"a;05.d/plain", "a;05.d/plain;01"}};
  fs::create_directory(dir.File("v1.2"));
  fs::create_directory(dir.File("a;05.d"));
  for (const auto& [from, next] : names) EXPECT_EQ(NextFreeName(dir.File(from)), dir.File(next)) << from;

  for (int n = 1; n <= 99; ++n) {  // each name taken in turn: the next is the first free one
    const std::string next = dir.File("full;" + std::string(n < 10 ? "0" : "") + std::to_string(n) + ".kvl");
    EXPECT_EQ(NextFreeName(dir.File("full.kvl")), next);
    test::WriteFile(next, "");
  }
  EXPECT_EQ(NextFreeName(dir.File("full.kvl")), "");
  EXPECT_EQ(NextFreeName(dir.File("full;50.kvl")), "");
  fs::remove(dir.File("full;42.kvl"));
  EXPECT_EQ(NextFreeName(dir.File("full;50.kvl")), dir.File("full;42.kvl"));
}

TEST(TextRules, NumbersAreReadFromTheStartOfATextAndClampedToIntRange) {
  const std::tuple<std::string, double, int> cases[] = {  // text, NumericValue, IntValue
      {"", 0, 0},        {"   ", 0, 0},     {"abc", 0, 0},       {"-", 0, 0},       {"+", 0, 0},      {".", 0, 0},
      {"x5", 0, 0},      {"- 5", 0, 0},     {"12", 12, 12},      {"   12", 12, 12}, {" 12x7", 12, 12}, {"-3", -3, -3},
      {"  -3 ", -3, -3}, {"+7", 7, 7},      {"0.4", 0.4, 0},     {"-2.75", -2.75, -2}, {".5", 0.5, 0}, {"007", 7, 7},
      {"1.2.3", 1.2, 1}, {"21,11", 21, 21}, {"5\r", 5, 5},       {"\t8", 8, 8},
      {"2147483647", 2147483647.0, INT_MAX},   {"2147483648", 2147483648.0, INT_MAX},
      {"-2147483648", -2147483648.0, INT_MIN}, {"-2147483649.5", -2147483649.5, INT_MIN},
  };
  for (const auto& [text, value, whole] : cases) {
    EXPECT_DOUBLE_EQ(NumericValue(text), value) << '"' << text << '"';
    EXPECT_EQ(IntValue(text), whole) << '"' << text << '"';
  }
  EXPECT_EQ(IntValue("-99999999999999999999"), INT_MIN);
  EXPECT_EQ(IntValue(std::string(400, '9')), INT_MAX);
  EXPECT_EQ(IntValue("-" + std::string(400, '9') + ".5"), INT_MIN);
  EXPECT_GT(NumericValue(std::string(400, '9')), 1e300);
}

TEST(TextRules, NumTextPutsABlankBeforeNonNegativeNumbersAndPad3GivesThreeDigits) {
  const std::tuple<long long, const char*, const char*> cases[] = {  // number, NumText, Pad3
      {12, " 12", "012"}, {0, " 0", "000"}, {7, " 7", "007"}, {81, " 81", "081"}, {100, " 100", "100"},
      {12345, " 12345", "12345"}, {-3, "-3", "-003"}, {-5, "-5", "-005"}, {INT_MIN, "-2147483648", "-2147483648"},
      {LLONG_MIN, "-9223372036854775808", "-9223372036854775808"},
      {LLONG_MAX, " 9223372036854775807", "9223372036854775807"},
  };
  for (const auto& [n, text, padded] : cases) {
    EXPECT_EQ(std::make_pair(NumText(n), Pad3(n)), std::make_pair(std::string(text), std::string(padded)));
    EXPECT_TRUE(n < INT_MIN || n > INT_MAX || IntValue(text) == n) << text;  // and back
  }
}

TEST(TextRules, ItemsCountOnlyWithACommaAndFieldsSkipBlanksStopAtACommaAndDropQuotes) {
  const std::tuple<const char*, int, const char*> items[] = {  // text, count, last item
      {"", 0, ""}, {"5", 0, "5"}, {"21 11", 0, "21 11"}, {",", 2, ""}, {",,", 3, ""}, {"1,2", 2, "2"},
      {"21,11,1,", 4, ""}, {"21,11,1, 11", 4, " 11"},
  };
  for (const auto& [text, count, last] : items)
    EXPECT_EQ(std::make_pair(CountItems(text), LastItem(text)), std::make_pair(count, std::string_view(last))) << text;
  const std::pair<const char*, const char*> fields[] = {
      {"Easy", "Easy"},     {"   Hard", "Hard"},   {"Easy, by someone", "Easy"}, {"  Easy  , x", "Easy"},
      {"\"Hard\"", "Hard"}, {"  \"Easy\"", "Easy"}, {"\"Easy, by someone\"", "Easy, by someone"},
      {"\"open", "open"},   {"", ""},             {"   ", ""},                  {",Easy", ""},
      {"VeryEasy rest", "VeryEasy rest"},
  };
  for (const auto& [line, field] : fields) EXPECT_EQ(InputField(line), field) << '"' << line << '"';
}

// The grid, size and solution laid on the board: the round trip of the shipped file. Past the end of the file the
// board is blanked and keeps its place.
TEST_F(PuzzleFile, ShowPuzzlePutsTheRecordOnTheBoardAndResetsTheChainOrBlanksTheBoard) {
  Write(Concat({Record("#1"), Record("#2", "VeryEasy and more"), Record("#3", "Hard"), Record("#4", "Medium")}));
  g.ChainString = "21-11";
  g.LastChainCell = 11;
  g.CurrentSum = 4;
  g.Undolist = {"x"};
  const ShowResult r = ShowPuzzle(g, path, 2);
  ASSERT_TRUE(r.found);
  EXPECT_EQ(std::tie(g.PuzzleNumber, g.PuzzleCount, g.CurrentFile, g.MarkedCell, g.Cell[0].Caption),
            std::make_tuple(2, 4, path, 13, "3"));
  EXPECT_EQ(std::tie(g.LastChainCell, g.ChainString, g.CurrentSum), std::make_tuple(-1, "", 0));
  EXPECT_TRUE(g.Undolist.empty());
  EXPECT_EQ(r.difficulty, "Easy");
  for (const auto& [n, word, easy] : {std::tuple{3, "Hard", false}, {4, "Medium", true}, {2, "Easy", true}}) {
    EXPECT_EQ(ShowPuzzle(g, path, n).difficulty, word);
    EXPECT_EQ(g.EasyFlag, easy) << word;
  }

  g.Palette[2] = RGB(1, 2, 3);
  g.Palette[5] = RGB(4, 5, 6);
  const Colour signColour = g.SignCellColour;
  const ShowResult beyond = ShowPuzzle(g, path, 5);
  EXPECT_EQ(std::tie(beyond.found, beyond.status, g.PuzzleNumber, g.CurrentFile, g.MarkedCell, g.Cell[0].Visible),
            std::make_tuple(false, ReadStatus::NotFound, 2, path, 0, false));
  EXPECT_EQ(GridText(g), "");
  // Number cells take slot 5, the rest slot 2; the next puzzle is coloured as before.
  EXPECT_EQ(std::tie(g.Cell[1].BackColor, g.Cell[2].BackColor, g.SignCellColour),
            std::make_tuple(RGB(4, 5, 6), RGB(1, 2, 3), signColour));
  g.PlainBlankFlag = YES;
  BlankBoard(g);
  EXPECT_EQ(g.Cell[1].BackColor, RGB(1, 2, 3));
  EXPECT_EQ(ShowPuzzle(g, dir.File("missing.kvl"), 1).status, ReadStatus::Missing);
}

TEST(Arrows, TargetsWrapAndRightClickGoesToTheEnds) {
  const std::tuple<int, int, int, int, double, int> cases[] = {  // arrow, button, number, count, random, target
      {0, 1, 1, 12, 0, 12}, {0, 1, 5, 12, 0, 4},  {0, 2, 5, 12, 0, 1},  {2, 1, 12, 12, 0, 1},
      {2, 1, 5, 12, 0, 6},  {2, 2, 5, 12, 0, 12}, {3, 1, 5, 12, 0, 1},  {3, 2, 5, 12, 0.999999, 12},
      {3, 1, 5, 12, 0.5, 7}, {0, 1, 1, 1, 0, 0},  {2, 2, 1, 1, 0, 0},   {3, 1, 1, 1, 0.7, 0},
      {1, 1, 3, 12, 0, 0},  {0, 1, 0, 0, 0, 0},
  };
  for (const auto& [index, button, number, count, r, target] : cases)
    EXPECT_EQ(ArrowTarget(index, button, number, count, r), target) << index << button << " " << number << "/" << count;
}

TEST(Pickers, SizeCyclesAndOthersStay) {
  for (const auto& [size, next] : {std::pair{7, 9}, {9, 5}, {5, 7}, {0, 0}, {6, 0}})
    EXPECT_EQ(NextPickerSize(size), next) << size;
  EXPECT_EQ(SizeText(7), "7x7");
}

TEST(FindDataFolder, ChoosesTheFolderThatHoldsTheChainLists) {
  ASSERT_EQ(InstalledDataFromBin(), "../share/kelvane");  // the default GNU folders, as below
  // Files made empty under a fresh prefix ("x/" a folder, "a@b" a link a to b), the executable's folder,
  // the data folder found and whether it is the installed one.
  const std::tuple<const char*, const char*, const char*, bool> layouts[] = {
      {"bin/k9x9.kvy bin/puzzles.kvl", "bin/", "bin/", false},  // a build copy
      {"bin/ share/kelvane/k9x9.kvy share/kelvane/puzzles.kvl", "bin/", "share/kelvane/", true},
      {"bin/k9x9.kvy share/kelvane/k9x9.kvy", "bin/", "bin/", false},  // a portable copy inside a prefix wins
      {"bin/", "bin/", "bin/", false}, {"bin/ share/kelvane/puzzles.kvl share/kelvane/k5x5.kvy", "bin/", "bin/", false},
      {"bin/k9x9.kvy/ share/kelvane/k9x9.kvy/", "bin/", "bin/", false},  // folders named like the chain list
      {"share/other/k9x9.kvy bin/", "bin/", "bin/", false},
      {"share/kelvane/k9x9.kvy bin/", "bin", "share/kelvane/", true},
      // Like /bin -> usr/bin on a merged /usr: ../share is taken from the real folder.
      {"usr/bin/ usr/share/kelvane/k9x9.kvy bin@usr/bin", "bin", "usr/share/kelvane/", true},
      {"", "gone/bin", "gone/bin/", false},
  };
  for (const auto& [files, exe, expected, installed] : layouts) {
    SCOPED_TRACE(files);
    test::TempDir dir;
    const std::filesystem::path root = std::filesystem::canonical(dir.Path());
    std::istringstream names(files);
    for (std::string name; names >> name;) {
      const std::size_t at = name.find('@');
      const std::filesystem::path made = root / name.substr(0, at);
      std::filesystem::create_directories(name.back() == '/' ? made : made.parent_path());
      if (at != std::string::npos) std::filesystem::create_directory_symlink(root / name.substr(at + 1), made);
      if (at == std::string::npos && name.back() != '/') test::WriteFile(made.string(), "");
    }
    const DataFolder d = FindDataFolder((root / exe).string());
    EXPECT_EQ(std::tie(d.folder, d.installed), std::make_tuple((root / expected).string(), installed));
  }
}

// Writes that fail (a read-only folder, a full disk half-way, a failing rename, a file that vanished or was
// replaced) leave every file as it was and never report success.

// Every write in one folder fails in the chosen way; None lets every write through.
struct Fault : WriteFault {
  enum class Kind { None, ReadOnlyFolder, DiskFullHalfWay, RenameFails } kind;
  std::string folder;
  Fault(Kind k, std::string f) : kind(k), folder(std::move(f)) {}
  bool Mine(const std::string& path) const { return path.rfind(folder, 0) == 0; }
  bool FailOpen(const std::string& path) override { return kind == Kind::ReadOnlyFolder && Mine(path); }
  std::size_t WriteLimit(const std::string& path, std::size_t size) override {
    return kind == Kind::DiskFullHalfWay && Mine(path) ? size / 2 : size;
  }
  bool FailRename(const std::string& path) override { return kind == Kind::RenameFails && Mine(path); }
};

struct Operation {
  const char* name;
  // Runs in the folder; true when it reported success, with message what it said.
  std::function<bool(const test::TempDir&, std::string& message)> run;
  bool renames;  // goes through a temporary file and a rename
};

bool Said(const WriteResult& w, std::string& message) {
  message = w.message;
  return w.ok;
}

bool Save(const std::string& target, std::string& message) {
  GameState g;
  if (!ShowPuzzle(g, KELVANE_SOURCE_DATA "puzzles.kvl", 1).found) return false;
  const SaveResult r = SaveCurrentPuzzle(g, target);
  message = r.message;
  EXPECT_EQ(r.style, r.ok ? "vbok+vbinformation" : "vbok+vbcritical");
  return r.ok;
}

bool Batch(const test::TempDir& d, std::string& message) {
  const BatchOptions o{.count = 20, .size = 5, .outFile = d.File("p.kvl"), .seed = 3};
  ChainListCache lists(KELVANE_SOURCE_DATA);
  PuzzleFileIndexes files;
  std::atomic<bool> cancel{false};
  const BatchResult r = CreateBatch(o, lists, files, cancel);
  message = r.message;
  EXPECT_EQ(r.added, r.failed ? 0 : 20);
  return !r.failed;
}

const Operation kOperations[] = {
    {"save into a file", [](const test::TempDir& d, std::string& m) { return Save(d.File("p.kvl"), m); }, false},
    {"save into a new file", [](const test::TempDir& d, std::string& m) { return Save(d.File("new.kvl"), m); },
     false},
    {"delete",
     [](const test::TempDir& d, std::string& m) {
       PuzzleFileIndexes files;
       return Said(DeleteRecord(files, d.File("p.kvl"), 2), m);
     },
     true},
    {"batch", Batch, false},
    {"configuration",
     [](const test::TempDir& d, std::string& m) {
       return Said(WriteConfigFile(d.File("kelvane.cfg"), DefaultConfig(d.Folder())), m);
     },
     true},
};

TEST(WriteFailure, EveryWriteThatFailsKeepsEveryFileAndSaysSo) {
  using Kind = Fault::Kind;
  for (Kind kind : {Kind::None, Kind::ReadOnlyFolder, Kind::DiskFullHalfWay, Kind::RenameFails}) {
    for (const Operation& op : kOperations) {
      SCOPED_TRACE(std::string(op.name) + ", fault " + std::to_string(static_cast<int>(kind)));
      test::TempDir dir;
      test::WriteFile(dir.File("p.kvl"), Records(3));
      test::WriteFile(dir.File("kelvane.cfg"), FormatConfig(DefaultConfig("/elsewhere/")));
      const auto before = test::Snapshot(dir.Path());
      Fault fault(kind, dir.Folder());
      std::string message;
      bool ok = false;
      {
        ScopedWriteFault scoped(fault);
        ok = op.run(dir, message);
      }
      // A rename that fails only matters to what renames; the others write in place.
      if (kind == Kind::None || (kind == Kind::RenameFails && !op.renames)) {
        EXPECT_TRUE(ok) << message;
        continue;
      }
      EXPECT_FALSE(ok);
      EXPECT_FALSE(message.empty());
      EXPECT_EQ(test::Snapshot(dir.Path()), before);  // no file changed, none left behind
    }
  }
}

// Deleting the puzzle on the board first checks that the file still holds it at that place.
TEST(WriteFailure, DeletingTheShownPuzzleLosesNoOtherPuzzle) {
  auto withoutTwo = [](std::string s) { return s.erase(s.find("#2"), s.find("#3") - s.find("#2")); };
  std::string other = Records(3);
  other.replace(other.find("1+2", other.find("#2")), 3, "2+1");
  // Damaged records were refused as "changed since shown": the check compared the board, not the record read.
  const std::string offBoard = Records(1) + FormatRecord(2, false, 5, 4, 99, kGrid5, "21,11,1,3, 99");
  const std::string noGrid = Records(1) + FormatRecord(2, false, 5, 4, 11, "", "21,11,1,3, 11");
  const std::string noted = "header line\r\n" + Records(3);
  const std::tuple<std::string, std::string, const char*, std::string> cases[] = {
      // file when shown, file when deleting ("" when gone), reason of a refusal, file after
      {Records(3), other, "Nothing was deleted", other},  // replaced: puzzle 2 there is another puzzle
      {Records(3), Records(3), nullptr, withoutTwo(Records(3))},
      {noted, noted + "a note after the last record\n", nullptr, withoutTwo(noted) + "a note after the last record\n"},
      {offBoard, offBoard, nullptr, Records(1)}, {noGrid, noGrid, nullptr, Records(1)},
      {Records(3), "", "does not exist", ""},
  };
  for (const auto& [then, now, reason, after] : cases) {
    test::TempDir dir;
    const std::string path = dir.File("p.kvl");
    test::WriteFile(path, then);
    GameState g;
    ASSERT_TRUE(ShowPuzzle(g, path, 2).found);
    const ShownRecord shown{g.ShownMarkedCell, g.ShownCells};
    if (now.empty()) fs::remove(path);
    if (!now.empty()) test::WriteFile(path, now);
    const WriteResult w = DeleteRecord(g.Files, path, 2, &shown);
    EXPECT_EQ(w.ok, reason == nullptr) << w.reason;
    EXPECT_NE(reason ? w.reason.find(reason) : 0, std::string::npos) << w.reason;
    // Every other byte stays and no temporary file is left.
    using Files = std::map<std::string, std::string>;
    EXPECT_EQ(test::Snapshot(dir.Path()), (after.empty() ? Files{} : Files{{"p.kvl", after}}));
    EXPECT_FALSE(DeleteRecord(g.Files, path, 5).ok);
  }
}

TEST(Geometry, NumberCellsAtOddRowsAndColumnsSignCellsBetweenAndNothingOffTheBoard) {
  std::vector<int> numbers, signs;
  for (int i = -3; i <= 30; ++i) {
    if (Geometry{5}.IsNumberCell(i)) numbers.push_back(i);
    if (Geometry{5}.IsSignCell(i)) signs.push_back(i);
  }
  EXPECT_EQ(numbers, (std::vector<int>{1, 3, 5, 11, 13, 15, 21, 23, 25}));
  EXPECT_EQ(signs, (std::vector<int>{2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24}));
  for (int n : {5, 7, 9}) {
    const Geometry g{n};
    int count[3] = {};  // number, sign and blank cells
    for (int i = 1; i <= g.CellCount(); ++i) {
      EXPECT_EQ(g.CellAt(g.RowOf(i), g.ColOf(i)), i);
      ++count[g.IsNumberCell(i) ? 0 : g.IsSignCell(i) ? 1 : 2];
    }
    const int m = g.NumbersPerRow();
    EXPECT_EQ(std::tie(m, count[0], count[1], count[2]),
              std::make_tuple(n / 2 + 1, m * m, 2 * m * (m - 1), (m - 1) * (m - 1))) << n;
    for (int i : {-5, 0, n * n + 1, 140}) {
      EXPECT_EQ(std::make_tuple(g.RowOf(i), g.ColOf(i), g.CellAt(i, 1), g.CellAt(1, i)), std::make_tuple(-1, -1, 0, 0));
      EXPECT_FALSE(g.IsNumberCell(i) || g.IsSignCell(i)) << i;
    }
  }
  const std::tuple<int, int, bool> steps[] = {  // from, to on the 5 x 5 board, a step
      {21, 23, true},  {23, 21, true},  {21, 11, true},  {13, 3, true},   {11, 21, false},
      {3, 13, false},  {21, 25, false}, {21, 13, false}, {21, 1, false},  {21, 21, false},
      {21, 22, false}, {5, 11, false},  {22, 12, false}, {-9, 1, false},  {25, 35, false},
  };
  for (const auto& [a, b, ok] : steps) {
    EXPECT_EQ(Geometry{5}.IsChainStep(a, b), ok) << a << " -> " << b;
    EXPECT_TRUE(!ok || Geometry{5}.IsSignCell(Geometry::Between(a, b))) << a << " -> " << b;
  }
}

TEST(LayOutBoard, SetsCountsTagsColoursAndChainListNameAndHintsOnlyForANewSize) {
  GameState g;
  for (int n : {5, 7, 9, 5}) {
    SCOPED_TRACE("size " + std::to_string(n));
    g.HintsLeft = -9;
    g.LastChainCell = 4;
    LayOutBoard(g, n);
    const std::string size = std::to_string(n);
    EXPECT_EQ(std::tie(g.CellCount, g.NumbersPerRow, g.SizeCacheFile, g.LastChainCell, g.HintsLeft),
              std::make_tuple(n * n, n / 2 + 1, "k" + size + "x" + size + ".kvy", -1, 3));
    EXPECT_EQ(g.RowOf(n * n), n);
    for (int i = 0; i <= MaxCellIndex; ++i) {
      const bool number = Geometry{n}.IsNumberCell(i);
      EXPECT_EQ(g.Cell[i].Visible, i >= 1 && i <= n * n) << i;
      EXPECT_TRUE(i == 0 || i > n * n || (g.Cell[i].Tag == (number ? 'N' : 'X') &&
                                          g.Cell[i].BackColor == (number ? g.NumberCellColour : g.SignCellColour)))
          << i;
    }
    g.HintsLeft = 1;
    LayOutBoard(g, n);  // the same size keeps the hints
    EXPECT_EQ(g.HintsLeft, 1);
  }
}

// The 5 x 5 board of kGrid5.
GameState FiveByFive() {
  GameState g;
  LayOutBoard(g, 5);
  for (int i = 1; i <= 25; ++i) g.Cell[i].Caption = kGrid5.substr(i - 1, 1);
  return g;
}

TEST(PlaceMarker, MovesTheOverlayOntoTheLastItemOrHidesIt) {
  GameState g = FiveByFive();
  // The first and the last cell of the board can be marked.
  for (const auto& [text, cell, caption] :
       {std::tuple{"21,11,1, 11", 11, "2"}, {"13", 13, "3"}, {"3, 1", 1, "1"}, {"15, 25", 25, "2"}}) {
    PlaceMarker(g, text);
    EXPECT_EQ(std::tie(g.MarkedCell, g.Cell[0].Visible, g.Cell[0].Caption, g.Cell[0].BackColor),
              std::make_tuple(cell, true, caption, g.MarkedCellBackColour)) << text;
  }
  for (const char* text : {"21,11,1, 26", "21,11,1, 0", "21,11,1,", "", "21,11,1,-4", "21,11,1, 99999999999"}) {
    PlaceMarker(g, "13");
    PlaceMarker(g, text);
    EXPECT_EQ(std::tie(g.MarkedCell, g.Cell[0].Visible), std::make_tuple(0, false)) << text;
  }
}

TEST(GridText, EmptyCaptionsWriteNothing) {
  GameState g = FiveByFive();
  EXPECT_EQ(GridText(g), kGrid5);
  g.Cell[7].Caption.clear();
  g.Cell[13].Caption.clear();
  EXPECT_EQ(GridText(g), "1+2-3-  +2-+1+   -3+1-2");
  EXPECT_EQ(std::make_tuple(CellValue(g, 13), CellValue(g, 2), CellValue(g, 11)), std::make_tuple(0, 0, 2));
  EXPECT_EQ(std::make_tuple(CellValue(g, -1), CellValue(g, MaxCellIndex + 1)), std::make_tuple(0, 0));  // off the board
  GameState fresh;  // its captions start as blanks; a board laid out anew holds none
  LayOutBoard(fresh, 7);
  EXPECT_EQ(GridText(fresh), "");
}

TEST(Win, ChainTextMatchesTheSolutionOnlyAtTheTopWithSumZero) {
  GameState g = FiveByFive();
  g.Solution = "21,11,13,3, 13";
  PlaceMarker(g, g.Solution);
  g.ChainString = "21-11+13-03";
  g.LastChainCell = 3;
  g.CurrentSum = 0;
  EXPECT_EQ(ChainAsSolution(g), "21,11,13,3, 13");
  EXPECT_TRUE(IsWin(g));
  // Each of the three conditions alone stops the win.
  for (const auto& spoil : std::vector<std::function<void(GameState&)>>{
           [](GameState& s) { s.CurrentSum = 2; }, [](GameState& s) { s.LastChainCell = 13; },
           [](GameState& s) { s.LastChainCell = -1; }, [](GameState& s) { s.Solution = "21,11,13,3, 11"; }}) {
    GameState lost = g;
    spoil(lost);
    EXPECT_FALSE(IsWin(lost));
  }
  for (const auto& [chain, marked, text] : {std::tuple{"", 0, " 0"}, {"07", 7, "7, 7"}}) {
    g.ChainString = chain;
    g.MarkedCell = marked;
    EXPECT_EQ(ChainAsSolution(g), text);
  }
}

// Actions other than a click on a cell (0 is a click on the overlay of the marked cell).
constexpr int kUndo = -1, kClear = -2, kLeft = -3, kRight = -4, kUp = -5, kHint = -6, kPress = -7, kRelease = -8,
              kRedo = -9;

// One action and the board after it.
struct Turn {
  int action;
  Move move;
  const char* chain;
  int sum;
  const char* colours = nullptr;  // row by row, see Board::Colours; not checked when null
  bool won = false;
  bool noMoreHints = false;
};

// Two balanced chains: 21,11,1,3 (the Easy solution, marked cell 1) and 21,23,25,15,5.
struct Board {
  test::TempDir dir;
  GameState g;
  explicit Board(const std::string& solution = "21,11,1,3, 1", int N = 5) {
    const std::string f = dir.File("p.kvl");
    std::string grid = "1-2-3+ - -2-3-1- - -3-1+2";
    if (N != 5) {  // ones and minus signs: only the path matters
      const Geometry geo{N};
      grid.clear();
      for (int i = 1; i <= N * N; ++i) grid += geo.IsNumberCell(i) ? '1' : geo.IsSignCell(i) ? '-' : ' ';
    }
    test::WriteFile(f, FormatRecord(1, true, N, 4, 1, grid, solution));
    EXPECT_TRUE(ShowPuzzle(g, f, 1).found);
  }

  // n number, s sign or blank, C chain, E chain end, S solution path; row by row.
  std::string Colours() const {
    const Colour kinds[] = {g.NumberCellColour, g.SignCellColour, g.ChainCellColour, g.ChainEndColour,
                            g.SolutionCellColour};
    std::string s;
    for (int i = 1; i <= 25; ++i) {
      s += "nsCES?"[std::find(kinds, kinds + 5, g.Cell[static_cast<std::size_t>(i)].BackColor) - kinds];
      if (i % 5 == 0 && i < 25) s += ' ';
    }
    return s;
  }

  HintOutcome Act(int action) {
    if (action == kHint) return Hint(g);
    if (action == kClear) ClearChain(g);
    if (action == kPress) PressShowSolution(g);
    if (action == kRelease) ReleaseShowSolution(g);
    HintOutcome out;
    if (action >= 0) out.last = LeftRelease(g, action);
    if (action == kUndo) out.last = UndoLastStep(g);
    if (action == kRedo) out.last = RedoStep(g);
    if (action == kLeft || action == kRight || action == kUp)
      out.last = StepChain(g, action == kLeft ? Step::Left : action == kRight ? Step::Right : Step::Up);
    return out;
  }

  void Play(std::initializer_list<Turn> turns) {
    int k = 0;
    for (const Turn& t : turns) {
      SCOPED_TRACE(testing::Message() << "turn " << ++k << ", action " << t.action);
      const HintOutcome out = Act(t.action);
      EXPECT_EQ(std::tie(out.last.move, out.last.won, out.noMoreHints), std::tie(t.move, t.won, t.noMoreHints));
      // The last cell is the chain's last group.
      const int last = g.ChainString.empty() ? -1 : IntValue(g.ChainString.substr(g.ChainString.size() - 2));
      EXPECT_EQ(std::tie(g.ChainString, g.CurrentSum, g.LastChainCell),
                std::make_tuple(std::string(t.chain), t.sum, last));
      EXPECT_TRUE(!t.colours || Colours() == t.colours) << Colours();
    }
  }
};

const char* const kPlain = "nsnsn sssss nsnsn sssss nsnsn";
using enum Move;

TEST(Chain, StartsOnlyInTheBottomRowStepsLeftRightOrUpTakesBackAndShowsTheSolution) {
  Board b;
  b.Play({
      {1, Ignored, "", 0}, {3, Ignored, "", 0}, {11, Ignored, "", 0}, {13, Ignored, "", 0}, {6, Ignored, "", 0},
      {0, Ignored, "", 0},  // the overlay on cell 1
      {kUndo, Ignored, "", 0},
      {22, Started, "22", 0, "nsnsn sssss nsnsn sssss nEnsn"},  // a sign cell of the bottom row counts 0
      {22, Removed, "", 0, kPlain}, {21, Started, "21", 3, "nsnsn sssss nsnsn sssss Esnsn"},
      // Too far, diagonal, a sign, up two rows, the top row, the sign beside it.
      {25, Ignored, "21", 3}, {13, Ignored, "21", 3}, {16, Ignored, "21", 3}, {15, Ignored, "21", 3},
      {1, Ignored, "21", 3}, {22, Ignored, "21", 3},
      {23, Extended, "21-23", 2, "nsnsn sssss nsnsn sssss ECEsn"},  // a first cell keeps the end colour
      // Holding the solution button paints its path; the release gives the chain its colours back.
      {kPress, Ignored, "21-23", 2, "SSSsn Sssss Ssnsn Sssss Ssnsn"},
      {kRelease, Ignored, "21-23", 2, "nsnsn sssss nsnsn sssss ECEsn"},
      {13, Extended, "21-23-13", -1, "nsnsn sssss nsEsn ssCss ECCsn"},
      {23, Ignored, "21-23-13", -1},  // never down, never back onto the chain
      {11, Extended, "21-23-13-11", -3, "nsnsn sssss ECCsn ssCss ECCsn"}, {13, Ignored, "21-23-13-11", -3},
      {11, TookBack, "21-23-13", -1, "nsnsn sssss nsEsn ssCss ECCsn"},
      {13, TookBack, "21-23", 2, "nsnsn sssss nsnsn sssss ECEsn"},
      {23, TookBack, "21", 3, "nsnsn sssss nsnsn sssss Esnsn"}, {21, Removed, "", 0, kPlain},
      {21, Started, "21", 3}, {11, Extended, "21-11", 1},
      {kUndo, TookBack, "21", 3},  // undo takes back the last step
      {11, Extended, "21-11", 1}, {kClear, Ignored, "", 0, kPlain}, {kUndo, Ignored, "", 0},
      {kUp, Ignored, "", 0},  // no chain for the keys either
  });
  EXPECT_TRUE(b.g.Cell[0].Visible);
}

TEST(Chain, OnlyTheSolutionWinsByMouseOrKeyboard) {
  Board b;
  b.Play({
      {21, Started, "21", 3}, {23, Extended, "21-23", 2}, {25, Extended, "21-23+25", 4},
      {15, Extended, "21-23+25-15", 3},
      {5, Extended, "21-23+25-15-05", 0},  // balanced and in the top row, but not the solution
      {kClear, Ignored, "", 0}, {21, Started, "21", 3},
      {kLeft, Ignored, "21", 3},  // the keys take the same steps; this is the left edge
      {kUp, Extended, "21-11", 1}, {kUp, Extended, "21-11+01", 2},
      {kUp, Ignored, "21-11+01", 2},  // the top edge
      {kRight, Extended, "21-11+01-03", 0, nullptr, true},
      {3, TookBack, "21-11+01", 2},  // a solved chain can still change
      {3, Extended, "21-11+01-03", 0, nullptr, true},
  });
  EXPECT_EQ(b.g.HintsLeft, -9);
  EXPECT_EQ(ChainAsSolution(b.g), "21,11,1,3, 1");
}

// Redo takes again, in turn, the steps taken back by undo or by a click on the chain's last cell; a new step
// forgets them unless it is the step redo would take. Hints' moves are new steps.
// Letting go of the solution puts back every cell of the largest board, the last one too.
TEST(Chain, TheHeldSolutionGivesBackTheLastCellOfANineByNine) {
  GameState g;
  ASSERT_TRUE(ShowPuzzle(g, KELVANE_SOURCE_DATA "puzzles.kvl", 49).found);
  ASSERT_EQ(LeftRelease(g, 81).move, Move::Started);
  PressShowSolution(g);
  ReleaseShowSolution(g);
  EXPECT_EQ(g.Cell[81].BackColor, g.ChainEndColour);
}

TEST(Chain, RedoTakesAgainWhatWasTakenBackUntilANewStep) {
  Board b;
  b.Play({
      {kRedo, Ignored, "", 0}, {21, Started, "21", 3}, {11, Extended, "21-11", 1},
      {1, Extended, "21-11+01", 2, "Esnsn Cssss Csnsn Cssss Esnsn"},
      {kUndo, TookBack, "21-11", 1}, {11, TookBack, "21", 3, "nsnsn sssss nsnsn sssss Esnsn"},
      {kRedo, Extended, "21-11", 1}, {kRedo, Extended, "21-11+01", 2, "Esnsn Cssss Csnsn Cssss Esnsn"},
      {kRedo, Ignored, "21-11+01", 2},  // nothing left to redo
      // Clicking the cell redo would take is that redo: the step after it stays.
      {kUndo, TookBack, "21-11", 1}, {kUndo, TookBack, "21", 3}, {11, Extended, "21-11", 1},
      {kRedo, Extended, "21-11+01", 2},
      // Another step forgets them.
      {kUndo, TookBack, "21-11", 1}, {13, Extended, "21-11-13", -2}, {kRedo, Ignored, "21-11-13", -2},
      {kClear, Ignored, "", 0}, {21, Started, "21", 3}, {23, Extended, "21-23", 2}, {kUndo, TookBack, "21", 3},
      {kClear, Ignored, "", 0, kPlain}, {kRedo, Ignored, "", 0},  // else 23 would start a chain
      // A one-cell chain removed comes back.
      {23, Started, "23", 1}, {23, Removed, "", 0, kPlain}, {kRedo, Started, "23", 1, "nsnsn sssss nsnsn sssss nsEsn"},
      {23, Removed, "", 0}, {21, Started, "21", 3}, {kRedo, Ignored, "21", 3},
      // Redo up to the solution wins.
      {11, Extended, "21-11", 1}, {1, Extended, "21-11+01", 2}, {3, Extended, "21-11+01-03", 0, nullptr, true},
      {kUndo, TookBack, "21-11+01", 2}, {kUndo, TookBack, "21-11", 1}, {kRedo, Extended, "21-11+01", 2},
      {kRedo, Extended, "21-11+01-03", 0, nullptr, true}, {kClear, Ignored, "", 0}, {23, Started, "23", 1},
      {23, Removed, "", 0},
  });
  EXPECT_EQ(b.g.HintsLeft, -9);
  // Showing a puzzle forgets them too.
  ASSERT_TRUE(ShowPuzzle(b.g, b.dir.File("p.kvl"), 1).found);
  b.Play({{kRedo, Ignored, "", 0}});

  Board h;  // what a hint takes back is not for redo; a hint's step is the step redo would take
  h.Play({{21, Started, "21", 3}, {23, Extended, "21-23", 2}, {kHint, TookBack, "21", 3}, {kRedo, Ignored, "21", 3},
          {11, Extended, "21-11", 1}, {1, Extended, "21-11+01", 2}, {kUndo, TookBack, "21-11", 1},
          {kUndo, TookBack, "21", 3}, {kHint, Extended, "21-11", 1}, {kRedo, Extended, "21-11+01", 2}});
}

TEST(Hints, FollowTheSolutionTakeBackAWrongStepAndRunOut) {
  EXPECT_EQ(PathDigits("21,11,13,3, 13"), "21111303");
  Board b;
  EXPECT_EQ(b.g.HintsLeft, 3);
  b.Play({
      {kHint, Started, "21", 3}, {kHint, Extended, "21-11", 1}, {kHint, Extended, "21-11+01", 2},
      {kHint, Ignored, "21-11+01", 2, nullptr, false, true},  // said once
      {kHint, Ignored, "21-11+01", 2},
  });

  Board wrong;
  wrong.Play({
      {23, Started, "23", 1},
      {kHint, Removed, "", 0},  // a one-cell chain off the solution
      {21, Started, "21", 3}, {23, Extended, "21-23", 2}, {kHint, TookBack, "21", 3},
      {kHint, Extended, "21-11", 1},  // back on the solution: its next cell
      {0, Extended, "21-11+01", 2},   // the overlay is the marked cell 1
      {3, Extended, "21-11+01-03", 0, nullptr, true},
      {kHint, Ignored, "21-11+01-03", 0},  // no hint and no message once won
  });

  // A solution starting on the marked cell: the first hint makes two moves.
  Board marked("21,11,1,3, 21");
  marked.Play({{kHint, Extended, "21-11", 1}});

  // 9x9: a chain's digits may turn up across two of the solution's cells ("57,39" holds "73"); they are no match.
  Board nine("75,77,59,57,39,37,19,1, 1", 9);
  nine.Play({{73, Started, "73", 1}, {kHint, Removed, "", 0}});
}

}  // namespace
}  // namespace kelvane
