// Every control by keyboard: the main window's focus order, the tool buttons' two actions, the pickers and the dialogs.
#include <QKeyEvent>
#include <QListWidget>

#include "board/create_dialog.h"
#include "output/browse_screen_qt.h"
#include "output/print_dialog_qt.h"
#include "settings/options_dialog.h"
#include "window_fixture.h"

namespace kelvane::ui {
namespace {

// The focus by name; the chooser's button by the chooser's.
std::string Focused() {
  QWidget* focus = QApplication::focusWidget();
  if (focus && qobject_cast<FNDialog*>(focus->parentWidget())) focus = focus->parentWidget();
  return focus ? focus->objectName().toStdString() : "(none)";
}

void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  if (QWidget* focus = QApplication::focusWidget()) QTest::keyClick(focus, key, mods);
  else ADD_FAILURE() << "no focus for key " << key;
}

// The focus after each of n presses of Tab.
std::vector<std::string> Walk(std::size_t n, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < n; ++i) {
    Key(Qt::Key_Tab, mods);
    names.push_back(Focused());
  }
  return names;
}

// Tab once round the window from the focus reaches each named control (a name ending in "_": one of its group).
void ExpectReaches(const std::vector<std::string>& names) {
  std::string round = " " + Focused() + " ";
  std::vector<QWidget*> seen{QApplication::focusWidget()};
  for (int i = 0; i < 40; ++i) {
    Key(Qt::Key_Tab);
    if (std::find(seen.begin(), seen.end(), QApplication::focusWidget()) != seen.end()) break;
    seen.push_back(QApplication::focusWidget());
    round += Focused() + " ";
  }
  for (const std::string& name : names)
    EXPECT_NE(round.find(" " + name + (name.back() == '_' ? "" : " ")), std::string::npos) << name << " not in" << round;
}

// Tabs on until the named control has the focus.
bool TabTo(const char* name) {
  for (int i = 0; i < 40 && Focused() != name; ++i) Key(Qt::Key_Tab);
  return Focused() == name;
}

// Makes a shown window the one the keys go to, as the window manager would.
bool Active(QWidget& window) {
  window.activateWindow();
  return QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; });
}

struct KeyWindow : TwelveWindow {
  KeyWindow() { Show(); }
};

TEST_F(KeyWindow, TabAndShiftTabGoRoundTheControlsInTheirOrderOnScreen) {
  const std::vector<std::string> order = {"cmdsave",  "cmdload",    "cmdprint", "cmdoptions", "cmdcopy", "arrows_0",
                                          "arrows_3", "arrows_2",   "arrows_1", "cmdshowsol", "undoman", "cmdnew",
                                          "Label3",   "Label4",     "PuzNumNow", "cmdhint",   "Shape1"};
  Find<QWidget>("cmdsave")->setFocus(Qt::TabFocusReason);
  std::vector<std::string> forward(order.begin() + 1, order.end()), back(order.rbegin(), order.rend());
  forward.push_back("cmdsave");
  EXPECT_EQ(Walk(order.size()), forward);
  EXPECT_EQ(Walk(order.size(), Qt::ShiftModifier), back);

  // The focus frame shows on a button and a picker, dark on the light face; a click leaves the keys on the board.
  for (const char* name : {"cmdnew", "Label4"}) {
    QWidget* control = Find<QWidget>(name);
    control->setFocus(Qt::TabFocusReason);
    const QImage framed = control->grab().toImage();
    Board()->setFocus();
    const QImage plain = control->grab().toImage();
    int changed = 0, dark = 0;
    for (int k = 0; k < plain.width() * plain.height(); ++k)
      if (const QRgb px = framed.pixel(k % plain.width(), k / plain.width()); px != plain.pixel(k % plain.width(), k / plain.width()))
        changed++, dark += qGray(px) < 64;
    EXPECT_TRUE(changed > plain.width() && dark == changed) << name << " " << changed << " " << dark;
    Click(name);
    EXPECT_EQ(Focused(), "Shape1") << name;
  }
  // Keys passed on by a tool button do not play; Escape there gives the keys back to the board.
  Find<QWidget>("cmdsave")->setFocus(Qt::TabFocusReason);
  const int plays = w.Commands().Runs(Command::Play);
  for (Qt::Key key : {Qt::Key_Left, Qt::Key_Escape, Qt::Key_Left}) Key(key);
  EXPECT_EQ(Focused() + std::to_string(w.Commands().Runs(Command::Play) - plays), "Shape11");
}

