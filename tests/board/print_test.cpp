// Printing from the main window: the current puzzle, a run of Print Puzzles From File into a PDF, board pictures.
#include <QClipboard>
#include <QComboBox>
#include <QRadioButton>
#include <regex>

#include "board/board_picture.h"
#include "output/print_dialog_qt.h"
#include "window_fixture.h"

namespace kelvane::ui {
namespace {

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
    EXPECT_EQ(p.answers.requests.size(), row.answer == 6 ? 1u : 0u);
    EXPECT_EQ(test::ReadFile(target) != before, written);
    EXPECT_TRUE(!written || test::ReadFile(target).substr(0, 4) == "%PDF");
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
