// The colour-scheme file "all.col": listing its schemes and loading one into the palette.
#include "settings/colour_scheme.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>

#include "model/text_rules.h"

namespace kelvane {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// The file's lines without their ends; nothing when it cannot be used.
std::optional<std::vector<std::string>> readLines(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  File f(std::fopen(path.c_str(), "rb"));
  if (!f) return std::nullopt;
  std::string data;
  char chunk[1 << 14];
  while (const std::size_t got = std::fread(chunk, 1, sizeof chunk, f.get())) {
    data.append(chunk, got);
    if (data.size() > MaxSchemeFileBytes) return std::nullopt;
  }
  if (std::ferror(f.get())) return std::nullopt;
  if (data.find('\0') != std::string::npos) return std::nullopt;

  std::vector<std::string> lines;
  std::string_view text = data;
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    lines.emplace_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    text.remove_prefix(end + (crlf ? 2 : 1));
  }
  return lines;
}

bool isNameLine(std::string_view line) {
  return line.size() <= MaxSchemeLine && line.find(".col") != std::string_view::npos;
}

// One channel: the field's numeric value, rounded, kept within 0..255.
int channel(std::string_view field) {
  const double v = NumericValue(field);
  if (!(v > 0)) return 0;
  if (v >= 255) return 255;
  return static_cast<int>(std::lround(v));
}

struct Channels {
  int r = 0, g = 0, b = 0;
};

Channels colourLine(std::string_view line) {
  std::array<std::string_view, 3> fields{};
  for (auto& field : fields) {
    const std::size_t semi = line.find(';');
    field = line.substr(0, semi);
    line = semi == std::string_view::npos ? std::string_view() : line.substr(semi + 1);
  }
  return {channel(fields[0]), channel(fields[1]), channel(fields[2])};
}

int lighter(int c) { return std::min(c + 32 > 256 ? 254 : c + 32, 255); }
int darker(int c) { return c - 32 < 1 ? 8 : c - 32; }

// Reads the scheme `name` into a copy of the palette and hands it over only
// when all 13 colour lines are there: all or nothing.
bool readScheme(const std::string& path, const std::string& name, bool derive, std::array<Colour, 14>& palette) {
  const auto lines = readLines(path);
  if (!lines) return false;
  const auto found = std::find_if(lines->begin(), lines->end(),
                                  [&](const std::string& line) { return line == name && isNameLine(line); });
  if (found == lines->end()) return false;
  const auto first = found + 1;
  if (lines->end() - first < SchemeColourLines) return false;

  std::array<Colour, 14> next = palette;
  Channels c;
  for (int slot = 0; slot < SchemeColourLines; ++slot) {
    const std::string& line = first[slot];
    // The next scheme's name: this one is cut short.
    if (isNameLine(line)) return false;
    if (derive && slot == 3) {
      c = {lighter(c.r), lighter(c.g), lighter(c.b)};
    } else if (derive && slot == 5) {
      c = {darker(c.r), darker(c.g), darker(c.b)};
    } else {
      c = colourLine(line);
    }
    next[static_cast<std::size_t>(slot)] = RGB(c.r, c.g, c.b);
  }
  palette = next;
  return true;
}

std::string withCase(std::string text, int (*convert)(int)) {
  for (char& ch : text) ch = static_cast<char>(convert(static_cast<unsigned char>(ch)));
  return text;
}

}  // namespace

std::vector<std::string> SchemeNames(const std::string& path) {
  std::vector<std::string> names;
  const auto lines = readLines(path);
  if (!lines) return names;
  for (const std::string& line : *lines)
    if (isNameLine(line)) names.push_back(line.substr(0, line.find(".col")));
  return names;
}

bool LoadScheme(const std::string& path, const std::string& name, std::array<Colour, 14>& palette) {
  return readScheme(path, name, true, palette);
}

bool PreviewScheme(const std::string& path, const std::string& name, std::array<Colour, 14>& palette, Colour& base,
                   Colour systemWindowColour) {
  if (withCase(name, std::tolower) == "default.col") {
    palette[2] = systemWindowColour;
    palette[3] = RGB(20, 20, 200);
    palette[4] = systemWindowColour;
    base = palette[2];
    return true;
  }
  const bool found = readScheme(path, name, false, palette);
  base = found ? palette[2] : 0;
  return found;
}

bool SchemeKeepsMenuColour(const std::string& schemeName) {
  return withCase(schemeName, std::toupper).find("DEFAULT") != std::string::npos;
}

std::string SchemeNotFoundMessage(const std::string& name) { return "Colour Scheme: " + name + " not found"; }

std::string PreviewNotFoundMessage(const std::string& name) { return "Color Scheme: " + name + " not found"; }

namespace {

double luminance(Colour c) {
  auto linear = [](Colour v) {
    const double s = static_cast<double>(v & 255) / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(c) + 0.7152 * linear(c >> 8) + 0.0722 * linear(c >> 16);
}

}  // namespace

double ContrastRatio(Colour a, Colour b) {
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool IsDark(Colour back) { return ContrastRatio(back, RGB(255, 255, 255)) > ContrastRatio(back, RGB(0, 0, 0)); }

Colour ReadableText(Colour back, Colour preferred) {
  if (ContrastRatio(back, preferred) >= ReadableContrast) return preferred;
  return IsDark(back) ? RGB(255, 255, 255) : RGB(0, 0, 0);
}

std::vector<TextOnBack> TextsOnColours(const std::array<Colour, 14>& palette, const GameState& g) {
  const std::pair<const char*, Colour> backs[] = {
      {"windows, labels and sign cells", palette[2]}, {"menu", palette[3]},
      {"buttons, selectors and number cells", palette[4]}, {"input fields", palette[5]},
      {"chain", g.ChainCellColour}, {"chain ends", g.ChainEndColour}, {"solution", g.SolutionCellColour},
      {"thumbnail marker", g.ThumbMarkedColour},
  };
  std::vector<TextOnBack> texts;
  for (const auto& [what, back] : backs) texts.push_back({what, back, ReadableText(back)});
  for (Colour ink : {ToolIconInk, ToolIconBlue, ToolIconRed})
    texts.push_back({"tool button pictures", palette[DialogColourSlot], ReadableText(palette[DialogColourSlot], ink)});
  texts.push_back({"message box", palette[2], ReadableText(palette[2], g.MarkedCellBackColour)});
  texts.push_back({"marked cell", g.MarkedCellBackColour, ReadableText(g.MarkedCellBackColour, g.MarkedCellTextColour)});
  return texts;
}

}  // namespace kelvane
