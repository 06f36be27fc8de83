// Tests of the configuration file: round trips, exact bytes, damaged and odd files, failed writes.
#include "settings/config_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

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
    const bool ok = ReadConfigFile(file, read);
    return {ok, read};
  }

  TempDir dir;
  const std::string path = dir.File("kelvane.cfg");
};

TEST_F(ConfigFile, ValuesSurviveAWriteAndARead) {
  const std::pair<ConfigValues, const char*> cases[] = {  // values, the exact bytes where given
      {DefaultConfig("/path/"), "Arial\r\n 16 \r\ndefault.col\r\n 0 \r\n/path/puzzles.kvl\r\n"},
      {{"Courier New", 9, "xp.col", YES, ""}, "Courier New\r\n 9 \r\nxp.col\r\n 1 \r\n\r\n"},
      {{"Arial", 16, " my.col", NO, "/p"}, "Arial\r\n 16 \r\n\" my.col\"\r\n 0 \r\n/p\r\n"},  // quoted like a font name
      {DefaultConfig("/home/me/kelvane/"), nullptr},
      {{"DejaVu Sans Mono", 8, "night.col", YES, "/tmp/my puzzles, hard.kvl"}, nullptr},
      {{"Noto Serif", 32, "My Default.col", NO, "  /leading/and/trailing spaces  "}, nullptr},
      {{"Arial", 17, "xp.col", NO, "/home/ü/пазлы.kvl"}, nullptr},
      {{std::string(MaxConfigLine, 'a'), 16, "default.col", NO, ""}, nullptr},  // the longest line the reader takes
  };
  for (const auto& [values, bytes] : cases) {
    ASSERT_TRUE(WriteConfigFile(path, values).ok);
    EXPECT_TRUE(!bytes || (FormatConfig(values) == bytes && ReadFile(path) == bytes)) << ReadFile(path);
    EXPECT_EQ(Read(path), std::pair(true, values));
  }
  // Rewriting leaves only the file itself in the folder, no temporary files.
  EXPECT_EQ(test::Snapshot(dir.Path()).size(), 1u);
}

// Found by the configuration round-trip fuzz target: names with blanks around them, a comma,
// a leading quote or byte order mark did not come back as written.
TEST_F(ConfigFile, NamesTheReaderWouldCutAreWrittenInQuotes) {
  const std::string bom = "\xEF\xBB\xBF";
  const std::tuple<const char*, std::string, std::string> cases[] = {  // what, file read, first line written
      {"unclosed quote, trailing blanks", "  \"F  \n 16 \nocean.col\n 0 \n/p\n", "\"F  \""},
      {"leading blanks", "\"  Fira\"\n 16 \nocean.col\n 0 \n/p\n", "\"  Fira\""},
      {"comma", "\"Times, Bold\"\n 16 \nocean.col\n 0 \n/p\n", "\"Times, Bold\""},
      {"tab", "\"Sans\t\"\n 16 \nocean.col\n 0 \n/p\n", "\"Sans\t\""},
      {"quote inside", "Ari\"al\n 16 \nocean.col\n 0 \n/p\n", "Ari\"al"},
      {"byte order mark in the name", bom + bom + "Tahoma\n 16 \nocean.col\n 0 \n/p\n", bom + bom + "Tahoma"},
  };
  for (const auto& [what, content, firstLine] : cases) {
    WriteFile(path, content);
    const auto [ok, values] = Read(path);
    ASSERT_TRUE(ok) << what;
    const std::string written = FormatConfig(values);
    EXPECT_EQ(written.substr(0, written.find("\r\n")), firstLine) << what;
    ASSERT_TRUE(WriteConfigFile(path, values).ok) << what;
    EXPECT_EQ(Read(path), std::pair(true, values)) << what;
  }
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
      {"empty", "", refused},
      {"four lines", "Arial\r\n 16 \r\ndefault.col\r\n 0 \r\n", refused},
      {"four lines, no final break", "Arial\r\n 16 \r\ndefault.col\r\n 0 ", refused},
      {"one line", "Arial", refused},
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
  g.PuzzleNumber = 5;
  ApplyConfig(g, Read(path).second);
  EXPECT_EQ(std::tie(g.CellFontName, g.CellFontSize, g.ColourSchemeName, g.PlainBlankFlag, g.CurrentFile),
            std::make_tuple("Verdana", 24, "forest.col", YES, "/data/mine.kvl"));
  EXPECT_EQ(g.PuzzleNumber, 5);
  ASSERT_TRUE(WriteConfigFile(path, ConfigFromState(g)).ok);
  EXPECT_EQ(ReadFile(path), text);
}

}  // namespace
}  // namespace kelvane
