// Playing, creating and printing in the real window: the mouse on the board, hints, start over, New and batches;
// the current puzzle, a run of Print Puzzles From File into a PDF, board pictures.
#include <QClipboard>
#include <QComboBox>
#include <QRadioButton>
#include <regex>
#include <tuple>

#include "board/board_picture.h"
#include "board/create_dialog.h"
#include "engine/check.h"
#include "engine/rating.h"
#include "output/print_dialog_qt.h"
#include "settings/colour_scheme.h"
#include "window_fixture.h"

namespace kelvane::ui {
namespace {

// The chain rules are the core's; here the clicks must reach the right cells and the questions be asked.
TEST_F(WorkedWindow, ClicksBuildTheChainHintsRunOutWithAWordAndClearingAsksFirst) {
  Cell(21);
  Cell(23);
  EXPECT_EQ(Chain(), "21-23 sum 2");
  answers.codes = {7, 6, 7, 6};
  Cell(5, Qt::RightButton);
  EXPECT_EQ(answers.messages.back(), Msg("Clear chain?", "vbYesNo+vbquestion"));
  EXPECT_EQ(Chain(), "21-23 sum 2");
  Cell(5, Qt::RightButton);
  EXPECT_EQ(Chain(), " sum 0");

  for (int k = 0; k < 5; ++k) Click("cmdhint");
  EXPECT_EQ(Chain(), "21-11+01 sum 2");
  EXPECT_EQ(answers.plain, std::vector<std::string>{"Sorry, no more hints"});
  Click("undoman", Qt::RightButton);
  EXPECT_EQ(answers.messages.back().first, "Clear Grid?");
  EXPECT_EQ(w.State().ChainString, "21-11+01");
  Click("undoman", Qt::RightButton);
  EXPECT_EQ(Chain(), " sum ");
}

// A failed New once left a half-made board with an empty solution, which Save then appended.
TEST(NewButton, MakesAPuzzleOfThePickersOrReportsAMissingOrUselessChainListOnce) {
  for (const char* list : {"shipped", "", "21,11,1,3\r\n"}) {
    SCOPED_TRACE(std::string("chain list \"") + list + "\"");
    const bool works = list == std::string("shipped");
    Worked p;
    if (!works) {
      fs::remove(p.dir.File("k7x7.kvy"));
      if (*list) test::WriteFile(p.dir.File("k7x7.kvy"), list);
    }
    MainWindow& w = p.Start();
    p.Cell(21);
    p.Find<QLabel>("Label3")->setText("7x7");
    p.Find<QLabel>("Label4")->setText("Hard");
    auto seen = [&] {
      const GameState& g = w.State();
      return std::make_tuple(GridText(g), g.Solution, g.MarkedCell, g.ChainString, g.EasyFlag, g.PuzzleSize,
                             g.CurrentFile, p.Text("Label2"), p.Text("Label3"), p.Text("Label4"), p.Text("PuzNumNow"),
                             g.Cell[0].Visible);
    };
    const auto before = seen();
    p.Click("cmdnew");
    RawRecord raw;
    if (works) {
      EXPECT_TRUE(p.answers.messages.empty());
      EXPECT_EQ(w.State().CurrentFile, p.dir.File("temppuzzlefile.txt"));
      EXPECT_EQ(w.State().PuzzleSize, 7);
      ASSERT_EQ(ReadRawRecord(w.State().Files, w.State().CurrentFile, 1, raw), ReadStatus::Ok);
      EXPECT_EQ(raw.TitleLine, "Hard");
      continue;
    }
    EXPECT_TRUE(p.answers.Told({{"\"k7x7.kvy\"", "vbok+vbcritical"}}));
    EXPECT_EQ(seen(), before);
    EXPECT_TRUE(p.Find<BoxControl>("cmdnew")->Enabled());
    // What Save writes is still a whole puzzle.
    p.answers.files = {p.dir.File("saved.kvl")};
    p.Click("cmdsave");
    ASSERT_EQ(ReadRawRecord(w.State().Files, p.dir.File("saved.kvl"), 1, raw), ReadStatus::Ok);
    EXPECT_EQ(CheckRecord(raw), "");
  }
}

// Answers the Create New Puzzles dialog once it is open: the size, then a count and file unless count is empty,
// and the stars' choice (0 any, 1 at least 2, ...).
void answerForm3(const char* size, const std::string& count = "", const std::string& file = "", int stars = 0) {
  WhenOpen<CreateDialog>([=](CreateDialog& d) {
    d.findChild<QComboBox*>("StarsPicker")->setCurrentIndex(stars);
    if (!count.empty()) {
      d.findChild<QLineEdit*>("Text1")->setText(QString::fromStdString(count));
      d.findChild<QLineEdit*>("FileNow")->setText(QString::fromStdString(file));
    }
    d.findChild<QRadioButton*>(size)->setChecked(true);
    QTest::mouseClick(d.findChild<QWidget*>("command1"), Qt::LeftButton);
  });
}

TEST_F(WorkedWindow, BatchOfThreeIntoAFileOfTenThenBackToThePuzzleShownBefore) {
  Click("arrows_2");
  const std::string out = dir.File("ten.kvl");
  test::WriteFile(out, records(10));
  answerForm3("Option2_1", "3", out);
  Click("cmdnew", Qt::RightButton);
  WaitForBatch();
  EXPECT_EQ(answers.messages, std::vector<Msg>{Msg(" 3 Puzzles added to file: " + out, "vbinformation+vbok")});
  EXPECT_EQ(w.State().CurrentFile, dir.File("worked.kvl"));
  EXPECT_EQ(Text("PuzNumNow"), "2");
  EXPECT_EQ(w.windowTitle(), "New 3 of 3");
  EXPECT_FALSE(Find<QWidget>("Frame1")->isVisible());
  RawRecord raw;
  ASSERT_EQ(ReadRawRecord(w.State().Files, out, 13, raw), ReadStatus::Ok);
  EXPECT_EQ(raw.SizeLine[0], '7');
}

// At least 4 stars: a batch keeps only such puzzles, and a 5x5 board, which has at most 3, is refused for display
// and for a batch alike, before anything is made.
TEST_F(WorkedWindow, TheStarsChoiceKeepsOnlyPuzzlesWithThemAndRefusesWhatNoPuzzleHas) {
  const std::string out = dir.File("hard.kvl");
  answerForm3("Option2_2", "4", out, 3);
  Click("cmdnew", Qt::RightButton);
  WaitForBatch();
  int kept = 0;
  ASSERT_EQ(ReadAllRecords(out, [&](int, const RawRecord& raw, ReadStatus) {
              const std::optional<Rating> r = RateRecord(raw);
              EXPECT_TRUE(r && r->stars >= 4 && CheckRecord(raw).empty()) << raw.SolutionLine;
              return ++kept > 0;
            }), ReadStatus::Ok);
  EXPECT_EQ(kept, 4);
  const std::string refusal = "No puzzle can be made: a 5x5 puzzle has at most 3 stars: no puzzle has 4 or more stars.";
  for (const std::string& count : {std::string("1"), std::string("3")}) {  // one for display, a batch
    answers.messages.clear();
    const std::string grid = w.State().Solution;
    answerForm3("Option2_0", count, dir.File("none.kvl"), 3);
    Click("cmdnew", Qt::RightButton);
    ASSERT_FALSE(w.BatchRunning());
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0].first, count == "1" ? refusal : "No puzzles can be made: " + refusal.substr(23));
    EXPECT_EQ(w.State().Solution, grid);
    EXPECT_FALSE(fs::exists(dir.File("none.kvl")));
  }
}

