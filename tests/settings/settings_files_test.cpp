// Tests of the settings files: the configuration file (round trips, exact bytes, damaged and odd files,
// failed writes) and the colour-scheme file (listing, loading, previewing, damaged files, the shipped schemes).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "settings/colour_scheme.h"
#include "settings/config_file.h"
#include "test_support.h"

namespace kelvane {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// Values no reader would produce, to see that a failed read leaves them alone.
ConfigValues Sentinel() { return {"Untouched", 11, "kept.col", YES, "/kept/file.kvl"}; }

// One configuration file "kelvane.cfg" in a fresh folder.
struct ConfigFile : ::testing::Test {
  // Reads the file into the sentinel values: whether it could, and the values.
  std::pair<bool, ConfigValues> Read(const std::string& file) {
    ConfigValues read = Sentinel();
    return {ReadConfigFile(file, read), read};  // a braced list is evaluated from left to right
  }

  TempDir dir;
  const std::string path = dir.File("kelvane.cfg");
};

TEST_F(ConfigFile, ValuesSurviveAWriteAndARead) {
  const std::string bom = "\xEF\xBB\xBF", rest = "\r\n 16 \r\nocean.col\r\n 0 \r\n/p\r\n";
  auto font = [](const std::string& name) { return ConfigValues{name, 16, "ocean.col", NO, "/p"}; };
  const std::pair<ConfigValues, std::string> cases[] = {  // values, the exact bytes where given
      {DefaultConfig("/path/"), "Arial\r\n 16 \r\ndefault.col\r\n 0 \r\n/path/puzzles.kvl\r\n"},
      {{"Courier New", 9, "xp.col", YES, ""}, "Courier New\r\n 9 \r\nxp.col\r\n 1 \r\n\r\n"},
      {{"Arial", 16, " my.col", NO, "/p"}, "Arial\r\n 16 \r\n\" my.col\"\r\n 0 \r\n/p\r\n"},  // quoted like a font name
      {DefaultConfig("/home/me/kelvane/"), ""},
      {{"DejaVu Sans Mono", 8, "night.col", YES, "/tmp/my puzzles, hard.kvl"}, ""},
      {{"Noto Serif", 32, "My Default.col", NO, "  /leading/and/trailing spaces  "}, ""},
      {{"Arial", 17, "xp.col", NO, "/home/ü/пазлы.kvl"}, ""},
      {{std::string(MaxConfigLine, 'a'), 16, "default.col", NO, ""}, ""},  // the longest line the reader takes
      // Found by the configuration round-trip fuzz target: names with blanks around them, a comma, a leading
      // quote or byte order mark did not come back as written.
      {font("F  "), "\"F  \"" + rest}, {font("  Fira"), "\"  Fira\"" + rest}, {font("Sans\t"), "\"Sans\t\"" + rest},
      {font("Times, Bold"), "\"Times, Bold\"" + rest}, {font("Ari\"al"), "Ari\"al" + rest},
      {font(bom + "Tahoma"), bom + bom + "Tahoma" + rest},
  };
  for (const auto& [values, bytes] : cases) {
    ASSERT_TRUE(WriteConfigFile(path, values).ok);
    EXPECT_TRUE(bytes.empty() || (FormatConfig(values) == bytes && ReadFile(path) == bytes)) << ReadFile(path);
    EXPECT_EQ(Read(path), std::pair(true, values));
  }
  // Rewriting leaves only the file itself in the folder, no temporary files.
  EXPECT_EQ(test::Snapshot(dir.Path()).size(), 1u);
}

TEST_F(ConfigFile, ValuesTheReaderWouldNotGiveBackAreNotWrittenAndTheOldFileStays) {
  const std::string old = FormatConfig(DefaultConfig("/p/"));
  const ConfigValues refused[] = {
      {std::string(MaxConfigLine - 1, 'a') + ",", 16, "xp.col", NO, "/p"},  // quotes make the line too long
      {"Arial", 16, "xp.col", NO, std::string(MaxConfigLine + 1, 'p')},
      // A line break inside a value would shift every later line.
      {"Ari\nal", 16, "xp.col", NO, "/p"}, {"Arial", 16, "x\r.col", NO, "/p"},
      {"Arial", 16, "xp.col", NO, std::string("/p\0q", 4)},
  };
  for (const ConfigValues& bad : refused) {
    WriteFile(path, old);
    const WriteResult w = WriteConfigFile(path, bad);
    EXPECT_EQ(std::tie(w.ok, w.message), std::make_tuple(false, ConfigWriteFailedMessage(path)));
    EXPECT_EQ(ReadFile(path), old);
  }
  EXPECT_EQ(test::Snapshot(dir.Path()).size(), 1u);

  const std::string inMissingFolder = dir.File("gone") + "/kelvane.cfg";
  const WriteResult r = WriteConfigFile(inMissingFolder, DefaultConfig("/p/"));
  EXPECT_EQ(std::tie(r.ok, r.message), std::make_tuple(false, "Configuration file:\n" + inMissingFolder +
                                                                   "\ncould not be accessed, options not saved"));
  EXPECT_FALSE(std::filesystem::exists(dir.File("gone")));
}

// A file that cannot be read leaves every value alone; odd files that can are read as the rules say.
TEST_F(ConfigFile, ReadsWhatItCanAndLeavesTheValuesAloneOtherwise) {
  const std::string fiveLines = "Arial\r\n 16 \r\ndefault.col\r\n 0 \r\n/p/puzzles.kvl\r\n";
  const std::optional<ConfigValues> refused;
  const ConfigValues tahoma{"Tahoma", 20, "xp.col", YES, "/a/b.kvl"}, plain{"Arial", 16, "default.col", NO, "/p"};
  const std::tuple<const char*, std::string, std::optional<ConfigValues>> cases[] = {  // what, content, values read
      {"empty", "", refused}, {"four lines", "Arial\r\n 16 \r\ndefault.col\r\n 0 \r\n", refused},
      {"four lines, no final break", "Arial\r\n 16 \r\ndefault.col\r\n 0 ", refused}, {"one line", "Arial", refused},
      {"NUL byte", std::string("Ar\0ial\r\n 16 \r\ndefault.col\r\n 0 \r\n/p\r\n", 36), refused},
      {"binary", "\x7f" "ELF\x02\x01\x01" + std::string(9, '\0') + "\n\n\n\n\n", refused},
      {"over-long line", std::string(MaxConfigLine + 1, 'A') + "\r\n" + fiveLines.substr(7), refused},
      {"huge file", fiveLines + std::string(MaxConfigBytes, '\n'), refused},
      {"LF only", "Tahoma\n 20 \nxp.col\n 1 \n/a/b.kvl\n", tahoma},
      {"CR only", "Tahoma\r20\rxp.col\r1\r/a/b.kvl\r", tahoma},
      {"no final break", "Tahoma\r\n20\r\nxp.col\r\n1\r\n/a/b.kvl", tahoma},
      {"byte order mark", "\xEF\xBB\xBFTahoma\n20\nxp.col\n0\n/a\n", ConfigValues{"Tahoma", 20, "xp.col", NO, "/a"}},
      {"extra lines ignored", "A\n9\nb.col\n0\n/c\nmore\nlines\n", ConfigValues{"A", 9, "b.col", NO, "/c"}},
      {"comma ends a font name", "Times, Bold\n12,5\nxp.col, x\n1,0\n/a,b\n",
       ConfigValues{"Times", 12, "xp.col", YES, "/a,b"}},
      {"quotes and blanks", "  \"Fira Sans\"  \n 16.6 \n  ocean.col  \n 1.0 \n  /sp  \n",
       ConfigValues{"Fira Sans", 17, "ocean.col", YES, "  /sp  "}},
      {"unclosed quote", "  \"F  \n 16 \nocean.col\n 0 \n/p\n", ConfigValues{"F  ", 16, "ocean.col", NO, "/p"}},
      {"garbage numbers", "Arial\nbig\ndefault.col\nyes\n/p\n", plain},
      {"size too small, flag 2", "Arial\n7\ndefault.col\n2\n/p\n", plain},
      {"size too large, flag -1", "Arial\n33\ndefault.col\n-1\n/p\n", plain},
      {"size overflows", "Arial\n" + std::string(400, '9') + "\ndefault.col\n 1 \n/p\n",
       ConfigValues{"Arial", 16, "default.col", YES, "/p"}},
      {"empty lines", "\n\n\n\n\n", ConfigValues{"Arial", 16, "default.col", NO, ""}},
  };
  for (const auto& [what, content, expected] : cases) {
    WriteFile(path, content);
    EXPECT_EQ(Read(path), std::pair(expected.has_value(), expected.value_or(Sentinel()))) << what;
  }
  EXPECT_EQ(Read(dir.File("missing.cfg")), std::pair(false, Sentinel()));
  EXPECT_EQ(Read(dir.Folder()), std::pair(false, Sentinel()));
}

TEST_F(ConfigFile, SettingsMoveBetweenFileAndGameState) {
  const std::string text = "Verdana\r\n 24 \r\nforest.col\r\n 1 \r\n/data/mine.kvl\r\n";
  WriteFile(path, text);
  GameState g;
  ApplyConfig(g, Read(path).second);
  EXPECT_EQ(std::tie(g.CellFontName, g.CellFontSize, g.ColourSchemeName, g.PlainBlankFlag, g.CurrentFile),
            std::make_tuple("Verdana", 24, "forest.col", YES, "/data/mine.kvl"));
  ASSERT_TRUE(WriteConfigFile(path, ConfigFromState(g)).ok);
  EXPECT_EQ(ReadFile(path), text);
}

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
  std::string lfOnly = Scheme("xp.col", {{1, ""}, {2, "7;7;7"}});
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
  EXPECT_TRUE(LoadScheme(path, "xp.col", p) && p[2] == RGB(7, 7, 7));  // LF ends and an empty line: none is lost
  EXPECT_TRUE(LoadScheme(path, "two.col.col", p));
}

