// The main window for real: start-up with odd files, navigation, open, save, delete, pickers and exit; the table of
// commands: every key, tool button and click, in every mode of the window, runs its command or nothing.
#include "board/commands.h"
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
  const struct {
    const char* file;       // the configured puzzle file; nullptr: no configuration, "": no fifth line
    bool missing;           // all.col and puzzles.kvl removed
    std::vector<Msg> told;  // a part of each message, and its style
  } rows[] = {
      {nullptr, false, {}},
      {"", false, {{"new file will be created", "vbok+vbinformation"}}},
      {"gone.kvl", false, {}},
      {"puzzles.kvl", true,
       {{"Colour Scheme: default.col not found", "vbok+vbcritical"}, {"Error reading puzzle# 1", "vbok+vbcritical"}}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.file ? row.file : "no configuration");
    Program p;
    if (row.file) test::WriteFile(p.Config(), four + (*row.file ? p.dir.File(row.file) + "\r\n" : ""));
    if (row.missing) {
      fs::remove(p.dir.File("all.col"));
      fs::remove(p.dir.File("puzzles.kvl"));
    }
    MainWindow& w = p.Start();
    EXPECT_TRUE(p.answers.Told(row.told));
    EXPECT_EQ(w.State().CurrentFile, p.dir.File("puzzles.kvl"));
    EXPECT_EQ(w.State().ColourSchemeName, row.missing ? "xp.col" : "default.col");
    EXPECT_EQ(GridText(w.State()).empty(), row.missing);
    if (row.file) continue;
    EXPECT_EQ(test::ReadFile(p.Config()), four + p.dir.File("puzzles.kvl") + "\r\n");
    EXPECT_EQ(p.Text("PuzNumNow") + p.Text("puznumber") + " " + p.Text("FileNameNowx"), "1 of 72 puzzles.kvl");
    EXPECT_EQ(p.Text("Label3") + " " + p.Text("Label4"), "5x5 Easy");
  }
}

// A dark desktop: the first start takes the dark scheme; a configuration already written keeps its own.
TEST(Startup, OnlyAFirstStartFollowsTheDesktopsDarkAppearance) {
  for (const bool configured : {false, true}) {
    Program p;
    p.prefersDark = [] { return true; };
    if (configured) test::WriteFile(p.Config(), "Arial\r\n 16 \r\ndefault.col\r\n 0 \r\n");
    EXPECT_EQ(p.Start().State().ColourSchemeName, configured ? "default.col" : "dark.col");
  }
}

TEST_F(TwelveWindow, TheBrowseArrowPicksAPuzzle) {
  WhenOpen<BrowseScreen>([](BrowseScreen& b) { b.PickAt(1900, 2400); });  // row 2, column 2 of the first page
  Click("arrows_1");
  EXPECT_EQ(w.State().PuzzleNumber, 6);
}

// A bad file once blanked the board; now it is reported and board, file, number and count stay.
TEST_F(TwelveWindow, BadFilesAreReportedAndTheBoardStays) {
  Click("arrows_2");
  const std::string grid = GridText(w.State());
  std::string garbage;  // 100 MB of "#1" records whose size line names no board
  while (garbage.size() < (100u << 20)) garbage += "#1\r\nEasy\r\n3 4\r\n011-+-\r\n1, 1\r\n";
  const std::pair<const char*, std::string> bad[] = {{"empty.kvl", ""},
                                                     {"binary.kvl", std::string("#1\r\n\0\0\0\r\n", 9)},
                                                     {"short.kvl", "#1\r\nEasy\r\n"},
                                                     {"missing.kvl", ""},
                                                     {"binary.dat", records(1) + std::string(100u << 20, '\0')},
                                                     {"text.dat", garbage}};
  for (const auto& [name, content] : bad) {
    SCOPED_TRACE(name);
    if (name != std::string("missing.kvl")) test::WriteFile(dir.File(name), content);
    answers.files.push_back(dir.File(name));
    answers.messages.clear();
    Click("cmdload");
    EXPECT_TRUE(answers.Told({{"Error reading puzzle# 1\n", "vbok+vbcritical"}}));
    EXPECT_EQ(w.State().CurrentFile, dir.File("twelve.kvl"));
    EXPECT_EQ(w.State().PuzzleNumber, 2);
    EXPECT_EQ(w.State().PuzzleCount, 12);
    EXPECT_EQ(GridText(w.State()), grid);
    fs::remove(dir.File(name));
  }
  answers.files.push_back(dir.File("puzzles.kvl"));
  Click("cmdload");
  EXPECT_EQ(w.State().PuzzleCount, 72);
  Click("cmdload");  // cancelled: nothing changes
  EXPECT_EQ(w.State().CurrentFile, dir.File("puzzles.kvl"));
}

