// Tests of puzzle files: counting, reading by position, bad input, the index cache and writing.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "model/game_state.h"
#include "model/puzzle_file.h"
#include "model/text_rules.h"
#include "test_support.h"

namespace kelvane {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// A 5 x 5 grid: numbers 1..3 in a Latin square, signs between them, blanks at the crossings.
const std::string kGrid5 = "1+2-3-   +2-3+1+   -3+1-2";

std::string Lines(const std::vector<std::string>& lines, const std::string& eol = "\r\n") {
  std::string text;
  for (const auto& line : lines) text += line + eol;
  return text;
}

std::vector<std::string> Record(const std::string& header, const std::string& solution = "21,11,13,3, 13",
                                const std::string& grid = "013" + kGrid5) {
  return {header, "Easy", "5 4", grid, solution};
}

std::vector<std::string> Concat(std::initializer_list<std::vector<std::string>> parts) {
  std::vector<std::string> all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

std::vector<std::string> FolderEntries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

void ExpectSameRecord(const RawRecord& a, const RawRecord& b) {
  EXPECT_EQ(a.HeaderLine, b.HeaderLine);
  EXPECT_EQ(a.TitleLine, b.TitleLine);
  EXPECT_EQ(a.SizeLine, b.SizeLine);
  EXPECT_EQ(a.GridLine, b.GridLine);
  EXPECT_EQ(a.SolutionLine, b.SolutionLine);
  EXPECT_EQ(a.Overlong, b.Overlong);
}

TEST(CountPuzzles, CountsHeadersWithAPositiveNumber) {
  TempDir dir;
  PuzzleFileIndexes files;
  const std::string path = dir.File("p.kvl");
  WriteFile(path, Lines(Concat({Record("#1"), Record("#2"), Record("#5")})));
  EXPECT_EQ(CountPuzzles(files, path), 3);
  RawRecord raw;
  ASSERT_EQ(ReadRawRecord(files, path, 3, raw), ReadStatus::Ok);
  EXPECT_EQ(raw.HeaderLine, "#5");
  EXPECT_EQ(ParseRecord(raw).WrittenNumber, 5);

  // Long runs of blanks or zeros before the number must not hide it.
  const std::pair<std::string, bool> headers[] = {
      {"#", false},    {"#0", false},   {"#-3", false},  {"#x", false},  {"#" + std::string(60, '0'), false},
      {"#7", true},    {"# 12", true},  {"#0.5", true},  {"#3 old", true}, {"#0007", true},
      {"#" + std::string(60, ' ') + "4", true}, {"#" + std::string(60, '0') + "4", true},
      {"#0." + std::string(60, '0') + "1", true},
  };
  for (const auto& [header, counted] : headers) {
    SCOPED_TRACE(header);
    WriteFile(path, Lines(Concat({Record("#1"), Record(header), Record("#2")})));
    EXPECT_EQ(CountPuzzles(files, path), counted ? 3 : 2);
    ASSERT_EQ(ReadRawRecord(files, path, 2, raw), ReadStatus::Ok);
    EXPECT_EQ(raw.HeaderLine, header);
    ASSERT_EQ(ReadRawRecord(files, path, 3, raw), ReadStatus::Ok);
    EXPECT_EQ(raw.HeaderLine, "#2");
  }

  WriteFile(path, Lines(Concat({Record("#"), Record("#0"), Record("#")})));
  EXPECT_EQ(CountPuzzles(files, path), 0);
  EXPECT_EQ(ReadRawRecord(files, path, 2, raw), ReadStatus::Ok);
  EXPECT_EQ(raw.HeaderLine, "#0");
}

TEST(PuzzleFileInput, MissingEmptyAndFolderInputs) {
  TempDir dir;
  PuzzleFileIndexes files;
  const std::string missing = dir.File("none.kvl");
  const std::string empty = dir.File("empty.kvl");
  WriteFile(empty, "");
  RawRecord raw;
  int calls = 0;
  auto count = [&](int, const RawRecord&, ReadStatus) { return ++calls, true; };

  EXPECT_EQ(CountPuzzles(files, missing), 0);
  EXPECT_EQ(ReadRawRecord(files, missing, 1, raw), ReadStatus::Missing);
  EXPECT_EQ(ReadAllRecords(missing, count), ReadStatus::Missing);

  EXPECT_EQ(CountPuzzles(files, empty), 0);
  EXPECT_EQ(ReadRawRecord(files, empty, 1, raw), ReadStatus::NotFound);
  EXPECT_EQ(ReadAllRecords(empty, count), ReadStatus::Ok);

  EXPECT_EQ(CountPuzzles(files, dir.Path().string()), 0);
  EXPECT_EQ(ReadRawRecord(files, dir.Path().string(), 1, raw), ReadStatus::Unreadable);
  EXPECT_EQ(ReadAllRecords(dir.Path().string(), count), ReadStatus::Unreadable);
  EXPECT_EQ(calls, 0);

  GameState g;
  g.RecCells[5] = "9";
  std::string title = "old";
  EXPECT_EQ(ReadRecord(g, missing, 1, title), ReadStatus::Missing);
  EXPECT_EQ(title, "");
  EXPECT_EQ(g.RecCells[5], "");
}

TEST(ReadRecord, FillsTheRecordBuffer) {
  TempDir dir;
  const std::string path = dir.File("p.kvl");
  WriteFile(path, Lines({"#1", "Hard", "5 4", "013" + kGrid5, "21,11,13,3, 13"}));
  GameState g;
  for (auto& c : g.RecCells) c = "?";
  std::string title;
  ASSERT_EQ(ReadRecord(g, path, 1, title), ReadStatus::Ok);
  EXPECT_EQ(title, "Hard");
  EXPECT_EQ(g.RecSize, 5);
  EXPECT_EQ(g.RecSolutionLength, 4);
  EXPECT_EQ(g.RecSolution, "21,11,13,3, 13");
  EXPECT_EQ(g.RecMarkedCell, 13);
  EXPECT_EQ(g.RecCells[0], "3");
  for (int i = 1; i <= 81; ++i)
    EXPECT_EQ(g.RecCells[i], i <= 25 ? std::string(1, kGrid5[i - 1]) : "") << i;

  // A short grid leaves the rest empty; a marked cell beyond it reads as 0.
  WriteFile(path, Lines({"#1", "Easy", "7 6", "029123", "43,29, 29"}));
  ASSERT_EQ(ReadRecord(g, path, 1, title), ReadStatus::Ok);
  EXPECT_EQ(g.RecSize, 7);
  EXPECT_EQ(g.RecCells[3], "3");
  EXPECT_EQ(g.RecCells[4], "");
  EXPECT_EQ(g.RecCells[25], "");
  EXPECT_EQ(g.RecMarkedCell, 29);
  EXPECT_EQ(g.RecCells[0], "0");
}

TEST(ParseRecord, SizeLineRules) {
  struct Case {
    const char* line;
    int size, digit, length;
  };
  const Case cases[] = {
      {"4 6", 7, 4, 6}, {"9 12", 9, 9, 12}, {"5 4", 5, 5, 4},  {"7", 7, 7, 0},   {"6 3", 6, 6, 3},
      {"", 7, 0, 0},    {"x 5", 7, 0, 5},   {"0 8", 7, 0, 8},  {"5 -1", 5, 5, -1}, {"95", 9, 9, 5},
  };
  for (const auto& c : cases) {
    RawRecord raw;
    raw.HeaderLine = "#1";
    raw.SizeLine = c.line;
    const ParsedRecord r = ParseRecord(raw);
    EXPECT_EQ(r.Size, c.size) << '"' << c.line << '"';
    EXPECT_EQ(r.SizeDigit, c.digit) << '"' << c.line << '"';
    EXPECT_EQ(r.SolutionLength, c.length) << '"' << c.line << '"';
  }
}

TEST(ParseRecord, MarkedCellFromTheLastSolutionItem) {
  struct Case {
    const char* solution;
    int marked;
    bool bad;
  };
  const Case cases[] = {
      {"21,11,1, 11", 11, false}, {"13", 13, false},       {"21,11,1, 81", 81, false},
      {"21,11,1, 0", 0, false},   {"21,11,1,", 0, false},  {"21,11,1, x", 0, false},
      {"21,11,1, 82", 0, true},   {"21,11,1, -1", 0, true}, {"21,11,1, 2.5", 0, true},
      {"1, 99999999999999999999", 0, true},
  };
  for (const auto& c : cases) {
    RawRecord raw;
    raw.SolutionLine = c.solution;
    const ParsedRecord r = ParseRecord(raw);
    EXPECT_EQ(r.MarkedCell, c.marked) << c.solution;
    EXPECT_EQ(r.MarkedCellBad, c.bad) << c.solution;
    EXPECT_EQ(r.Solution, c.solution);
  }
}

TEST(ReadRecord, LineEndsJunkLinesAndTitles) {
  TempDir dir;
  const std::string crlf = dir.File("crlf.kvl");
  const std::string lf = dir.File("lf.kvl");
  const std::string junk = dir.File("junk.kvl");
  const auto records = Concat({Record("#1"), Record("#2", "23,13, 13")});
  WriteFile(crlf, Lines(records));
  WriteFile(lf, Lines(records, "\n"));
  WriteFile(junk, Lines(Concat({{"notes", "", "5 4"}, Record("#1"), {"extra", "21,11", ""}, Record("#2", "23,13, 13"),
                                {"trailing"}})));
  for (int pos : {1, 2}) {
    GameState a, b, c;
    std::string ta, tb, tc;
    ASSERT_EQ(ReadRecord(a, crlf, pos, ta), ReadStatus::Ok);
    ASSERT_EQ(ReadRecord(b, lf, pos, tb), ReadStatus::Ok);
    ASSERT_EQ(ReadRecord(c, junk, pos, tc), ReadStatus::Ok);
    for (const GameState* other : {&b, &c}) {
      EXPECT_EQ(other->RecCells, a.RecCells) << pos;
      EXPECT_EQ(other->RecSolution, a.RecSolution) << pos;
      EXPECT_EQ(other->RecMarkedCell, a.RecMarkedCell) << pos;
      EXPECT_EQ(other->RecSize, a.RecSize) << pos;
    }
    EXPECT_EQ(ta, "Easy");
    EXPECT_EQ(tb, ta);
    EXPECT_EQ(tc, ta);
  }
  PuzzleFileIndexes files;
  EXPECT_EQ(CountPuzzles(files, junk), 2);

  const std::string titled = dir.File("titled.kvl");
  WriteFile(titled, Lines({"#1", "Easy, by someone", "9 12", "013" + kGrid5, "21,11,13,3, 13"}));
  GameState g;
  std::string title;
  ASSERT_EQ(ReadRecord(g, titled, 1, title), ReadStatus::Ok);
  EXPECT_EQ(title, "Easy");
  EXPECT_EQ(g.RecSize, 9);
  EXPECT_EQ(g.RecSolutionLength, 12);

  EXPECT_EQ(DifficultyWord("VeryEasy rest"), "Easy");
  EXPECT_EQ(DifficultyWord("Hard"), "Hard");
  EXPECT_EQ(DifficultyWord("Easy puzzles"), "Easy");
  EXPECT_EQ(DifficultyWord(""), "");
}

TEST(ReadRecord, GridLongerThanTheBoardIsCutAt81) {
  TempDir dir;
  const std::string path = dir.File("p.kvl");
  std::string cells;
  for (int i = 0; i < 120; ++i) cells += static_cast<char>('a' + i % 26);
  WriteFile(path, Lines({"#1", "Hard", "9 8", "081" + cells, "1, 81"}));
  PuzzleFileIndexes files;
  RawRecord raw;
  ASSERT_EQ(ReadRawRecord(files, path, 1, raw), ReadStatus::Ok);
  const ParsedRecord r = ParseRecord(raw);
  EXPECT_TRUE(r.GridTooLong);
  EXPECT_EQ(r.Cells, cells.substr(0, 81));
  EXPECT_EQ(r.GridPrefix, "081");

  GameState g;
  std::string title;
  ASSERT_EQ(ReadRecord(g, path, 1, title), ReadStatus::Ok);
  EXPECT_EQ(g.RecCells[81], std::string(1, cells[80]));
  EXPECT_EQ(g.RecCells[0], "0");

  WriteFile(path, Lines({"#1", "Hard", "9 8", "081" + cells.substr(0, 81), "1, 81"}));
  ASSERT_EQ(ReadRawRecord(files, path, 1, raw), ReadStatus::Ok);
  EXPECT_FALSE(ParseRecord(raw).GridTooLong);
}

TEST(ReadRecord, VeryLongLinesAreCutAndDoNotSpillOver) {
  TempDir dir;
  const std::string path = dir.File("p.kvl");
  const std::string huge(100000, 'z');
  PuzzleFileIndexes files;
  RawRecord raw;

  // As the grid line.
  WriteFile(path, Lines({"#1", "Hard", "9 8", "013" + huge, "21,11,13,3, 13", "#2", "Easy", "5 4", "013" + kGrid5,
                         "21,11,13,3, 13"}));
  EXPECT_EQ(CountPuzzles(files, path), 2);
  ASSERT_EQ(ReadRawRecord(files, path, 1, raw), ReadStatus::Ok);
  EXPECT_TRUE(raw.Overlong);
  EXPECT_LE(raw.GridLine.size(), MaxRecordLine);
  EXPECT_EQ(raw.SolutionLine, "21,11,13,3, 13");
  EXPECT_TRUE(ParseRecord(raw).GridTooLong);
  EXPECT_EQ(ParseRecord(raw).Cells.size(), 81u);
  ASSERT_EQ(ReadRawRecord(files, path, 2, raw), ReadStatus::Ok);
  EXPECT_FALSE(raw.Overlong);
  EXPECT_EQ(raw.GridLine, "013" + kGrid5);

  // As the title line: the grid itself is fine.
  WriteFile(path, Lines({"#1", huge, "5 4", "013" + kGrid5, "21,11,13,3, 13"}));
  ASSERT_EQ(ReadRawRecord(files, path, 1, raw), ReadStatus::Ok);
  EXPECT_TRUE(raw.Overlong);
  const ParsedRecord r = ParseRecord(raw);
  EXPECT_FALSE(r.GridTooLong);
  EXPECT_EQ(r.Cells, kGrid5);
  EXPECT_EQ(r.Size, 5);

  // As a header line and as a line between records.
  WriteFile(path, Lines(Concat({Record("#1" + huge), {huge, "#" + huge}, Record("#2")})));
  EXPECT_EQ(CountPuzzles(files, path), 2);
  EXPECT_EQ(ReadRawRecord(files, path, 2, raw), ReadStatus::Incomplete);
  ASSERT_EQ(ReadRawRecord(files, path, 3, raw), ReadStatus::Ok);
  EXPECT_EQ(raw.HeaderLine, "#2");
  EXPECT_FALSE(raw.Overlong);
}

TEST(ReadRawRecord, IncompleteRecordsAndPositionsOutOfRange) {
  TempDir dir;
  const std::string path = dir.File("p.kvl");
  WriteFile(path, Lines(Concat({Record("#1"), {"#2", "Easy", "5 4"}, Record("#3"), {"#4", "Hard", "7 6", "029"}})));
  PuzzleFileIndexes files;
  EXPECT_EQ(CountPuzzles(files, path), 4);
  RawRecord raw;
  EXPECT_EQ(ReadRawRecord(files, path, 1, raw), ReadStatus::Ok);
  EXPECT_EQ(ReadRawRecord(files, path, 2, raw), ReadStatus::Incomplete);
  EXPECT_EQ(ReadRawRecord(files, path, 3, raw), ReadStatus::Ok);
  EXPECT_EQ(raw.HeaderLine, "#3");
  EXPECT_EQ(ReadRawRecord(files, path, 4, raw), ReadStatus::Incomplete);
  for (int pos : {0, -1, 5, INT_MAX, INT_MIN}) EXPECT_EQ(ReadRawRecord(files, path, pos, raw), ReadStatus::NotFound) << pos;

  GameState g;
  std::string title;
  EXPECT_EQ(ReadRecord(g, path, 2, title), ReadStatus::Incomplete);
  EXPECT_EQ(ReadRecord(g, path, 0, title), ReadStatus::NotFound);
  EXPECT_EQ(title, "");
}

TEST(ReadRawRecord, BinaryBytesAndNulsReadWithoutHarm) {
  TempDir dir;
  const std::string path = dir.File("p.kvl");
  std::string grid = "013" + kGrid5;
  grid[5] = '\0';
  grid[6] = '\xff';
  std::string text = Lines(Concat({Record("#1", "21,11,13,3, 13", grid), Record("#2")}));
  text.insert(0, std::string("\x00\x01\x80\xfe\n", 5));
  WriteFile(path, text);
  PuzzleFileIndexes files;
  const FileIndex* index = files.Get(path);
  ASSERT_NE(index, nullptr);
  EXPECT_TRUE(index->hasNul);
  EXPECT_EQ(index->counted, 2);
  RawRecord raw;
  ASSERT_EQ(ReadRawRecord(files, path, 1, raw), ReadStatus::Ok);
  EXPECT_EQ(raw.GridLine, grid);
  GameState g;
  std::string title;
  ASSERT_EQ(ReadRecord(g, path, 1, title), ReadStatus::Ok);
  EXPECT_EQ(g.RecCells[3], std::string(1, '\0'));
  EXPECT_EQ(g.RecCells[4], "\xff");

  WriteFile(path, Lines(Record("#1")));
  index = files.Get(path);
  ASSERT_NE(index, nullptr);
  EXPECT_FALSE(index->hasNul);
}

// Checks that the whole-file reader and the positional reader see the same records.
void ExpectReadersAgree(const std::string& path) {
  std::vector<std::pair<RawRecord, ReadStatus>> all;
  ASSERT_EQ(ReadAllRecords(path,
                           [&](int pos, const RawRecord& raw, ReadStatus s) {
                             EXPECT_EQ(pos, static_cast<int>(all.size()) + 1);
                             all.emplace_back(raw, s);
                             return true;
                           }),
            ReadStatus::Ok);
  PuzzleFileIndexes files;
  const FileIndex* index = files.Get(path);
  ASSERT_NE(index, nullptr);
  ASSERT_EQ(all.size(), index->recordStart.size());
  int positive = 0;
  for (const auto& [raw, s] : all) positive += NumericValue(std::string_view(raw.HeaderLine).substr(1)) > 0;
  EXPECT_EQ(index->counted, positive);
  for (std::size_t i = 0; i < all.size(); ++i) {
    SCOPED_TRACE("position " + std::to_string(i + 1));
    RawRecord raw;
    const ReadStatus s = ReadRawRecord(files, path, static_cast<int>(i + 1), raw);
    ASSERT_EQ(s, all[i].second);
    if (s == ReadStatus::Ok) ExpectSameRecord(raw, all[i].first);
  }
}

TEST(ReadAllRecords, AgreesWithReadingByPosition) {
  TempDir dir;
  const std::string path = dir.File("p.kvl");
  WriteFile(path, Lines(Concat({{"preface"}, Record("#1"), {"#"}, Record("#0"), {"#2", "Easy"}, Record("#3"),
                                {"after"}, Record("#5" + std::string(MaxRecordLine, 'h')), {"#4", "Hard", "7 6"}})));
  ExpectReadersAgree(path);
  std::vector<ReadStatus> seen;
  ASSERT_EQ(ReadAllRecords(path, [&](int, const RawRecord&, ReadStatus s) { return seen.push_back(s), true; }),
            ReadStatus::Ok);
  EXPECT_EQ(seen, (std::vector<ReadStatus>{ReadStatus::Ok, ReadStatus::Incomplete, ReadStatus::Ok,
                                           ReadStatus::Incomplete, ReadStatus::Ok, ReadStatus::Ok,
                                           ReadStatus::Incomplete}));
  int calls = 0;
  ASSERT_EQ(ReadAllRecords(path, [&](int, const RawRecord&, ReadStatus) { return ++calls < 2; }), ReadStatus::Ok);
  EXPECT_EQ(calls, 2);
}

TEST(ReadAllRecords, AgreesWithReadingByPositionOnRandomFiles) {
  const unsigned seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 rng(seed);
  TempDir dir;
  const std::string path = dir.File("p.kvl");
  const std::vector<std::string> pool = {
      "#1", "#", "#0", "#17", "# 3", "#-2", "Easy", "Hard, x", "5 4", "7 6", "013" + kGrid5, "21,11,13,3, 13",
      "", "junk", std::string(MaxRecordLine + 10, 'q'), "#9" + std::string(MaxRecordLine + 10, 'r'),
      std::string("a\0b", 3), "\r", "#" + std::string(100, ' ') + "6", "#" + std::string(MaxRecordLine, ' ') + "6"};
  for (int round = 0; round < 60; ++round) {
    std::string text;
    int positive = 0;
    const int lines = static_cast<int>(rng() % 40);
    for (int k = 0; k < lines; ++k) {
      const std::string& line = pool[rng() % pool.size()];
      const std::string_view kept = std::string_view(line).substr(0, MaxRecordLine);
      if (!kept.empty() && kept[0] == '#' && NumericValue(kept.substr(1)) > 0) ++positive;
      text += line;
      if (k + 1 < lines || rng() % 2) text += rng() % 2 ? "\r\n" : "\n";
    }
    WriteFile(path, text);
    PuzzleFileIndexes files;
    ASSERT_EQ(CountPuzzles(files, path), positive) << "round " << round;
    ExpectReadersAgree(path);
    if (HasFatalFailure()) return;
  }
}

TEST(FileIndexCache, NoticesChangedFiles) {
  TempDir dir;
  const std::string path = dir.File("p.kvl");
  PuzzleFileIndexes files;
  WriteFile(path, Lines(Concat({Record("#1"), Record("#2")})));
  EXPECT_EQ(CountPuzzles(files, path), 2);
  RawRecord raw;
  EXPECT_EQ(ReadRawRecord(files, path, 3, raw), ReadStatus::NotFound);

  ASSERT_TRUE(AppendToFile(path, Lines(Record("#3", "23,13, 13"))).ok);
  EXPECT_EQ(CountPuzzles(files, path), 3);
  ASSERT_EQ(ReadRawRecord(files, path, 3, raw), ReadStatus::Ok);
  EXPECT_EQ(raw.SolutionLine, "23,13, 13");

  // Shorter, different content: old offsets must not be used.
  WriteFile(path, Lines({"x", "#8", "Hard", "7 6", "029123", "43,29, 29"}));
  EXPECT_EQ(CountPuzzles(files, path), 1);
  ASSERT_EQ(ReadRawRecord(files, path, 1, raw), ReadStatus::Ok);
  EXPECT_EQ(raw.HeaderLine, "#8");
  EXPECT_EQ(raw.SolutionLine, "43,29, 29");
  EXPECT_EQ(ReadRawRecord(files, path, 2, raw), ReadStatus::NotFound);

  GameState g;
  std::string title;
  WriteFile(path, Lines(Concat({Record("#1"), Record("#2"), Record("#3"), Record("#4", "21, 21")})));
  ASSERT_EQ(ReadRecord(g, path, 4, title), ReadStatus::Ok);
  EXPECT_EQ(g.RecMarkedCell, 21);

  fs::remove(path);
  EXPECT_EQ(CountPuzzles(files, path), 0);
  EXPECT_EQ(ReadRawRecord(files, path, 1, raw), ReadStatus::Missing);
}

TEST(FormatRecord, WritesFiveCrLfLines) {
  const std::string grid(49, '1');
  EXPECT_EQ(FormatRecord(12, true, 7, 6, 29, grid, "21,11,1, 11"),
            "#12\r\nEasy\r\n7 6\r\n029" + grid + "\r\n21,11,1, 11\r\n");
  EXPECT_EQ(FormatRecord(1, false, 5, 0, 13, kGrid5, "13"), "#1\r\nHard\r\n5 0\r\n013" + kGrid5 + "\r\n13\r\n");
  EXPECT_EQ(FormatRecord(3, false, 9, -1, 81, "", "x"), "#3\r\nHard\r\n9-1\r\n081\r\nx\r\n");
}

// A board of size n filled with random captions, a random solution and a marked cell on a number cell.
GameState RandomBoard(std::mt19937& rng, int n) {
  GameState g;
  LayOutBoard(g, n);
  g.PuzzleSize = n;
  const int m = g.NumbersPerRow;
  std::vector<int> numbers;
  for (int i = 1; i <= g.CellCount; ++i) {
    if (g.Geo.IsNumberCell(i)) {
      g.Cell[i].Caption = std::to_string(1 + rng() % m);
      numbers.push_back(i);
    } else {
      g.Cell[i].Caption = g.Geo.IsSignCell(i) ? (rng() % 2 ? "+" : "-") : " ";
    }
  }
  const int marked = numbers[rng() % numbers.size()];
  const int length = 1 + static_cast<int>(rng() % 8);
  for (int k = 0; k < length; ++k) g.Solution += std::to_string(numbers[rng() % numbers.size()]) + ",";
  g.Solution += NumText(marked);
  g.SolutionLength = length;
  g.EasyFlag = rng() % 2;
  PlaceMarker(g, g.Solution);
  return g;
}

TEST(AppendRecord, WriteThenReadGivesTheBoardBack) {
  const unsigned seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 rng(seed);
  TempDir dir;
  const std::string path = dir.File("round.kvl");
  std::vector<GameState> boards;
  for (int k = 0; k < 30; ++k) {
    boards.push_back(RandomBoard(rng, 5 + 2 * static_cast<int>(rng() % 3)));
    int number = k == 0 ? 0 : k + 1;
    const WriteResult w = AppendRecord(boards.back(), number, path);
    ASSERT_TRUE(w.ok) << w.message << ": " << w.reason;
    EXPECT_EQ(number, k + 1);
  }
  GameState reader;
  EXPECT_EQ(CountPuzzles(reader.Files, path), 30);
  for (int k = 0; k < 30; ++k) {
    SCOPED_TRACE("record " + std::to_string(k + 1));
    const GameState& b = boards[static_cast<std::size_t>(k)];
    std::string title;
    ASSERT_EQ(ReadRecord(reader, path, k + 1, title), ReadStatus::Ok);
    EXPECT_EQ(title, b.EasyFlag ? "Easy" : "Hard");
    EXPECT_EQ(reader.RecSize, b.PuzzleSize);
    EXPECT_EQ(reader.RecSolutionLength, b.SolutionLength);
    EXPECT_EQ(reader.RecSolution, b.Solution);
    EXPECT_EQ(reader.RecMarkedCell, b.MarkedCell);
    EXPECT_EQ(reader.RecCells[0], b.Cell[0].Caption);
    for (int i = 1; i <= 81; ++i) EXPECT_EQ(reader.RecCells[i], i <= b.CellCount ? b.Cell[i].Caption : "") << i;
  }
}

TEST(AppendRecord, NumberZeroStartsTheFileAnew) {
  TempDir dir;
  const std::string path = dir.File("p.kvl");
  WriteFile(path, Lines(Concat({Record("#1"), Record("#2"), Record("#3")})));
  PuzzleFileIndexes files;
  EXPECT_EQ(CountPuzzles(files, path), 3);

  GameState g;
  LayOutBoard(g, 5);
  g.PuzzleSize = 5;
  for (int i = 1; i <= 25; ++i) g.Cell[i].Caption = std::string(1, kGrid5[i - 1]);
  g.Solution = "21,11,13,3, 13";
  g.SolutionLength = 4;
  PlaceMarker(g, g.Solution);
  int number = 0;
  const WriteResult w = AppendRecord(g, number, path);
  ASSERT_TRUE(w.ok) << w.reason;
  EXPECT_EQ(number, 1);
  EXPECT_EQ(ReadFile(path), "#1\r\nHard\r\n5 4\r\n013" + kGrid5 + "\r\n21,11,13,3, 13\r\n");
  EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"p.kvl"});
  EXPECT_EQ(CountPuzzles(files, path), 1);

