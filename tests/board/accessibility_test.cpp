// The window as a screen reader sees it through QAccessible: the board's table of cells, focus on the keys' cell,
// the tool buttons, the sum, the status line and the message box.
#include <QAccessible>
#include <QApplication>
#include <set>
#include <tuple>

#include "window_fixture.h"

namespace kelvane::ui {
namespace {

QAccessibleInterface* Of(QObject* object) { return QAccessible::queryAccessibleInterface(object); }
QString NameOf(QAccessibleInterface* iface) { return iface != nullptr ? iface->text(QAccessible::Name) : "(none)"; }

// The worked board "1-2-3+ - -2-3-1- - -3-1+2" marked at 1. The chain 21,11 takes in the sign 16 between them;
// its last cell is the chain's end. The solution 21,11,1,3 shows on its cells and the signs between them.
TEST_F(WorkedWindow, TheBoardIsATableOfCellsNamedForTheirNumberSignChainAndSolution) {
  Show();
  BoardWidget* board = Board();
  QAccessibleInterface* table = Of(board);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->role(), QAccessible::Table);
  EXPECT_EQ(NameOf(table), "Board, 5 by 5");
  ASSERT_EQ(table->childCount(), 25);
  ASSERT_NE(table->tableInterface(), nullptr);
  EXPECT_EQ(table->tableInterface()->rowCount() * 10 + table->tableInterface()->columnCount(), 55);
  const QRect screen(board->mapToGlobal(QPoint(0, 0)), board->size());
  EXPECT_EQ(table->rect(), screen);

  const std::tuple<int, QString, QString, QString> cells[] = {  // cell; at rest; chain 21,11; solution shown
      {1, "row 1, column 1: 1, marked", "row 1, column 1: 1, marked", "row 1, column 1: 1, marked, solution"},
      {2, "sign: minus", "sign: minus", "sign: minus, solution"},
      {3, "row 1, column 3: 2", "row 1, column 3: 2", "row 1, column 3: 2, solution"},
      {6, "sign: plus", "sign: plus", "sign: plus, solution"},
      {7, "blank", "blank", "blank"},
      {11, "row 3, column 1: 2", "row 3, column 1: 2, chain end", "row 3, column 1: 2, chain end, solution"},
      {16, "sign: minus", "sign: minus, in the chain", "sign: minus, in the chain, solution"},
      {21, "row 5, column 1: 3", "row 5, column 1: 3, in the chain", "row 5, column 1: 3, in the chain, solution"},
      {22, "sign: minus", "sign: minus", "sign: minus"},
      {25, "row 5, column 5: 2", "row 5, column 5: 2", "row 5, column 5: 2"},
  };
  for (const auto& [i, rest, chain, solution] : cells) {
    SCOPED_TRACE(i);
    QAccessibleInterface* cell = table->child(i - 1);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(std::make_tuple(cell->role(), cell->parent(), table->indexOfChild(cell), NameOf(cell)),
              std::make_tuple(QAccessible::Cell, table, i - 1, rest));
    ASSERT_NE(cell->tableCellInterface(), nullptr);
    EXPECT_EQ(table->tableInterface()->cellAt((i - 1) / 5, (i - 1) % 5), cell);
    EXPECT_TRUE(screen.contains(cell->rect())) << cell->rect().x() << "," << cell->rect().y();
    EXPECT_EQ(table->childAt(cell->rect().center().x(), cell->rect().center().y()), cell);
  }
  EXPECT_EQ(table->child(25), nullptr);