TEST_F(KeyWindow, SpaceOrEnterGivesEachToolItsLeftClickAndShiftEnterOrMenuItsRightClick) {
  const struct {
    const char* button;
    Command left, right;
    bool leftOpens = false, rightOpens = false;  // a dialog, closed with Escape
  } rows[] = {{"cmdsave", Command::Save, Command::Delete},          {"cmdload", Command::Open, Command::Open},
              {"cmdprint", Command::PrintCurrent, Command::PrintFromFile, false, true},
              {"cmdoptions", Command::Options, Command::Options, true, true},
              {"cmdcopy", Command::CopyPuzzle, Command::CopySolution}, {"arrows_0", Command::Previous, Command::First},
              {"arrows_3", Command::Random, Command::Random},          {"arrows_2", Command::Next, Command::Last},
              {"arrows_1", Command::Browse, Command::Browse, true, true},
              {"cmdshowsol", Command::ShowSolution, Command::ShowSolution}, {"undoman", Command::Undo, Command::ClearGrid},
              {"cmdnew", Command::New, Command::CreateBatch, false, true}, {"cmdhint", Command::Hint, Command::Hint}};
  const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
      {Qt::Key_Space, {}}, {Qt::Key_Return, {}}, {Qt::Key_Return, Qt::ShiftModifier}, {Qt::Key_Menu, {}}};
  for (const auto& row : rows) {
    auto* button = Find<BoxControl>(row.button);
    for (int k = 0; k < 4; ++k) {
      SCOPED_TRACE(std::string(row.button) + " key " + std::to_string(k));
      const bool right = k >= 2;
      const Command command = right ? row.right : row.left, other = right ? row.left : row.right;
      const int runs = w.Commands().Runs(command), others = w.Commands().Runs(other);
      if (right ? row.rightOpens : row.leftOpens) WhenOpen<QDialog>([](QDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); });
      QTest::keyClick(button, keys[k].first, keys[k].second);
      EXPECT_EQ(w.Commands().Runs(command), runs + 1);
      EXPECT_EQ(w.Commands().Runs(other), other == command ? runs + 1 : others);
      EXPECT_EQ(w.Commands().Mode(), WindowMode::Idle);  // the solution is put back on the release
      EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
  }
  // A held key repeats its presses and releases; the button acts once.
  const int hints = w.Commands().Runs(Command::Hint);
  for (int i = 0; i < 4; ++i) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, {}, " ", i > 0), release(QEvent::KeyRelease, Qt::Key_Space, {}, " ", i < 3);
    QApplication::sendEvent(Find<BoxControl>("cmdhint"), &press), QApplication::sendEvent(Find<BoxControl>("cmdhint"), &release);
  }
  EXPECT_EQ(w.Commands().Runs(Command::Hint), hints + 1);
}

TEST_F(KeyWindow, PickersCycleWithSpaceAndDownAndBackWithUp) {
  const struct {
    const char* picker;
    Qt::Key key;
    const char* shows;
  } steps[] = {{"Label3", Qt::Key_Space, "7x7"}, {"Label3", Qt::Key_Down, "9x9"}, {"Label3", Qt::Key_Up, "7x7"},
               {"Label4", Qt::Key_Space, "Easy"}, {"Label4", Qt::Key_Down, "Hard"}, {"Label4", Qt::Key_Up, "Easy"}};
  EXPECT_EQ(Text("Label3") + Text("Label4"), "5x5Hard");
  for (const auto& step : steps) {
    Find<QWidget>(step.picker)->setFocus(Qt::TabFocusReason);
    Key(step.key);
    EXPECT_EQ(Text(step.picker), step.shows) << step.picker << " " << step.key;
  }
  EXPECT_TRUE(w.State().EasyFlag);
  EXPECT_EQ(w.Commands().Runs(Command::Play), 0);
}