TEST_F(ColourScheme, AMissingShortOrDamagedSchemeLoadsNothing) {
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"missing file", std::nullopt}, {"twelve colour lines", Scheme("s.col", {{0, "50;50;50"}}, 12)},
      {"cut by the next name", Scheme("s.col", {}, 10) + Scheme("t.col")}, {"name on the last line", "s.col"},
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

// The contrast formula at its ends and at a known pair; the text colour that reads.
TEST(Contrast, RatiosAndTheTextThatReads) {
  const std::tuple<Colour, Colour, double> ratios[] = {{RGB(0, 0, 0), RGB(255, 255, 255), 21.0},
      {RGB(10, 100, 10), RGB(0, 0, 0), 2.84}, {RGB(118, 118, 118), RGB(255, 255, 255), 4.54}, {5, 5, 1.0}};
  for (const auto& [a, b, ratio] : ratios) EXPECT_NEAR(ContrastRatio(b, a), ratio, 0.01) << a << " on " << b;
  const std::tuple<Colour, Colour, Colour> texts[] = {  // back, preferred, drawn
      {RGB(10, 100, 10), 0, RGB(255, 255, 255)}, {RGB(20, 20, 20), RGB(20, 20, 20), RGB(255, 255, 255)},
      {RGB(10, 200, 10), 0, 0}, {RGB(255, 255, 255), RGB(255, 255, 255), 0}, {RGB(40, 40, 40), 0xC8C8, 0xC8C8}};
  for (const auto& [back, preferred, drawn] : texts) EXPECT_EQ(ReadableText(back, preferred), drawn) << back;
}

