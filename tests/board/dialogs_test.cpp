// The dialogs for real: Create New Puzzles and Print Puzzles From File (checks, choosers, outcome, ways out) and the
// browse screen (paging, keys, picking by mouse at any scale, printing, files that change).
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QRadioButton>
#include <set>
#include <tuple>

#include "board/create_dialog.h"
#include "output/browse_screen_qt.h"
#include "output/print_dialog_qt.h"
#include "uikit/twips.h"
#include "window_fixture.h"

namespace kelvane::ui {
namespace {

struct CreateDialogTest : DialogTest {
  CreateDialog dialog{messages};

  void SetUp() override {
    root = &dialog;
    Reopen();
  }
  void Reopen() {
    dialog.Prepare("/opt/kelvane/", {}, dir.Folder());
    dialog.show();
  }
  void Type(const char* text) {
    QLineEdit* edit = Find<QLineEdit>("Text1");
    edit->clear();
    QTest::keyClicks(edit, text);
  }
  void Tick() {
    QCheckBox* check = Find<QCheckBox>("Check1");
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(check->height() / 2, check->height() / 2));
  }
};

TEST_F(CreateDialogTest, CreateTakesAPositiveCountRoundedAndABadOneKeepsItOpen) {
  const std::pair<const char*, int> rows[] = {{"0", -1},  {"-3", -1}, {"abc", -1}, {"", -1},
                                              {"0.0", -1}, {"0.4", 0}, {"2.6", 3},   {"2", 2}};  // -1: refused
  const Msg specify{"Specify number of puzzles to create", "vbok+vbcritical"};
  for (const auto& [typed, count] : rows) {
    SCOPED_TRACE(typed);
    Reopen();
    Type(typed);
    answers.messages.clear();
    Release("command1");
    const bool refused = count < 0;
    EXPECT_EQ(dialog.isVisible(), refused);
    EXPECT_EQ(dialog.Tag(), refused ? "X" : "Y");
    EXPECT_EQ(answers.messages, refused ? std::vector<Msg>{specify} : std::vector<Msg>{});
    EXPECT_TRUE(refused || dialog.Count() == count) << dialog.Count();
  }
  Reopen();
  Find<QLineEdit>("FileNow")->clear();
  Release("command1");
  EXPECT_EQ(answers.messages.back(), Msg("Choose an output file", "vbok+vbcritical"));
  EXPECT_EQ(dialog.Tag(), "X");
}

// Both dialogs share these ways out; the print dialog's close box once printed as if confirmed.
TEST_F(CreateDialogTest, CancelEscapeAndTheCloseBoxLeaveTagXInBothDialogs) {
  test::WriteFile(dir.File("six.kvl"), records(6));
  PrintFileDialog print(messages, {}, "");
  print.Prepare(dir.File("six.kvl"), {}, "/opt/kelvane/", dir.Folder());
  for (TagDialog* d : std::initializer_list<TagDialog*>{&dialog, &print})
    for (int way = 0; way < 3; ++way) {
      SCOPED_TRACE(way);
      answers.files = {dir.File("x.pdf")};
      d->show();
      QTest::mouseClick(d->findChild<BoxControl*>("command1"), Qt::LeftButton);
      ASSERT_NE(d->Tag(), "X");
      d->show();  // again without Prepare, so Tag still holds the outcome
      if (way == 0) QTest::mouseClick(d->findChild<BoxControl*>("command2"), Qt::LeftButton);
      else if (way == 1) QTest::keyClick(d, Qt::Key_Escape);
      else d->close();
      EXPECT_FALSE(d->isVisible());
      EXPECT_EQ(d->Tag(), "X");
    }
  EXPECT_TRUE(answers.messages.empty());
}

TEST_F(CreateDialogTest, CountAndCheckBoxFollowEachOther) {
  QCheckBox* check = Find<QCheckBox>("Check1");
  for (const auto& [typed, ticked] : {std::pair{"1", true}, {"12", false}, {"01", true}}) {
    Type(typed);
    EXPECT_EQ(check->isChecked(), ticked) << typed;
  }
  EXPECT_EQ(Edit("Text1"), "01");  // ticking by typing does not rewrite the count

  Type("12");
  Tick();
  EXPECT_EQ(Edit("Text1"), "1");
  EXPECT_TRUE(dialog.DisplayOnly());
  Tick();  // clearing the tick keeps the count: one puzzle, stored
  EXPECT_FALSE(check->isChecked());
  EXPECT_EQ(dialog.Count(), 1);
  EXPECT_FALSE(dialog.DisplayOnly());
}

// The numbering of free names is the core's; the dialog offers one anew on each opening and takes the chosen one.
TEST_F(CreateDialogTest, TheOutputFileIsTheNextFreeNameOrTheChosenOne) {
  test::WriteFile(dir.File("tempnewpuzzle;01.kvl"), "");
  Reopen();
  EXPECT_EQ(dialog.OutputFile(), dir.File("tempnewpuzzle;02.kvl"));
  Choose();  // answered with "": nothing changes
  EXPECT_TRUE(answers.requests.at(0).save);
  EXPECT_EQ(dialog.OutputFile(), dir.File("tempnewpuzzle;02.kvl"));
  answers.files = {"/home/someone/batch.kvl"};
  Choose();
  EXPECT_EQ(dialog.OutputFile(), "/home/someone/batch.kvl");
}

TEST_F(CreateDialogTest, ChoicesAreReadAndKeptForTheNextShowing) {
  for (const auto& [option, size] : {std::pair{"Option2_0", 5}, {"Option2_2", 9}, {"Option2_3", 0}, {"Option2_1", 7}}) {
    Find<QRadioButton>(option)->click();
    EXPECT_EQ(dialog.Size(), size) << option;
  }
  Find<QRadioButton>("Option1")->click();
  Type("5");
  Release("command1");
  Reopen();
  EXPECT_EQ(dialog.Tag(), "X");
  EXPECT_EQ(std::make_tuple(dialog.Size(), dialog.Easy(), dialog.Count()), std::make_tuple(7, true, 5));
  EXPECT_FALSE(Find<QCheckBox>("Check1")->isChecked());
}

struct PrintFileDialogTest : DialogTest {
  std::string file = dir.File("six.kvl");
  PrintFileDialog dialog{messages, {"Laser", "Ink"}, "Elsewhere"};