// Each dialog without a mouse: Tab reaches its controls, keys fill them in and press its buttons.
TEST_F(KeyWindow, EveryDialogWorksFromTheKeys) {
  CreateDialog create(w.Messages());
  create.Prepare(dir.Folder(), w.State().Palette, dir.Folder());
  create.show();
  ASSERT_TRUE(Active(create));
  // Tabs to the number box, types a number over it, tabs to the dialog's own button and presses it.
  auto fillAndPress = [](const char* number, Qt::Key press) {
    ASSERT_TRUE(TabTo("Text1"));
    Key(Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), number);
    ASSERT_TRUE(TabTo("command1"));
    Key(press);
  };
  ExpectReaches({"Option2_", "Option3", "Text4", "StarsPicker", "Check1", "Text1", "FileNow", "gf1", "command1", "command2"});
  fillAndPress("3", Qt::Key_Space);
  EXPECT_EQ(create.Tag() + std::to_string(create.Count()), "Y3");

  PrintFileDialog print(w.Messages(), {}, "");
  print.Prepare(w.State().CurrentFile, w.State().Palette, dir.Folder(), dir.Folder());
  print.show();
  ASSERT_TRUE(Active(print));
  ExpectReaches({"Option2_", "Option1_", "Combo1", "FileNow", "gf1", "Text1", "Text2", "command1", "command2"});
  answers.files = {dir.File("four.pdf")};
  fillAndPress("4", Qt::Key_Return);
  EXPECT_FALSE(print.isVisible());
  EXPECT_EQ(print.Target().pdfPath, dir.File("four.pdf"));

  // The options: a scheme chosen with the arrows, applied with Enter on Apply, closed with Escape.
  ASSERT_TRUE(Active(w));
  std::string chosen;
  WhenOpen<OptionsDialog>([&](OptionsDialog& d) {
    ASSERT_TRUE(Active(d));
    ExpectReaches({"List2", "Label1", "List1", "ShowSch", "RepSch", "DelSch", "AddSch", "command1", "command2"});
    ASSERT_TRUE(TabTo("List1"));
    Key(Qt::Key_End);
    chosen = d.findChild<QListWidget*>("List1")->currentItem()->text().toStdString();
    EXPECT_NE(chosen, "default");
    ASSERT_TRUE(TabTo("command1"));
    Key(Qt::Key_Return);
    Key(Qt::Key_Escape);
  });
  Find<QWidget>("cmdoptions")->setFocus(Qt::TabFocusReason);
  Key(Qt::Key_Space);
  EXPECT_EQ(w.State().ColourSchemeName, chosen + ".col");

  // The browse screen opens with the keys on its page: the arrows frame a thumbnail and Enter picks it.
  ASSERT_TRUE(Active(w));
  WhenOpen<BrowseScreen>([&](BrowseScreen& d) {
    ASSERT_TRUE(Active(d));
    EXPECT_EQ(Focused() + std::to_string(d.KeyThumbnail()), "Form21");
    ExpectReaches({"arrows_0", "arrows_1", "arrows_2", "arrows_3", "arrows_4", "arrows_5", "arrows_6"});
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Right, Qt::Key_Left}) Key(key);
    EXPECT_EQ(Focused() + std::to_string(d.KeyThumbnail()), "Form210");
    Key(Qt::Key_Return);
  });
  Find<QWidget>("arrows_1")->setFocus(Qt::TabFocusReason);
  Key(Qt::Key_Return);
  EXPECT_EQ(w.State().PuzzleNumber, 10);
  EXPECT_TRUE(answers.messages.empty());
}

}  // namespace
}  // namespace kelvane::ui
