// Print Puzzles From File: the dialog's printers, checks and choices, and its print run into a PDF file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QRadioButton>
#include <QTimer>
#include <regex>

#include "output/print_dialog_qt.h"
#include "window_fixture.h"

namespace kelvane::ui {
namespace {

const Msg Done{"Done", "vbinformation+vbok"};

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
  EXPECT_EQ(answers.messages, std::vector<Msg>{Msg("The PDF file cannot be the puzzle file itself:\n" + file,
                                                    "vbok+vbcritical")});
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
  const FileRequest& asked = answers.requests.at(0);
  EXPECT_EQ(asked.title + " " + asked.fileTypes, "Kelvane *.kvl;*.txt;*.dat");
  EXPECT_EQ(answers.messages,
            std::vector<Msg>{Msg("No puzzles in this file: " + dir.File("empty.txt"), "vbok+vbcritical")});
  EXPECT_EQ(Edit("FileNow") + " " + Edit("Text2"), file + " 6");
  Choose();  // cancelled
  Choose();
  EXPECT_EQ(Edit("FileNow") + " " + Edit("Text2"), dir.File("nine.dat") + " 9");
}

TEST(PrintFileRun, TheRightButtonOfPrintPrintsTheDialogsChoiceAndTheBoardStays) {
  Twelve p;
  MainWindow& w = p.Start();
  w.show();
  p.Click("arrows_2");
  p.Cell(21);  // a chain the run must not keep
  const std::string grid = GridText(w.State());
  auto answer = [&](bool print) {
    QTimer::singleShot(0, [&w, print] {
      PrintFileDialog* d = w.Form5();
      EXPECT_EQ(QApplication::activeModalWidget(), d);
      d->findChild<QRadioButton*>("Option2_1")->setChecked(true);
      d->findChild<QRadioButton*>("Option1_4")->setChecked(true);
      auto* combo = d->findChild<QComboBox*>("Combo1");
      combo->setCurrentIndex(combo->count() - 1);
      QTest::mouseClick(d->findChild<BoxControl*>(print ? "command1" : "command2"), Qt::LeftButton);
    });
  };
  answer(false);
  p.Click("cmdprint", Qt::RightButton);
  EXPECT_TRUE(p.answers.messages.empty() && p.answers.requests.empty());

  p.answers.files = {p.dir.File("solutions")};
  answer(true);
  p.Click("cmdprint", Qt::RightButton);
  EXPECT_EQ(p.answers.messages, std::vector<Msg>{Done});
  EXPECT_EQ(p.answers.requests.at(0).defaultDir, p.dir.Folder());
  const std::string bytes = test::ReadFile(p.dir.File("solutions.pdf"));
  ASSERT_EQ(bytes.substr(0, 4), "%PDF");
  EXPECT_TRUE(std::regex_search(bytes, std::regex(R"(/Count 1\b)")));  // 12 at 15 a page, landscape
  std::smatch box;
  ASSERT_TRUE(std::regex_search(bytes, box, std::regex(R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])")));
  EXPECT_GT(std::stod(box[1]), std::stod(box[2]));
  EXPECT_EQ(p.Text("PuzNumNow"), "2");
  EXPECT_EQ(GridText(w.State()), grid);
  EXPECT_EQ(w.State().ChainString, "");
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// An unwritable PDF path once said "Done"; now "Printing failed.", and an older file of that name stays.
TEST(PrintFileRun, FailuresWriteNoFileAndKeepAnOldOne) {
  Twelve p;
  MainWindow& w = p.Start();
  test::WriteFile(p.dir.File("damaged.kvl"), records(2) + "#3\r\nHard\r\n5 4\r\n" + records(2, 4));  // 3 cut short
  const std::string pdf = p.dir.File("old.pdf");
  test::WriteFile(pdf, "%PDF earlier bytes");
  const std::pair<FilePrintJob, std::string> rows[] = {
      {{p.dir.File("damaged.kvl"), 2, 4, GridMode::Puzzle, 2}, pdf},
      {{p.dir.File("twelve.kvl"), 1, 2, GridMode::Puzzle, 2}, p.dir.File("no/such/folder/out.pdf")}};
  for (const auto& [job, target] : rows) {
    p.answers.messages.clear();
    w.RunFilePrint(job, {true, {}, target});
    ASSERT_EQ(p.answers.messages.size(), 1u) << target;
    EXPECT_EQ(p.answers.messages[0].first.rfind("Printing failed.", 0), 0u) << p.answers.messages[0].first;
    EXPECT_EQ(p.answers.messages[0].second, "vbok+vbcritical");
    EXPECT_EQ(test::ReadFile(pdf), "%PDF earlier bytes");
    EXPECT_EQ(p.Text("PuzNumNow"), "1");
  }
  EXPECT_NE(p.answers.messages[0].first.find("no/such/folder/out.pdf"), std::string::npos);

  // A first number above the last prints nothing and still says Done.
  w.RunFilePrint({p.dir.File("twelve.kvl"), 5, 2, GridMode::Puzzle, 1}, {true, {}, pdf});
  EXPECT_EQ(p.answers.messages.back(), Done);
  EXPECT_EQ(test::ReadFile(pdf), "%PDF earlier bytes");
  for (const auto& entry : fs::directory_iterator(p.dir.Path()))
    EXPECT_EQ(entry.path().extension() == ".pdf", entry.path().filename() == "old.pdf") << entry.path();
}

}  // namespace
}  // namespace kelvane::ui
