// Puzzle files: five-line records, read by position, counted, appended and named.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "model/file_index.h"

namespace kelvane {

struct GameState;

// Longest line a reader keeps; the rest of a longer line is dropped.
constexpr std::size_t MaxRecordLine = 4096;

enum class ReadStatus { Ok, NotFound, Incomplete, Missing, Unreadable, TooLarge };

// The five lines of a record as they stand in the file, line ends removed.
struct RawRecord {
  std::string HeaderLine;
  std::string TitleLine;
  std::string SizeLine;
  std::string GridLine;
  std::string SolutionLine;
  bool Overlong = false;  // some line was longer than MaxRecordLine
};

// Every record of a file in order, with its 1-based position; an incomplete
// record is passed with ReadStatus::Incomplete. Stops early when the callback
// returns false. The result tells whether the file could be read. outside, when
// given, gets the number of lines with text that belong to no record.
[[nodiscard]] ReadStatus ReadAllRecords(const std::string& path,
                                        const std::function<bool(int, const RawRecord&, ReadStatus)>& each,
                                        int* outside = nullptr);

// The same for the records in a text, as pasted from the clipboard: "#" lines
// start records and other lines before the first are skipped. Lines end at
// LF, CR LF or a lone CR.
void ReadRecordsInText(std::string_view text, const std::function<bool(int, const RawRecord&, ReadStatus)>& each);

// A record read by the rules of the readers.
struct ParsedRecord {
  int WrittenNumber = 0;     // the number after "#"
  std::string Title;         // the title field
  int Size = 7;              // 5..9; anything else reads as 7
  int SizeDigit = 0;         // the size as written
  int SolutionLength = 0;
  std::string Cells;         // grid characters after the first three, at most 81
  std::string GridPrefix;    // the first three characters of the grid line
  bool GridTooLong = false;  // the grid had more than 81 cells; the rest was dropped
  std::string Solution;
  int MarkedCell = 0;        // 0 when the solution's last item is no cell 1..81
  bool MarkedCellBad = false;
};

struct WriteResult {
  bool ok = true;
  std::string message;  // the message for the user
  std::string reason;   // what the system said
};

// Number of puzzles: lines starting with "#" whose number is above 0.
// 0 when the file is missing, empty or unreadable.
int CountPuzzles(PuzzleFileIndexes& files, const std::string& path);

// The record at a 1-based position among all "#" lines.
[[nodiscard]] ReadStatus ReadRawRecord(PuzzleFileIndexes& files, const std::string& path, int position,
                                       RawRecord& out);
ParsedRecord ParseRecord(const RawRecord& raw);

// The difficulty word of a title: the text before its first blank, with
// "VeryEasy" read as "Easy".
std::string DifficultyWord(std::string_view title);

// Reads a record into the record buffer of the state and gives its title; a record that cannot be
// read leaves the buffer empty but for its size.
[[nodiscard]] ReadStatus ReadRecord(GameState& g, const std::string& path, int position, std::string& title);

// One record as the writer writes it, lines ended by CR LF.
std::string FormatRecord(int number, bool easy, int size, int solutionLength, int markedCell,
                         std::string_view grid, std::string_view solution);

// Appends the board's puzzle as record `number`; number 0 starts the file
// anew and becomes 1.
[[nodiscard]] WriteResult AppendRecord(GameState& g, int& number, const std::string& path);

// Appends whole records in one write. A file that does not end with a line
// break gets one first; a failed write is cut off again.
[[nodiscard]] WriteResult AppendToFile(const std::string& path, std::string_view text);

// Replaces a file's contents through a temporary file in the same folder and a rename.
[[nodiscard]] WriteResult ReplaceFile(const std::string& path, std::string_view text);

bool FileExists(const std::string& path);

// The next name "stem;NN.ext" (01..99, wrapping) that does not exist; empty
// when all 99 are taken.
std::string NextFreeName(const std::string& path);

// A sentence for a read failure.
std::string DescribeReadStatus(ReadStatus status);

}  // namespace kelvane