// The display-only batch skipped the batch steps: after a win, a new puzzle of the
// same size kept the spent hints (-9) and the hint button stayed silent; Label4 kept the old word.
TEST_F(WorkedWindow, OnePuzzleForDisplayStartsWithItsOwnHints) {
  for (int c : {21, 11, 0, 3}) Cell(c);  // 0: the overlay on the marked cell
  EXPECT_EQ(answers.messages.back(), Msg("Well done you got it!", "vbok+vbhappy"));
  ASSERT_EQ(w.State().HintsLeft, -9);
  answerForm3("Option2_0");  // one Hard 5x5 for display, as the dialog opens
  Click("cmdnew", Qt::RightButton);
  EXPECT_EQ(answers.messages.back(), Msg("Done", "vbinformation+vbok"));
  EXPECT_EQ(Text("Label3") + " " + Text("Label4"), "5x5 Hard");
  EXPECT_EQ(w.State().CurrentFile, dir.File("worked.kvl"));
  EXPECT_FALSE(fs::exists(dir.File("tempnewpuzzle;01.kvl")));
  EXPECT_EQ(w.State().HintsLeft, 3);
  Click("cmdhint");
  EXPECT_NE(w.State().ChainString, "");
}

// Closing the window during a batch once left it writing on in a process with no window.
TEST_F(WorkedWindow, TheCloseBoxStopsABatchWithWholeRecordsAndSavesNothing) {
  const std::string config = test::ReadFile(Config());
  const std::string out = dir.File("big.kvl");
  answerForm3("Option2_2", "100000", out);
  Click("cmdnew", Qt::RightButton);
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
  EXPECT_EQ(test::ReadFile(Config()), config);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// The message box's buttons kept the first scheme's colour after Apply. Every label's text reads on its
// scheme colour, and the message box's text on its background, in the dark scheme too.
TEST_F(WorkedWindow, OptionsApplyRecoloursTheBoardAndTheMessageBoxAndEveryTextReads) {
  for (const char* scheme : {"forest.col", "night.col", "dark.col"}) {
    SCOPED_TRACE(scheme);
    w.State().ColourSchemeName = scheme;
    Find<QPushButton>("command2")->click();
    EXPECT_EQ(w.State().Cell[1].BackColor, w.State().Palette[4]);
    EXPECT_EQ(w.State().Cell[2].BackColor, w.State().Palette[2]);
    EXPECT_EQ(w.Messages().ButtonColour(), w.State().Palette[DialogColourSlot]);
    EXPECT_GE(ContrastRatio(w.Messages().TextColour(), w.Messages().BackColour()), ReadableContrast);
    for (const char* name : {"Label2", "Label3", "Label4", "Label5", "FileNameNowx", "puznumber", "StatusLine"}) {
      const QPalette p = Find<QLabel>(name)->palette();
      EXPECT_GE(ContrastRatio(FromQColor(p.color(QPalette::WindowText)), FromQColor(p.color(QPalette::Window))),
                ReadableContrast) << name;
    }
  }
}

// Naming the puzzle file in the chooser replaced the puzzles with a PDF, an old PDF went without a word,
// and an unwritable path was claimed done.
TEST(PrintCurrent, AsksThenPrintsIntoTheChosenPdfOrSaysWhyNot) {
  const std::string yesNo = "vbYesNo+vbquestion", bad = "vbok+vbcritical";
  const Msg question{"Print Puzzle and its solution?", yesNo}, replace{"already exists. Replace it?", yesNo};
  const Msg done{"Done", "vbok+vbinformation"};
  const struct {
    int answer;          // to the question
    const char* file;    // the chooser's answer; nullptr: cancelled
    const char* before;  // what the file holds first; nullptr: nothing
    int replace;         // the answer to "Replace it?"
    std::vector<Msg> told;
  } rows[] = {{7, "page.pdf", nullptr, 6, {question}},
              {6, nullptr, nullptr, 6, {question}},
              {6, "no/such/folder/page.pdf", nullptr, 6, {question, {"Printing failed.\n", bad}}},
              {6, "page.pdf", nullptr, 6, {question, done}},
              {6, "worked.kvl", nullptr, 6, {question, {"cannot be the puzzle file itself", bad}}},
              {6, "old.pdf", "%PDF-1.4 old", 7, {question, replace}},
              {6, "old.pdf", "%PDF-1.4 old", 6, {question, replace, done}}};
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "row " << &row - rows);
    Worked p;
    MainWindow& w = p.Start();
    const std::string target = p.dir.File(row.file ? row.file : "page.pdf");
    if (row.before) test::WriteFile(target, row.before);
    const std::string before = test::ReadFile(target);
    p.answers.codes = {row.answer, row.replace};
    if (row.file) p.answers.files = {target};
    w.PrintCurrent();
    EXPECT_TRUE(p.answers.Told(row.told));
    const bool written = row.told.back() == done;
    EXPECT_EQ(test::ReadFile(target) != before, written);
    EXPECT_TRUE(!written || test::ReadFile(target).substr(0, 4) == "%PDF");
    EXPECT_FALSE(p.Find<QWidget>("Frame1")->isVisible());
  }
}