  void SetUp() override {
    root = &dialog;
    test::WriteFile(file, records(6));
    Reopen(file);
  }
  void Reopen(const std::string& path) {
    dialog.Prepare(path, {}, "/opt/kelvane/", dir.Folder());
    dialog.show();
  }
  void Type(const char* from, const char* to) {
    Find<QLineEdit>("Text1")->setText(from);
    Find<QLineEdit>("Text2")->setText(to);
  }
};

// With no printer installed nothing could be printed: "Save as PDF" is always offered, last.
TEST_F(PrintFileDialogTest, OffersTheDefaultPrinterOrElsePdf) {
  for (const auto& [preferred, current] : std::vector<std::pair<QString, QString>>{
           {"Ink", "Ink"}, {"Elsewhere", "Save as PDF"}, {"", "Save as PDF"}}) {
    PrintFileDialog other(messages, preferred.isEmpty() ? QStringList{} : QStringList{"Laser", "Ink"}, preferred);
    const auto* combo = other.findChild<QComboBox*>("Combo1");
    EXPECT_EQ(combo->itemText(combo->count() - 1), "Save as PDF");
    EXPECT_EQ(combo->currentText(), current) << preferred.toStdString();
  }
}

TEST_F(PrintFileDialogTest, PrintChecksTheRangeAndAsksForThePdfUnlessAPrinterIsChosen) {
  Type("2", "7");
  Release("command1");
  EXPECT_EQ(answers.messages, std::vector<Msg>{Msg("Invalid from or to puzzle number", "vbok+vbcritical")});
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_TRUE(answers.requests.empty());

  Type("1", "6");
  answers.messages.clear();
  Release("command1");  // the chooser is cancelled
  ASSERT_EQ(answers.requests.size(), 1u);
  EXPECT_TRUE(dialog.isVisible());

  // Naming the puzzle file once replaced the puzzles with the PDF.
  answers.files = {file};
  Release("command1");
  EXPECT_TRUE(answers.Told({{"The PDF file cannot be the puzzle file itself:\n" + file, "vbok+vbcritical"}}));
  EXPECT_EQ(dialog.Tag(), "X");

  Find<QRadioButton>("Option2_1")->setChecked(true);
  Find<QRadioButton>("Option1_5")->setChecked(true);
  Type("2", "5");
  answers.files = {dir.File("pages")};
  QTest::keyClick(Find<QLineEdit>("Text2"), Qt::Key_Return);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.Job(), (FilePrintJob{file, 2, 5, GridMode::Solution, 24}));
  EXPECT_EQ(dialog.Target().pdfPath, dir.File("pages.pdf"));

