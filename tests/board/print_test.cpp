// Printing: the current puzzle, Print Puzzles From File (its dialog and its run into a PDF), board pictures.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QRadioButton>
#include <QTimer>
#include <regex>

#include "board/board_picture.h"
#include "output/print_dialog_qt.h"
#include "window_fixture.h"

namespace kelvane::ui {
namespace {

const Msg Done{"Done", "vbinformation+vbok"};

// Naming the puzzle file in the chooser replaced the puzzles with a PDF, an old PDF went without a word,
// and an unwritable path was claimed done.
TEST(PrintCurrent, AsksThenPrintsIntoTheChosenPdfOrSaysWhyNot) {
  const Msg question{"Print Puzzle and its solution?", "vbYesNo+vbquestion"};
  const struct {
    int answer;          // to the question
    const char* file;    // the chooser's answer; nullptr: cancelled
    const char* before;  // what the file holds first; nullptr: nothing
    int replace;         // the answer to "Replace it?"
    const char* last;    // the start of the last message
    bool written;
  } rows[] = {{7, "page.pdf", nullptr, 6, "Print Puzzle", false},
              {6, nullptr, nullptr, 6, "Print Puzzle", false},
              {6, "no/such/folder/page.pdf", nullptr, 6, "Printing failed.", false},
              {6, "page.pdf", nullptr, 6, "Done", true},
              {6, "worked.kvl", nullptr, 6, "", false},
              {6, "old.pdf", "%PDF-1.4 old", 7, "", false},
              {6, "old.pdf", "%PDF-1.4 old", 6, "Done", true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.answer) + " " + (row.file ? row.file : "cancelled") + " " +
                 std::to_string(row.replace));
    Worked p;
    MainWindow& w = p.Start();
    const std::string target = p.dir.File(row.file ? row.file : "page.pdf");
    if (row.before) test::WriteFile(target, row.before);
    const std::string before = test::ReadFile(target);
    p.answers.codes = {row.answer, row.replace};
    if (row.file) p.answers.files = {target};
    w.PrintCurrent();
    EXPECT_EQ(p.answers.messages[0], question);
    const Msg& last = p.answers.messages.back();
    EXPECT_EQ(last.first.rfind(row.last, 0), 0u) << last.first;
    EXPECT_EQ(last.first == "Done", row.written) << last.first;
    EXPECT_TRUE(last.first.rfind("Printing failed.", 0) != 0 || last.second == "vbok+vbcritical") << last.second;
    EXPECT_EQ(p.answers.requests.size(), row.answer == 6 ? 1u : 0u);
    EXPECT_EQ(test::ReadFile(target) != before, row.written);
    EXPECT_TRUE(!row.written || test::ReadFile(target).substr(0, 4) == "%PDF");
    EXPECT_EQ(w.State().PuzzleCount, 10);
    EXPECT_FALSE(p.Find<QWidget>("Frame1")->isVisible());
  }
}

// The colour inside cell i, near its lower-left corner where no caption is drawn (1 px = 7.5 twips).
QColor inside(const QImage& image, int N, int i) {
  const int r = (i - 1) / N, c = (i - 1) % N;
  return image.pixelColor(static_cast<int>((c * 500 + 40) / 7.5), static_cast<int>((200 + r * 500 + 440) / 7.5));
}

// Which cells are filled is the core's; here the fills must reach the pixels and the clipboard.
TEST(BoardPicture, PuzzleFillsTheMarkedCellSolutionThePathAndCopyTakesTheClipboard) {
  Worked p;
  GameState& g = p.Start().State();
  p.Cell(23);  // a chain on the board changes nothing in the picture
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
  EXPECT_EQ(answers.requests.at(0).title, "Kelvane");
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
  auto answer = [&w] {
    PrintFileDialog* d = w.Form5();
    EXPECT_EQ(QApplication::activeModalWidget(), d);
    d->findChild<QRadioButton*>("Option2_1")->setChecked(true);
    d->findChild<QRadioButton*>("Option1_4")->setChecked(true);
    auto* combo = d->findChild<QComboBox*>("Combo1");
    combo->setCurrentIndex(combo->count() - 1);
    QTest::mouseClick(d->findChild<BoxControl*>("command1"), Qt::LeftButton);
  };
  p.answers.files = {p.dir.File("solutions")};
  QTimer::singleShot(0, answer);
  p.Click("cmdprint", Qt::RightButton);
  EXPECT_EQ(p.answers.messages, std::vector<Msg>{Done});
  EXPECT_EQ(p.answers.requests.at(0).defaultDir, p.dir.Folder());
  const std::string bytes = test::ReadFile(p.dir.File("solutions.pdf"));
  ASSERT_EQ(bytes.substr(0, 4), "%PDF");
  std::smatch box;  // 15 a page, landscape
  ASSERT_TRUE(std::regex_search(bytes, box, std::regex(R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])")));
  EXPECT_GT(std::stod(box[1]), std::stod(box[2]));
  EXPECT_EQ(p.Text("PuzNumNow"), "2");
  EXPECT_EQ(GridText(w.State()), grid);
  EXPECT_EQ(w.State().ChainString, "");
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// A damaged record in the range once gave empty grids: "Printing failed.", and an older PDF of that name stays.
TEST(PrintFileRun, ADamagedRecordWritesNoFileAndKeepsAnOldOne) {
  Twelve p;
  MainWindow& w = p.Start();
  test::WriteFile(p.dir.File("damaged.kvl"), records(2) + "#3\r\nHard\r\n5 4\r\n" + records(2, 4));  // 3 cut short
  const std::string pdf = p.dir.File("old.pdf");
  test::WriteFile(pdf, "%PDF earlier bytes");
  w.RunFilePrint({p.dir.File("damaged.kvl"), 2, 4, GridMode::Puzzle, 2}, {true, {}, pdf});
  ASSERT_EQ(p.answers.messages.size(), 1u);
  EXPECT_EQ(p.answers.messages[0].first.rfind("Printing failed.", 0), 0u) << p.answers.messages[0].first;
  EXPECT_EQ(p.answers.messages[0].second, "vbok+vbcritical");
  EXPECT_EQ(test::ReadFile(pdf), "%PDF earlier bytes");
  EXPECT_EQ(p.Text("PuzNumNow"), "1");
  for (const auto& entry : fs::directory_iterator(p.dir.Path()))
    EXPECT_EQ(entry.path().extension() == ".pdf", entry.path().filename() == "old.pdf") << entry.path();
}

}  // namespace
}  // namespace kelvane::ui