  number = 2;
  ASSERT_TRUE(AppendRecord(g, number, path).ok);
  EXPECT_EQ(CountPuzzles(files, path), 2);

  // Empty captions write a shorter grid; the missing cells read back as "".
  g.Cell[24].Caption.clear();
  g.Cell[25].Caption.clear();
  number = 3;
  ASSERT_TRUE(AppendRecord(g, number, path).ok);
  std::string title;
  ASSERT_EQ(ReadRecord(g, path, 3, title), ReadStatus::Ok);
  EXPECT_EQ(g.RecCells[23], "1");
  EXPECT_EQ(g.RecCells[24], "");
  EXPECT_EQ(g.RecCells[25], "");
}

TEST(AppendRecord, NoMarkedCellWritesNothing) {
  TempDir dir;
  const std::string path = dir.File("p.kvl");
  const std::string before = Lines(Record("#1"));
  WriteFile(path, before);
  GameState g;
  LayOutBoard(g, 5);
  g.Solution = "21,11,1,";
  PlaceMarker(g, g.Solution);
  ASSERT_EQ(g.MarkedCell, 0);
  for (int start : {5, 0}) {
    int number = start;
    const WriteResult w = AppendRecord(g, number, path);
    EXPECT_FALSE(w.ok);
    EXPECT_EQ(ReadFile(path), before);
    if (start == 5) {
      EXPECT_EQ(w.message, "Error writing puzzle# 5 to file: " + path);
    }
  }
  const std::string fresh = dir.File("fresh.kvl");
  int number = 1;
  EXPECT_FALSE(AppendRecord(g, number, fresh).ok);
  EXPECT_FALSE(fs::exists(fresh));
  EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"p.kvl"});
}

