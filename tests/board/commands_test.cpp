// The table of commands: every key, tool button and click, in every mode of the window, runs its command or nothing.
#include "board/commands.h"
#include "window_fixture.h"

namespace kelvane::ui {
namespace {

// A key sequence when button is NoButton, else a click on the tool of that name; or a press of its own.
struct Press {
  const char* what;
  Command command;
  Qt::MouseButton button = Qt::NoButton;
  bool opensWindow = false;  // left out in Idle, where it would open a real window
  std::function<void(Program&)> own = {};

  void operator()(Program& p) const {
    if (own) own(p);
    else if (button != Qt::NoButton) p.Click(what, button);
    else if (QWidget* focus = QApplication::focusWidget()) QTest::keySequence(focus, QKeySequence(what));
    else QTest::keySequence(p.window.get(), QKeySequence(what));
  }
};

std::vector<Press> everyPress() {
  const auto L = Qt::LeftButton, R = Qt::RightButton;
  return {// keys
          {"Ctrl+O", Command::Open}, {"Ctrl+S", Command::Save}, {"PgUp", Command::Previous}, {"PgDown", Command::Next},
          {"Home", Command::First}, {"End", Command::Last}, {"Ctrl+Z", Command::Undo}, {"Backspace", Command::Undo},
          {"Ctrl+N", Command::New}, {"H", Command::Hint}, {"Ctrl+P", Command::PrintCurrent},
          {"Ctrl+Shift+P", Command::PrintFromFile, {}, true}, {"Ctrl+C", Command::CopyPuzzle},
          {"Ctrl+Shift+C", Command::CopySolution}, {"F1", Command::Help, {}, true}, {"Ctrl+Q", Command::Exit},
          {"Left", Command::Play}, {"Esc", Command::ClearChain},
          // tool buttons, left and right
          {"cmdsave", Command::Save, L}, {"cmdsave", Command::Delete, R},
          {"cmdload", Command::Open, L},
          {"cmdprint", Command::PrintCurrent, L}, {"cmdprint", Command::PrintFromFile, R, true},
          {"cmdoptions", Command::Options, L, true},
          {"cmdcopy", Command::CopyPuzzle, L}, {"cmdcopy", Command::CopySolution, R},
          {"arrows_0", Command::Previous, L}, {"arrows_0", Command::First, R},
          {"arrows_2", Command::Next, L}, {"arrows_2", Command::Last, R},
          {"arrows_3", Command::Random, L}, {"arrows_1", Command::Browse, L, true},
          {"undoman", Command::Undo, L}, {"undoman", Command::ClearGrid, R},
          {"cmdnew", Command::New, L}, {"cmdnew", Command::CreateBatch, R, true},
          {"cmdhint", Command::Hint, L}, {"Label3", Command::SizePicker, L}, {"Label4", Command::DifficultyPicker, L},
          // the board and the number box
          {"a cell", Command::Play, {}, false, [](Program& p) { p.Cell(21); }},
          {"Enter in the number box", Command::GoToNumber, {}, false,
           [](Program& p) { QTest::keyClick(p.Find<QLineEdit>("PuzNumNow"), Qt::Key_Return); }}};
}

// The window shown, for the keys.
struct CommandGate : TwelveWindow {
  CommandGate() { Show(); }
  int AllRuns() {
    int n = 0;
    for (int c = 0; c < CommandCount; ++c) n += w.Commands().Runs(static_cast<Command>(c));
    return n;
  }
  // Every press, none of which may run anything; the board keeps its puzzle.
  void NothingRuns(const char* mode) {
    const int before = AllRuns();
    const int number = w.State().PuzzleNumber;
    const std::string grid = GridText(w.State());
    for (const Press& press : everyPress()) {
      SCOPED_TRACE(testing::Message() << mode << ": " << press.what << " " << press.button);
      press(*this);
      EXPECT_EQ(AllRuns(), before);
    }
    EXPECT_EQ(w.State().PuzzleNumber, number);
    EXPECT_EQ(GridText(w.State()), grid);
  }
};

TEST_F(CommandGate, IdleRunsEachPressAsItsOwnCommand) {
  for (const Press& press : everyPress()) {
    if (press.opensWindow) continue;
    SCOPED_TRACE(testing::Message() << press.what << " " << press.button);
    const int before = w.Commands().Runs(press.command);
    const int all = AllRuns();
    press(*this);
    EXPECT_EQ(w.Commands().Runs(press.command), before + 1);
    EXPECT_EQ(AllRuns(), all + 1);
  }
}

// Keys once went on during a batch: a print from the file reset its cancel flag and hid its panel.
TEST_F(CommandGate, ABatchTakesOnlyItsCancel) {
  const std::string out = dir.File("big.kvl");
  BatchResult result;
  BatchOptions o;
  o.count = 100000;
  o.outFile = out;
  w.StartBatch(o, [&](const BatchResult& r) { result = r; });
  NothingRuns("batch");
  EXPECT_TRUE(w.BatchRunning());
  EXPECT_TRUE(Find<QWidget>("Frame1")->isVisible());
  answers.codes = {6};
  Click("busylabel");
  EXPECT_EQ(w.Commands().Runs(Command::CancelBatch), 1);
  WaitForBatch();
  EXPECT_TRUE(result.cancelled);
  EXPECT_EQ(CountPuzzles(w.State().Files, out), result.added);
}

// Keys while the solution was held showed another puzzle, and the release painted the old solution on it.
TEST_F(CommandGate, NothingRunsWhileTheSolutionIsHeld) {
  auto* show = Find<QWidget>("cmdshowsol");
  QTest::mousePress(show, Qt::LeftButton);
  ASSERT_EQ(w.Commands().Mode(), WindowMode::SolutionShown);
  EXPECT_EQ(w.State().Cell[21].BackColor, w.State().SolutionCellColour);
  NothingRuns("solution held");
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
  Click("arrows_2");
  EXPECT_EQ(w.State().PuzzleNumber, 2);
}

TEST_F(CommandGate, NothingRunsInsideAnotherCommand) {
  bool pressed = false;
  answers.whileOpen = [&](const std::string& text) {
    if (text != "Delete current puzzle from file?" || pressed) return;
    pressed = true;
    NothingRuns("message open");
  };
  answers.codes = {7};
  Click("cmdsave", Qt::RightButton);
  EXPECT_TRUE(pressed);
  EXPECT_EQ(w.Commands().Mode(), WindowMode::Idle);
  EXPECT_EQ(CountPuzzles(w.State().Files, dir.File("twelve.kvl")), 12);
}

}  // namespace
}  // namespace kelvane::ui
