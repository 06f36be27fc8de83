// Tests of OptionsDialog: opening state, scheme preview and font sample, Apply and Exit.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QTest>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "test_support.h"
#include "settings/options_dialog.h"
#include "uikit/box_control.h"
#include "uikit/colours.h"

namespace kelvane::ui {
namespace {

class OptionsDialogTest : public ::testing::Test {
 protected:
  OptionsDialogTest() {
    // One scheme, "xp": 13 CR LF colour lines, window colour in slot 2, buttons in slot 4, the rest filler.
    std::string xp = "xp.col\r\n";
    for (int i = 0; i < 13; ++i) xp += std::string(i == 2 ? "10;20;30" : i == 4 ? "200;100;50" : "1;2;3") + "\r\n";
    test::WriteFile(file, xp);
    g.ColourSchemeName = "Green.col";
    g.CellFontName = family.toStdString();
    g.CellFontSize = 16;
    dialog = std::make_unique<OptionsDialog>(g, file, [this] { ++refreshes; });
  }

  template <class T>
  T* Child(const char* name) {
    T* child = dialog->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }

  // Clicks the list entry with this text.
  static void ClickEntry(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
    ASSERT_FALSE(items.isEmpty()) << text.toStdString();
    list->scrollToItem(items.front());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(items.front()).center());
  }

  QString Caption() { return Child<QGroupBox>("Frame1")->title(); }
  QFont Sample() { return Child<QLabel>("Label1")->font(); }

  test::TempDir dir;
  std::string file = dir.File("all.col");
  QString family = QFontDatabase::families().value(0);
  GameState g;
  int refreshes = 0;
  std::unique_ptr<OptionsDialog> dialog;
};

// A preview recolours only the dialog, and the sample follows its clicks and keys: left click or "+" one
// point larger, right click or "-" smaller, within 8..32. Apply (either mouse button, or Enter) stores them.
TEST_F(OptionsDialogTest, PreviewAndSampleThenApply) {
  dialog->show();
  ClickEntry(Child<QListWidget>("List1"), "xp");
  EXPECT_EQ(dialog->palette().color(QPalette::Window), QColor(10, 20, 30));
  EXPECT_EQ(Child<BoxControl>("command2")->Backcolor(), RGB(200, 100, 50));
  EXPECT_EQ(Caption(), "Colour Scheme: xp");
  EXPECT_EQ(g.ColourSchemeName, "Green.col");
  auto* label = Child<QLabel>("Label1");
  for (int i = 0; i < 30; ++i) QTest::mouseClick(label, Qt::LeftButton);
  EXPECT_EQ(Sample().pointSize(), 32);
  for (int i = 0; i < 24; ++i) QTest::mouseClick(label, Qt::RightButton);
  QTest::keyClick(label, Qt::Key_Minus);
  EXPECT_EQ(Sample().pointSize(), 8);
  QTest::mouseClick(label, Qt::MiddleButton);
  QTest::keyClick(label, Qt::Key_Plus);
  auto* fonts = Child<QListWidget>("List2");
  const QString last = fonts->item(fonts->count() - 1)->text();
  ClickEntry(fonts, last);
  EXPECT_EQ(Sample().family(), last);
  EXPECT_EQ(refreshes, 0);

  QTest::mouseClick(Child<BoxControl>("command1"), Qt::RightButton);
  ASSERT_EQ(refreshes, 1);
  EXPECT_EQ(g.ColourSchemeName, "xp.col");
  EXPECT_EQ(g.CellFontName, last.toStdString());
  EXPECT_EQ(g.CellFontSize, 9);
  EXPECT_TRUE(dialog->isVisible());
  QTest::keyClick(dialog.get(), Qt::Key_Enter);
  EXPECT_EQ(refreshes, 2);
  QTest::mouseClick(Child<BoxControl>("command2"), Qt::LeftButton);
  EXPECT_FALSE(dialog->isVisible());
  dialog->show();
  EXPECT_EQ(Caption(), "Colour Scheme: xp.col");
  EXPECT_EQ(Sample().pointSize(), 9);
}

// Every opening starts from the stored settings: the family found in any case (an unknown one selects
// nothing, but the sample takes it), the size, scheme and palette. Exit, Escape and the close box each hide
// the dialog without storing a preview.
TEST_F(OptionsDialogTest, EveryOpeningShowsTheStoredSettingsAndHidingNeverApplies) {
  ASSERT_FALSE(family.isEmpty());
  auto* fonts = Child<QListWidget>("List2");
  const std::pair<QString, QString> stored[] = {{family, family}, {family.toUpper(), family}, {"No Such", ""}};
  for (int how = 0; how < 3; ++how) {
    const auto& [name, selected] = stored[how];
    SCOPED_TRACE(name.toStdString());
    g.CellFontName = name.toStdString();
    dialog->show();
    const QList<QListWidgetItem*> chosen = fonts->selectedItems();
    EXPECT_EQ(chosen.isEmpty() ? QString() : chosen.front()->text(), selected);
    EXPECT_TRUE(chosen.isEmpty() || fonts->viewport()->rect().intersects(fonts->visualItemRect(chosen.front())));
    EXPECT_EQ(Sample().family().compare(name, Qt::CaseInsensitive), 0);
    EXPECT_EQ(Sample().pointSize(), 16);
    EXPECT_EQ(Caption(), "Colour Scheme: Green.col");
    EXPECT_EQ(dialog->palette().color(QPalette::Window), ToQColor(g.Palette[2]));
    EXPECT_EQ(Child<BoxControl>("AddSch")->Backcolor(), g.Palette[DialogColourSlot]);
    ClickEntry(Child<QListWidget>("List1"), "xp");
    if (how == 0) QTest::mouseClick(Child<BoxControl>("command2"), Qt::LeftButton);
    if (how == 1) QTest::keyClick(dialog.get(), Qt::Key_Escape);
    if (how == 2) dialog->close();
    EXPECT_FALSE(dialog->isVisible());
  }
  EXPECT_EQ(refreshes, 0);
  EXPECT_EQ(g.ColourSchemeName, "Green.col");
}

}  // namespace
}  // namespace kelvane::ui
