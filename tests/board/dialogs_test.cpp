// The Create New Puzzles and Print Puzzles From File dialogs for real: what they check, their choosers, the
// outcome and the ways out.
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <tuple>

#include "board/create_dialog.h"
#include "output/print_dialog_qt.h"
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
  EXPECT_EQ(std::make_tuple(dialog.Size(), dialog.Easy(), dialog.DisplayOnly(), dialog.Count()),
            std::make_tuple(9, false, true, 1));
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
  void Check(const char* option) { Find<QRadioButton>(option)->setChecked(true); }
};

// With no printer installed nothing could be printed: "Save as PDF" is always offered, last.
TEST_F(PrintFileDialogTest, OffersTheDefaultPrinterOrElsePdf) {
  EXPECT_EQ(Edit("FileNow") + " " + Edit("Text1") + "-" + Edit("Text2"), file + " 1-6");
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
  EXPECT_EQ(answers.requests[0].fileTypes, "*.pdf");
  EXPECT_TRUE(dialog.isVisible());

  // Naming the puzzle file once replaced the puzzles with the PDF.
  answers.files = {file};
  Release("command1");
  EXPECT_TRUE(answers.Told({{"The PDF file cannot be the puzzle file itself:\n" + file, "vbok+vbcritical"}}));
  EXPECT_EQ(dialog.Tag(), "X");

  Check("Option2_1");
  Check("Option1_5");
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
  EXPECT_EQ(Edit("FileNow") + " " + Edit("Text2"), file + " 6");
  Choose();  // cancelled
  Choose();
  EXPECT_EQ(Edit("FileNow") + " " + Edit("Text2"), dir.File("nine.dat") + " 9");
}

}  // namespace
}  // namespace kelvane::ui
