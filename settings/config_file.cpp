// The configuration file "kelvane.cfg": five settings read at start-up and written on exit.
#include "settings/config_file.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "model/text_rules.h"

namespace kelvane {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// The whole file when it is no larger than `limit`; false otherwise.
bool readSmallFile(const std::string& path, std::size_t limit, std::string& out) {
  // A folder, a pipe or a device is no settings file, and a pipe would block.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  File f(std::fopen(path.c_str(), "rb"));
  if (!f) return false;
  std::string data(limit + 1, '\0');
  const std::size_t got = std::fread(data.data(), 1, data.size(), f.get());
  if (std::ferror(f.get()) || got > limit) return false;
  data.resize(got);
  out = std::move(data);
  return true;
}

// Cuts the next line off `text`; CR LF, LF and a lone CR all end a line.
bool nextLine(std::string_view& text, std::string_view& line) {
  if (text.empty()) return false;
  const std::size_t end = text.find_first_of("\r\n");
  line = text.substr(0, end);
  if (end == std::string_view::npos) {
    text = {};
  } else {
    const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    text.remove_prefix(end + (crlf ? 2 : 1));
  }
  return true;
}

// A whole number from a numeric field; `fallback` when it is outside lo..hi.
int wholeNumber(std::string_view field, int lo, int hi, int fallback) {
  const double v = NumericValue(InputField(field));
  if (!(v >= lo - 0.5 && v < hi + 0.5)) return fallback;
  return static_cast<int>(std::lround(v));
}

// " 16 ": the sign position, the digits and a blank.
std::string numberField(int n) { return NumText(n) + " "; }

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A name as the reader's InputField gives it back: in double quotes when
// blanks around it, a comma or a leading quote would otherwise be lost.
std::string textField(const std::string& value) {
  if (InputField(value) == value || value.find('"') != std::string::npos) return value;
  return '"' + value + '"';
}

bool breaksLines(std::string_view value) {
  return value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

}  // namespace

ConfigValues DefaultConfig(const std::string& programFolder) {
  ConfigValues values;
  values.CurrentFile = programFolder + "puzzles.kvl";
  return values;
}

bool ReadConfigFile(const std::string& path, ConfigValues& out) {
  std::string data;
  if (!readSmallFile(path, MaxConfigBytes, data)) return false;
  if (data.find('\0') != std::string::npos) return false;

  std::string_view text = data;
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  std::array<std::string_view, 5> lines;
  for (auto& line : lines) {
    if (!nextLine(text, line) || line.size() > MaxConfigLine) return false;
  }

  const ConfigValues defaults;
  ConfigValues read;
  read.CellFontName = InputField(lines[0]);
  if (read.CellFontName.empty()) read.CellFontName = defaults.CellFontName;
  read.CellFontSize = wholeNumber(lines[1], MinCellFontSize, MaxCellFontSize, defaults.CellFontSize);
  read.ColourSchemeName = InputField(lines[2]);
  if (read.ColourSchemeName.empty()) read.ColourSchemeName = defaults.ColourSchemeName;
  read.PlainBlankFlag = wholeNumber(lines[3], YES, YES, NO);
  read.CurrentFile = std::string(lines[4]);
  out = std::move(read);
  return true;
}

std::string FormatConfig(const ConfigValues& values) {
  std::string text;
  // The reader drops one byte order mark at the start: a font name that
  // begins with one keeps it behind a second.
  if (values.CellFontName.starts_with(kByteOrderMark)) text += kByteOrderMark;
  for (const std::string& line : {textField(values.CellFontName), numberField(values.CellFontSize),
                                  textField(values.ColourSchemeName), numberField(values.PlainBlankFlag),
                                  values.CurrentFile}) {
    text += line;
    text += "\r\n";
  }
  return text;
}

WriteResult WriteConfigFile(const std::string& path, const ConfigValues& values) {
  if (breaksLines(values.CellFontName) || breaksLines(values.ColourSchemeName) || breaksLines(values.CurrentFile))
    return {false, ConfigWriteFailedMessage(path), "A setting holds a line break."};
  // The reader refuses a file with a longer line.
  for (const std::string& field : {textField(values.CellFontName), textField(values.ColourSchemeName), values.CurrentFile})
    if (field.size() > MaxConfigLine) return {false, ConfigWriteFailedMessage(path), "A setting is too long."};
  WriteResult r = ReplaceFile(path, FormatConfig(values));
  if (!r.ok) r.message = ConfigWriteFailedMessage(path);
  return r;
}

std::string ConfigReadFailedMessage(const std::string& path) {
  return "Configuration file:\n" + path + "\ncould not be accessed, new file will be created";
}

std::string ConfigWriteFailedMessage(const std::string& path) {
  return "Configuration file:\n" + path + "\ncould not be accessed, options not saved";
}

void ApplyConfig(GameState& g, const ConfigValues& values) {
  g.CellFontName = values.CellFontName;
  g.CellFontSize = values.CellFontSize;
  g.ColourSchemeName = values.ColourSchemeName;
  g.PlainBlankFlag = values.PlainBlankFlag;
  g.CurrentFile = values.CurrentFile;
}

ConfigValues ConfigFromState(const GameState& g) {
  return {g.CellFontName, g.CellFontSize, g.ColourSchemeName, g.PlainBlankFlag, g.CurrentFile};
}

}  // namespace kelvane
