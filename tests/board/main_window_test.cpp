// The main window for real: start-up with odd files, navigation, open, save, delete, pickers and exit.
#include <gtest/gtest.h>

#include <QTimer>
#include <random>

#include "board/board_widget.h"
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
  EXPECT_EQ(w.State().PuzzleNumber, 1);
  EXPECT_EQ(p.Text("PuzNumNow"), "1");
  EXPECT_EQ(p.Text("puznumber"), " of 72");
  EXPECT_EQ(p.Text("FileNameNowx"), "puzzles.kvl");
  EXPECT_EQ(p.Find<QLabel>("FileNameNowx")->toolTip().toStdString(), p.dir.File("puzzles.kvl"));
  EXPECT_EQ(p.Text("Label3"), "5x5");
  EXPECT_EQ(p.Text("Label4"), "Easy");
  EXPECT_GT(w.State().MarkedCell, 0);
}

TEST(Startup, OddConfigurationsFallBackToTheDefaults) {
  for (const std::string& content : {std::string("Arial\r\n 16 \r\ndefault.col\r\n 0 \r\n"), std::string("\0\1\2garbage", 10)}) {
    Program p;
    test::WriteFile(p.Config(), content);
    MainWindow& w = p.Start();
    ASSERT_FALSE(p.answers.messages.empty());
    EXPECT_NE(p.answers.messages[0].first.find("new file will be created"), std::string::npos);
    EXPECT_EQ(w.State().CurrentFile, p.dir.File("puzzles.kvl"));
    EXPECT_EQ(w.State().CellFontSize, 16);
  }
}

TEST(Startup, AConfiguredFileThatIsGoneFallsBackToTheDefaultFile) {
  Program p;
  p.WriteConfig(p.dir.File("gone.kvl"));
  MainWindow& w = p.Start();
  EXPECT_TRUE(p.answers.messages.empty());
  EXPECT_EQ(w.State().CurrentFile, p.dir.File("puzzles.kvl"));
}

TEST(Startup, MissingSchemeFileAndPuzzleFileStillStart) {
  Program p;
  fs::remove(p.dir.File("all.col"));
  fs::remove(p.dir.File("puzzles.kvl"));
  p.WriteConfig(p.dir.File("puzzles.kvl"));
  MainWindow& w = p.Start();
  ASSERT_EQ(p.answers.messages.size(), 2u);
  EXPECT_EQ(p.answers.messages[0].first, "Colour Scheme: default.col not found");
  EXPECT_EQ(p.answers.messages[0].second, "vbok+vbcritical");
  EXPECT_EQ(w.State().ColourSchemeName, "xp.col");
  EXPECT_EQ(p.answers.messages[1].first, "Error reading puzzle# 1 in file:\n" + p.dir.File("puzzles.kvl"));
  EXPECT_EQ(p.Text("PuzNumNow"), "");
  EXPECT_EQ(GridText(w.State()), "");
}

struct Twelve : Program {
  Twelve() { UseFile("twelve.kvl", records(12)); }
};

TEST(Navigation, ArrowsWrapAroundAndRightClickGoesToTheEnds) {
  Twelve p;
  MainWindow& w = p.Start();
  p.Click("arrows_0");
  EXPECT_EQ(w.State().PuzzleNumber, 12);
  EXPECT_EQ(p.Text("PuzNumNow"), "12");
  p.Click("arrows_2");
  EXPECT_EQ(w.State().PuzzleNumber, 1);
  p.Click("arrows_2", Qt::RightButton);
  EXPECT_EQ(w.State().PuzzleNumber, 12);
  p.Click("arrows_0", Qt::RightButton);
  EXPECT_EQ(w.State().PuzzleNumber, 1);
  p.Click("arrows_2", Qt::MiddleButton);  // no action for the middle button
  EXPECT_EQ(w.State().PuzzleNumber, 1);
  for (int k = 0; k < 20; ++k) {
    p.Click("arrows_3");
    EXPECT_GE(w.State().PuzzleNumber, 1);
    EXPECT_LE(w.State().PuzzleNumber, 12);
  }
  EXPECT_TRUE(p.answers.messages.empty());
}

