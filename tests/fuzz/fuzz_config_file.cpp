// Fuzz target: the configuration file read, carried through a game state, written and read back.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "model/game_state.h"
#include "settings/config_file.h"

using namespace kelvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string input = fuzz::ScratchFile("input.cfg");
  static const std::string written = fuzz::ScratchFile("kelvane.cfg");
  fuzz::WriteBytes(input, data, size);

  const ConfigValues untouched{"Untouched", 11, "kept.col", YES, "/kept"};
  ConfigValues read = untouched;
  if (!ReadConfigFile(input, read)) {
    FUZZ_REQUIRE(read == untouched);
    return 0;
  }
  FUZZ_REQUIRE(read.CellFontSize >= MinCellFontSize && read.CellFontSize <= MaxCellFontSize);
  FUZZ_REQUIRE(read.PlainBlankFlag == YES || read.PlainBlankFlag == NO);
  FUZZ_REQUIRE(!read.CellFontName.empty() && !read.ColourSchemeName.empty());

  GameState g;
  ApplyConfig(g, read);
  const ConfigValues fromState = ConfigFromState(g);
  FUZZ_REQUIRE(fromState == read);

  // What was read can be written, unless quoting a name makes its line longer
  // than the reader takes, and reads back the same.
  const std::string formatted = FormatConfig(fromState);
  std::string_view text = formatted;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  bool tooLong = false;
  for (std::size_t end; (end = text.find("\r\n")) != std::string_view::npos; text.remove_prefix(end + 2))
    tooLong = tooLong || end > MaxConfigLine;
  const WriteResult w = WriteConfigFile(written, fromState);
  FUZZ_REQUIRE(w.ok == !tooLong);
  if (!w.ok) return 0;
  ConfigValues again = untouched;
  FUZZ_REQUIRE(ReadConfigFile(written, again));
  FUZZ_REQUIRE(again == read);
  return 0;
}