// The colour inside cell i, near its lower-left corner where no caption is drawn (1 px = 7.5 twips).
QColor inside(const QImage& image, int N, int i) {
  const int r = (i - 1) / N, c = (i - 1) % N;
  return image.pixelColor(static_cast<int>((c * 500 + 40) / 7.5), static_cast<int>((200 + r * 500 + 440) / 7.5));
}

// Which cells are filled is the core's; here the fills must reach the pixels and the clipboard.
TEST_F(WorkedWindow, PicturesFillTheMarkedCellOrThePathAndCopyTakesTheClipboard) {
  GameState& g = w.State();
  Cell(23);  // a chain on the board changes nothing in the picture
  const QImage puzzle = BoardPicture(g, GridMode::Puzzle), solution = BoardPicture(g, GridMode::Solution);
  for (int i : {1, 2, 16, 17, 23}) {
    EXPECT_EQ(inside(puzzle, 5, i), i == 1 ? QColor(128, 128, 128) : QColor(Qt::white)) << i;
    EXPECT_EQ(inside(solution, 5, i), i < 17 ? QColor(192, 192, 192) : QColor(Qt::white)) << i;
  }
  ASSERT_TRUE(CopyBoardPicture(g, GridMode::Solution));
  EXPECT_EQ(QApplication::clipboard()->image().size(), solution.size());
  GameState empty;
  EXPECT_FALSE(CopyBoardPicture(empty, GridMode::Puzzle));
}

