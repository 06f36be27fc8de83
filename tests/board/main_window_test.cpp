// The main window for real: start-up with odd files, navigation, open, save, delete, pickers and exit.
#include <gtest/gtest.h>

#include <QTimer>
#include <functional>

#include "model/write_fault.h"
#include "output/browse_screen_qt.h"
#include "window_fixture.h"

namespace kelvane::ui {
namespace {

// A first start has no configuration to read: the defaults are written without a word. A damaged configuration
// says a new one will be made; a configured file that is gone falls back silently; without the scheme file and
// the puzzle file the window still starts, on the built-in scheme and an empty board.
TEST(Startup, AFirstStartAndOddConfigurationsAndMissingFilesFallBack) {
  const std::string four = "Arial\r\n 16 \r\ndefault.col\r\n 0 \r\n";
  const Msg renew{"new file will be created", "vbok+vbinformation"};
  const struct {
    const char* what;
    std::function<std::string(Program&)> config;  // empty: no file
    std::vector<Msg> told;                        // a part of each message, and its style
    const char* scheme;
  } rows[] = {
      {"first start", {}, {}, "default.col"},
      {"four lines", [&](Program&) { return four; }, {renew}, "default.col"},
      {"file gone", [&](Program& p) { return four + p.dir.File("gone.kvl") + "\r\n"; }, {}, "default.col"},
      {"no all.col, no puzzles.kvl", [&](Program& p) { return four + p.dir.File("puzzles.kvl") + "\r\n"; },
       {{"Colour Scheme: default.col not found", "vbok+vbcritical"}, {"Error reading puzzle# 1", "vbok+vbcritical"}},
       "xp.col"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    Program p;
    if (row.config) test::WriteFile(p.Config(), row.config(p));
    const bool missing = row.told.size() == 2;
    if (missing) {
      fs::remove(p.dir.File("all.col"));
      fs::remove(p.dir.File("puzzles.kvl"));
    }
    MainWindow& w = p.Start();
    ASSERT_EQ(p.answers.messages.size(), row.told.size());
    for (std::size_t i = 0; i < row.told.size(); ++i) {
      EXPECT_NE(p.answers.messages[i].first.find(row.told[i].first), std::string::npos) << p.answers.messages[i].first;
      EXPECT_EQ(p.answers.messages[i].second, row.told[i].second);
    }
    EXPECT_EQ(w.State().CurrentFile, p.dir.File("puzzles.kvl"));
    EXPECT_EQ(w.State().CellFontSize, 16);
    EXPECT_EQ(w.State().ColourSchemeName, row.scheme);
    EXPECT_EQ(GridText(w.State()).empty(), missing);
    if (row.config) continue;
    EXPECT_EQ(test::ReadFile(p.Config()), four + p.dir.File("puzzles.kvl") + "\r\n");
    EXPECT_EQ(p.Text("PuzNumNow") + p.Text("puznumber") + " " + p.Text("FileNameNowx"), "1 of 72 puzzles.kvl");
    EXPECT_EQ(p.Find<QLabel>("FileNameNowx")->toolTip().toStdString(), p.dir.File("puzzles.kvl"));
    EXPECT_EQ(p.Text("Label3") + " " + p.Text("Label4"), "5x5 Easy");
  }
}

TEST(Navigation, TheBrowseArrowPicksAPuzzle) {
  Twelve p;
  MainWindow& w = p.Start();
  QTimer::singleShot(0, [&w] {
    ASSERT_NE(w.Form2(), nullptr);
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
  p.answers.files.push_back(p.dir.File("puzzles.kvl"));
  p.Click("cmdload");
  EXPECT_EQ(w.State().PuzzleCount, 72);
  p.Click("cmdload");  // cancelled: nothing changes
  EXPECT_EQ(w.State().CurrentFile, p.dir.File("puzzles.kvl"));
}

// Delete once removed the number typed but not entered, which could be another puzzle.
TEST(SaveAndDelete, SaveAppendsAndDeleteTakesThePuzzleShownFromTwoHundredThousand) {
  Twelve p;
  p.Start();
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
  p.answers.codes = {6};
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

// A failed show emptied the size caption and the picker stopped; it goes on from the size last shown.
TEST(Pickers, TheSizePickerGoesOnAfterAFailedShow) {
  Twelve p;
  p.Start();
  p.Click("Label3");
  ASSERT_EQ(p.Text("Label3"), "7x7");
  fs::remove(p.dir.File("twelve.kvl"));
  p.Click("arrows_2");
  ASSERT_EQ(p.Text("Label3"), "");
  p.Click("Label3");
  EXPECT_EQ(p.Text("Label3"), "9x9");
}

// The close box saving nothing is checked with a batch running.
TEST(Exit, AsksThenWritesTheConfiguration) {
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

// Every write into the program's folder fails half-way; renames there fail.
struct HalfWrites : WriteFault {
  std::string folder;
  explicit HalfWrites(std::string f) : folder(std::move(f)) {}
  std::size_t WriteLimit(const std::string& path, std::size_t size) override {
    return path.rfind(folder, 0) == 0 ? size / 2 : size;
  }
  bool FailRename(const std::string& path) override { return path.rfind(folder, 0) == 0; }
};

// The write failures: each is reported in the message box and no file changes (a batch's is the core's).
TEST(WriteFailureWindow, SaveDeleteAndExitReportAndKeepTheFiles) {
  Program p;
  p.UseFile("five.kvl", records(5));
  MainWindow& w = p.Start();
  const auto before = test::Snapshot(p.dir.Path());
  HalfWrites fault(p.dir.Folder());
  ScopedWriteFault scoped(fault);

  p.answers.files = {p.dir.File("five.kvl")};
  w.SaveCurrent();
  ASSERT_EQ(p.answers.messages.size(), 1u);
  EXPECT_EQ(p.answers.messages.back().first.rfind("Error writing puzzle# 6 to file: ", 0), 0u)
      << p.answers.messages.back().first;
  EXPECT_EQ(p.answers.messages.back().second, "vbok+vbcritical");

  p.answers.codes = {6};
  w.DeleteCurrent();
  EXPECT_EQ(p.answers.messages.back().first.rfind("Error deleting puzzle# 1 from file: ", 0), 0u);
  EXPECT_EQ(p.answers.messages.back().second, "vbok+vbcritical");
  EXPECT_EQ(p.Text("PuzNumNow"), "1");

  p.answers.codes = {6};
  EXPECT_TRUE(w.ExitProgram());
  EXPECT_EQ(p.answers.messages.back().first,
            "Configuration file:\n" + p.Config() + "\ncould not be accessed, options not saved");
  EXPECT_EQ(test::Snapshot(p.dir.Path()), before);
}

}  // namespace
}  // namespace kelvane::ui
