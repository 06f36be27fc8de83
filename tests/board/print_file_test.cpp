// Print Puzzles From File: the dialog's controls, checks and Tag, and the print run into a PDF file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <regex>
#include <tuple>

#include "board/board_widget.h"
#include "output/print_dialog_qt.h"
#include "uikit/box_control.h"
#include "uikit/fn_dialog.h"
#include "uikit/msg_form.h"
#include "window_fixture.h"

namespace kelvane::ui {
namespace {

using Msg = std::pair<std::string, std::string>;
const Msg Done{"Done", "vbinformation+vbok"};

// Records 1, 2, a third cut short after its size line, then 4 and 5.
std::string damaged() { return records(2) + "#3\r\nHard\r\n5 4\r\n" + records(2, 4); }

class PrintFileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteFile(file, records(6));
    Reopen(file);
  }
  void Reopen(const std::string& path) {
    dialog.Prepare(path, {}, "/opt/kelvane/", dir.Folder());
    dialog.show();
  }
  template <typename T>
  T* Find(const char* name) {
    T* w = dialog.findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  std::string Edit(const char* name) { return Find<QLineEdit>(name)->text().toStdString(); }
  void Type(const char* edit, const char* text) { Find<QLineEdit>(edit)->setText(text); }
  void Check(const char* option) { Find<QRadioButton>(option)->setChecked(true); }
  void Release(const char* button) { QTest::mouseClick(Find<BoxControl>(button), Qt::LeftButton); }
  void Choose() { QTest::mouseClick(Find<FNDialog>("gf1")->findChild<QPushButton*>(), Qt::LeftButton); }

  test::TempDir dir;
  std::string file = dir.File("six.kvl");
  Answers answers;
  ScopedAnswerer scoped{answers};
  MsgForm messages;
  PrintFileDialog dialog{messages, {"Laser", "Ink"}, "Elsewhere"};
};

TEST_F(PrintFileDialogTest, OpensOnTheFileAndOffersEveryPrinterAndPdf) {
  EXPECT_EQ(Edit("FileNow"), file);
  EXPECT_EQ(Edit("Text1") + "-" + Edit("Text2"), "1-6");
  EXPECT_EQ(dialog.Tag(), "X");

  // The default printer when it is installed, otherwise "Save as PDF", always last.
  for (const auto& [preferred, current] : std::vector<std::pair<QString, QString>>{
           {"Ink", "Ink"}, {"Elsewhere", "Save as PDF"}, {"", "Save as PDF"}}) {
    PrintFileDialog other(messages, {"Laser", "Ink"}, preferred);
    const auto* combo = other.findChild<QComboBox*>("Combo1");
    ASSERT_TRUE(combo && combo->count() == 3 && combo->itemText(2) == "Save as PDF");
    EXPECT_EQ(combo->currentText(), current) << preferred.toStdString();
  }
}

TEST_F(PrintFileDialogTest, BadFilesAndRangesAreReportedAndKeepItOpen) {
  test::WriteFile(dir.File("empty.kvl"), "no records here\r\n");
  test::WriteFile(dir.File("damaged.kvl"), damaged());
  const std::vector<std::tuple<std::string, const char*, const char*, std::string>> cases = {
      {dir.File("empty.kvl"), "1", "1", "No puzzles in this file: " + dir.File("empty.kvl")},
      {file, "0", "3", "Invalid from or to puzzle number"},
      {file, "1", "7", "Invalid from or to puzzle number"},
      {dir.File("damaged.kvl"), "2", "4", "Puzzle 3 of " + dir.File("damaged.kvl") + " cannot be read."}};
  for (const auto& [path, from, to, message] : cases) {
    Reopen(path);
    Type("Text1", from);
    Type("Text2", to);
    answers.messages.clear();
    Release("command1");
    ASSERT_EQ(answers.messages.size(), 1u) << message;
    EXPECT_EQ(answers.messages[0].first.substr(0, message.size()), message);
    EXPECT_EQ(answers.messages[0].second, "vbok+vbcritical");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.Tag(), "X");
  }
  EXPECT_TRUE(answers.requests.empty());
}

