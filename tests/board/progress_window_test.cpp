// The player's progress in the real window: the status line and its clock, a kept win, redo by key, the record
// copied and pasted as text, a repeated save, statistics, continuing where the player left off, a damaged store.
#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QTableWidget>

#include "board/stats_dialog.h"
#include "output/browse_screen_qt.h"
#include "window_fixture.h"

namespace kelvane::ui {
namespace {

const std::string WorkedGrid = "1-2-3+ - -2-3-1- - -3-1+2";
const std::string Info = "vbok+vbinformation";

// The worked window, shown and active, on a clock the test turns.
struct ProgressWindow : WorkedWindow {
  std::int64_t now = 0;
  ProgressWindow() {
    w.SetClockSource([this] { return now; });
    Show();
  }
  std::string Status() {
    w.showStatus();
    return Text("StatusLine").toStdString();
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(&w, key, mods); }
};

TEST_F(ProgressWindow, TheStatusLineCountsTimeHintsAndSolvesAWinIsKeptAndTimeGoesOnAcrossVisits) {
  EXPECT_EQ(Status(), "0:00 · hints left 3 · ★☆☆☆☆ · 0 of 10 solved");
  now += 65000;
  Click("cmdhint");
  EXPECT_EQ(Status(), "1:05 · hints left 2 · ★☆☆☆☆ · 0 of 10 solved");
  for (int c : {11, 0, 3}) Cell(c);  // 0: the overlay on the marked cell
  EXPECT_EQ(Status(), "Solved in 1:05 · ★☆☆☆☆ · 1 of 10 solved");
  now += 30000;  // a won puzzle's clock stands
  EXPECT_EQ(Status(), "Solved in 1:05 · ★☆☆☆☆ · 1 of 10 solved");
  const std::vector<kelvane::Solve> solves = w.Progress().Solves();
  ASSERT_EQ(solves.size(), 1u);
  EXPECT_EQ(std::tie(solves[0].size, solves[0].easy, solves[0].seconds, solves[0].hintsUsed, solves[0].solutionShown),
            std::make_tuple(5, true, std::int64_t{65}, 1, false));


  // Puzzles 2 to 10 are one puzzle: its time goes on in any of them, and stands while the window is inactive.
  // The hints are the board size's, and a win used them up.
  Click("arrows_2");
  now += 10000;
  Click("arrows_2");
  EXPECT_EQ(Status(), "0:10 · hints left 0 · ★☆☆☆☆ · 1 of 10 solved");
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  now += 100000;
  EXPECT_EQ(Status(), "0:10 · hints left 0 · ★☆☆☆☆ · 1 of 10 solved");
  other.hide();
  Show();
  now += 2000;
  EXPECT_EQ(Status(), "0:12 · hints left 0 · ★☆☆☆☆ · 1 of 10 solved");
  Click("arrows_0", Qt::RightButton);
  EXPECT_EQ(Status(), "Solved in 1:05 · ★☆☆☆☆ · 1 of 10 solved");

  // The browse screen ticks it, the statistics show it and export it.
  WhenOpen<BrowseScreen>([](BrowseScreen& b) { b.close(); });
  Click("arrows_1");
  EXPECT_EQ(std::count_if(w.Form2()->Page().calls.begin(), w.Form2()->Page().calls.end(),
                          [](const CanvasCall& c) { return c.kind == CanvasCall::Kind::Line && c.colour == SolvedTickColour; }),
            6);  // one tick of two strokes three lines thick, on puzzle 1 only
  answers.files = {data.File("solves.csv")};
  WhenOpen<StatsDialog>([&](StatsDialog& d) {
    auto* table = Named<QTableWidget>(d, "StatsTable");
    ASSERT_EQ(table->rowCount(), 1);
    QStringList row;
    for (int c = 0; c < table->columnCount(); ++c) row << table->item(0, c)->text();
    EXPECT_EQ(row.join(" "), "5x5 Easy 1 1:05 1:05 0");
    auto* byStars = Named<QTableWidget>(d, "StatsByStars");
    ASSERT_EQ(byStars->rowCount(), 1);
    EXPECT_EQ(byStars->item(0, 0)->text(), QString::fromUtf8("\u2605\u2606\u2606\u2606\u2606"));
    EXPECT_EQ(byStars->item(0, 1)->text(), "1");
    QTest::mouseClick(Named<QPushButton>(d, "StatsExport"), Qt::LeftButton);
    QTest::mouseClick(Named<QPushButton>(d, "StatsClose"), Qt::LeftButton);
  });
  w.Commands().Action(Command::Statistics)->trigger();
  const std::string csv = test::ReadFile(data.File("solves.csv"));
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 2) << csv;
  EXPECT_NE(csv.find(",5,Easy,65,1,no,1\n"), std::string::npos) << csv;
  EXPECT_EQ(answers.messages.back(), Msg("Done", Info));
}

// Which steps redo takes is the core's; here the keys and the Edit menu must reach it.
TEST_F(ProgressWindow, RedoTakesAgainTheStepsTakenBackByTheKeys) {
  struct Row {
    std::function<void()> act;
    std::string chain;
  };
  const std::vector<Row> rows = {
      {[&] { Cell(21), Cell(11); }, "21-11 sum 1"},
      {[&] { Key(Qt::Key_Backspace); }, "21 sum 3"},
      {[&] { Key(Qt::Key_Z, Qt::ControlModifier); }, " sum 0"},
      {[&] { Key(Qt::Key_Y, Qt::ControlModifier); }, "21 sum 3"},
      {[&] { Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }, "21-11 sum 1"},
  };
  for (std::size_t i = 0; i < rows.size(); ++i) {
    rows[i].act();
    EXPECT_EQ(Chain(), rows[i].chain) << "row " << i;
  }
  const QList<QAction*> edit = Find<QMenu>("mnuedit")->actions();
  EXPECT_TRUE(edit.contains(w.Commands().Action(Command::Undo)) && edit.contains(w.Commands().Action(Command::Redo)));
}

TEST_F(ProgressWindow, CopyPutsTheRecordBesideThePictureAndPasteShowsTheSoundRecordsOnly) {
  QClipboard* clip = QApplication::clipboard();
  Key(Qt::Key_C, Qt::ControlModifier);
  const std::string record = FormatRecord(1, true, 5, 4, 1, WorkedGrid, "21,11,1,3, 1");
  EXPECT_EQ(clip->text().toStdString(), record);
  EXPECT_FALSE(clip->image().isNull());

  const std::string file = w.State().CurrentFile;
  clip->setText("hello\nworld");
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(answers.messages.back(), Msg("The clipboard holds no puzzle: copy a puzzle's five lines, from its \"#\" line on.", Info));
  // A broken Latin square fails as verify fails it, and changes nothing.
  const std::string bad = FormatRecord(4, true, 5, 4, 1, "1-1-3+ - -2-3-1- - -3-1+2", "21,11,1,3, 1");
  clip->setText(QString::fromStdString("Try this one:\n" + bad));
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_NE(answers.messages.back().first.find("The clipboard holds no puzzle that can be played: "), std::string::npos);
  EXPECT_EQ(w.State().CurrentFile, file);
  EXPECT_FALSE(fs::exists(data.File("pastedpuzzles.kvl")));

  // In a mail: chatter, the bad record, then two good ones (the first of the shipped file) with LF line ends.
  const std::string shipped = test::ReadFile(dir.File("puzzles.kvl"));
  std::size_t cut = 0;
  for (int line = 0; line < 5; ++line) cut = shipped.find('\n', cut) + 1;
  std::string mail = "Try these:\n" + bad + shipped.substr(0, cut) + record + "Bye\n";
  std::erase(mail, '\r');
  clip->setText(QString::fromStdString(mail));
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(w.State().CurrentFile, data.File("pastedpuzzles.kvl"));
  EXPECT_EQ(Text("PuzNumNow") + Text("puznumber"), "1 of 2");
  const std::string pasted = test::ReadFile(data.File("pastedpuzzles.kvl"));
  EXPECT_EQ(pasted.substr(pasted.size() - record.size()), "#2" + record.substr(2));
  EXPECT_NE(answers.messages.back().first.find("2 puzzles were pasted; 1 record was left out: "), std::string::npos);
}

TEST(Continue, StartUpAndOpeningAFileGoToThePuzzleLastShownWithItsChainAndTheWindowsSize) {
  Worked p;
  {
    MainWindow& w = p.Start();
    EXPECT_FALSE(w.Commands().Action(Command::ContinueWhereLeftOff)->isChecked());
    w.Commands().Action(Command::ContinueWhereLeftOff)->trigger();
    p.Click("arrows_2", Qt::RightButton);
    p.Cell(21);
    p.Cell(23);
    w.resize(700, 950);
    w.close();
  }
  MainWindow& w = p.Start();
  EXPECT_TRUE(w.Commands().Action(Command::ContinueWhereLeftOff)->isChecked());
  EXPECT_EQ(p.Text("PuzNumNow").toStdString() + " " + w.State().ChainString, "10 21-23");
  EXPECT_EQ(w.size(), QSize(700, 950));
  // Opening another file goes to its own last puzzle: the first when it has none.
  const std::string other = p.dir.File("other.kvl");
  test::WriteFile(other, records(3));
  p.answers.files = {other};
  p.Click("cmdload");
  EXPECT_EQ(p.Text("PuzNumNow"), "1");
  p.answers.files = {p.dir.File("worked.kvl")};
  p.Click("cmdload");
  EXPECT_EQ(p.Text("PuzNumNow").toStdString() + " " + w.State().ChainString, "10 21-23");

}

TEST(ProgressStoreInTheWindow, ADamagedStoreIsSetAsideWithAWordAndPlayGoesOn) {
  Worked p;
  test::WriteFile(p.data.File("progress.sqlite"), std::string(4096, '\x5a'));
  MainWindow& w = p.Start();
  ASSERT_FALSE(p.answers.messages.empty());
  EXPECT_NE(p.answers.messages.front().first.find("progress.sqlite.damaged-"), std::string::npos);
  int asideFiles = 0;
  for (const auto& e : fs::directory_iterator(p.data.Path()))
    asideFiles += e.path().filename().string().rfind("progress.sqlite.damaged-", 0) == 0;
  EXPECT_EQ(asideFiles, 1);
  for (int c : {21, 11, 0, 3}) p.Cell(c);
  EXPECT_EQ(w.Progress().Solves().size(), 1u);
}

}  // namespace
}  // namespace kelvane::ui