TEST(AppendToFile, AddsALineBreakBeforeAppendingToAnUnfinishedLine) {
  TempDir dir;
  for (const std::string& eol : std::vector<std::string>{"\r\n", "\n"}) {
    const std::string path = dir.File("p.kvl");
    std::string first = Lines(Record("#1"), eol);
    first.resize(first.size() - eol.size());
    WriteFile(path, first);
    PuzzleFileIndexes files;
    EXPECT_EQ(CountPuzzles(files, path), 1);
    ASSERT_TRUE(AppendToFile(path, Lines(Record("#2", "23,13, 13"))).ok);
    EXPECT_EQ(CountPuzzles(files, path), 2);
    RawRecord raw;
    ASSERT_EQ(ReadRawRecord(files, path, 1, raw), ReadStatus::Ok);
    EXPECT_EQ(raw.SolutionLine, "21,11,13,3, 13");
    ASSERT_EQ(ReadRawRecord(files, path, 2, raw), ReadStatus::Ok);
    EXPECT_EQ(raw.SolutionLine, "23,13, 13");
  }
}

TEST(AppendToFile, FailsCleanlyWhereNothingCanBeWritten) {
  TempDir dir;
  const std::string nowhere = dir.File("missing/p.kvl");
  const WriteResult w = AppendToFile(nowhere, Lines(Record("#1")));
  EXPECT_FALSE(w.ok);
  EXPECT_NE(w.message.find(nowhere), std::string::npos);
  EXPECT_FALSE(fs::exists(dir.File("missing")));
  GameState g;
  LayOutBoard(g, 5);
  PlaceMarker(g, "1, 13");
  int number = 0;
  EXPECT_FALSE(AppendRecord(g, number, nowhere).ok);
  EXPECT_FALSE(fs::exists(dir.File("missing")));

  const fs::path locked = dir.Path() / "locked";
  fs::create_directory(locked);
  fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
  {
    std::ofstream probe(locked / "probe");
    if (probe) {
      probe.close();
      fs::remove(locked / "probe");
      GTEST_SKIP() << "permission bits do not stop writes for this user";
    }
  }
  const std::string path = (locked / "p.kvl").string();
  EXPECT_FALSE(AppendToFile(path, Lines(Record("#1"))).ok);
  number = 0;
  EXPECT_FALSE(AppendRecord(g, number, path).ok);
  EXPECT_TRUE(FolderEntries(locked).empty());
}