// Delete once removed the number typed but not entered, which could be another puzzle.
TEST_F(TwelveWindow, SaveAppendsAndDeleteTakesThePuzzleShownFromTwoHundredThousand) {
  const std::string big = dir.File("big.kvl"), out = dir.File("mine.kvl");
  test::WriteFile(big, records(200000));
  test::WriteFile(out, records(3));
  answers.files = {big, out, out};
  Click("cmdload");
  Click("arrows_2", Qt::RightButton);
  EXPECT_EQ(Text("PuzNumNow") + Text("puznumber"), "200000 of 200000");
  // The file holds this puzzle already: No keeps it as it was, Yes saves it again.
  answers.codes = {7};
  Click("cmdsave");
  EXPECT_EQ(test::ReadFile(out), records(3));
  answers.codes = {6};
  Click("cmdsave");
  EXPECT_EQ(test::ReadFile(out), records(3) + records(1, 4));

  Find<QLineEdit>("PuzNumNow")->setText("1");
  answers.codes = {6};
  Click("cmdsave", Qt::RightButton);
  const std::string info = "vbok+vbinformation";
  const Msg again{"Puzzle# 200000 is already in this file as puzzle# 1. Save it again?", "vbYesNo+vbquestion"};
  EXPECT_TRUE(answers.Told({again, again, {"Puzzle# 4 saved in file " + out, info},
                            {"Delete current puzzle from file?", "vbYesNo+vbquestion"}, {"Done", info}}));
  EXPECT_EQ(test::ReadFile(big), records(199999));
  EXPECT_EQ(Text("PuzNumNow") + Text("puznumber"), "199999 of 199999");
}

// Delete refused damaged records, saying the file had changed: it compared the board, not the record. Puzzle 2 has
// no grid, which the board shows as blank cells; the other damaged records are the core's.
TEST_F(TwelveWindow, DamagedRecordsCanBeDeleted) {
  const std::string file = dir.File("d.kvl");
  test::WriteFile(file, records(1) + FormatRecord(2, false, 5, 4, 11, "", "21,11,1,3, 11") + records(1, 3));
  answers.files = {file};
  Click("cmdload");
  Click("arrows_2");
  ASSERT_EQ(w.State().PuzzleNumber, 2);
  answers.codes = {6};
  Click("cmdsave", Qt::RightButton);
  EXPECT_EQ(answers.messages.back().first, "Done");
  EXPECT_EQ(test::ReadFile(file), records(1) + records(1, 3));
}

// A failed show emptied the size caption and the picker stopped; it goes on from the size last shown.
TEST_F(TwelveWindow, TheSizePickerGoesOnAfterAFailedShow) {
  Click("Label3");
  ASSERT_EQ(Text("Label3"), "7x7");
  fs::remove(dir.File("twelve.kvl"));
  Click("arrows_2");
  ASSERT_EQ(Text("Label3"), "");
  Click("Label3");
  EXPECT_EQ(Text("Label3"), "9x9");
}