TEST_F(PrintFileDialogTest, PrintAsksForThePdfAndLeavesTheTag) {
  Release("command1");  // the chooser is cancelled
  ASSERT_EQ(answers.requests.size(), 1u);
  EXPECT_TRUE(answers.requests[0].save);
  EXPECT_EQ(answers.requests[0].fileTypes, "*.pdf");
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.Tag(), "X");

  answers.files = {file};  // the puzzle file itself
  Release("command1");
  ASSERT_EQ(answers.messages.size(), 1u);
  EXPECT_EQ(answers.messages[0].first, "The PDF file cannot be the puzzle file itself:\n" + file);
  EXPECT_EQ(dialog.Tag(), "X");
  answers.messages.clear();

  Check("Option2_1");
  Check("Option1_5");
  Type("Text1", "2");
  Type("Text2", "5");
  answers.files = {dir.File("pages")};
  Release("command1");
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_TRUE(answers.messages.empty());
  EXPECT_EQ(dialog.Tag(), file + ",2,5, 1, 24");
  EXPECT_EQ(dialog.Job(), (FilePrintJob{file, 2, 5, GridMode::Solution, 24}));
  EXPECT_TRUE(dialog.Target().pdf);
  EXPECT_EQ(dialog.Target().pdfPath, dir.File("pages.pdf"));

  // A comma in the folder, a first number above the last, and Enter in a box.
  fs::create_directories(dir.Path() / "a,b");
  const std::string comma = dir.File("a,b/six.kvl");
  test::WriteFile(comma, records(6));
  Reopen(comma);
  Type("Text1", "5");
  Type("Text2", "2");
  answers.files = {dir.File("later.PDF")};
  QTest::keyClick(Find<QLineEdit>("Text2"), Qt::Key_Return);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.Job(), (FilePrintJob{comma, 5, 2, GridMode::Solution, 24}));
  EXPECT_EQ(dialog.Target().pdfPath, dir.File("later.PDF"));

  // An installed printer asks for no file.
  Reopen(file);
  Type("Text1", "1");
  Find<QComboBox>("Combo1")->setCurrentIndex(1);
  Release("command1");
  EXPECT_EQ(answers.requests.size(), 4u);  // no new request
  EXPECT_FALSE(dialog.Target().pdf);
  EXPECT_EQ(dialog.Target().printerName, "Ink");
  EXPECT_EQ(dialog.Tag(), file + ",1,6, 1, 24");
}

TEST_F(PrintFileDialogTest, LeavingGivesXAndTheChoicesLast) {
  test::WriteFile(dir.File("three.kvl"), records(3));
  Check("Option2_1");
  Check("Option1_3");
  Type("Text1", "2");
  Release("command2");
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.Tag(), "X");
  EXPECT_FALSE(dialog.Job());
  Reopen(dir.File("three.kvl"));
  EXPECT_TRUE(Find<QRadioButton>("Option2_1")->isChecked() && Find<QRadioButton>("Option1_3")->isChecked());
  EXPECT_EQ(Edit("Text1") + "-" + Edit("Text2") + " " + Edit("FileNow"), "2-3 " + dir.File("three.kvl"));

  for (const auto& leave : std::vector<std::function<void()>>{
           [&] { QTest::keyClick(&dialog, Qt::Key_Escape); }, [&] { dialog.close(); }, [&] { dialog.reject(); }}) {
    answers.files = {dir.File("x.pdf")};
    Release("command1");
    ASSERT_NE(dialog.Tag(), "X");
    dialog.show();
    leave();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.Tag(), "X");
  }
  EXPECT_TRUE(answers.messages.empty());
}

