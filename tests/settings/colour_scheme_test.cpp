// Tests of the colour-scheme file: listing, loading, previewing, damaged files and the shipped schemes.
#include "settings/colour_scheme.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "test_support.h"

namespace kelvane {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

using Palette = std::array<Colour, 14>;

// A scheme whose slot i is i;i;i unless a line is given for it.
std::string Scheme(const std::string& name, const std::map<int, std::string>& lines = {}, int count = 13) {
  std::string text = name + "\r\n";
  for (int slot = 0; slot < count; ++slot) {
    const std::string n = std::to_string(slot);
    text += (lines.contains(slot) ? lines.at(slot) : n + ";" + n + ";" + n) + "\r\n";
  }
  return text;
}

Palette Marked() {
  Palette p;
  p.fill(RGB(1, 2, 3));
  return p;
}

// One scheme file "all.col" in a fresh folder.
struct ColourScheme : ::testing::Test {
  TempDir dir;
  const std::string path = dir.File("all.col");
};

TEST_F(ColourScheme, ColourLinesReadEachFieldsNumericValue) {
  const std::pair<std::string, Colour> lines[] = {
      {" 12 ; 34x; 56", RGB(12, 34, 56)}, {"236;233;216", RGB(236, 233, 216)},
      {"", RGB(0, 0, 0)},                 {"7", RGB(7, 0, 0)},
      {"1;2;3;4", RGB(1, 2, 3)},          {"abc;;9", RGB(0, 0, 9)},
      {"254.5;0.4;-3", RGB(255, 0, 0)},   {std::string(300, '9') + ";1;256", RGB(255, 1, 255)},
  };
  for (const auto& [line, colour] : lines) {
    WriteFile(path, Scheme("s.col", {{0, line}}));
    Palette p{};
    ASSERT_TRUE(LoadScheme(path, "s.col", p));
    EXPECT_EQ(p[0], colour) << line;
  }
}

TEST_F(ColourScheme, LoadDerivesSlotsThreeAndFiveInRangePreviewTakesThemAsWritten) {
  const std::tuple<std::string, std::string, Colour, Colour> derived[] = {  // slots 2 and 4 as written, 3 and 5
      {"100;150;200", "100;20;10", RGB(132, 182, 232), RGB(68, 8, 8)},
      {"230;224;0", "255;255;255", RGB(254, 255, 32), RGB(223, 223, 223)},
      {"225;223;255", "31;32;33", RGB(254, 255, 254), RGB(8, 8, 1)},
      {"999;-40;12.4", "0;;300", RGB(254, 32, 44), RGB(8, 8, 223)},
  };
  for (const auto& [slot2, slot4, slot3, slot5] : derived) {
    SCOPED_TRACE(slot2 + " / " + slot4);
    WriteFile(path, Scheme("xp.col", {{2, slot2}, {3, "1;1;1"}, {4, slot4}, {5, "9;9;9"}}));
    Palette loaded = Marked(), shown = Marked();
    Colour base = 7;
    ASSERT_TRUE(LoadScheme(path, "xp.col", loaded));
    ASSERT_TRUE(PreviewScheme(path, "xp.col", shown, base, RGB(9, 9, 9)));
    EXPECT_EQ(std::tie(loaded[3], loaded[5], shown[3], shown[5], loaded[12], loaded[13], base),
              std::make_tuple(slot3, slot5, RGB(1, 1, 1), RGB(9, 9, 9), RGB(12, 12, 12), RGB(1, 2, 3), loaded[2]));
    shown[3] = loaded[3];
    shown[5] = loaded[5];
    EXPECT_EQ(shown, loaded) << "the other slots are the same";
  }
}

TEST_F(ColourScheme, NamesAreListedInOrderAndFoundOnlyByTheExactLine) {
  std::string lfOnly = Scheme("xp.col");
  lfOnly.erase(std::remove(lfOnly.begin(), lfOnly.end(), '\r'), lfOnly.end());
  WriteFile(path, Scheme("Green.col", {{2, "0;200;0"}}) + "a note\n" + lfOnly + Scheme("My Default.col") +
                      Scheme("two.col.col") + Scheme("Green.col", {{2, "1;1;1"}}));

  EXPECT_EQ(SchemeNames(path), (std::vector<std::string>{"Green", "xp", "My Default", "two", "Green"}));
  for (const char* wrong : {"green.col", "Green", "Green.col ", " Green.col", "GREEN.COL", "a note", "0;0;0"}) {
    Palette p = Marked();
    EXPECT_FALSE(LoadScheme(path, wrong, p)) << wrong;
    EXPECT_EQ(p, Marked()) << wrong;
  }
  Palette p{};
  ASSERT_TRUE(LoadScheme(path, "Green.col", p));
  EXPECT_EQ(p[2], RGB(0, 200, 0));  // the first of two equal names
  EXPECT_TRUE(LoadScheme(path, "xp.col", p));
  EXPECT_TRUE(LoadScheme(path, "two.col.col", p));
}

TEST_F(ColourScheme, AMissingShortOrDamagedSchemeLoadsNothing) {
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"missing file", std::nullopt},
      {"twelve colour lines", Scheme("s.col", {{0, "50;50;50"}}, 12)},
      {"cut by the next name", Scheme("s.col", {}, 10) + Scheme("t.col")},
      {"name on the last line", "s.col"},
      {"NUL byte", Scheme("s.col") + std::string(1, '\0')},
      {"huge file", Scheme("s.col") + std::string(MaxSchemeFileBytes, '\n')},
  };
  for (const auto& [what, content] : cases) {
    SCOPED_TRACE(what);
    if (content) WriteFile(path, *content);
    // All or nothing: a failed read changes no slot.
    Palette loaded = Marked(), shown = Marked();
    Colour base = 7;
    EXPECT_FALSE(LoadScheme(path, "s.col", loaded));
    EXPECT_FALSE(PreviewScheme(path, "s.col", shown, base, RGB(9, 9, 9)));
    EXPECT_EQ(std::tie(loaded, shown, base), std::make_tuple(Marked(), Marked(), Colour{0}));
    EXPECT_TRUE(content || SchemeNames(path).empty());
  }
  WriteFile(path, std::string(MaxSchemeFileBytes + 1, 'x') + ".col\n");
  EXPECT_TRUE(SchemeNames(path).empty());
}