  Reopen(file);
  Find<QComboBox>("Combo1")->setCurrentIndex(1);
  Release("command1");
  EXPECT_EQ(answers.requests.size(), 3u);  // no new request
  EXPECT_FALSE(dialog.Target().pdf);
  EXPECT_EQ(dialog.Target().printerName, "Ink");
  // The choices last for the run.
  EXPECT_TRUE(Find<QRadioButton>("Option2_1")->isChecked() && Find<QRadioButton>("Option1_5")->isChecked());
}

// The dialog's chooser was titled with a word that is not this program's name.
TEST_F(PrintFileDialogTest, TheChooserTakesOnlyFilesWithPuzzles) {
  test::WriteFile(dir.File("empty.txt"), "");
  test::WriteFile(dir.File("nine.dat"), records(9));
  answers.files = {dir.File("empty.txt"), "", dir.File("nine.dat")};
  Choose();
  EXPECT_EQ(answers.requests.at(0).title, "Kelvane");
  EXPECT_TRUE(answers.Told({{"No puzzles in this file: " + dir.File("empty.txt"), "vbok+vbcritical"}}));
  EXPECT_EQ(Edit("FileNow") + " " + Edit("Text1") + "-" + Edit("Text2"), file + " 1-6");
  Choose();  // cancelled
  Choose();
  EXPECT_EQ(Edit("FileNow") + " " + Edit("Text2"), dir.File("nine.dat") + " 9");
}

struct BrowseScreenTest : DialogTest {
  GameState g;
  std::vector<int> picked;
  std::unique_ptr<BrowseScreen> screen;

  void Open(int count) {
    g.CurrentFile = dir.File("p.kvl");
    test::WriteFile(g.CurrentFile, records(count));
    g.PuzzleCount = CountPuzzles(g.Files, g.CurrentFile);
    for (int i = 0; i < 14; ++i) g.Palette[i] = RGB(10 + 15 * i, 240 - 12 * i, 90 + 5 * i);
    g.BrowseFirst = 25;
    screen = std::make_unique<BrowseScreen>(g, messages, [this](int n) { picked.push_back(n); });
    root = screen.get();
    screen->OpenAtFirstPage();
    screen->show();
  }
  BoxControl* Arrow(int i) { return screen->findChild<BoxControl*>(QString("arrows_%1").arg(i)); }
  void Press(int i, Qt::MouseButton button = Qt::LeftButton) { QTest::mouseClick(Arrow(i), button); }
  // A click on the window at a design point, at the screen's scale.
  void ClickAt(double x, double y, Qt::MouseButton button = Qt::LeftButton) {
    const double s = screen->Scale();
    QTest::mouseClick(screen.get(), button, Qt::NoModifier, screen->DesignOrigin() + QPoint(Px(x, s), Px(y, s)));
  }
  std::vector<std::string> Titles() {
    std::vector<std::string> out;
    for (const CanvasCall& c : screen->Page().Of(CanvasCall::Kind::Text))
      if (c.text.rfind("Puz#", 0) == 0) out.push_back(c.text);
    return out;
  }
};

TEST_F(BrowseScreenTest, ButtonsAndKeysPageThroughFortyAndTheRandomPageStaysInside) {
  Open(40);
  EXPECT_EQ(g.BrowseFirst, 1);
  const struct {
    int arrow;  // -1: the key
    Qt::MouseButton button;
    Qt::Key key;
    int first;
  } steps[] = {{2, Qt::LeftButton, {}, 17},      {2, Qt::RightButton, {}, 33}, {2, Qt::LeftButton, {}, 25},
               {2, Qt::RightButton, {}, 25},     {0, Qt::LeftButton, {}, 9},   {0, Qt::RightButton, {}, 1},
               {0, Qt::LeftButton, {}, 1},       {3, Qt::LeftButton, {}, 25},  {-1, {}, Qt::Key_Home, 1},
               {-1, {}, Qt::Key_PageDown, 17}, {-1, {}, Qt::Key_End, 25},    {-1, {}, Qt::Key_PageUp, 9}};
  for (const auto& step : steps) {
    if (step.arrow < 0) QTest::keyClick(screen.get(), step.key);
    else Press(step.arrow, step.button);
    EXPECT_EQ(g.BrowseFirst, step.first) << step.arrow << " " << step.key;
    EXPECT_EQ(Titles().at(0), "Puz#" + std::to_string(step.first) + (step.first % 2 ? " Hard" : " Easy"));
  }
  std::set<int> seen;  // the random page
  for (int k = 0; k < 100; ++k) {
    Press(4);
    ASSERT_TRUE(g.BrowseFirst >= 1 && g.BrowseFirst <= 39) << g.BrowseFirst;
    seen.insert(g.BrowseFirst);
  }
  EXPECT_GT(seen.size(), 10u);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(Arrow(i)->Backcolor(), g.Palette[DialogColourSlot]) << i;
  QTest::keyClick(screen.get(), Qt::Key_Escape);
  EXPECT_FALSE(screen->isVisible());
  EXPECT_TRUE(picked.empty());
}

