// Showing stored puzzles, the arrows' targets, the pickers, saving and deleting records, and finding
// the data folder in build, portable and installed layouts.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>

#include "model/folders.h"
#include "model/navigation.h"
#include "test_support.h"

namespace kelvane {
namespace {

const char* kGrid5 = "3-1-2+ - -2-3-1- - +1-2-3";

std::string record(int number, const std::string& title, const std::string& solution = "21,11,1,3, 11") {
  return "#" + std::to_string(number) + "\r\n" + title + "\r\n5 4\r\n011" + kGrid5 + "\r\n" + solution + "\r\n";
}

// One puzzle file "p.kvl" in a fresh folder, and a board.
struct Navigation : ::testing::Test {
  test::TempDir dir;
  const std::string f = dir.File("p.kvl");
  GameState g;
};

TEST_F(Navigation, ShowPuzzlePutsTheRecordOnTheBoardAndResetsTheChain) {
  test::WriteFile(f, record(1, "Easy") + record(2, "VeryEasy and more") + record(3, "Hard") + record(4, "Medium"));
  g.ChainString = "21-11";
  g.LastChainCell = 11;
  g.CurrentSum = 4;
  g.Undolist = {"x"};
  const ShowResult r = ShowPuzzle(g, f, 2);
  ASSERT_TRUE(r.found);
  EXPECT_EQ(std::tie(g.PuzzleNumber, g.PuzzleCount, g.CurrentFile, g.PuzzleSize, g.SolutionLength),
            std::make_tuple(2, 4, f, 5, 4));
  EXPECT_EQ(GridText(g), kGrid5);
  EXPECT_EQ(std::tie(g.Cell[1].Tag, g.Cell[2].Tag, g.MarkedCell, g.Cell[0].Caption, g.Cell[0].Visible),
            std::make_tuple('N', 'X', 11, "2", true));
  EXPECT_EQ(std::tie(g.LastChainCell, g.ChainString, g.CurrentSum), std::make_tuple(-1, "", 0));
  EXPECT_TRUE(g.Undolist.empty());
  EXPECT_EQ(r.difficulty, "Easy");
  for (const auto& [n, word, easy] : {std::tuple{3, "Hard", false}, {4, "Medium", true}, {2, "Easy", true}}) {
    EXPECT_EQ(ShowPuzzle(g, f, n).difficulty, word);
    EXPECT_EQ(g.EasyFlag, easy) << word;
  }
}

TEST_F(Navigation, ShowPuzzleBeyondTheFileBlanksTheBoardAndKeepsThePosition) {
  test::WriteFile(f, record(1, "Easy") + record(2, "Hard"));
  g.Palette[2] = RGB(1, 2, 3);
  g.Palette[5] = RGB(4, 5, 6);
  ASSERT_TRUE(ShowPuzzle(g, f, 1).found);
  const Colour signColour = g.SignCellColour;
  const ShowResult r = ShowPuzzle(g, f, 3);
  EXPECT_EQ(std::tie(r.found, r.status, g.PuzzleNumber, g.CurrentFile, g.MarkedCell, g.Cell[0].Visible),
            std::make_tuple(false, ReadStatus::NotFound, 1, f, 0, false));
  EXPECT_EQ(GridText(g), "");
  // Number cells take slot 5, the rest slot 2; the next puzzle is coloured as before.
  EXPECT_EQ(std::tie(g.Cell[1].BackColor, g.Cell[2].BackColor, g.SignCellColour),
            std::make_tuple(RGB(4, 5, 6), RGB(1, 2, 3), signColour));
  g.PlainBlankFlag = YES;
  BlankBoard(g);
  EXPECT_EQ(g.Cell[1].BackColor, RGB(1, 2, 3));
  EXPECT_EQ(ShowPuzzle(g, dir.File("missing.kvl"), 1).status, ReadStatus::Missing);
}

TEST(Arrows, TargetsWrapAndRightClickGoesToTheEnds) {
  const std::tuple<int, int, int, int, double, int> cases[] = {  // arrow, button, number, count, random, target
      {0, 1, 1, 12, 0, 12}, {0, 1, 5, 12, 0, 4},  {0, 2, 5, 12, 0, 1},  {2, 1, 12, 12, 0, 1},
      {2, 1, 5, 12, 0, 6},  {2, 2, 5, 12, 0, 12}, {3, 1, 5, 12, 0, 1},  {3, 2, 5, 12, 0.999999, 12},
      {3, 1, 5, 12, 0.5, 7}, {0, 1, 1, 1, 0, 0},  {2, 2, 1, 1, 0, 0},   {3, 1, 1, 1, 0.7, 0},
      {1, 1, 3, 12, 0, 0},  {0, 1, 0, 0, 0, 0},
  };
  for (const auto& [index, button, number, count, r, target] : cases)
    EXPECT_EQ(ArrowTarget(index, button, number, count, r), target) << index << button << " " << number << "/" << count;
}

TEST(Pickers, SizeCyclesAndOthersStay) {
  for (const auto& [size, next] : {std::pair{7, 9}, {9, 5}, {5, 7}, {0, 0}, {6, 0}})
    EXPECT_EQ(NextPickerSize(size), next) << size;
  EXPECT_EQ(SizeText(7), "7x7");
}

TEST_F(Navigation, SavingAppendsTheNextNumberAndAnEmptyBoardWritesNothing) {
  const std::string src = dir.File("src.kvl");
  test::WriteFile(src, record(1, "Hard"));
  std::string twelve;
  for (int k = 1; k <= 12; ++k) twelve += record(k, "Easy");
  test::WriteFile(f, twelve);
  ASSERT_TRUE(ShowPuzzle(g, src, 1).found);
  const SaveResult s = SaveCurrentPuzzle(g, f);
  EXPECT_EQ(std::tie(s.ok, s.number, s.message), std::make_tuple(true, 13, "Puzzle# 13 saved in file " + f));
  EXPECT_EQ(test::ReadFile(f), twelve + record(13, "Hard"));

  GameState empty;  // nothing on the board: nothing written
  const SaveResult none = SaveCurrentPuzzle(empty, f);
  EXPECT_FALSE(none.ok);
  EXPECT_EQ(test::ReadFile(f), twelve + record(13, "Hard"));
}

TEST(FindDataFolder, ChoosesTheFolderThatHoldsTheChainLists) {
  ASSERT_EQ(InstalledDataFromBin(), "../share/kelvane");  // the default GNU folders, as below
  // Files made empty under a fresh prefix ("x/" a folder, "a@b" a link a to b), the executable's folder,
  // the data folder found and whether it is the installed one.
  const std::tuple<const char*, const char*, const char*, bool> layouts[] = {
      {"bin/k9x9.kvy bin/puzzles.kvl", "bin/", "bin/", false},  // a build copy
      {"bin/ share/kelvane/k9x9.kvy share/kelvane/puzzles.kvl", "bin/", "share/kelvane/", true},
      {"bin/k9x9.kvy share/kelvane/k9x9.kvy", "bin/", "bin/", false},  // a portable copy inside a prefix wins
      {"bin/", "bin/", "bin/", false}, {"bin/ share/kelvane/puzzles.kvl share/kelvane/k5x5.kvy", "bin/", "bin/", false},
      {"bin/k9x9.kvy/ share/kelvane/k9x9.kvy/", "bin/", "bin/", false},  // folders named like the chain list
      {"share/other/k9x9.kvy bin/", "bin/", "bin/", false},
      {"share/kelvane/k9x9.kvy bin/", "bin", "share/kelvane/", true},
      // Like /bin -> usr/bin on a merged /usr: ../share is taken from the real folder.
      {"usr/bin/ usr/share/kelvane/k9x9.kvy bin@usr/bin", "bin", "usr/share/kelvane/", true},
      {"", "gone/bin", "gone/bin/", false},
  };
  for (const auto& [files, exe, expected, installed] : layouts) {
    SCOPED_TRACE(files);
    test::TempDir dir;
    const std::filesystem::path root = std::filesystem::canonical(dir.Path());
    std::istringstream names(files);
    for (std::string name; names >> name;) {
      const std::size_t at = name.find('@');
      const std::filesystem::path made = root / name.substr(0, at);
      std::filesystem::create_directories(name.back() == '/' ? made : made.parent_path());
      if (at != std::string::npos) std::filesystem::create_directory_symlink(root / name.substr(at + 1), made);
      if (at == std::string::npos && name.back() != '/') test::WriteFile(made.string(), "");
    }
    const DataFolder d = FindDataFolder((root / exe).string());
    EXPECT_EQ(std::tie(d.folder, d.installed), std::make_tuple((root / expected).string(), installed));
  }
}

}  // namespace
}  // namespace kelvane