TEST(FileExists, OnlyForFiles) {
  TempDir dir;
  WriteFile(dir.File("a.kvl"), "x");
  EXPECT_TRUE(FileExists(dir.File("a.kvl")));
  EXPECT_FALSE(FileExists(dir.File("b.kvl")));
  EXPECT_FALSE(FileExists(""));
  EXPECT_FALSE(FileExists(dir.Path().string()));
  EXPECT_FALSE(FileExists(dir.Folder()));
}

TEST(NextFreeName, NumbersBeforeTheExtension) {
  TempDir dir;
  const std::string base = dir.File("tempnewpuzzle.kvl");
  EXPECT_EQ(NextFreeName(base), dir.File("tempnewpuzzle;01.kvl"));
  WriteFile(dir.File("tempnewpuzzle;01.kvl"), "");
  EXPECT_EQ(NextFreeName(base), dir.File("tempnewpuzzle;02.kvl"));
  EXPECT_EQ(NextFreeName(dir.File("x;07.kvl")), dir.File("x;08.kvl"));
  EXPECT_EQ(NextFreeName(dir.File("x;99.kvl")), dir.File("x;01.kvl"));
  EXPECT_EQ(NextFreeName(dir.File("noext")), dir.File("noext;01"));
  EXPECT_EQ(NextFreeName(dir.File("a.b.kvl")), dir.File("a.b;01.kvl"));

  const fs::path dotted = dir.Path() / "v1.2";
  fs::create_directory(dotted);
  EXPECT_EQ(NextFreeName((dotted / "plain").string()), (dotted / "plain;01").string());
  const fs::path semi = dir.Path() / "a;05.d";
  fs::create_directory(semi);
  EXPECT_EQ(NextFreeName((semi / "plain").string()), (semi / "plain;01").string());

  for (int n = 1; n <= 99; ++n) {
    const std::string two = (n < 10 ? "0" : "") + std::to_string(n);
    EXPECT_NE(NextFreeName(dir.File("full.kvl")), "") << n;
    WriteFile(dir.File("full;" + two + ".kvl"), "");
  }
  EXPECT_EQ(NextFreeName(dir.File("full.kvl")), "");
  EXPECT_EQ(NextFreeName(dir.File("full;50.kvl")), "");
  fs::remove(dir.File("full;42.kvl"));
  EXPECT_EQ(NextFreeName(dir.File("full;50.kvl")), dir.File("full;42.kvl"));
}

}  // namespace
}  // namespace kelvane