TEST(Navigation, KeysPageThroughTheFile) {
  Twelve p;
  MainWindow& w = p.Start();
  w.show();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  QTest::keyClick(&w, Qt::Key_PageDown);
  EXPECT_EQ(w.State().PuzzleNumber, 2);
  QTest::keyClick(&w, Qt::Key_PageUp);
  QTest::keyClick(&w, Qt::Key_PageUp);
  EXPECT_EQ(w.State().PuzzleNumber, 12);
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

TEST(Navigation, AOnePuzzleFileIgnoresTheArrows) {
  Program p;
  p.UseFile("one.kvl", records(1));
  MainWindow& w = p.Start();
  for (const char* a : {"arrows_0", "arrows_1", "arrows_2", "arrows_3"}) p.Click(a);
  EXPECT_EQ(w.State().PuzzleNumber, 1);
  EXPECT_TRUE(p.answers.messages.empty());
}

TEST(Navigation, TypedNumbersOutsideTheFileChangeNothing) {
  Twelve p;
  MainWindow& w = p.Start();
  auto* box = p.Find<QLineEdit>("PuzNumNow");
  for (const char* typed : {"0", "13", "abc", "-2"}) {
    box->setText(typed);
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(w.State().PuzzleNumber, 1) << typed;
  }
  box->setText("7");
  w.show();
  box->setFocus();
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(w.State().PuzzleNumber, 7);
  EXPECT_EQ(p.Text("Label4"), "Hard");
  // Enter in the box starts no chain; the board then has the keys.
  EXPECT_EQ(w.State().LastChainCell, -1);
  EXPECT_EQ(w.focusWidget(), p.Find<QWidget>("Shape1"));
  // Escape in the box puts the shown number back and asks nothing.
  box->setFocus();
  box->setText("12");
  QTest::keyClick(box, Qt::Key_Escape);
  EXPECT_EQ(box->text(), "7");
  EXPECT_TRUE(p.answers.messages.empty());
}

TEST(OpenFile, BadFilesAreReportedAndTheBoardStays) {
  Twelve p;
  MainWindow& w = p.Start();
  p.Click("arrows_2");
  const std::string grid = GridText(w.State());
  test::WriteFile(p.dir.File("empty.kvl"), "");
  test::WriteFile(p.dir.File("binary.kvl"), std::string("#1\r\n\0\0\0\r\n", 9));
  test::WriteFile(p.dir.File("short.kvl"), "#1\r\nEasy\r\n");
  for (const std::string& f : {p.dir.File("empty.kvl"), p.dir.File("binary.kvl"), p.dir.File("short.kvl"), p.dir.File("missing.kvl")}) {
    p.answers.files.push_back(f);
    p.answers.messages.clear();
    p.Click("cmdload");
    ASSERT_EQ(p.answers.messages.size(), 1u) << f;
    EXPECT_EQ(p.answers.messages[0].first.rfind("Error reading puzzle# 1", 0), 0u) << p.answers.messages[0].first;
    EXPECT_EQ(p.answers.messages[0].second, "vbok+vbcritical");
    EXPECT_EQ(w.State().CurrentFile, p.dir.File("twelve.kvl"));
    EXPECT_EQ(w.State().PuzzleNumber, 2);
    EXPECT_EQ(w.State().PuzzleCount, 12);
    EXPECT_EQ(GridText(w.State()), grid);
  }
  const FileRequest& r = p.answers.requests.back();
  EXPECT_FALSE(r.save);
  EXPECT_EQ(r.title + " " + r.fileTypes + " " + r.fileTypesName, "Kelvane *.kvl;*.txt;*.dat Kelvane Files");

  p.answers.files.push_back(p.dir.File("puzzles.kvl"));
  p.Click("cmdload", Qt::RightButton);
  EXPECT_EQ(w.State().CurrentFile, p.dir.File("puzzles.kvl"));
  EXPECT_EQ(w.State().PuzzleCount, 72);
  p.Click("cmdload");  // cancelled: nothing changes
  EXPECT_EQ(w.State().CurrentFile, p.dir.File("puzzles.kvl"));
}

TEST(SaveAndDelete, RoundTrip) {
  Twelve p;
  MainWindow& w = p.Start();
  p.Click("arrows_2");
  const std::string grid = GridText(w.State());
  const std::string out = p.dir.File("mine.kvl");
  test::WriteFile(out, records(3));
  p.answers.files.push_back(out);
  p.Click("cmdsave");
  ASSERT_EQ(p.answers.messages.size(), 1u);
  EXPECT_EQ(p.answers.messages[0].first, "Puzzle# 4 saved in file " + out);
  EXPECT_EQ(p.answers.messages[0].second, "vbok+vbinformation");
  EXPECT_TRUE(p.answers.requests.back().save);

  p.answers.files.push_back(out);
  p.Click("cmdload");
  EXPECT_EQ(w.State().PuzzleCount, 4);
  p.Click("arrows_2", Qt::RightButton);
  EXPECT_EQ(GridText(w.State()), grid);

  // Deleting the last puzzle shows the new last one; No keeps it.
  p.answers.codes = {7};
  p.Click("cmdsave", Qt::RightButton);
  EXPECT_EQ(CountPuzzles(w.State().Files, out), 4);
  p.answers.codes = {6};
  p.answers.messages.clear();
  p.Find<QLineEdit>("PuzNumNow")->setText("1");  // typed, not entered: the shown puzzle is deleted
  p.Click("cmdsave", Qt::RightButton);
  EXPECT_EQ(p.answers.messages.front().first, "Delete current puzzle from file?");
  EXPECT_EQ(p.answers.messages.front().second, "vbYesNo+vbquestion");
  EXPECT_EQ(p.answers.messages.back().first, "Done");
  EXPECT_EQ(test::ReadFile(out), records(3));
  EXPECT_EQ(w.State().PuzzleNumber, 3);
  EXPECT_EQ(p.Text("puznumber"), " of 3");
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
  Program p;
  p.WriteConfig(p.dir.File("puzzles.kvl"));
  MainWindow& w = p.Start();
  auto* size = p.Find<QLabel>("Label3");
  size->setText("7x7");
  const char* expected[] = {"9x9", "5x5", "7x7"};
  for (const char* e : expected) {
    p.Click("Label3");
    EXPECT_EQ(p.Text("Label3"), e);
  }
  // After a failed show the caption is empty; the picker goes on from the size last shown.
  p.Click("Label3");
  EXPECT_EQ(p.Text("Label3"), "9x9");
  fs::remove(p.dir.File("puzzles.kvl"));
  p.Click("arrows_2");
  EXPECT_EQ(p.Text("Label3"), "");
  p.Click("Label3");
  EXPECT_EQ(p.Text("Label3"), "5x5");
  p.Click("Label4");
  EXPECT_EQ(p.Text("Label4"), "Hard");
  EXPECT_FALSE(w.State().EasyFlag);
  p.Click("Label4");
  EXPECT_EQ(p.Text("Label4"), "Easy");
  EXPECT_TRUE(w.State().EasyFlag);
}

TEST(Exit, AsksThenWritesTheConfigurationAndTheCloseBoxSavesNothing) {
  Twelve p;
  MainWindow& w = p.Start();
  p.Click("arrows_2");
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

TEST(Board, ScalesWithTheWindowAndClicksHitTheOverlay) {
  Twelve p;
  MainWindow& w = p.Start();
  w.show();
  auto* board = p.Find<BoardWidget>("Shape1");
  w.resize(600, 760);
  QCoreApplication::processEvents();
  const int small = board->CellRect(1).width();
  w.resize(1200, 1500);
  QCoreApplication::processEvents();
  EXPECT_GT(board->CellRect(1).width(), small * 3 / 2);
  const int marked = w.State().MarkedCell;
  EXPECT_EQ(board->CellAt(board->CellRect(0).center()), marked);
  EXPECT_EQ(board->CellAt(board->CellRect(1).center()), 1);
  EXPECT_EQ(board->CellAt(QPoint(1, 1)), 0);
}

// 100 MB of random bytes, with or without NUL bytes, lines and "#" now and then.
std::string Garbage(bool binary) {
  std::mt19937_64 random(binary ? 1 : 2);
  std::string text(100u << 20, ' ');
  for (std::size_t i = 0; i < text.size(); i += 8) {
    std::uint64_t r = random();
    for (std::size_t k = 0; k < 8 && i + k < text.size(); ++k, r >>= 8) {
      char c = static_cast<char>(r & 0xFF);
      if (!binary && (c == '\0' || (r & 0x3F) == 1)) c = (r & 0x40) ? '\n' : '#';
      text[i + k] = c;
    }
  }
  return text;
}

TEST(OpenFile, HugeGarbageAndTwoHundredThousandPuzzles) {
  Twelve p;
  MainWindow& w = p.Start();
  p.Click("arrows_2");
  const std::string grid = GridText(w.State());
  for (bool binary : {true, false}) {
    const std::string path = p.dir.File(binary ? "binary.dat" : "text.dat");
    test::WriteFile(path, Garbage(binary));
    p.answers.files.push_back(path);
    p.answers.messages.clear();
    p.Click("cmdload");
    ASSERT_EQ(p.answers.messages.size(), 1u) << path;
    EXPECT_EQ(p.answers.messages[0].second, "vbok+vbcritical");
    EXPECT_EQ(w.State().CurrentFile, p.dir.File("twelve.kvl"));
    EXPECT_EQ(GridText(w.State()), grid);
    fs::remove(path);
  }

  const std::string big = p.dir.File("big.kvl");
  test::WriteFile(big, records(200000));
  p.answers.files.push_back(big);
  p.Click("cmdload");
  EXPECT_EQ(w.State().PuzzleCount, 200000);
  p.Click("arrows_2", Qt::RightButton);
  EXPECT_EQ(p.Text("PuzNumNow"), "200000");
  w.ShowPuzzleNumber(100000);
  p.answers.codes = {6};
  w.DeleteCurrent();
  EXPECT_EQ(p.answers.messages.back().first, "Done");
  const std::string all = records(200000);
  const std::size_t from = all.find("#100000\r\n"), to = all.find("#100001\r\n");
  EXPECT_EQ(test::ReadFile(big), all.substr(0, from) + all.substr(to));
  EXPECT_EQ(w.State().PuzzleCount, 199999);
}

}  // namespace
}  // namespace kelvane::ui
