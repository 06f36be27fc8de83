// Showing stored puzzles, the arrows' targets, the pickers, saving and deleting records.
#include <gtest/gtest.h>

#include "model/navigation.h"
#include "test_support.h"

namespace kelvane {
namespace {

const char* kGrid5 = "3-1-2+ - -2-3-1- - +1-2-3";

std::string record(int number, const std::string& title, const std::string& solution = "21,11,1,3, 11") {
  return "#" + std::to_string(number) + "\r\n" + title + "\r\n5 4\r\n011" + kGrid5 + "\r\n" + solution + "\r\n";
}

TEST(ShowPuzzle, PutsTheRecordOnTheBoardAndResetsTheChain) {
  test::TempDir dir;
  const std::string f = dir.File("p.kvl");
  test::WriteFile(f, record(1, "Easy") + record(2, "VeryEasy and more") + record(3, "Hard") + record(4, "Medium"));
  GameState g;
  g.ChainString = "21-11";
  g.LastChainCell = 11;
  g.CurrentSum = 4;
  g.Undolist = {"x"};
  const ShowResult r = ShowPuzzle(g, f, 2);
  ASSERT_TRUE(r.found);
  EXPECT_EQ(g.PuzzleNumber, 2);
  EXPECT_EQ(g.PuzzleCount, 4);
  EXPECT_EQ(g.CurrentFile, f);
  EXPECT_EQ(g.PuzzleSize, 5);
  EXPECT_EQ(g.SolutionLength, 4);
  EXPECT_EQ(GridText(g), kGrid5);
  EXPECT_EQ(g.Cell[1].Tag, 'N');
  EXPECT_EQ(g.Cell[2].Tag, 'X');
  EXPECT_EQ(g.MarkedCell, 11);
  EXPECT_EQ(g.Cell[0].Caption, "2");
  EXPECT_TRUE(g.Cell[0].Visible);
  EXPECT_EQ(g.LastChainCell, -1);
  EXPECT_EQ(g.ChainString, "");
  EXPECT_EQ(g.CurrentSum, 0);
  EXPECT_TRUE(g.Undolist.empty());
  EXPECT_EQ(r.difficulty, "Easy");
  EXPECT_TRUE(g.EasyFlag);
  EXPECT_EQ(ShowPuzzle(g, f, 3).difficulty, "Hard");
  EXPECT_FALSE(g.EasyFlag);
  EXPECT_EQ(ShowPuzzle(g, f, 4).difficulty, "Medium");
  EXPECT_TRUE(g.EasyFlag);
}

TEST(ShowPuzzle, ANumberBeyondTheFileBlanksTheBoardAndKeepsThePosition) {
  test::TempDir dir;
  const std::string f = dir.File("p.kvl");
  test::WriteFile(f, record(1, "Easy") + record(2, "Hard"));
  GameState g;
  g.Palette[2] = RGB(1, 2, 3);
  g.Palette[5] = RGB(4, 5, 6);
  ASSERT_TRUE(ShowPuzzle(g, f, 1).found);
  const Colour signColour = g.SignCellColour;
  const ShowResult r = ShowPuzzle(g, f, 3);
  EXPECT_FALSE(r.found);
  EXPECT_EQ(r.status, ReadStatus::NotFound);
  EXPECT_EQ(g.PuzzleNumber, 1);
  EXPECT_EQ(g.CurrentFile, f);
  EXPECT_EQ(GridText(g), "");
  EXPECT_FALSE(g.Cell[0].Visible);
  EXPECT_EQ(g.Cell[1].BackColor, RGB(4, 5, 6));   // number cells
  EXPECT_EQ(g.Cell[2].BackColor, RGB(1, 2, 3));   // the rest
  EXPECT_EQ(g.SignCellColour, signColour);        // the next puzzle is coloured as before
  g.PlainBlankFlag = YES;
  BlankBoard(g);
  EXPECT_EQ(g.Cell[1].BackColor, RGB(1, 2, 3));
  EXPECT_EQ(ShowPuzzle(g, dir.File("missing.kvl"), 1).status, ReadStatus::Missing);
}

TEST(Arrows, TargetsWrapAndRightClickGoesToTheEnds) {
  struct Case {
    int index, button, number, count;
    double r;
    int expected;
  };
  const Case cases[] = {
      {0, 1, 1, 12, 0, 12}, {0, 1, 5, 12, 0, 4},  {0, 2, 5, 12, 0, 1},  {2, 1, 12, 12, 0, 1},
      {2, 1, 5, 12, 0, 6},  {2, 2, 5, 12, 0, 12}, {3, 1, 5, 12, 0, 1},  {3, 2, 5, 12, 0.999999, 12},
      {3, 1, 5, 12, 0.5, 7}, {0, 1, 1, 1, 0, 0},  {2, 2, 1, 1, 0, 0},   {3, 1, 1, 1, 0.7, 0},
      {1, 1, 3, 12, 0, 0},  {0, 1, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.index << " " << c.button << " " << c.number << "/" << c.count);
    EXPECT_EQ(ArrowTarget(c.index, c.button, c.number, c.count, c.r), c.expected);
  }
}

TEST(Pickers, SizeCyclesAndOthersStay) {
  EXPECT_EQ(NextPickerSize(7), 9);
  EXPECT_EQ(NextPickerSize(9), 5);
  EXPECT_EQ(NextPickerSize(5), 7);
  EXPECT_EQ(NextPickerSize(0), 0);
  EXPECT_EQ(NextPickerSize(6), 0);
  EXPECT_EQ(SizeText(7), "7x7");
}

TEST(SaveAndDelete, SavingAppendsTheNextNumber) {
  test::TempDir dir;
  const std::string src = dir.File("src.kvl");
  const std::string out = dir.File("out.kvl");
  test::WriteFile(src, record(1, "Hard"));
  std::string twelve;
  for (int k = 1; k <= 12; ++k) twelve += record(k, "Easy");
  test::WriteFile(out, twelve);
  GameState g;
  ASSERT_TRUE(ShowPuzzle(g, src, 1).found);
  const SaveResult s = SaveCurrentPuzzle(g, out);
  EXPECT_TRUE(s.ok);
  EXPECT_EQ(s.number, 13);
  EXPECT_EQ(s.message, "Puzzle# 13 saved in file " + out);
  EXPECT_EQ(s.style, "vbok+vbinformation");
  EXPECT_EQ(test::ReadFile(out), twelve + record(13, "Hard"));

  GameState empty;  // nothing on the board: nothing written
  const SaveResult none = SaveCurrentPuzzle(empty, out);
  EXPECT_FALSE(none.ok);
  EXPECT_EQ(none.style, "vbok+vbcritical");
  EXPECT_EQ(test::ReadFile(out), twelve + record(13, "Hard"));
}

TEST(SaveAndDelete, DeletingKeepsEveryOtherByte) {
  test::TempDir dir;
  const std::string f = dir.File("p.kvl");
  const std::string a = "header line\r\n" + record(1, "Easy");
  const std::string b = record(2, "Hard") + "a note after the record\n";
  const std::string c = record(3, "Easy");
  test::WriteFile(f, a + b + c);
  PuzzleFileIndexes files;
  ASSERT_TRUE(DeleteRecord(files, f, 2).ok);
  EXPECT_EQ(test::ReadFile(f), a + c);  // "#3" stays as written
  EXPECT_EQ(CountPuzzles(files, f), 2);
  ASSERT_TRUE(DeleteRecord(files, f, 2).ok);  // the last one
  EXPECT_EQ(test::ReadFile(f), a);

  const WriteResult beyond = DeleteRecord(files, f, 5);
  EXPECT_FALSE(beyond.ok);
  EXPECT_EQ(test::ReadFile(f), a);
  EXPECT_FALSE(DeleteRecord(files, dir.File("missing.kvl"), 1).ok);
  EXPECT_EQ(test::Snapshot(dir.Path()), (std::map<std::string, std::string>{{"p.kvl", a}}));  // no temporary file left
}

}  // namespace
}  // namespace kelvane
