// Tests of puzzle files (counting, reading by position, bad input, the index cache, writing) and of the
// number and field rules used in their text.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "model/game_state.h"
#include "model/navigation.h"
#include "model/puzzle_file.h"
#include "model/text_rules.h"
#include "test_support.h"

namespace kelvane {
namespace {

namespace fs = std::filesystem;
using Text = std::vector<std::string>;

// A 5 x 5 grid: numbers 1..3 in a Latin square, signs between them, blanks at the crossings.
const std::string kGrid5 = "1+2-3-   +2-3+1+   -3+1-2";
const std::string kSolution5 = "21,11,13,3, 13";

std::string Lines(const Text& lines, const std::string& eol = "\r\n") {
  std::string text;
  for (const auto& line : lines) text += line + eol;
  return text;
}

Text Record(const std::string& header, const std::string& solution = kSolution5,
            const std::string& grid = "013" + kGrid5) {
  return {header, "Easy", "5 4", grid, solution};
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

// The 5 x 5 board of kGrid5 with its solution and marked cell 13.
GameState Board5() {
  GameState g;
  LayOutBoard(g, 5);
  g.PuzzleSize = 5;
  for (int i = 1; i <= 25; ++i) g.Cell[i].Caption = std::string(1, kGrid5[i - 1]);
  g.Solution = kSolution5;
  g.SolutionLength = 4;
  PlaceMarker(g, g.Solution);
  return g;
}

// One file "p.kvl" in a fresh folder, read through one index cache.
class PuzzleFile : public ::testing::Test {
 protected:
  void Write(const Text& lines) { test::WriteFile(path, Lines(lines)); }
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
  g.RecCells[5] = "9";
  title = "old";
  EXPECT_EQ(ReadRecord(g, dir.File("none.kvl"), 1, title), ReadStatus::Missing);
  EXPECT_EQ(title + g.RecCells[5], "");
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
  const Text records = Concat({Record("#1"), Record("#2", "23,13, 13")});
  const Text junk = Concat({{"notes", "", "5 4"}, Record("#1"), {"extra", "21,11", ""}, Record("#2", "23,13, 13"),
                            {"trailing"}});
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
  const std::vector<Seen> crlf = readBoth("crlf.kvl", Lines(records));
  EXPECT_EQ(std::tie(std::get<0>(crlf[1]), std::get<2>(crlf[1])), std::make_tuple("Easy", "23,13, 13"));
  EXPECT_EQ(readBoth("lf.kvl", Lines(records, "\n")), crlf);
  EXPECT_EQ(readBoth("junk.kvl", Lines(junk)), crlf);
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
  test::WriteFile(path,
                  std::string("\x00\x01\x80\xfe\n", 5) + Lines(Concat({Record("#1", kSolution5, grid), Record("#2")})));
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

// Checks that the whole-file reader and the positional reader see the same records.
void ExpectReadersAgree(const std::string& path) {
  std::vector<std::pair<RawRecord, ReadStatus>> all;
  ASSERT_EQ(ReadAllRecords(path, [&](int pos, const RawRecord& raw, ReadStatus s) {
    EXPECT_EQ(pos, static_cast<int>(all.size()) + 1);
    return all.emplace_back(raw, s), true;
  }), ReadStatus::Ok);
  PuzzleFileIndexes files;
  for (std::size_t i = 0; i <= all.size(); ++i) {
    RawRecord raw;
    const ReadStatus s = ReadRawRecord(files, path, static_cast<int>(i + 1), raw);
    ASSERT_EQ(s, i < all.size() ? all[i].second : ReadStatus::NotFound) << "position " << i + 1;
    EXPECT_TRUE(s != ReadStatus::Ok || Fields(raw) == Fields(all[i].first)) << "position " << i + 1;
  }
}

// A record cut short by the end of the file or by the next "#" line is incomplete; it was read
// across into the next record.
TEST_F(PuzzleFile, ReadAllRecordsAgreesWithReadingByPositionAndCanStop) {
  Write(Concat({{"preface"}, Record("#1"), {"#"}, Record("#0"), {"#2", "Easy"}, Record("#3"), {"after"},
                Record("#5" + std::string(MaxRecordLine, 'h')), {"#4", "Hard", "7 6"}}));
  ExpectReadersAgree(path);
  for (int pos : {0, -1, INT_MAX, INT_MIN}) EXPECT_EQ(Raw(pos), ReadStatus::NotFound) << pos;
  title = "old";
  EXPECT_EQ(Read(4), ReadStatus::Incomplete);
  EXPECT_EQ(Read(0), ReadStatus::NotFound);
  EXPECT_EQ(title, "");
  std::vector<ReadStatus> seen;
  ASSERT_EQ(ReadAllRecords(path, [&](int, const RawRecord&, ReadStatus s) { return seen.push_back(s), true; }),
            ReadStatus::Ok);
  const auto ok = ReadStatus::Ok, part = ReadStatus::Incomplete;
  EXPECT_EQ(seen, (std::vector<ReadStatus>{ok, part, ok, part, ok, ok, part}));
  int calls = 0;
  ASSERT_EQ(ReadAllRecords(path, [&](int, const RawRecord&, ReadStatus) { return ++calls < 2; }), ReadStatus::Ok);
  EXPECT_EQ(calls, 2);
}

TEST_F(PuzzleFile, IndexCacheNoticesChangedFiles) {
  Write(Concat({Record("#1"), Record("#2")}));
  EXPECT_EQ(Count(), 2);
  EXPECT_EQ(Raw(3), ReadStatus::NotFound);
  ASSERT_TRUE(AppendToFile(path, Lines(Record("#3", "23,13, 13"))).ok);
  EXPECT_EQ(Count(), 3);
  ASSERT_EQ(Raw(3), ReadStatus::Ok);
  EXPECT_EQ(raw.SolutionLine, "23,13, 13");

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

// The shipped file was written by the same writer: each puzzle read onto the board and appended
// again gives the file back byte for byte, every size and both difficulties.
TEST_F(PuzzleFile, ShippedPuzzlesShownAndAppendedGiveTheFileBack) {
  const std::string shipped = KELVANE_SOURCE_DATA "puzzles.kvl";
  ASSERT_EQ(CountPuzzles(files, shipped), 72);
  for (int k = 1; k <= 72; ++k) {
    ASSERT_TRUE(ShowPuzzle(g, shipped, k).found) << k;
    int number = k == 1 ? 0 : k;
    const WriteResult w = AppendRecord(g, number, path);
    ASSERT_TRUE(w.ok) << w.message << ": " << w.reason;
    EXPECT_EQ(number, k);
  }
  EXPECT_EQ(test::ReadFile(path), test::ReadFile(shipped));
}

TEST_F(PuzzleFile, AppendRecordNumberZeroStartsTheFileAnew) {
  Write(Concat({Record("#1"), Record("#2"), Record("#3")}));
  EXPECT_EQ(Count(), 3);
  GameState board = Board5();
  int number = 0;
  const WriteResult w = AppendRecord(board, number, path);
  ASSERT_TRUE(w.ok) << w.reason;
  EXPECT_EQ(number, 1);
  const std::string only = "#1\r\nHard\r\n5 4\r\n013" + kGrid5 + "\r\n" + kSolution5 + "\r\n";
  EXPECT_EQ(test::Snapshot(dir.Path()), (std::map<std::string, std::string>{{"p.kvl", only}}));
  EXPECT_EQ(Count(), 1);
  number = 2;
  ASSERT_TRUE(AppendRecord(board, number, path).ok);
  EXPECT_EQ(Count(), 2);
}

// A record the game could never accept as won is not written. A failed New once
// left an empty solution on the board, and Save appended it.
TEST_F(PuzzleFile, AppendRecordWithoutAMarkedCellOrASolutionWritesNothing) {
  const std::string before = Lines(Record("#1"));
  test::WriteFile(path, before);
  for (const char* solution : {"21,11,1,", "", "21,,1, 1", "21,11,01, 1", "21,11,1,30, 1", "21,11,1,3, 1x"}) {
    SCOPED_TRACE(std::string("solution \"") + solution + "\"");
    GameState board = Board5();
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
  const WriteResult w = AppendToFile(nowhere, Lines(Record("#1")));
  EXPECT_FALSE(w.ok);
  EXPECT_NE(w.message.find(nowhere), std::string::npos);
  GameState board = Board5();
  int number = 0;
  EXPECT_FALSE(AppendRecord(board, number, nowhere).ok);
  EXPECT_FALSE(fs::exists(dir.File("missing")));
  // A read-only folder, also for root: write_failure_test.cpp.
  test::WriteFile(path, "x");
  EXPECT_TRUE(FileExists(path));
  for (const std::string& other : {nowhere, std::string(), dir.Path().string(), dir.Folder()})
    EXPECT_FALSE(FileExists(other)) << other;
}

TEST_F(PuzzleFile, NextFreeNameNumbersBeforeTheExtension) {
  const std::string base = dir.File("tempnewpuzzle.kvl");
  EXPECT_EQ(NextFreeName(base), dir.File("tempnewpuzzle;01.kvl"));
  test::WriteFile(dir.File("tempnewpuzzle;01.kvl"), "");
  EXPECT_EQ(NextFreeName(base), dir.File("tempnewpuzzle;02.kvl"));
  const std::pair<std::string, std::string> names[] = {
      {"x;07.kvl", "x;08.kvl"}, {"x;99.kvl", "x;01.kvl"}, {"noext", "noext;01"}, {"a.b.kvl", "a.b;01.kvl"},
      {"v1.2/plain", "v1.2/plain;01"}, {"a;05.d/plain", "a;05.d/plain;01"}};
  fs::create_directory(dir.File("v1.2"));
  fs::create_directory(dir.File("a;05.d"));
  for (const auto& [from, next] : names) EXPECT_EQ(NextFreeName(dir.File(from)), dir.File(next)) << from;

  for (int n = 1; n <= 99; ++n) {
    EXPECT_NE(NextFreeName(dir.File("full.kvl")), "") << n;
    test::WriteFile(dir.File("full;" + std::string(n < 10 ? "0" : "") + std::to_string(n) + ".kvl"), "");
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

}  // namespace
}  // namespace kelvane
