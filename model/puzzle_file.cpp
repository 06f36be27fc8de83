// Puzzle files: five-line records, read by position, counted, appended and named.
#include "model/puzzle_file.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "model/game_state.h"
#include "model/text_rules.h"
#include "model/write_fault.h"

namespace kelvane {

namespace fs = std::filesystem;

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Reads one line without its CR LF or LF; false at the end of the file.
bool readLine(std::FILE* f, std::string& line, bool& overlong) {
  line.clear();
  int c = std::getc(f);
  if (c == EOF) return false;
  while (c != EOF && c != '\n') {
    if (line.size() < MaxRecordLine)
      line.push_back(static_cast<char>(c));
    else
      overlong = true;
    c = std::getc(f);
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

// Cuts the next line of a text at LF, CR LF or a lone CR; false at its end.
bool nextTextLine(std::string_view& text, std::string& line, bool& overlong) {
  if (text.empty()) return false;
  const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
  line.assign(text.data(), std::min(end, MaxRecordLine));
  if (end > MaxRecordLine) overlong = true;
  std::size_t next = end;
  if (next < text.size()) next += text.compare(next, 2, "\r\n") == 0 ? 2 : 1;
  text.remove_prefix(next);
  return true;
}

using EachRecord = std::function<bool(int, const RawRecord&, ReadStatus)>;

// Splits lines into records: a "#" line starts one of five lines, other lines
// outside a record are skipped, one cut short by the next "#" or the end is
// incomplete.
class RecordSplitter {
 public:
  explicit RecordSplitter(const EachRecord& each) : each_(each) {}
  RecordSplitter(const RecordSplitter&) = delete;  // lines_ points into raw_
  RecordSplitter& operator=(const RecordSplitter&) = delete;

  // false when the callback asked to stop.
  bool Feed(const std::string& line, bool overlong) {
    const bool header = !line.empty() && line.front() == '#';
    if (header) {
      if (have_ > 0 && have_ < 5 && !each_(position_, raw_, ReadStatus::Incomplete)) return false;
      raw_ = RawRecord{};
      ++position_;
      have_ = 0;
    } else if (have_ == 0 || have_ >= 5) {
      if (!line.empty()) ++outside_;
      return true;
    }
    *lines_[have_++] = line;
    raw_.Overlong = raw_.Overlong || overlong;
    return have_ < 5 || each_(position_, raw_, ReadStatus::Ok);
  }

  // Lines with text that belong to no record.
  int Outside() const { return outside_; }

  // After the last line: the record it cut short.
  void Finish() {
    if (have_ > 0 && have_ < 5) each_(position_, raw_, ReadStatus::Incomplete);
  }

 private:
  const EachRecord& each_;
  RawRecord raw_;
  std::string* lines_[5] = {&raw_.HeaderLine, &raw_.TitleLine, &raw_.SizeLine, &raw_.GridLine, &raw_.SolutionLine};
  int position_ = 0;
  std::size_t have_ = 0;  // lines of the current record; 0 when between records
  int outside_ = 0;
};

ReadStatus fromFileStatus(FileStatus s) {
  switch (s) {
    case FileStatus::Ok: return ReadStatus::Ok;
    case FileStatus::Missing: return ReadStatus::Missing;
    case FileStatus::TooLarge: return ReadStatus::TooLarge;
    case FileStatus::Unreadable: break;
  }
  return ReadStatus::Unreadable;
}

std::string systemReason() { return std::strerror(errno); }

// The file writes below, each with its place in the test seam.
std::FILE* openForWrite(const std::string& path, const char* mode) {
  if (WriteFault* fault = InstalledWriteFault(); fault && fault->FailOpen(path)) {
    errno = EACCES;
    return nullptr;
  }
  return std::fopen(path.c_str(), mode);
}

// Writes and flushes all of data; false with errno set when any part failed.
bool writeAll(std::FILE* out, const std::string& path, std::string_view data) {
  std::size_t n = data.size();
  if (WriteFault* fault = InstalledWriteFault()) n = std::min(n, fault->WriteLimit(path, data.size()));
  const bool ok = std::fwrite(data.data(), 1, n, out) == n && std::fflush(out) == 0;
  if (ok && n < data.size()) errno = EIO;
  return ok && n == data.size();
}

void renameOver(const fs::path& from, const fs::path& to, std::error_code& ec) {
  if (WriteFault* fault = InstalledWriteFault(); fault && fault->FailRename(to.string())) {
    ec = std::make_error_code(std::errc::read_only_file_system);
    return;
  }
  fs::rename(from, to, ec);
}

}  // namespace

int CountPuzzles(PuzzleFileIndexes& files, const std::string& path) {
  const FileIndex* index = files.Get(path);
  return index ? index->counted : 0;
}

ReadStatus ReadRawRecord(PuzzleFileIndexes& files, const std::string& path, int position, RawRecord& out) {
  FileStatus fileStatus;
  const FileIndex* index = files.Get(path, &fileStatus);
  if (!index) return fromFileStatus(fileStatus);
  if (position < 1 || static_cast<std::size_t>(position) > index->recordStart.size()) return ReadStatus::NotFound;

  File f(std::fopen(path.c_str(), "rb"));
  if (!f) return ReadStatus::Unreadable;
  const auto start = index->recordStart[static_cast<std::size_t>(position) - 1];
  if (std::fseek(f.get(), static_cast<long>(start), SEEK_SET) != 0) return ReadStatus::Unreadable;

  RawRecord raw;
  std::string* lines[] = {&raw.HeaderLine, &raw.TitleLine, &raw.SizeLine, &raw.GridLine, &raw.SolutionLine};
  for (std::size_t i = 0; i < 5; ++i) {
    if (!readLine(f.get(), *lines[i], raw.Overlong)) return ReadStatus::Incomplete;
    const bool isHeader = !lines[i]->empty() && lines[i]->front() == '#';
    // The file changed under the index, or the next record starts early.
    if ((i == 0) != isHeader) return i == 0 ? ReadStatus::NotFound : ReadStatus::Incomplete;
  }
  out = std::move(raw);
  return ReadStatus::Ok;
}

ReadStatus ReadAllRecords(const std::string& path,
                          const std::function<bool(int, const RawRecord&, ReadStatus)>& each, int* outside) {
  std::error_code ec;
  if (!fs::exists(path, ec)) return ReadStatus::Missing;
  if (!fs::is_regular_file(path, ec)) return ReadStatus::Unreadable;
  if (fs::file_size(path, ec) > MaxPuzzleFileBytes) return ReadStatus::TooLarge;
  File f(std::fopen(path.c_str(), "rb"));
  if (!f) return ReadStatus::Unreadable;
  RecordSplitter records(each);
  std::string line;
  for (bool overlong = false; readLine(f.get(), line, overlong); overlong = false)
    if (!records.Feed(line, overlong)) return ReadStatus::Ok;
  if (std::ferror(f.get())) return ReadStatus::Unreadable;
  records.Finish();
  if (outside) *outside = records.Outside();
  return ReadStatus::Ok;
}

void ReadRecordsInText(std::string_view text, const std::function<bool(int, const RawRecord&, ReadStatus)>& each) {
  RecordSplitter records(each);
  std::string line;
  for (bool overlong = false; nextTextLine(text, line, overlong); overlong = false)
    if (!records.Feed(line, overlong)) return;
  records.Finish();
}

ParsedRecord ParseRecord(const RawRecord& raw) {
  ParsedRecord r;
  r.WrittenNumber = IntValue(std::string_view(raw.HeaderLine).substr(raw.HeaderLine.empty() ? 0 : 1));
  r.Title = InputField(raw.TitleLine);
  r.SizeDigit = raw.SizeLine.empty() ? 0 : IntValue(raw.SizeLine.substr(0, 1));
  r.Size = r.SizeDigit >= 5 && r.SizeDigit <= 9 ? r.SizeDigit : 7;
  r.SolutionLength = raw.SizeLine.size() > 1 ? IntValue(std::string_view(raw.SizeLine).substr(1)) : 0;
  r.GridPrefix = raw.GridLine.substr(0, 3);
  if (raw.GridLine.size() > 3) {
    r.Cells = raw.GridLine.substr(3, MaxGridCells);
    r.GridTooLong = raw.GridLine.size() - 3 > MaxGridCells;
  }
  r.Solution = raw.SolutionLine;
  const double marked = NumericValue(LastItem(r.Solution));
  if (marked >= 0 && marked <= MaxGridCells && marked == static_cast<int>(marked)) {
    r.MarkedCell = static_cast<int>(marked);
  } else {
    r.MarkedCell = 0;
    r.MarkedCellBad = true;
  }
  return r;
}

std::string DifficultyWord(std::string_view title) {
  std::string word(title.substr(0, title.find(' ')));
  return word == "VeryEasy" ? "Easy" : word;
}

ReadStatus ReadRecord(GameState& g, const std::string& path, int position, std::string& title) {
  for (int i = 0; i <= MaxGridCells; ++i) g.RecCells[i].clear();
  g.RecMarkedCell = 0;
  g.RecSolution.clear();
  title.clear();
  RawRecord raw;
  const ReadStatus status = ReadRawRecord(g.Files, path, position, raw);
  if (status != ReadStatus::Ok) return status;
  const ParsedRecord r = ParseRecord(raw);
  title = r.Title;
  g.RecSize = r.Size;
  g.RecSolutionLength = r.SolutionLength;
  for (std::size_t i = 0; i < r.Cells.size(); ++i) g.RecCells[i + 1] = std::string(1, r.Cells[i]);
  g.RecSolution = r.Solution;
  g.RecMarkedCell = r.MarkedCell;
  g.RecCells[0] = r.MarkedCell >= 1 ? std::to_string(IntValue(g.RecCells[r.MarkedCell])) : std::string();
  return ReadStatus::Ok;
}

std::string FormatRecord(int number, bool easy, int size, int solutionLength, int markedCell,
                         std::string_view grid, std::string_view solution) {
  std::string rec;
  rec.reserve(32 + grid.size() + solution.size());
  rec += '#';
  rec += std::to_string(number);
  rec += easy ? "\r\nEasy\r\n" : "\r\nHard\r\n";
  rec += std::to_string(size);
  rec += NumText(solutionLength);
  rec += "\r\n";
  rec += Pad3(markedCell);
  rec += grid;
  rec += "\r\n";
  rec += solution;
  rec += "\r\n";
  return rec;
}

WriteResult AppendRecord(GameState& g, int& number, const std::string& path) {
  const int written = number == 0 ? 1 : number;
  auto failure = [&](std::string reason) {
    return WriteResult{false, "Error writing puzzle#" + NumText(written) + " to file: " + path, std::move(reason)};
  };
  if (g.MarkedCell < 1) return failure("The puzzle has no marked cell.");
  // A record the game could never accept as solved is not written.
  std::vector<int> chain;
  int marked = 0;
  if (!ParseSolutionText(g.Solution, chain, marked) || marked != g.MarkedCell)
    return failure(g.Solution.empty() ? "The puzzle has no solution." : "The puzzle's solution is damaged.");
  for (int cell : chain)
    if (cell > g.PuzzleSize * g.PuzzleSize) return failure("The puzzle's solution is damaged.");
  const std::string rec = FormatRecord(written, g.EasyFlag, g.PuzzleSize, g.SolutionLength, g.MarkedCell,
                                       GridText(g), g.Solution);
  WriteResult r = number == 0 ? ReplaceFile(path, rec) : AppendToFile(path, rec);
  if (!r.ok) return failure(r.reason);
  number = written;
  return r;
}

WriteResult AppendToFile(const std::string& path, std::string_view text) {
  auto failure = [&](std::string reason) {
    return WriteResult{false, "Error writing to file: " + path, std::move(reason)};
  };
  std::error_code ec;
  const bool existed = fs::exists(path, ec);
  const std::uint64_t before = existed ? fs::file_size(path, ec) : 0;
  if (ec) return failure(ec.message());

  bool needsBreak = false;
  if (before > 0) {
    File in(std::fopen(path.c_str(), "rb"));
    if (!in) return failure(systemReason());
    if (std::fseek(in.get(), -1, SEEK_END) == 0) needsBreak = std::getc(in.get()) != '\n';
  }
  File out(openForWrite(path, "ab"));
  if (!out) return failure(systemReason());
  std::string data;
  data.reserve(text.size() + 2);
  if (needsBreak) data += "\r\n";
  data += text;
  const bool wrote = writeAll(out.get(), path, data);
  const std::string reason = wrote ? std::string() : systemReason();
  const bool closed = std::fclose(out.release()) == 0;
  if (wrote && closed) return {};
  // Leave no partial record behind.
  if (existed) fs::resize_file(path, before, ec);
  else fs::remove(path, ec);
  return failure(reason.empty() ? systemReason() : reason);
}

WriteResult ReplaceFile(const std::string& path, std::string_view text) {
  auto failure = [&](std::string reason) {
    return WriteResult{false, "Error writing to file: " + path, std::move(reason)};
  };
  const fs::path target(path);
  std::random_device entropy;
  fs::path temp;
  File out;
  for (int tries = 0; tries < 16 && !out; ++tries) {
    temp = target;
    temp += ".tmp" + std::to_string(entropy() % 1000000);
    out.reset(openForWrite(temp.string(), "wbx"));
    if (!out && errno != EEXIST) break;
  }
  if (!out) return failure(systemReason());
  // The new file keeps the old one's permissions, and is on the disk before it takes the name.
  std::error_code ec;
  const fs::file_status old = fs::status(target, ec);
  if (!ec && fs::is_regular_file(old)) fs::permissions(temp, old.permissions(), ec);
  const bool wrote = writeAll(out.get(), temp.string(), text) && ::fsync(fileno(out.get())) == 0;
  const std::string reason = wrote ? std::string() : systemReason();
  const bool closed = std::fclose(out.release()) == 0;
  if (!wrote || !closed) {
    fs::remove(temp, ec);
    return failure(reason.empty() ? "The file could not be closed." : reason);
  }
  renameOver(temp, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    return failure(ec.message());
  }
  return {};
}

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

std::string NextFreeName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot < nameStart) dot = path.size();
  const std::size_t semi = path.rfind(';', dot == 0 ? 0 : dot - 1);
  std::string before;
  int n = 0;
  if (semi != std::string::npos && semi >= nameStart && semi < dot) {
    before = path.substr(0, semi + 1);
    n = IntValue(path.substr(semi + 1, dot - semi - 1));
  } else {
    before = path.substr(0, dot) + ";";
  }
  const std::string after = path.substr(dot);
  if (n < 0 || n > 99) n = 0;
  for (int tries = 0; tries < 99; ++tries) {
    n = n + 1 >= 100 ? 1 : n + 1;
    std::string name = before + (n < 10 ? "0" : "") + std::to_string(n) + after;
    std::error_code ec;
    if (!fs::exists(name, ec) && !ec) return name;
  }
  return {};
}

std::string DescribeReadStatus(ReadStatus status) {
  switch (status) {
    case ReadStatus::Ok: return "The record was read.";
    case ReadStatus::NotFound: return "There is no puzzle at that position.";
    case ReadStatus::Incomplete: return "The record is incomplete: it has fewer than five lines.";
    case ReadStatus::Missing: return "The file does not exist.";
    case ReadStatus::Unreadable: return "The file cannot be read.";
    case ReadStatus::TooLarge: return "The file is too large to be a puzzle file.";
  }
  return {};
}

}  // namespace kelvane