  Cell(21);
  Cell(11);
  EXPECT_EQ(table->text(QAccessible::Description), "Current sum: 1");
  for (const auto& [i, rest, chain, solution] : cells) EXPECT_EQ(NameOf(table->child(i - 1)), chain) << i;
  QTest::mousePress(Find<QWidget>("cmdshowsol"), Qt::LeftButton);
  for (const auto& [i, rest, chain, solution] : cells) EXPECT_EQ(NameOf(table->child(i - 1)), solution) << i;
  QTest::mouseRelease(Find<QWidget>("cmdshowsol"), Qt::LeftButton);
  for (const auto& [i, rest, chain, solution] : cells) EXPECT_EQ(NameOf(table->child(i - 1)), chain) << i;
}

// The keys walk the bottom row, start the chain and lead it; the focused cell is the one they act on.
TEST_F(WorkedWindow, FocusIsOnTheCellTheKeysActOnWhileTheBoardHasTheKeys) {
  Show();
  BoardWidget* board = Board();
  board->setFocus(Qt::OtherFocusReason);
  ASSERT_TRUE(board->hasFocus());
  QAccessibleInterface* table = Of(board);
  auto focused = [&] {
    std::vector<int> cells;
    for (int k = 0; k < table->childCount(); ++k)
      if (table->child(k)->state().focused) cells.push_back(k + 1);
    return cells;
  };
  const std::pair<Qt::Key, int> steps[] = {{Qt::Key_unknown, 21}, {Qt::Key_Right, 23}, {Qt::Key_Right, 25},
      {Qt::Key_Left, 23}, {Qt::Key_Up, 23}, {Qt::Key_Up, 13}, {Qt::Key_Left, 11}, {Qt::Key_Backspace, 13},
      {Qt::Key_Backspace, 23}, {Qt::Key_Backspace, 21}};  // key, the focused cell after it
  for (const auto& [key, cell] : steps) {
    SCOPED_TRACE(QTest::toString(key));
    if (key != Qt::Key_unknown) QTest::keyClick(board, key);
    EXPECT_EQ(focused(), std::vector<int>{cell});
    EXPECT_EQ(table->focusChild(), table->child(cell - 1));
  }
  Find<QWidget>("PuzNumNow")->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(focused(), std::vector<int>{});
  EXPECT_EQ(table->focusChild(), nullptr);
}

// Buttons are buttons with a short name of their own, the tip for the rest; the labels read what they show.
TEST_F(WorkedWindow, ToolButtonsSumStatusAndNumberBoxReadAsWhatTheyAre) {
  std::set<QString> names;
  for (const char* b : {"cmdsave", "cmdload", "cmdprint", "cmdoptions", "cmdcopy", "arrows_0", "arrows_3", "arrows_2",
                        "arrows_1", "cmdshowsol", "undoman", "cmdnew", "cmdhint"}) {
    SCOPED_TRACE(b);
    QAccessibleInterface* button = Of(Find<QWidget>(b));
    EXPECT_EQ(button->role(), QAccessible::Button);
    const QString name = NameOf(button);
    EXPECT_FALSE(name.isEmpty());
    EXPECT_TRUE(button->text(QAccessible::Description).startsWith(name)) << b;
    names.insert(name);
  }
  EXPECT_EQ(names.size(), 13u) << "two buttons sound alike";

  Cell(21);
  QAccessibleInterface* sum = Of(Find<QLabel>("Label5"));
  EXPECT_EQ(NameOf(sum) + " " + sum->text(QAccessible::Description), "3 Current sum");
  QAccessibleInterface* status = Of(Find<QLabel>("StatusLine"));
  EXPECT_TRUE(Text("StatusLine").contains(QString::fromUtf8("\u2605\u2606\u2606\u2606\u2606"))) << "one star shown";
  EXPECT_EQ(NameOf(status), Text("StatusLine").replace(QString::fromUtf8("\u2605\u2606\u2606\u2606\u2606"), "1 of 5 stars"));
  EXPECT_FALSE(status->text(QAccessible::Description).isEmpty());
  EXPECT_EQ(NameOf(Of(Find<QLineEdit>("PuzNumNow"))), "Puzzle number");
}

// The real box, open: the window carries its message, the label reads it, each button its caption.
TEST(MessageBoxForScreenReaders, TheOpenBoxCarriesItsMessage) {
  MsgForm form;
  WhenOpen<MsgForm>([](MsgForm& open) {
    QAccessibleInterface* box = Of(&open);
    EXPECT_EQ(box->role(), QAccessible::Dialog);
    EXPECT_EQ(box->text(QAccessible::Description), "Clear chain?\nAll steps go.");  // the window carries it
    EXPECT_EQ(NameOf(Of(open.findChild<QLabel*>("Label1"))), "Clear chain?\nAll steps go.");
    EXPECT_EQ(NameOf(Of(open.findChild<QPushButton*>("cmd_1"))), "No");
    QTest::mouseClick(open.findChild<QPushButton*>("cmd_1"), Qt::LeftButton);
  });
  EXPECT_EQ(form.MsgboxA("Clear chain?\r\nAll steps go.", "vbYesNo+vbquestion"), 7);
}

}  // namespace
}  // namespace kelvane::ui