// The close box saving nothing is checked with a batch running.
TEST_F(TwelveWindow, ExitAsksThenWritesTheConfiguration) {
  const std::string config = test::ReadFile(Config());
  w.State().ColourSchemeName = "xp.col";
  answers.codes = {7, 6};
  EXPECT_FALSE(w.ExitProgram());
  EXPECT_EQ(test::ReadFile(Config()), config);
  EXPECT_TRUE(w.ExitProgram());
  EXPECT_EQ(test::ReadFile(Config()), "Arial\r\n 16 \r\nxp.col\r\n 0 \r\n" + dir.File("twelve.kvl") + "\r\n");
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
TEST_F(TwelveWindow, WriteFailuresOfSaveDeleteAndExitAreReportedAndKeepTheFiles) {
  const auto before = test::Snapshot(dir.Path());
  HalfWrites fault(dir.Folder());
  ScopedWriteFault scoped(fault);
  answers.files = {dir.File("twelve.kvl")};
  answers.codes = {6};  // the file holds the puzzle already: save it again
  w.SaveCurrent();
  answers.codes = {6};
  w.DeleteCurrent();
  EXPECT_EQ(Text("PuzNumNow"), "1");
  answers.codes = {6};
  EXPECT_TRUE(w.ExitProgram());
  const std::string bad = "vbok+vbcritical", yesNo = "vbYesNo+vbquestion";
  EXPECT_TRUE(answers.Told({{"Puzzle# 1 is already in this file as puzzle# 1. Save it again?", yesNo},
                            {"Error writing puzzle# 13 to file: ", bad}, {"Delete current puzzle from file?", yesNo},
                            {"Error deleting puzzle# 1 from file: ", bad}, {"Exit?", yesNo},
                            {Config() + "\ncould not be accessed, options not saved", bad}}));
  EXPECT_EQ(test::Snapshot(dir.Path()), before);
}

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

// The window shown and active, for keys and resizing.
struct ShownWindow : TwelveWindow {
  ShownWindow() { Show(); }
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

TEST_F(ShownWindow, IdleRunsEachPressAsItsOwnCommand) {
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
TEST_F(ShownWindow, ABatchTakesOnlyItsCancel) {
  const std::string out = dir.File("big.kvl");
  BatchResult result;
  w.StartBatch({.count = 100000, .outFile = out}, [&](const BatchResult& r) { result = r; });
  NothingRuns("batch");
  EXPECT_TRUE(w.BatchRunning());
  EXPECT_TRUE(Find<QWidget>("Frame1")->isVisible());
  // From the keys: the panel has the focus, Tab passes over the resting buttons, Space asks to cancel.
  QWidget* panel = Find<QWidget>("busylabel");
  EXPECT_EQ(QApplication::focusWidget(), panel);
  for (int k = 0; k < 20; ++k) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(qobject_cast<BoxControl*>(QApplication::focusWidget()), nullptr) << k;
  }
  panel->setFocus();
  answers.codes = {7};
  QTest::keyClick(panel, Qt::Key_Space);
  EXPECT_EQ(answers.messages.back(), Msg("Cancel?", "vbYesNo+vbquestion"));
  EXPECT_TRUE(w.BatchRunning());
  answers.codes = {6};
  Click("busylabel");
  EXPECT_EQ(w.Commands().Runs(Command::CancelBatch), 2);
  WaitForBatch();
  EXPECT_TRUE(result.cancelled);
  EXPECT_EQ(CountPuzzles(w.State().Files, out), result.added);
}

// Keys while the solution was held showed another puzzle, and the release painted the old solution on it.
TEST_F(ShownWindow, NothingRunsWhileTheSolutionIsHeld) {
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

TEST_F(ShownWindow, NothingRunsInsideAnotherCommand) {
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

TEST_F(ShownWindow, TypedNumbersOutsideTheFileChangeNothing) {
  auto* box = Find<QLineEdit>("PuzNumNow");
  for (const char* typed : {"0", "13", "abc", "-2", "7"}) {
    box->setFocus();
    box->setText(typed);
    QTest::keyClick(box, Qt::Key_Return);
  }
  EXPECT_EQ(w.State().PuzzleNumber, 7);
  EXPECT_EQ(Text("Label4"), "Hard");
  // Enter in the box once started a chain as well; now the board takes the keys.
  EXPECT_EQ(w.State().LastChainCell, -1);
  EXPECT_EQ(w.focusWidget(), Board());
  // Escape in the box puts the shown number back and asks nothing.
  box->setFocus();
  box->setText("12");
  QTest::keyClick(box, Qt::Key_Escape);
  EXPECT_EQ(box->text(), "7");
  EXPECT_TRUE(answers.messages.empty());
}

TEST_F(ShownWindow, TheBoardScalesWithTheWindow) {
  w.resize(600, 760);
  QCoreApplication::processEvents();
  const int small = Board()->CellRect(1).width();
  w.resize(1200, 1500);
  QCoreApplication::processEvents();
  EXPECT_GT(Board()->CellRect(1).width(), small * 3 / 2);
  EXPECT_EQ(Board()->CellAt(Board()->CellRect(25).center()), 25);
}

}  // namespace
}  // namespace kelvane::ui