TEST_F(PrintFileDialogTest, TheChooserTakesOnlyFilesWithPuzzles) {
  test::WriteFile(dir.File("empty.txt"), "");
  test::WriteFile(dir.File("nine.dat"), records(9));
  answers.files = {dir.File("empty.txt"), "", dir.File("nine.dat")};
  Choose();
  ASSERT_EQ(answers.requests.size(), 1u);
  const FileRequest& asked = answers.requests[0];
  EXPECT_EQ(asked.title + " " + asked.fileTypes + " " + asked.fileTypesName, "Kelvane *.kvl;*.txt;*.dat Kelvane Files");
  EXPECT_FALSE(asked.save);
  ASSERT_EQ(answers.messages.size(), 1u);
  EXPECT_EQ(answers.messages[0], Msg("No puzzles in this file: " + dir.File("empty.txt"), "vbok+vbcritical"));
  EXPECT_EQ(Edit("FileNow") + " " + Edit("Text2"), file + " 6");
  Choose();  // cancelled
  EXPECT_EQ(Edit("FileNow"), file);
  Choose();
  EXPECT_EQ(Edit("FileNow") + " " + Edit("Text2"), dir.File("nine.dat") + " 9");
  EXPECT_EQ(answers.messages.size(), 1u);
}

struct Sixteen : Program {
  Sixteen() {
    test::WriteFile(dir.File("damaged.kvl"), damaged());
    UseFile("sixteen.kvl", records(16));
  }
};

// The numbers of one group of every match of pattern in a PDF file's bytes.
std::vector<double> Numbers(const std::string& bytes, const char* pattern, int group = 1) {
  std::vector<double> out;
  const std::regex re(pattern);
  for (auto it = std::sregex_iterator(bytes.begin(), bytes.end(), re); it != std::sregex_iterator(); ++it)
    out.push_back(std::stod((*it)[group]));
  return out;
}
constexpr const char* MediaBox = R"(/MediaBox \[0 0 ([\d.]+) ([\d.]+)\])";

TEST(PrintFileRun, EachPageHoldsItsGridsInTheLayoutsOrientation) {
  Sixteen p;
  MainWindow& w = p.Start();
  p.Click("arrows_2");
  const QString number = p.Text("PuzNumNow");
  const std::string shownFile = w.State().CurrentFile, shownGrid = GridText(w.State());
  const bool pdftotext = std::system("command -v pdftotext >/dev/null 2>&1") == 0;
  const std::vector<std::tuple<int, int, int, GridMode, int, bool>> cases = {
      {1, 3, 2, GridMode::Puzzle, 2, false}, {2, 5, 24, GridMode::Solution, 1, true},
      {1, 4, 1, GridMode::Puzzle, 4, false}, {1, 16, 15, GridMode::Solution, 2, true},
      {3, 9, 6, GridMode::Puzzle, 2, false}, {5, 13, 4, GridMode::Solution, 3, false}};
  for (const auto& [first, last, code, mode, pages, landscape] : cases) {
    SCOPED_TRACE(std::to_string(first) + ".." + std::to_string(last) + " at " + std::to_string(code));
    const std::string pdf = p.dir.File("out" + std::to_string(code) + ".pdf");
    BoardWidget* board = p.Find<BoardWidget>("Shape1");
    QTest::mouseClick(board, Qt::LeftButton, {}, board->CellRect(21).center());  // a chain the run must not keep
    ASSERT_EQ(w.State().ChainString, "21");
    w.RunFilePrint({p.dir.File("sixteen.kvl"), first, last, mode, code}, {true, {}, pdf});
    EXPECT_EQ(p.answers.messages.back(), Done);
    const std::string bytes = test::ReadFile(pdf);
    ASSERT_EQ(bytes.substr(0, 4), "%PDF");
    EXPECT_EQ(Numbers(bytes, R"(/Count (\d+))"), std::vector<double>{double(pages)});
    const std::vector<double> widths = Numbers(bytes, MediaBox, 1), heights = Numbers(bytes, MediaBox, 2);
    ASSERT_EQ(widths.size(), std::size_t(pages));
    for (std::size_t k = 0; k < widths.size(); ++k) EXPECT_EQ(widths[k] > heights[k], landscape);
    EXPECT_EQ(p.Text("PuzNumNow"), number);
    EXPECT_EQ(w.State().CurrentFile, shownFile);
    EXPECT_EQ(GridText(w.State()), shownGrid);
    EXPECT_EQ(w.State().ChainString, "");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    if (!pdftotext) continue;
    ASSERT_EQ(std::system(("pdftotext '" + pdf + "' '" + pdf + ".txt'").c_str()), 0);
    const std::string text = test::ReadFile(pdf + ".txt");
    const std::string kind = mode == GridMode::Solution ? "Sol#" : "Puz#";
    for (int n = 1; n <= 16; ++n) {  // each record's own difficulty, not the board's
      const bool in = n >= first && n <= last;
      EXPECT_EQ(text.find(kind + std::to_string(n) + (n % 2 == 0 ? " Easy" : " Hard")) != std::string::npos, in) << n;
      EXPECT_EQ(text.find(kind + std::to_string(n) + (n % 2 == 0 ? " Hard" : " Easy")), std::string::npos) << n;
    }
    EXPECT_EQ(text.find(mode == GridMode::Solution ? "Puz#" : "Sol#"), std::string::npos);
  }
}

