// The table of commands: every key, tool button and click, in every mode of the window, runs its command or nothing.
#include <gtest/gtest.h>

#include <QApplication>
#include <numeric>

#include "board/board_widget.h"
#include "board/commands.h"
#include "window_fixture.h"

namespace kelvane::ui {
namespace {

struct Press {
  const char* what;
  Command command;
  std::function<void(Program&)> press;
  bool opensWindow = false;  // left out in Idle, where it would open a real window
};

std::vector<Press> everyPress() {
  auto key = [](QKeySequence k) {
    return [k](Program& p) {
      QWidget* to = QApplication::focusWidget() ? QApplication::focusWidget() : p.w.get();
      QTest::keySequence(to, k);
    };
  };
  auto tool = [](const char* name, Qt::MouseButton b = Qt::LeftButton) { return [name, b](Program& p) { p.Click(name, b); }; };
  using K = QKeySequence;
  return {
      {"Ctrl+O", Command::Open, key(K(Qt::CTRL | Qt::Key_O))},
      {"Ctrl+S", Command::Save, key(K(Qt::CTRL | Qt::Key_S))},
      {"Page Up", Command::Previous, key(K(Qt::Key_PageUp))},
      {"Page Down", Command::Next, key(K(Qt::Key_PageDown))},
      {"Home", Command::First, key(K(Qt::Key_Home))},
      {"End", Command::Last, key(K(Qt::Key_End))},
      {"Ctrl+Z", Command::Undo, key(K(Qt::CTRL | Qt::Key_Z))},
      {"Backspace", Command::Undo, key(K(Qt::Key_Backspace))},
      {"Ctrl+N", Command::New, key(K(Qt::CTRL | Qt::Key_N))},
      {"H", Command::Hint, key(K(Qt::Key_H))},
      {"Ctrl+P", Command::PrintCurrent, key(K(Qt::CTRL | Qt::Key_P))},
      {"Ctrl+Shift+P", Command::PrintFromFile, key(K(Qt::CTRL | Qt::SHIFT | Qt::Key_P)), true},
      {"Ctrl+C", Command::CopyPuzzle, key(K(Qt::CTRL | Qt::Key_C))},
      {"Ctrl+Shift+C", Command::CopySolution, key(K(Qt::CTRL | Qt::SHIFT | Qt::Key_C))},
      {"F1", Command::Help, key(K(Qt::Key_F1)), true},
      {"Ctrl+Q", Command::Exit, key(K(Qt::CTRL | Qt::Key_Q))},
      {"Left", Command::Play, key(K(Qt::Key_Left))},
      {"Escape", Command::ClearChain, key(K(Qt::Key_Escape))},
      {"save", Command::Save, tool("cmdsave")},
      {"save, right", Command::Delete, tool("cmdsave", Qt::RightButton)},
      {"open", Command::Open, tool("cmdload")},
      {"print", Command::PrintCurrent, tool("cmdprint")},
      {"print, right", Command::PrintFromFile, tool("cmdprint", Qt::RightButton), true},
      {"options", Command::Options, tool("cmdoptions"), true},
      {"copy", Command::CopyPuzzle, tool("cmdcopy")},
      {"copy, right", Command::CopySolution, tool("cmdcopy", Qt::RightButton)},
      {"previous", Command::Previous, tool("arrows_0")},
      {"previous, right", Command::First, tool("arrows_0", Qt::RightButton)},
      {"next", Command::Next, tool("arrows_2")},
      {"next, right", Command::Last, tool("arrows_2", Qt::RightButton)},
      {"random", Command::Random, tool("arrows_3")},
      {"browse", Command::Browse, tool("arrows_1"), true},
      {"undo", Command::Undo, tool("undoman")},
      {"undo, right", Command::ClearGrid, tool("undoman", Qt::RightButton)},
      {"new", Command::New, tool("cmdnew")},
      {"new, right", Command::CreateBatch, tool("cmdnew", Qt::RightButton), true},
      {"hint", Command::Hint, tool("cmdhint")},
      {"size picker", Command::SizePicker, tool("Label3")},
      {"difficulty picker", Command::DifficultyPicker, tool("Label4")},
      {"cell", Command::Play, [](Program& p) {
         auto* board = p.Find<BoardWidget>("Shape1");
         QTest::mouseClick(board, Qt::LeftButton, {}, board->CellRect(21).center());
       }},
      {"Enter in the number box", Command::GoToNumber, [](Program& p) {
         QTest::keyClick(p.Find<QLineEdit>("PuzNumNow"), Qt::Key_Return);
       }},
  };
}

int allRuns(MainWindow& w) {
  int n = 0;
  for (int c = 0; c < CommandCount; ++c) n += w.Commands().Runs(static_cast<Command>(c));
  return n;
}

struct Gate : Program {
  Gate() { UseFile("twelve.kvl", records(12)); }
  MainWindow& Open() {
    MainWindow& win = Start();
    win.show();
    win.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&win));
    return win;
  }
  // Every press, none of which may run anything; the board keeps its puzzle.
  void NothingRuns(const char* mode) {
    const int before = allRuns(*w);
    const int number = w->State().PuzzleNumber;
    const std::string grid = GridText(w->State());
    for (const Press& press : everyPress()) {
      SCOPED_TRACE(std::string(mode) + ": " + press.what);
      press.press(*this);
      EXPECT_EQ(allRuns(*w), before);
    }
    EXPECT_EQ(w->State().PuzzleNumber, number);
    EXPECT_EQ(GridText(w->State()), grid);
  }
};

