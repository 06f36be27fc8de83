// The main window for real: start-up with odd files, navigation, open, save, delete, pickers and exit.
#include <gtest/gtest.h>

#include <QTimer>
#include <functional>
#include <set>

#include "output/browse_screen_qt.h"
#include "window_fixture.h"

namespace kelvane::ui {
namespace {

// A first start has no configuration to read: the defaults are written without a word.
TEST(Startup, AFirstStartWritesTheDefaultConfigurationSilently) {
  Program p;
  MainWindow& w = p.Start();
  EXPECT_TRUE(p.answers.messages.empty());
  EXPECT_EQ(test::ReadFile(p.Config()),
            "Arial\r\n 16 \r\ndefault.col\r\n 0 \r\n" + p.dir.File("puzzles.kvl") + "\r\n");
  EXPECT_EQ(w.State().CurrentFile, p.dir.File("puzzles.kvl"));
  EXPECT_EQ(p.Text("PuzNumNow") + p.Text("puznumber") + " " + p.Text("FileNameNowx"), "1 of 72 puzzles.kvl");
  EXPECT_EQ(p.Find<QLabel>("FileNameNowx")->toolTip().toStdString(), p.dir.File("puzzles.kvl"));
  EXPECT_EQ(p.Text("Label3") + " " + p.Text("Label4"), "5x5 Easy");
  EXPECT_GT(w.State().MarkedCell, 0);
}

// A damaged configuration says a new one will be made; a configured file that is gone falls back silently.
TEST(Startup, OddConfigurationsFallBackToTheDefaults) {
  const std::string four = "Arial\r\n 16 \r\ndefault.col\r\n 0 \r\n";
  const struct {
    const char* what;
    std::function<std::string(Program&)> config;
    bool told;
  } rows[] = {{"four lines", [&](Program&) { return four; }, true},
              {"garbage", [](Program&) { return std::string("\0\1\2garbage", 10); }, true},
              {"file gone", [&](Program& p) { return four + p.dir.File("gone.kvl") + "\r\n"; }, false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Program p;
    test::WriteFile(p.Config(), row.config(p));
    MainWindow& w = p.Start();
    ASSERT_EQ(p.answers.messages.size(), row.told ? 1u : 0u);
    if (row.told) {
      EXPECT_NE(p.answers.messages[0].first.find("new file will be created"), std::string::npos);
    }
    EXPECT_EQ(w.State().CurrentFile, p.dir.File("puzzles.kvl"));
    EXPECT_EQ(w.State().CellFontSize, 16);
  }
}

TEST(Startup, MissingSchemeFileAndPuzzleFileStillStart) {
  Program p;
  fs::remove(p.dir.File("all.col"));
  fs::remove(p.dir.File("puzzles.kvl"));
  p.WriteConfig(p.dir.File("puzzles.kvl"));
  MainWindow& w = p.Start();
  EXPECT_EQ(p.answers.messages, (std::vector<Msg>{{"Colour Scheme: default.col not found", "vbok+vbcritical"},
                                                  {"Error reading puzzle# 1 in file:\n" + p.dir.File("puzzles.kvl"),
                                                   "vbok+vbcritical"}}));
  EXPECT_EQ(w.State().ColourSchemeName, "xp.col");
  EXPECT_EQ(p.Text("PuzNumNow"), "");
  EXPECT_EQ(GridText(w.State()), "");
}

TEST(Navigation, ArrowsWrapAroundAndRightClickGoesToTheEnds) {
  Twelve p;
  MainWindow& w = p.Start();
  const struct {
    const char* arrow;
    Qt::MouseButton button;
    int shown;
  } steps[] = {{"arrows_0", Qt::LeftButton, 12},  {"arrows_2", Qt::LeftButton, 1}, {"arrows_2", Qt::RightButton, 12},
               {"arrows_0", Qt::RightButton, 1}, {"arrows_2", Qt::MiddleButton, 1}};
  for (const auto& step : steps) {
    p.Click(step.arrow, step.button);
    EXPECT_EQ(w.State().PuzzleNumber, step.shown) << step.arrow << " " << step.button;
    EXPECT_EQ(p.Text("PuzNumNow"), QString::number(step.shown));
  }
  std::set<int> seen;
  for (int k = 0; k < 20; ++k) {
    p.Click("arrows_3");
    seen.insert(w.State().PuzzleNumber);
  }
  EXPECT_GT(seen.size(), 1u);
  EXPECT_TRUE(p.answers.messages.empty());
}

TEST(Navigation, TheBrowseArrowPicksAPuzzle) {
  Twelve p;
  MainWindow& w = p.Start();
  QTimer::singleShot(0, [&w] {
    ASSERT_NE(w.Form2(), nullptr);
    EXPECT_EQ(w.Form2()->windowTitle(), "Total Puzzles = 12");
    w.Form2()->PickAt(1900, 2400);  // row 2, column 2 of the first page
  });
  p.Click("arrows_1");
  EXPECT_EQ(w.State().PuzzleNumber, 6);
  EXPECT_FALSE(w.Form2()->isVisible());
}

TEST(Navigation, TypedNumbersOutsideTheFileChangeNothing) {
  Twelve p;
  MainWindow& w = p.StartShown();
  auto* box = p.Find<QLineEdit>("PuzNumNow");
  for (const char* typed : {"0", "13", "abc", "-2", "7"}) {
    box->setFocus();
    box->setText(typed);
    QTest::keyClick(box, Qt::Key_Return);
  }
  EXPECT_EQ(w.State().PuzzleNumber, 7);
  EXPECT_EQ(p.Text("Label4"), "Hard");
  // Enter in the box once started a chain as well; now the board takes the keys.
  EXPECT_EQ(w.State().LastChainCell, -1);
  EXPECT_EQ(w.focusWidget(), p.Board());
  // Escape in the box puts the shown number back and asks nothing.
  box->setFocus();
  box->setText("12");
  QTest::keyClick(box, Qt::Key_Escape);
  EXPECT_EQ(box->text(), "7");
  EXPECT_TRUE(p.answers.messages.empty());
}

// 100 MB of "#1" records whose size line names no board.
std::string TextGarbage() {
  std::string text;
  while (text.size() < (100u << 20)) text += "#1\r\nEasy\r\n3 4\r\n011-+-\r\n1, 1\r\n";
  return text;
}

// A bad file once blanked the board; now it is reported and board, file, number and count stay.
TEST(OpenFile, BadFilesAreReportedAndTheBoardStays) {
  Twelve p;
  MainWindow& w = p.Start();
  p.Click("arrows_2");
  const std::string grid = GridText(w.State());
  const std::pair<const char*, std::string> bad[] = {{"empty.kvl", ""},
                                                     {"binary.kvl", std::string("#1\r\n\0\0\0\r\n", 9)},
                                                     {"short.kvl", "#1\r\nEasy\r\n"},
                                                     {"missing.kvl", ""},
                                                     {"binary.dat", records(1) + std::string(100u << 20, '\0')},
                                                     {"text.dat", TextGarbage()}};
  for (const auto& [name, content] : bad) {
    SCOPED_TRACE(name);
    if (name != std::string("missing.kvl")) test::WriteFile(p.dir.File(name), content);
    p.answers.files.push_back(p.dir.File(name));
    p.answers.messages.clear();
    p.Click("cmdload");
    ASSERT_EQ(p.answers.messages.size(), 1u);
    EXPECT_EQ(p.answers.messages[0].first.rfind("Error reading puzzle# 1", 0), 0u) << p.answers.messages[0].first;
    EXPECT_EQ(p.answers.messages[0].second, "vbok+vbcritical");
    EXPECT_EQ(w.State().CurrentFile, p.dir.File("twelve.kvl"));
    EXPECT_EQ(w.State().PuzzleNumber, 2);
    EXPECT_EQ(w.State().PuzzleCount, 12);
    EXPECT_EQ(GridText(w.State()), grid);
    fs::remove(p.dir.File(name));
  }
  const FileRequest& r = p.answers.requests.back();
  EXPECT_EQ(r.title + " " + r.fileTypes + " " + r.fileTypesName, "Kelvane *.kvl;*.txt;*.dat Kelvane Files");

  p.answers.files.push_back(p.dir.File("puzzles.kvl"));
  p.Click("cmdload", Qt::RightButton);
  EXPECT_EQ(w.State().PuzzleCount, 72);
  p.Click("cmdload");  // cancelled: nothing changes
  EXPECT_EQ(w.State().CurrentFile, p.dir.File("puzzles.kvl"));
}

// Delete once removed the number typed but not entered, which could be another puzzle.
TEST(SaveAndDelete, SaveAppendsAndDeleteTakesThePuzzleShownFromTwoHundredThousand) {
  Twelve p;
  MainWindow& w = p.Start();
  const std::string big = p.dir.File("big.kvl"), out = p.dir.File("mine.kvl");
  test::WriteFile(big, records(200000));
  test::WriteFile(out, records(3));
  p.answers.files = {big, out};
  p.Click("cmdload");
  p.Click("arrows_2", Qt::RightButton);
  EXPECT_EQ(p.Text("PuzNumNow") + p.Text("puznumber"), "200000 of 200000");
  p.Click("cmdsave");
  EXPECT_EQ(p.answers.messages, std::vector<Msg>{Msg("Puzzle# 4 saved in file " + out, "vbok+vbinformation")});
  EXPECT_EQ(test::ReadFile(out), records(3) + records(1, 4));

  p.Find<QLineEdit>("PuzNumNow")->setText("1");
  p.answers.codes = {7, 6};
  p.Click("cmdsave", Qt::RightButton);
  EXPECT_EQ(CountPuzzles(w.State().Files, big), 200000);
  p.Click("cmdsave", Qt::RightButton);
  EXPECT_EQ(p.answers.messages[1], Msg("Delete current puzzle from file?", "vbYesNo+vbquestion"));
  EXPECT_EQ(p.answers.messages.back().first, "Done");
  EXPECT_EQ(test::ReadFile(big), records(199999));
  EXPECT_EQ(p.Text("PuzNumNow") + p.Text("puznumber"), "199999 of 199999");
}

// Delete refused damaged records, saying the file had changed: it compared the board, not the record.
TEST(SaveAndDelete, DamagedRecordsCanBeDeleted) {
  const std::string grid = "3-1-2+ - -2-3-1- - +1-2-3";
  for (const std::string& damaged : {FormatRecord(2, false, 5, 4, 99, grid, "21,11,1,3, 99"),
                                     FormatRecord(2, false, 5, 4, 11, "", "21,11,1,3, 11")}) {
    Program p;
    p.UseFile("d.kvl", records(1) + damaged + records(1, 3));
    MainWindow& w = p.Start();
    p.Click("arrows_2");
    ASSERT_EQ(w.State().PuzzleNumber, 2);
    p.answers.codes = {6};
    p.Click("cmdsave", Qt::RightButton);
    EXPECT_EQ(p.answers.messages.back().first, "Done");
    EXPECT_EQ(test::ReadFile(p.dir.File("d.kvl")), records(1) + records(1, 3));
  }
}

TEST(Pickers, SizeAndDifficultyCycle) {
  Twelve p;
  MainWindow& w = p.Start();
  for (const auto& [word, easy] : {std::pair{"Easy", true}, {"Hard", false}}) {
    p.Click("Label4");
    EXPECT_EQ(p.Text("Label4"), word);
    EXPECT_EQ(w.State().EasyFlag, easy);
  }
  for (const char* next : {"7x7", "9x9", "5x5", "7x7"}) {
    p.Click("Label3");
    EXPECT_EQ(p.Text("Label3"), next);
  }
  // A failed show empties the caption and the picker stopped; it goes on from the size last shown.
  fs::remove(p.dir.File("twelve.kvl"));
  p.Click("arrows_2");
  ASSERT_EQ(p.Text("Label3"), "");
  p.Click("Label3");
  EXPECT_EQ(p.Text("Label3"), "9x9");
}

TEST(Exit, AsksThenWritesTheConfigurationAndTheCloseBoxSavesNothing) {
  Twelve p;
  MainWindow& w = p.Start();
  w.State().ColourSchemeName = "xp.col";
  p.answers.codes = {7};
  EXPECT_FALSE(w.ExitProgram());
  EXPECT_EQ(test::ReadFile(p.Config()), "Arial\r\n 16 \r\ndefault.col\r\n 0 \r\n" + p.dir.File("twelve.kvl") + "\r\n");
  p.answers.codes = {6};
  EXPECT_TRUE(w.ExitProgram());
  const std::string saved = "Arial\r\n 16 \r\nxp.col\r\n 0 \r\n" + p.dir.File("twelve.kvl") + "\r\n";
  EXPECT_EQ(test::ReadFile(p.Config()), saved);
  w.State().ColourSchemeName = "night.col";
  w.close();
  EXPECT_EQ(test::ReadFile(p.Config()), saved);
}

TEST(Board, ScalesWithTheWindow) {
  Twelve p;
  MainWindow& w = p.Start();
  w.show();
  BoardWidget* board = p.Board();
  w.resize(600, 760);
  QCoreApplication::processEvents();
  const int small = board->CellRect(1).width();
  w.resize(1200, 1500);
  QCoreApplication::processEvents();
  EXPECT_GT(board->CellRect(1).width(), small * 3 / 2);
  EXPECT_EQ(board->CellAt(board->CellRect(25).center()), 25);
}

}  // namespace
}  // namespace kelvane::ui