TEST(PrintFileRun, FailuresWriteNoFileAndKeepAnOldOne) {
  Sixteen p;
  MainWindow& w = p.Start();
  const std::string pdf = p.dir.File("old.pdf");
  test::WriteFile(pdf, "%PDF earlier bytes");
  const std::vector<std::pair<FilePrintJob, std::string>> cases = {
      {{p.dir.File("damaged.kvl"), 2, 4, GridMode::Puzzle, 2}, pdf},
      {{p.dir.File("sixteen.kvl"), 1, 2, GridMode::Puzzle, 2}, p.dir.File("no/such/folder/out.pdf")}};
  for (const auto& [job, target] : cases) {
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
  w.RunFilePrint({p.dir.File("sixteen.kvl"), 5, 2, GridMode::Puzzle, 1}, {true, {}, pdf});
  EXPECT_EQ(p.answers.messages.back(), Done);
  EXPECT_EQ(test::ReadFile(pdf), "%PDF earlier bytes");
  for (const auto& entry : fs::directory_iterator(p.dir.Path()))
    EXPECT_EQ(entry.path().extension() == ".pdf", entry.path().filename() == "old.pdf") << entry.path();
}

TEST(PrintFileRun, TheDialogOpensFromTheRightButtonOfPrint) {
  Sixteen p;
  MainWindow& w = p.Start();
  w.show();
  bool modal = false;
  QTimer::singleShot(0, [&] {
    PrintFileDialog* d = w.Form5();
    modal = d && d->isVisible() && QApplication::activeModalWidget() == d;
    if (d) QTest::mouseClick(d->findChild<BoxControl*>("command2"), Qt::LeftButton);
  });
  p.Click("cmdprint", Qt::RightButton);
  EXPECT_TRUE(modal);
  EXPECT_TRUE(p.answers.messages.empty() && p.answers.requests.empty());

  p.answers.files = {p.dir.File("solutions")};
  QTimer::singleShot(0, [&] {
    PrintFileDialog* d = w.Form5();
    if (!d) return;
    d->findChild<QRadioButton*>("Option2_1")->setChecked(true);
    d->findChild<QRadioButton*>("Option1_5")->setChecked(true);
    auto* combo = d->findChild<QComboBox*>("Combo1");
    combo->setCurrentIndex(combo->count() - 1);
    QTest::mouseClick(d->findChild<BoxControl*>("command1"), Qt::LeftButton);
  });
  p.Click("cmdprint", Qt::RightButton);
  EXPECT_EQ(p.answers.messages, std::vector<Msg>{Done});
  ASSERT_EQ(p.answers.requests.size(), 1u);
  EXPECT_EQ(p.answers.requests[0].defaultDir, p.dir.Folder());
  EXPECT_EQ(test::ReadFile(p.dir.File("solutions.pdf")).substr(0, 4), "%PDF");
}

}  // namespace
}  // namespace kelvane::ui