TEST_F(BrowseScreenTest, AClickPicksTheThumbnailUnderTheMouseAtAnyScaleAndOnlyThere) {
  for (double scale : {1.0, 2.0}) {
    SCOPED_TRACE(scale);
    Open(40);
    // Wider than tall shifts the designed area right of the window's corner.
    screen->resize(Px(BrowseScreen::DesignWidth, scale * 1.6), Px(BrowseScreen::DesignHeight, scale));
    EXPECT_NEAR(screen->Scale(), scale, 0.01);
    Press(2);
    Press(2);
    ClickAt(5600, 6500);  // row 4, col 4: 48
    ClickAt(900, 4500);   // row 3, col 1: 41
    ClickAt(8000, 1000);  // right of column 4
    ClickAt(900, 250);    // above row 1
    EXPECT_TRUE(picked.empty());
    ASSERT_TRUE(screen->isVisible());
    ClickAt(1900, 2400, scale == 1.0 ? Qt::LeftButton : Qt::RightButton);  // row 2, col 2
    EXPECT_EQ(picked, std::vector<int>{38});
    EXPECT_EQ(Find<QLabel>("Label1")->text(), "38");
    EXPECT_FALSE(screen->isVisible());
    picked.clear();
  }
}

// A print that failed or was cancelled in the chooser still said "Done".
TEST_F(BrowseScreenTest, PrintAsksAndSaysDoneOnlyForAPrintedPage) {
  Open(40);
  std::vector<QSize> printed;
  bool prints = false;
  screen->SetPrintImage([&](const QImage& image) {
    printed.push_back(image.size());
    return prints;
  });
  answers.codes = {7, 6, 6};
  Press(6);  // No
  EXPECT_TRUE(printed.empty());
  Press(6, Qt::RightButton);  // the print fails
  EXPECT_EQ(printed, std::vector<QSize>{screen->size() * screen->devicePixelRatio()});  // device pixels
  prints = true;
  Press(6);
  const Msg question{"Print this screen?", "vbYesNo+vbquestion"};
  EXPECT_TRUE(answers.Told({question, question, question, {"Done", "vbok+vbinformation"}}));
}

// The count from when the file was opened was used: new puzzles could not be reached, and empty frames were drawn.
TEST_F(BrowseScreenTest, AFileThatGrowsOrShrinksWhileBrowsedIsCountedAfresh) {
  Open(20);
  Press(3);
  EXPECT_EQ(Titles().front() + " " + Titles().back(), "Puz#5 Hard Puz#20 Easy");
  test::WriteFile(g.CurrentFile, records(40));
  Press(3);
  EXPECT_EQ(g.PuzzleCount, 40);
  EXPECT_EQ(screen->windowTitle(), "Total Puzzles = 40");
  EXPECT_EQ(Titles().size(), 16u);
  EXPECT_EQ(Titles().back(), "Puz#40 Easy");

  test::WriteFile(g.CurrentFile, records(10));
  Press(0);
  EXPECT_EQ(g.PuzzleCount, 10);
  EXPECT_EQ(g.BrowseFirst, 1);
  EXPECT_EQ(Titles().size(), 10u);
  ClickAt(50 + 7150 * 3.5 / 4, 429 + 7480 * 3.5 / 4);  // where puzzle 16 was
  EXPECT_TRUE(picked.empty());
  // One page: every button but close leaves it as it is.
  for (int i : {0, 1, 2, 3, 4, 6}) Press(i);
  EXPECT_EQ(g.BrowseFirst, 1);
  EXPECT_TRUE(answers.messages.empty());
  Press(5);
  EXPECT_FALSE(screen->isVisible());
}

}  // namespace
}  // namespace kelvane::ui