TEST_F(TwelveWindow, TheRightButtonOfPrintPrintsTheDialogsChoiceAndTheBoardStays) {
  w.show();
  Click("arrows_2");
  Cell(21);  // a chain the run must not keep
  const std::string grid = GridText(w.State());
  WhenOpen<PrintFileDialog>([](PrintFileDialog& d) {
    d.findChild<QRadioButton*>("Option2_1")->setChecked(true);
    d.findChild<QRadioButton*>("Option1_4")->setChecked(true);
    auto* combo = d.findChild<QComboBox*>("Combo1");
    combo->setCurrentIndex(combo->count() - 1);
    QTest::mouseClick(d.findChild<BoxControl*>("command1"), Qt::LeftButton);
  });
  answers.files = {dir.File("solutions")};
  Click("cmdprint", Qt::RightButton);
  EXPECT_TRUE(answers.Told({{"Done", "vbinformation+vbok"}}));
  EXPECT_EQ(answers.requests.at(0).defaultDir, dir.Folder());
  const std::string bytes = test::ReadFile(dir.File("solutions.pdf"));
  ASSERT_EQ(bytes.substr(0, 4), "%PDF");
  std::smatch box;  // 15 a page, landscape
  ASSERT_TRUE(std::regex_search(bytes, box, std::regex(R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])")));
  EXPECT_GT(std::stod(box[1]), std::stod(box[2]));
  EXPECT_EQ(Text("PuzNumNow"), "2");
  EXPECT_EQ(GridText(w.State()), grid);
  EXPECT_EQ(w.State().ChainString, "");
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// A damaged record in the range once gave empty grids: "Printing failed.", and an older PDF of that name stays.
TEST_F(TwelveWindow, APrintRunOfADamagedRecordWritesNoFileAndKeepsAnOldOne) {
  test::WriteFile(dir.File("damaged.kvl"), records(2) + "#3\r\nHard\r\n5 4\r\n" + records(2, 4));  // 3 cut short
  const std::string pdf = dir.File("old.pdf");
  test::WriteFile(pdf, "%PDF earlier bytes");
  w.RunFilePrint({dir.File("damaged.kvl"), 2, 4, GridMode::Puzzle, 2}, {true, {}, pdf});
  EXPECT_TRUE(answers.Told({{"Printing failed.\n", "vbok+vbcritical"}}));
  EXPECT_EQ(test::ReadFile(pdf), "%PDF earlier bytes");
  EXPECT_EQ(Text("PuzNumNow"), "1");
  for (const auto& entry : fs::directory_iterator(dir.Path()))
    EXPECT_EQ(entry.path().extension() == ".pdf", entry.path().filename() == "old.pdf") << entry.path();
}

}  // namespace
}  // namespace kelvane::ui
