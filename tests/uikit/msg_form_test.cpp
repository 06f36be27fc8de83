// Tests of the message box: the style grammar as the real window shows it, keys, mouse and its size.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "uikit/icons.h"
#include "uikit/msg_form.h"
#include "uikit/msg_style.h"

namespace kelvane::ui {
namespace {

const MsgButton Ok{"Ok", 1}, Cancel{"Cancel", 2}, Retry{"Retry", 4}, Yes{"Yes", 6}, No{"No", 7};

// The real window, driven like a user while MsgboxA waits.
class MsgFormWindow : public ::testing::Test {
 protected:
  QPushButton* Cmd(int i) { return form.findChild<QPushButton*>(QStringLiteral("cmd_%1").arg(i)); }

  // Runs MsgboxA and acts on the open box; a box left open is closed and reported.
  int Answer(const std::string& text, const std::string& style, const std::function<void()>& act) {
    QTimer::singleShot(0, &form, [&] {
      act();
      if (form.isVisible()) {
        ADD_FAILURE() << "the box is still open";
        form.close();
      }
    });
    return form.MsgboxA(text, style);
  }

  void Key(int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(form.focusWidget() != nullptr ? form.focusWidget() : &form, &press);
  }

  MsgForm form;
};

// The box shows the buttons and pictures each style asks for, the buttons in a centred row and in the
// button colour; any mouse button on a button answers that button's code.
TEST_F(MsgFormWindow, StyleShowsItsButtonsAndPicturesAndEachButtonAnswersItsCode) {
  const std::tuple<const char*, std::vector<MsgButton>, std::vector<int>> cases[] = {  // style, buttons, pictures
      {"vbYesNo+vbquestion", {Yes, No}, {0}}, {"vbok+vbcritical", {Ok}, {4}}, {"vbinformation+vbok", {Ok}, {2}},
      {"vbok+vbinformation", {Ok}, {2}}, {"VBOK + vbHappy", {Ok}, {5}}, {"", {Ok}, {}}, {"vbfoo", {Ok}, {}},
      {"vbokonly+vbfoo", {Ok}, {}}, {"vbnormal", {{"Ok", 0}}, {}}, {"vbcancelok", {Ok, Cancel}, {}},
      {"vbokcancel", {Ok, Cancel}, {}}, {"vbcontinuecancel", {{"Continue", 6}, Cancel}, {2}},
      {"vbyes+vbno", {Yes, No}, {}}, {"vbok+vbok", {Ok, Ok}, {}}, {"vbcustom", {Ok}, {10}},
      {"vbretrycancel+vbtrash", {Retry, Cancel}, {6}}, {"vbyesnocancel+vbabortretryignore", {Yes, No, Cancel}, {}},
      {"vbabortretryignore+vbexclamation", {{"Abort", 3}, Retry, {"Ignore", 5}}, {1}},
      {"vbok+vbok+vbok+vbcancel", {Ok, Ok, Ok}, {}}, {"++vbok+ \t+vbprint+vblighton+", {Ok}, {7, 8}},
      {"vb ok+vbokvbcancel+vbquestion+", {Ok}, {0}}, {"vbexclamation+vberror+vbno", {No}, {1, 3}},
  };
  const Qt::MouseButton mouse[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
  form.SetButtonColour(RGB(200, 0, 0));
  for (const auto& [style, buttons, pictures] : cases) {
    SCOPED_TRACE(style);
    const int count = static_cast<int>(buttons.size());
    for (int pressed = 0; pressed < count; ++pressed) {
      const int code = Answer("Go on?", style, [&] {
        std::vector<int> shown;
        for (int slot = 0; slot < IconSlots; ++slot) {
          if (form.findChild<QWidget*>(QStringLiteral("icons_%1").arg(slot))->isVisible()) shown.push_back(slot);
        }
        EXPECT_EQ(shown, pictures);
        for (int i = 0; i < MsgButtonSlots; ++i) ASSERT_EQ(Cmd(i)->isVisible(), i < count) << i;
        for (int i = 0; i < count; ++i) {
          EXPECT_EQ(Cmd(i)->text().toStdString(), buttons[i].caption);
          EXPECT_EQ(Cmd(i)->palette().color(QPalette::Button), QColor(200, 0, 0));
          EXPECT_EQ(Cmd(i)->x(), Cmd(0)->x() + i * Cmd(0)->width());
        }
        EXPECT_NEAR(Cmd(0)->x(), form.width() - 1 - Cmd(count - 1)->geometry().right(), 1);
        QTest::mouseClick(Cmd(pressed), mouse[(pressed + count) % 3]);
      });
      EXPECT_EQ(code, buttons[pressed].code) << "button " << pressed;
    }
  }
}

TEST_F(MsgFormWindow, FocusStartsLeftArrowsMoveItEnterPressesClosingAnswersZero) {
  const std::tuple<const char*, std::vector<int>, int> cases[] = {  // style, keys, code
      {"vbYesNo+vbquestion", {Qt::Key_Return}, 6}, {"vbyesno", {Qt::Key_Enter}, 6},
      {"vbnormal", {Qt::Key_Return}, 0}, {"", {Qt::Key_Return}, 1},
      {"vbyesnocancel", {Qt::Key_Right, Qt::Key_Return}, 7}, {"vbyesnocancel", {Qt::Key_Left, Qt::Key_Return}, 2},
      {"vbyesnocancel", {Qt::Key_Right, Qt::Key_Down, Qt::Key_Return}, 2},
      {"vbyesno", {Qt::Key_Right, Qt::Key_Right, Qt::Key_Return}, 6},
      {"vbyesno", {Qt::Key_Down, Qt::Key_Up, Qt::Key_Up, Qt::Key_Enter}, 7},
      {"vbok", {Qt::Key_Right, Qt::Key_Return}, 1},
      {"vbokcancel", {Qt::Key_Escape, Qt::Key_Space, Qt::Key_Tab, Qt::Key_A, Qt::Key_F4, Qt::Key_Return}, 1},
      {"vbokcancel", {Qt::Key_Right, 0}, 0},  // 0: the window is closed, which answers 0
  };
  for (const auto& [style, keys, expected] : cases) {
    SCOPED_TRACE(style);
    const int code = Answer("Sure?", style, [&] {
      EXPECT_EQ(form.focusWidget(), Cmd(0));
      // The box stays open through all keys but the last.
      for (std::size_t i = 0; i < keys.size(); ++i) {
        if (keys[i] == 0) {
          form.close();
        } else {
          Key(keys[i]);
        }
        EXPECT_EQ(form.isVisible(), i + 1 < keys.size()) << "after key " << i;
      }
    });
    EXPECT_EQ(code, expected);
  }
}

// A long line widens the box to show it whole; "\r\n" is one line break.
TEST_F(MsgFormWindow, TheBoxShowsItsLongestLineWhole) {
  const std::string line(150, 'W');
  Answer(line + "\r\n" + "short", "vbyesno", [&] {
    const QLabel* label = form.findChild<QLabel*>(QStringLiteral("Label1"));
    EXPECT_GE(label->width(), QFontMetrics(form.font()).horizontalAdvance(QString::fromStdString(line)));
    EXPECT_LT(label->geometry().right(), form.width());
    EXPECT_EQ(label->text().count('\n'), 1);
    QTest::mouseClick(Cmd(1), Qt::LeftButton);
  });
}

}  // namespace
}  // namespace kelvane::ui
