// Fuzz target: an all.col file listed, loaded and previewed by scheme name.
#include <array>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "model/game_state.h"
#include "settings/colour_scheme.h"

using namespace kelvane;

namespace {

std::array<Colour, 14> MarkedPalette() {
  std::array<Colour, 14> p{};
  for (std::size_t i = 0; i < p.size(); ++i) p[i] = 0x01000000u + static_cast<Colour>(i);  // no RGB() value
  return p;
}

bool IsRgb(Colour c) { return c <= 0xFFFFFFu; }

void TryName(const std::string& path, const std::string& name) {
  const std::array<Colour, 14> before = MarkedPalette();
  std::array<Colour, 14> loaded = before;
  const bool load = LoadScheme(path, name, loaded);
  if (!load) {
    FUZZ_REQUIRE(loaded == before);
  } else {
    for (int slot = 0; slot < SchemeColourLines; ++slot) FUZZ_REQUIRE(IsRgb(loaded[static_cast<std::size_t>(slot)]));
    FUZZ_REQUIRE(loaded[13] == before[13]);
  }

  std::array<Colour, 14> previewed = before;
  Colour base = 0x12345678u;
  const Colour window = RGB(1, 2, 3);
  const bool preview = PreviewScheme(path, name, previewed, base, window);
  bool builtIn = name.size() == 11;
  for (std::size_t i = 0; builtIn && i < name.size(); ++i)
    builtIn = std::tolower(static_cast<unsigned char>(name[i])) == "default.col"[i];
  if (builtIn) {
    FUZZ_REQUIRE(preview && base == window && previewed[2] == window && previewed[4] == window);
    return;
  }
  // Both readers find the same scheme and take the same lines, but for the two derived slots.
  FUZZ_REQUIRE(preview == load);
  if (!preview) {
    FUZZ_REQUIRE(previewed == before && base == 0);
    return;
  }
  FUZZ_REQUIRE(base == previewed[2]);
  for (std::size_t slot = 0; slot < previewed.size(); ++slot)
    if (slot != 3 && slot != 5) FUZZ_REQUIRE(previewed[slot] == loaded[slot]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = fuzz::ScratchFile(std::string(SchemeListFile));
  fuzz::WriteBytes(path, data, size);

  const std::vector<std::string> names = SchemeNames(path);
  for (const std::string& n : names) FUZZ_REQUIRE(n.size() <= MaxSchemeLine);
  // Each read of the file costs a 1 MB buffer: few names keep the runs quick.
  std::vector<std::string> tried = {"default.col", "no such scheme.col"};
  if (!names.empty()) tried.push_back(names.front() + ".col");
  for (const std::string& name : tried) TryName(path, name);
  return 0;
}