TEST(ShippedSchemes, EveryListedSchemeLoadsAndReads) {
  const std::string path = KELVANE_SOURCE_DATA "all.col";
  const std::string text = ReadFile(path);
  ASSERT_FALSE(text.empty());
  ASSERT_EQ(std::count(text.begin(), text.end(), '\r'), std::count(text.begin(), text.end(), '\n'));  // CR LF

  const std::vector<std::string> names = SchemeNames(path);
  EXPECT_GE(names.size(), 6u);
  for (const char* name : {"default", "xp", "dark"})
    EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), static_cast<long>(names.size()) * 14);

  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    Palette loaded{}, shown{};
    Colour base = 0;
    ASSERT_TRUE(LoadScheme(path, name + ".col", loaded));
    ASSERT_TRUE(PreviewScheme(path, name + ".col", shown, base, RGB(255, 255, 255)));
    if (name != "default") {
      EXPECT_EQ(shown, loaded) << "slots 3 and 5 are written as the loader derives them";
    }
    // Every text the windows and the board draw on the scheme's colours reads; the five first schemes keep
    // their dark text, "dark" is dark.
    GameState g;
    const std::vector<TextOnBack> texts = TextsOnColours(loaded, g);
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [](const TextOnBack& t) { return t.what == "tool button pictures"; }), 3)
        << "the pictures' three inks are checked too";
    for (const TextOnBack& t : texts) {
      EXPECT_GE(ContrastRatio(t.text, t.back), ReadableContrast) << t.what;
      EXPECT_TRUE(t.what.rfind("windows", 0) != 0 || (t.text == RGB(255, 255, 255)) == (name == "dark")) << t.what;
    }
    EXPECT_EQ(IsDark(loaded[2]) && IsDark(loaded[4]), name == "dark");
    EXPECT_GE(ContrastRatio(loaded[2], loaded[4]), 1.25) << "number cells stand out from sign cells";
    EXPECT_GE(ContrastRatio(loaded[2], loaded[5]), 1.25) << "the board outline shows";
  }
}

}  // namespace
}  // namespace kelvane
