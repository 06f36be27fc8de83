// The colour-scheme file "all.col": listing its schemes and loading one into the palette.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/game_state.h"

namespace kelvane {

inline constexpr std::string_view SchemeListFile = "all.col";

// The scheme names the settings take after a failed load and a failed preview.
inline constexpr std::string_view SchemeAfterFailedLoad = "xp.col";
inline constexpr std::string_view SchemeAfterFailedPreview = "default.col";
// The scheme a first start takes when the desktop asks for a dark appearance.
inline constexpr const char* DarkSchemeName = "dark.col";

// A scheme is a name line followed by this many colour lines, slots 0..12.
constexpr int SchemeColourLines = 13;

// A larger file, or one holding a NUL byte, is treated as missing. Lines
// longer than MaxSchemeLine are never name lines.
constexpr std::size_t MaxSchemeFileBytes = 1024 * 1024;
constexpr std::size_t MaxSchemeLine = 4096;

// The text before the first ".col" of every line holding ".col", in file
// order; empty when the file is missing or unreadable. Lines end with CR LF,
// LF or a lone CR.
std::vector<std::string> SchemeNames(const std::string& path);

// Loads the scheme whose name line (a line holding ".col") equals `name`
// exactly, the first such, into slots 0..12. Slot 3 is slot 2 lightened,
// slot 5 is slot 4 darkened; the lines written for them are not used. False
// when the file or the scheme is missing or fewer than 13 colour lines come
// before the end or the next name line; the palette is then unchanged.
[[nodiscard]] bool LoadScheme(const std::string& path, const std::string& name, std::array<Colour, 14>& palette);

// The options dialog's reader. "default.col" in any case is built in: slots
// 2 and 4 take the system window colour, slot 3 a blue, no file is read.
// Any other name is read with all 13 lines as written. `base` becomes slot 2,
// or 0 when the scheme cannot be read (palette unchanged, false).
[[nodiscard]] bool PreviewScheme(const std::string& path, const std::string& name, std::array<Colour, 14>& palette,
                                 Colour& base, Colour systemWindowColour);

// True when the scheme leaves the menu bar's colour alone: its name holds
// "DEFAULT" in any case.
bool SchemeKeepsMenuColour(const std::string& schemeName);

// Contrast of two colours by the WCAG 2 formula: 1 (none) to 21.
double ContrastRatio(Colour a, Colour b);
// What text needs to read: 4.5 : 1.
constexpr double ReadableContrast = 4.5;
// The colour to draw text in on a background: preferred when it reads there,
// else black or white, whichever reads better (one of them always does).
Colour ReadableText(Colour back, Colour preferred = RGB(0, 0, 0));
// A dark background, on which light text reads better than dark.
bool IsDark(Colour back);

// The lines of the tool buttons' pictures, and the two pictures drawn in colour
// (the hint's "?" and the browse screen's closing cross), where they read.
constexpr Colour ToolIconInk = RGB(40, 40, 48);
constexpr Colour ToolIconBlue = RGB(20, 90, 160);
constexpr Colour ToolIconRed = RGB(160, 30, 30);

// Every text the program draws on a colour of a scheme or of the board: what
// it is, its background, and the colour it is drawn in.
struct TextOnBack {
  std::string what;
  Colour back = 0;
  Colour text = 0;
};
std::vector<TextOnBack> TextsOnColours(const std::array<Colour, 14>& palette, const GameState& g);

// "Colour Scheme: xp.col not found" and the preview's "Color Scheme: ..." form.
std::string SchemeNotFoundMessage(const std::string& name);
std::string PreviewNotFoundMessage(const std::string& name);

}  // namespace kelvane
