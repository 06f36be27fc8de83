// The configuration file "kelvane.cfg": five settings read at start-up and written on exit.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "model/game_state.h"
#include "model/puzzle_file.h"

namespace kelvane {

inline constexpr std::string_view ConfigFileName = "kelvane.cfg";

// A file larger than this, or one of the five lines longer than
// MaxConfigLine, is not a configuration file this program wrote.
constexpr std::size_t MaxConfigBytes = 64 * 1024;
constexpr std::size_t MaxConfigLine = 4096;

constexpr int MinCellFontSize = 8;
constexpr int MaxCellFontSize = 32;

struct ConfigValues {
  std::string CellFontName = "Arial";
  int CellFontSize = 16;
  std::string ColourSchemeName = "default.col";
  int PlainBlankFlag = NO;
  std::string CurrentFile;

  bool operator==(const ConfigValues&) const = default;
};

// The values a fresh file is written with: the defaults and the puzzle file
// "puzzles.kvl" in the program folder (which ends with "/").
ConfigValues DefaultConfig(const std::string& programFolder);

// Reads the five lines. Lines end with CR LF, LF or a lone CR. Lines 1 to 4
// are input fields; line 5 is taken whole. Numbers are rounded; a font size
// outside 8..32 reads as 16, a flag other than 1 as NO, an empty font or
// scheme name as its default.
// False when the file is missing, unreadable, too large, holds a NUL byte or
// an over-long line, or has fewer than five lines; `out` is then untouched.
[[nodiscard]] bool ReadConfigFile(const std::string& path, ConfigValues& out);

// The five lines as written, each ended by CR LF; numbers as " 16 ". A name
// the reader would not give back as it stands (blanks around it, a comma, a
// leading quote) is written in double quotes.
std::string FormatConfig(const ConfigValues& values);

// Replaces the file with the five lines. Fails without touching the file when
// a value holds a line break or a NUL byte, which would shift the lines, or
// makes a line longer than MaxConfigLine, which the reader refuses.
[[nodiscard]] WriteResult WriteConfigFile(const std::string& path, const ConfigValues& values);

// The messages for a failed read and a failed write.
std::string ConfigReadFailedMessage(const std::string& path);
std::string ConfigWriteFailedMessage(const std::string& path);

void ApplyConfig(GameState& g, const ConfigValues& values);
ConfigValues ConfigFromState(const GameState& g);

}  // namespace kelvane
