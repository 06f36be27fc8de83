// Tests of OptionsDialog: opening state, the font sample, scheme previews, Apply and Exit, inert controls.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontDatabase>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "modal_answers.h"
#include "test_support.h"
#include "settings/options_dialog.h"
#include "uikit/box_control.h"

namespace kelvane::ui {
namespace {

// A scheme of 13 CR LF colour lines; the others are filler.
std::string Scheme(const std::string& name, const char* slot2, const char* slot3, const char* slot4) {
  std::string text = name + "\r\n";
  for (int i = 0; i < 13; ++i) text += std::string(i == 2 ? slot2 : i == 3 ? slot3 : i == 4 ? slot4 : "1;2;3") + "\r\n";
  return text;
}

// The machine's Arial entry, else its first family, so no particular font is needed.
QString SomeFamily() {
  const QStringList families = QFontDatabase::families();
  for (const QString& f : families)
    if (f.compare(QStringLiteral("Arial"), Qt::CaseInsensitive) == 0) return f;
  return families.value(0);
}

class OptionsDialogTest : public ::testing::Test {
 protected:
  OptionsDialogTest() {
    test::WriteFile(file, Scheme("xp.col", "10;20;30", "99;99;99", "200;100;50") +
                              Scheme("Green.col", "0;128;0", "5;5;5", "100;200;100"));
    g.Palette[2] = RGB(240, 240, 240);
    g.Palette[4] = RGB(180, 180, 180);
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

  // A press and a release, or the release alone.
  static void Click(QWidget* w, Qt::MouseButton button = Qt::LeftButton, QPoint at = QPoint(3, 3), bool press = true) {
    QMouseEvent down(QEvent::MouseButtonPress, QPointF(at), w->mapToGlobal(QPointF(at)), button, button, {});
    QMouseEvent up(QEvent::MouseButtonRelease, QPointF(at), w->mapToGlobal(QPointF(at)), button, {}, {});
    if (press) QApplication::sendEvent(w, &down);
    QApplication::sendEvent(w, &up);
  }
  static void Key(QWidget* w, int key, const QString& text = QString()) {
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &e);
  }
  // Clicks the list entry with this text.
  static void ClickEntry(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> items = list->findItems(text, Qt::MatchExactly);
    ASSERT_FALSE(items.isEmpty()) << text.toStdString();
    list->scrollToItem(items.front());
    Click(list->viewport(), Qt::LeftButton, list->visualItemRect(items.front()).center());
  }

  QString Caption() { return Child<QGroupBox>("Frame1")->title(); }
  QFont Sample() { return Child<QLabel>("Label1")->font(); }