TEST(CommandGate, IdleRunsEachPressAsItsOwnCommand) {
  Gate p;
  MainWindow& w = p.Open();
  for (const Press& press : everyPress()) {
    if (press.opensWindow) continue;
    SCOPED_TRACE(press.what);
    const int before = w.Commands().Runs(press.command);
    const int all = allRuns(w);
    press.press(p);
    EXPECT_EQ(w.Commands().Runs(press.command), before + 1);
    EXPECT_EQ(allRuns(w), all + 1);
  }
}

// Keys once went on during a batch: a print from the file reset its cancel flag and hid its panel.
TEST(CommandGate, ABatchTakesOnlyItsCancel) {
  Gate p;
  MainWindow& w = p.Open();
  const std::string out = p.dir.File("big.kvl");
  BatchResult result;
  BatchOptions o;
  o.count = 100000;
  o.outFile = out;
  w.StartBatch(o, [&](const BatchResult& r) { result = r; });
  p.NothingRuns("batch");
  EXPECT_TRUE(w.BatchRunning());
  EXPECT_TRUE(p.Find<QWidget>("Frame1")->isVisible());
  p.answers.codes = {6};
  p.Click("busylabel");
  EXPECT_EQ(w.Commands().Runs(Command::CancelBatch), 1);
  p.WaitForBatch();
  EXPECT_TRUE(result.cancelled);
  EXPECT_EQ(CountPuzzles(w.State().Files, out), result.added);
}

// Keys while the solution was held showed another puzzle, and the release painted the old solution on it.
TEST(CommandGate, NothingRunsWhileTheSolutionIsHeld) {
  Gate p;
  MainWindow& w = p.Open();
  auto* show = p.Find<QWidget>("cmdshowsol");
  QTest::mousePress(show, Qt::LeftButton);
  ASSERT_EQ(w.Commands().Mode(), WindowMode::SolutionShown);
  p.NothingRuns("solution held");
  QTest::mouseRelease(show, Qt::LeftButton);
  EXPECT_EQ(w.Commands().Mode(), WindowMode::Idle);
  EXPECT_EQ(w.State().Cell[21].BackColor, w.State().NumberCellColour);

  // A release lost to another window ends the display as well.
  QTest::mousePress(show, Qt::LeftButton);
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  EXPECT_EQ(w.Commands().Mode(), WindowMode::Idle);
  EXPECT_EQ(w.State().Cell[21].BackColor, w.State().NumberCellColour);
  p.Click("arrows_2");
  EXPECT_EQ(w.State().PuzzleNumber, 2);
}

TEST(CommandGate, NothingRunsInsideAnotherCommand) {
  Gate p;
  MainWindow& w = p.Open();
  bool pressed = false;
  p.answers.whileOpen = [&](const std::string& text) {
    if (text != "Delete current puzzle from file?" || pressed) return;
    pressed = true;
    p.NothingRuns("message open");
  };
  p.answers.codes = {7};
  p.Click("cmdsave", Qt::RightButton);
  EXPECT_TRUE(pressed);
  EXPECT_EQ(w.Commands().Mode(), WindowMode::Idle);
  EXPECT_EQ(CountPuzzles(w.State().Files, p.dir.File("twelve.kvl")), 12);
}

}  // namespace
}  // namespace kelvane::ui
