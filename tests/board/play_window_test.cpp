// Playing and creating in the real window: mouse and keys on the board, hints, solution, undo, New and batches.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <tuple>

#include "board/board_widget.h"
#include "board/create_dialog.h"
#include "engine/check.h"
#include "model/text_rules.h"
#include "uikit/box_control.h"
#include "uikit/msg_form.h"
#include "window_fixture.h"

namespace kelvane::ui {
namespace {

// The worked board: the solution 21,11,1,3 through marked cell 1; 21,23,25,15,5 also sums to 0.
struct Worked : Program {
  Worked() {
    UseFile("worked.kvl", FormatRecord(1, true, 5, 4, 1, "1-2-3+ - -2-3-1- - -3-1+2", "21,11,1,3, 1") + records(9, 2));
  }
  BoardWidget* Board() { return Find<BoardWidget>("Shape1"); }
  void Cell(int i, Qt::MouseButton b = Qt::LeftButton) { QTest::mouseClick(Board(), b, {}, Board()->CellRect(i).center()); }
  kelvane::Colour ColourOf(int i) { return w->State().Cell[static_cast<std::size_t>(i)].BackColor; }
};

TEST(PlayWindow, MouseBuildsTheChainAndTheSumFollows) {
  Worked p;
  MainWindow& w = p.Start();
  EXPECT_EQ(p.Text("Label5"), "");
  p.Cell(21);
  EXPECT_EQ(p.Text("Label5"), "3");
  p.Cell(23);
  EXPECT_EQ(p.Text("Label5"), "2");
  EXPECT_EQ(w.State().ChainString, "21-23");
  EXPECT_EQ(p.ColourOf(22), w.State().ChainCellColour);
  p.answers.codes = {7};
  p.Cell(5, Qt::RightButton);
  EXPECT_EQ(p.answers.messages.back(), std::make_pair(std::string("Clear chain?"), std::string("vbYesNo+vbquestion")));
  EXPECT_EQ(w.State().ChainString, "21-23");
  p.answers.codes = {6};
  p.Cell(5, Qt::RightButton);
  EXPECT_EQ(w.State().ChainString, "");
  EXPECT_EQ(p.Text("Label5"), "0");
}

TEST(PlayWindow, TheSolutionWinsThroughTheOverlay) {
  Worked p;
  MainWindow& w = p.Start();
  p.Cell(21);
  p.Cell(11);
  QTest::mouseClick(p.Board(), Qt::LeftButton, {}, p.Board()->CellRect(0).center());  // the overlay
  p.Cell(3);
  ASSERT_FALSE(p.answers.messages.empty());
  EXPECT_EQ(p.answers.messages.back(), std::make_pair(std::string("Well done you got it!"), std::string("vbok+vbhappy")));
  EXPECT_EQ(w.State().HintsLeft, -9);
}

TEST(PlayWindow, HintsShowSolutionUndoAndStartOver) {
  Worked p;
  MainWindow& w = p.Start();
  for (int k = 0; k < 5; ++k) p.Click("cmdhint");
  EXPECT_EQ(w.State().ChainString, "21-11+01");
  EXPECT_EQ(p.answers.plain, std::vector<std::string>{"Sorry, no more hints"});

  auto* show = p.Find<QWidget>("cmdshowsol");
  QTest::mousePress(show, Qt::LeftButton);
  EXPECT_EQ(p.ColourOf(3), w.State().SolutionCellColour);
  p.Cell(3);  // no moves while the solution shows
  EXPECT_EQ(w.State().ChainString, "21-11+01");
  QTest::mouseRelease(show, Qt::LeftButton);
  EXPECT_EQ(p.ColourOf(3), w.State().NumberCellColour);
  EXPECT_EQ(p.ColourOf(1), w.State().ChainEndColour);
  EXPECT_EQ(p.Text("Label5"), "2");

  p.Click("undoman");
  EXPECT_EQ(w.State().ChainString, "21-11");
  p.answers.codes = {7};
  p.Click("undoman", Qt::RightButton);
  EXPECT_EQ(p.answers.messages.back().first, "Clear Grid?");
  EXPECT_EQ(w.State().ChainString, "21-11");
  p.answers.codes = {6};
  p.Click("undoman", Qt::RightButton);
  EXPECT_EQ(w.State().ChainString, "");
  EXPECT_EQ(p.Text("Label5"), "");
}

TEST(PlayWindow, KeyboardPlaysThroughTheSameHandler) {
  Worked p;
  MainWindow& w = p.Start();
  w.show();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  p.Board()->setFocus();
  QTest::keyClick(p.Board(), Qt::Key_Right);
  QTest::keyClick(p.Board(), Qt::Key_Right);
  QTest::keyClick(p.Board(), Qt::Key_Left);
  QTest::keyClick(p.Board(), Qt::Key_Left);
  QTest::keyClick(p.Board(), Qt::Key_Up);  // starts at the cursor, cell 21
  EXPECT_EQ(w.State().ChainString, "21");
  QTest::keyClick(p.Board(), Qt::Key_Up);
  QTest::keyClick(p.Board(), Qt::Key_Up);
  QTest::keyClick(p.Board(), Qt::Key_Backspace);
  QTest::keyClick(p.Board(), Qt::Key_Up);
  QTest::keyClick(p.Board(), Qt::Key_Right);
  EXPECT_EQ(w.State().ChainString, "21-11+01-03");
  EXPECT_EQ(p.answers.messages.back().first, "Well done you got it!");
  p.answers.codes = {6};
  QTest::keyClick(p.Board(), Qt::Key_Escape);
  EXPECT_EQ(w.State().ChainString, "");
}

TEST(NewButton, MakesAPuzzleOfThePickersAndShowsIt) {
  Worked p;
  MainWindow& w = p.Start();
  p.Find<QLabel>("Label3")->setText("9x9");
  p.Find<QLabel>("Label4")->setText("Hard");
  p.Click("cmdnew");
  const std::string scratch = p.dir.File("temppuzzlefile.txt");
  EXPECT_EQ(w.State().CurrentFile, scratch);
  EXPECT_EQ(w.State().PuzzleCount, 1);
  EXPECT_EQ(w.State().PuzzleSize, 9);
  EXPECT_FALSE(w.State().EasyFlag);
  EXPECT_EQ(p.Text("Label2"), "New Puzzle Created");
  RawRecord raw;
  ASSERT_EQ(ReadRawRecord(w.State().Files, scratch, 1, raw), ReadStatus::Ok);
  EXPECT_EQ(CheckRecord(raw), "");
  EXPECT_EQ(raw.TitleLine, "Hard");
  p.Click("cmdnew", Qt::MiddleButton);  // nothing for the middle button
  EXPECT_EQ(CountPuzzles(w.State().Files, scratch), 1);
}

// A failed New once left a half-made board with an empty solution, which Save then appended.
TEST(NewButton, AMissingOrUselessChainListIsReportedOnceAndChangesNothing) {
  for (const char* list : {"", "21,11,1,3\r\n"}) {
    SCOPED_TRACE(std::string("chain list \"") + list + "\"");
    Worked p;
    fs::remove(p.dir.File("k7x7.kvy"));
    if (*list) test::WriteFile(p.dir.File("k7x7.kvy"), list);
    MainWindow& w = p.Start();
    p.Cell(21);
    p.Find<QLabel>("Label3")->setText("7x7");
    p.Find<QLabel>("Label4")->setText("Hard");
    auto seen = [&] {
      const GameState& g = w.State();
      return std::make_tuple(GridText(g), g.Solution, g.MarkedCell, g.ChainString, g.EasyFlag, g.PuzzleSize, g.CurrentFile,
                             p.Text("Label2"), p.Text("Label3"), p.Text("Label4"), p.Text("PuzNumNow"), g.Cell[0].Visible);
    };
    const auto before = seen();
    p.Click("cmdnew");
    ASSERT_EQ(p.answers.messages.size(), 1u);
    EXPECT_NE(p.answers.messages[0].first.find("k7x7.kvy"), std::string::npos);
    EXPECT_EQ(seen(), before);
    EXPECT_TRUE(p.Find<BoxControl>("cmdnew")->Enabled());
    // What Save writes is still a whole puzzle.
    p.answers.files = {p.dir.File("saved.kvl")};
    p.Click("cmdsave");
    RawRecord raw;
    ASSERT_EQ(ReadRawRecord(w.State().Files, p.dir.File("saved.kvl"), 1, raw), ReadStatus::Ok);
    EXPECT_EQ(CheckRecord(raw), "");
  }
}

// Fills in the Create New Puzzles dialog once it is open and presses Create.
void answerForm3(MainWindow& w, const std::string& count, const std::string& file, const char* size = "Option2_1") {
  QTimer::singleShot(0, [&w, count, file, size] {
    CreateDialog* d = w.Form3();
    ASSERT_NE(d, nullptr);
    d->findChild<QLineEdit*>("Text1")->setText(QString::fromStdString(count));
    d->findChild<QLineEdit*>("FileNow")->setText(QString::fromStdString(file));
    d->findChild<QRadioButton*>(size)->setChecked(true);
    QTest::mouseClick(d->findChild<QWidget*>("command1"), Qt::LeftButton);
  });
}

TEST(Batch, ThreeIntoAFileOfTenThenBackToThePuzzleShownBefore) {
  Worked p;
  MainWindow& w = p.Start();
  p.Click("arrows_2");
  const std::string out = p.dir.File("ten.kvl");
  test::WriteFile(out, records(10));
  answerForm3(w, "3", out);
  p.Click("cmdnew", Qt::RightButton);
  p.WaitForBatch();
  EXPECT_EQ(CountPuzzles(w.State().Files, out), 13);
  ASSERT_FALSE(p.answers.messages.empty());
  EXPECT_EQ(p.answers.messages.back(), std::make_pair(" 3 Puzzles added to file: " + out, std::string("vbinformation+vbok")));
  EXPECT_EQ(w.State().CurrentFile, p.dir.File("worked.kvl"));
  EXPECT_EQ(w.State().PuzzleNumber, 2);
  EXPECT_EQ(w.windowTitle(), "New 3 of 3");
  EXPECT_FALSE(p.Find<QWidget>("Frame1")->isVisible());
  for (int k = 11; k <= 13; ++k) {
    RawRecord raw;
    ASSERT_EQ(ReadRawRecord(w.State().Files, out, k, raw), ReadStatus::Ok);
    EXPECT_EQ(raw.HeaderLine, "#" + std::to_string(k));
    EXPECT_EQ(CheckRecord(raw), "");
    EXPECT_EQ(raw.SizeLine[0], '7');
  }
}

TEST(Batch, CancelInTheMiddleKeepsWhatWasWritten) {
  Worked p;
  MainWindow& w = p.Start();
  const std::string out = p.dir.File("big.kvl");
  answerForm3(w, "100000", out, "Option2_2");
  p.answers.codes = {6};  // "Cancel?" gets Yes
  p.Click("cmdnew", Qt::RightButton);
  ASSERT_TRUE(w.BatchRunning());
  QTest::qWait(300);
  p.Click("busylabel");
  p.WaitForBatch();
  const int written = CountPuzzles(w.State().Files, out);
  EXPECT_GT(written, 0);
  EXPECT_LT(written, 100000);
  bool asked = false;
  for (const auto& m : p.answers.messages) asked = asked || m.first == "Cancel?";
  EXPECT_TRUE(asked);
  EXPECT_EQ(p.answers.messages.back().first, NumText(written) + " Puzzles added to file: " + out);
  const std::string text = test::ReadFile(out);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  EXPECT_EQ(w.State().CurrentFile, p.dir.File("worked.kvl"));
}

TEST(Batch, OnePuzzleForDisplayIsShownNotWritten) {
  Worked p;
  MainWindow& w = p.Start();
  QTimer::singleShot(0, [&w] {
    CreateDialog* d = w.Form3();
    d->findChild<QRadioButton*>("Option1")->setChecked(true);  // Easy
    d->findChild<QRadioButton*>("Option2_2")->setChecked(true);
    QTest::mouseClick(d->findChild<QWidget*>("command1"), Qt::LeftButton);
  });
  p.Click("cmdnew", Qt::RightButton);
  EXPECT_EQ(p.answers.messages.back(), std::make_pair(std::string("Done"), std::string("vbinformation+vbok")));
  EXPECT_EQ(p.Text("Label4"), "Easy");
  EXPECT_EQ(p.Text("Label3"), "9x9");
  EXPECT_EQ(w.State().PuzzleSize, 9);
  EXPECT_EQ(w.State().CurrentFile, p.dir.File("worked.kvl"));
  EXPECT_FALSE(fs::exists(p.dir.File("tempnewpuzzle;01.kvl")));
  EXPECT_EQ(w.windowTitle(), "New 1 of 1");
}

// The display-only batch skipped the batch steps: after a win, a new puzzle of the
// same size kept the spent hints (-9) and the hint button stayed silent.
TEST(Batch, OnePuzzleForDisplayStartsWithItsOwnHints) {
  Worked p;
  MainWindow& w = p.Start();
  for (int c : {21, 11, 1, 3}) p.Cell(c);
  ASSERT_EQ(w.State().HintsLeft, -9);
  QTimer::singleShot(0, [&w] {
    w.Form3()->findChild<QRadioButton*>("Option2_0")->setChecked(true);  // 5x5 again
    QTest::mouseClick(w.Form3()->findChild<QWidget*>("command1"), Qt::LeftButton);
  });
  p.Click("cmdnew", Qt::RightButton);
  EXPECT_EQ(w.State().PuzzleSize, 5);
  EXPECT_EQ(w.State().HintsLeft, 3);
  p.Click("cmdhint");
  EXPECT_NE(w.State().ChainString, "");
}

// Closing the window during a batch once left it writing on in a process with no window.
TEST(Batch, TheCloseBoxStopsABatchWithWholeRecordsAndSavesNothing) {
  Worked p;
  MainWindow& w = p.Start();
  const std::string config = test::ReadFile(p.Config());
  const std::string out = p.dir.File("big.kvl");
  answerForm3(w, "100000", out, "Option2_2");
  p.Click("cmdnew", Qt::RightButton);
  ASSERT_TRUE(w.BatchRunning());
  QTest::qWait(200);
  w.close();
  EXPECT_FALSE(w.BatchRunning());
  const std::string text = test::ReadFile(out);
  QTest::qWait(200);
  EXPECT_EQ(test::ReadFile(out), text);
  const int written = CountPuzzles(w.State().Files, out);
  EXPECT_GT(written, 0);
  EXPECT_LT(written, 100000);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  EXPECT_EQ(test::ReadFile(p.Config()), config);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(Options, ApplyRecoloursTheBoard) {
  Worked p;
  MainWindow& w = p.Start();
  w.State().ColourSchemeName = "forest.col";
  p.Find<QPushButton>("command2")->click();
  EXPECT_EQ(w.State().NumberCellColour, w.State().Palette[4]);
  EXPECT_EQ(p.ColourOf(1), w.State().Palette[4]);
  EXPECT_EQ(p.ColourOf(2), w.State().Palette[2]);
  // The message box's buttons kept the first scheme's colour.
  EXPECT_EQ(w.Messages().ButtonColour(), w.State().Palette[DialogColourSlot]);
  w.State().ColourSchemeName = "night.col";
  p.Find<QPushButton>("command2")->click();
  EXPECT_EQ(w.Messages().ButtonColour(), w.State().Palette[DialogColourSlot]);
}

}  // namespace
}  // namespace kelvane::ui