  test::TempDir dir;
  std::string file = dir.File("all.col");
  QString family = SomeFamily();
  GameState g;
  int refreshes = 0;
  std::unique_ptr<OptionsDialog> dialog;
};

class OptionsDialogOpening : public OptionsDialogTest, public ::testing::WithParamInterface<bool> {};

TEST_P(OptionsDialogOpening, SelectsTheStoredFamilyAndColoursFromThePalette) {
  ASSERT_FALSE(family.isEmpty());
  if (GetParam()) g.CellFontName = family.toLower().toStdString();
  dialog->show();
  auto* fonts = Child<QListWidget>("List2");
  EXPECT_EQ(fonts->count(), QFontDatabase::families().size());
  ASSERT_NE(fonts->currentItem(), nullptr);
  EXPECT_EQ(fonts->currentItem()->text(), family);
  EXPECT_TRUE(fonts->currentItem()->isSelected());
  EXPECT_TRUE(fonts->viewport()->rect().intersects(fonts->visualItemRect(fonts->currentItem())));
  EXPECT_EQ(Sample().family().compare(family, Qt::CaseInsensitive), 0);
  EXPECT_EQ(Sample().pointSize(), 16);
  EXPECT_EQ(Caption(), "Colour Scheme: Green.col");
  EXPECT_EQ(dialog->palette().color(QPalette::Window), QColor(240, 240, 240));
  EXPECT_EQ(Child<QListWidget>("List1")->palette().color(QPalette::Base), QColor(240, 240, 240));
  EXPECT_EQ(Child<QLabel>("Label1")->palette().color(QPalette::Window), QColor(240, 240, 240));
  EXPECT_EQ(Child<BoxControl>("command1")->Backcolor(), RGB(180, 180, 180));
  EXPECT_EQ(Child<BoxControl>("AddSch")->Backcolor(), RGB(180, 180, 180));
}

INSTANTIATE_TEST_SUITE_P(OptionsDialog, OptionsDialogOpening, ::testing::Values(false, true));

TEST_F(OptionsDialogTest, UnknownFontSelectsNothingButTheSampleTakesIt) {
  g.CellFontName = "No Such Family";
  dialog->show();
  EXPECT_TRUE(Child<QListWidget>("List2")->selectedItems().isEmpty());
  EXPECT_EQ(Sample().family(), "No Such Family");
}

TEST_F(OptionsDialogTest, SampleSizeStepsByButtonAndKeyWithinEightToThirtyTwo) {
  dialog->show();
  auto* label = Child<QLabel>("Label1");
  for (int i = 0; i < 8; ++i) Click(label, Qt::RightButton);
  EXPECT_EQ(Sample().pointSize(), 8);
  Click(label, Qt::RightButton);
  Key(label, Qt::Key_Minus, "-");
  EXPECT_EQ(Sample().pointSize(), 8);
  Click(label, Qt::MiddleButton);
  Key(label, Qt::Key_Plus, "+");
  EXPECT_EQ(Sample().pointSize(), 9);
  QFont italic = Sample();
  italic.setItalic(true);
  label->setFont(italic);
  for (int i = 0; i < 30; ++i) Click(label, Qt::LeftButton);
  EXPECT_EQ(Sample().pointSize(), 32);
  EXPECT_FALSE(Sample().italic());
}

TEST_F(OptionsDialogTest, ClickingAFamilySetsTheSampleFamily) {
  dialog->show();
  auto* fonts = Child<QListWidget>("List2");
  const QString last = fonts->item(fonts->count() - 1)->text();
  QFont italic(QStringLiteral("Placeholder"), 12);
  italic.setItalic(true);
  Child<QLabel>("Label1")->setFont(italic);
  ClickEntry(fonts, last);
  EXPECT_EQ(Sample().family(), last);
  EXPECT_FALSE(Sample().italic());
  EXPECT_EQ(Sample().pointSize(), 12);
}

// A preview recolours only the dialog; Apply (any button, or Enter) stores the choices.
TEST_F(OptionsDialogTest, PreviewThenApply) {
  dialog->show();
  ClickEntry(Child<QListWidget>("List1"), "xp");
  EXPECT_EQ(g.Palette[2], RGB(10, 20, 30));
  EXPECT_EQ(g.Palette[3], RGB(99, 99, 99));
  EXPECT_EQ(g.Palette[4], RGB(200, 100, 50));
  EXPECT_EQ(dialog->palette().color(QPalette::Window), QColor(10, 20, 30));
  EXPECT_EQ(Child<QGroupBox>("Frame2")->palette().color(QPalette::Window), QColor(10, 20, 30));
  EXPECT_EQ(Child<BoxControl>("command2")->Backcolor(), RGB(200, 100, 50));
  EXPECT_EQ(Caption(), "Colour Scheme: xp");
  EXPECT_EQ(g.ColourSchemeName, "Green.col");
  EXPECT_EQ(refreshes, 0);

  Click(Child<QLabel>("Label1"), Qt::RightButton);
  Click(Child<QLabel>("Label1"), Qt::RightButton);
  Click(Child<BoxControl>("command1"), Qt::RightButton);
  ASSERT_EQ(refreshes, 1);
  EXPECT_EQ(g.ColourSchemeName, "xp.col");
  EXPECT_EQ(QString::fromStdString(g.CellFontName).compare(family, Qt::CaseInsensitive), 0);
  EXPECT_EQ(g.CellFontSize, 14);
  EXPECT_TRUE(dialog->isVisible());
  Key(dialog.get(), Qt::Key_Enter);
  EXPECT_EQ(refreshes, 2);
  Click(Child<BoxControl>("command2"));
  EXPECT_FALSE(dialog->isVisible());
  dialog->show();
  EXPECT_EQ(Caption(), "Colour Scheme: xp.col");
  EXPECT_EQ(Sample().pointSize(), 14);
}

// Exit, Escape and the close box each end exec() without storing a preview.
TEST_F(OptionsDialogTest, EveryExecOpensAfreshAndHidingNeverApplies) {
  for (int how = 0; how < 3; ++how) {
    QString seen;
    QTimer::singleShot(0, dialog.get(), [&] {
      seen = Caption();
      ClickEntry(Child<QListWidget>("List1"), "xp");
      if (how == 0) Click(Child<BoxControl>("command2"));
      if (how == 1) Key(dialog.get(), Qt::Key_Escape);
      if (how == 2) dialog->close();
      if (dialog->isVisible()) ADD_FAILURE() << "still open", dialog->done(0);
    });
    dialog->exec();
    EXPECT_FALSE(dialog->isVisible()) << how;
    EXPECT_EQ(seen, "Colour Scheme: Green.col") << how;
  }
  EXPECT_EQ(refreshes, 0);
  EXPECT_EQ(g.ColourSchemeName, "Green.col");
}

TEST_F(OptionsDialogTest, ReleaseWithNoSchemeSelectedReportsTheBareName) {
  Answers recorder;
  ScopedAnswerer scoped(recorder);
  dialog->show();
  auto* schemes = Child<QListWidget>("List1");
  QFocusEvent tabbedIn(QEvent::FocusIn, Qt::TabFocusReason);  // makes an entry current, selects none
  QApplication::sendEvent(schemes, &tabbedIn);
  Click(schemes->viewport(), Qt::LeftButton, schemes->viewport()->rect().bottomLeft(), false);
  ASSERT_EQ(recorder.plain.size(), 1u);
  EXPECT_EQ(recorder.plain[0], "Color Scheme: .col not found");
  EXPECT_EQ(g.ColourSchemeName, "default.col");
  EXPECT_EQ(g.Palette[2], RGB(240, 240, 240));
  EXPECT_EQ(Caption(), "Colour Scheme: ");
  Click(Child<BoxControl>("command1"));
  EXPECT_EQ(g.ColourSchemeName, "default.col");
}

TEST_F(OptionsDialogTest, InertControlsChangeNothing) {
  dialog->show();
  const auto palette = g.Palette;
  for (const char* name : {"ShowSch", "RepSch", "DelSch", "AddSch"}) {
    Click(Child<BoxControl>(name));
    Click(Child<BoxControl>(name), Qt::RightButton);
  }
  auto* contrast = Child<QScrollBar>("ContrastV");
  contrast->setValue(-40);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(g.Palette, palette);
  EXPECT_EQ(g.ColourSchemeName, "Green.col");
  EXPECT_EQ(Caption(), "Colour Scheme: Green.col");
  EXPECT_EQ(refreshes, 0);
  dialog->hide();
  dialog->show();
  EXPECT_EQ(contrast->value(), 100);
}

}  // namespace
}  // namespace kelvane::ui