TEST_F(ColourScheme, DefaultSchemesAreBuiltInAndKeepTheMenuColour) {
  // "default.col" is never read from the file, in whatever case it is written; here there is none.
  for (const char* name : {"default.col", "DEFAULT.COL", "Default.Col"}) {
    Palette shown = Marked();
    Colour base = 7;
    ASSERT_TRUE(PreviewScheme(path, name, shown, base, RGB(240, 241, 242))) << name;
    EXPECT_EQ(std::tie(shown[2], shown[3], shown[4], base),
              std::make_tuple(RGB(240, 241, 242), RGB(20, 20, 200), RGB(240, 241, 242), RGB(240, 241, 242)));
    shown[2] = shown[3] = shown[4] = RGB(1, 2, 3);
    EXPECT_EQ(shown, Marked()) << "only slots 2, 3 and 4 change";
  }
  for (const auto& [name, keeps] : {std::pair{"My Default.col", true}, {"default.col", true}, {"DEFAULT", true},
                                    {"xdefaultx.col", true}, {"xp.col", false}, {"", false}, {"defaul.col", false},
                                    {"night.col", false}})
    EXPECT_EQ(SchemeKeepsMenuColour(name), keeps) << name;
}

// Contrast of two colours by relative luminance, 1 (none) to 21.
double Contrast(Colour a, Colour b) {
  auto luminance = [](Colour c) {
    auto linear = [](int v) {
      const double s = v / 255.0;
      return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c & 255) + 0.7152 * linear(c >> 8 & 255) + 0.0722 * linear(c >> 16 & 255);
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(ShippedSchemes, EveryListedSchemeLoadsAndReads) {
  const std::string path = KELVANE_SOURCE_DATA "all.col";
  const std::string text = ReadFile(path);
  ASSERT_FALSE(text.empty());
  for (std::size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 1))
    ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "line end at byte " << i;

  const std::vector<std::string> names = SchemeNames(path);
  EXPECT_GE(names.size(), 5u);
  EXPECT_NE(std::find(names.begin(), names.end(), "default"), names.end());
  EXPECT_NE(std::find(names.begin(), names.end(), "xp"), names.end());
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), static_cast<long>(names.size()) * 14);

  const Colour messageText = RGB(20, 20, 20);
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    Palette loaded{}, shown{};
    Colour base = 0;
    ASSERT_TRUE(LoadScheme(path, name + ".col", loaded));
    ASSERT_TRUE(PreviewScheme(path, name + ".col", shown, base, RGB(255, 255, 255)));
    if (name != "default") {
      EXPECT_EQ(shown, loaded) << "slots 3 and 5 are written as the loader derives them";
    }
    for (int slot : {2, 3, 4}) EXPECT_GE(Contrast(messageText, loaded[slot]), 4.5) << "dark text on slot " << slot;
    EXPECT_GE(Contrast(loaded[2], loaded[4]), 1.25) << "number cells stand out from sign cells";
    EXPECT_GE(Contrast(loaded[2], loaded[5]), 1.25) << "the board outline shows";
  }
}

}  // namespace
}  // namespace kelvane
