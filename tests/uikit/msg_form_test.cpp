// Tests of the message box: the style keywords, its layout, and keys and mouse on the real window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "modal_answers.h"
#include "uikit/icons.h"
#include "uikit/msg_form.h"
#include "uikit/msg_style.h"
#include "uikit/twips.h"

namespace kelvane::ui {
namespace {

const MsgButton Ok{"Ok", 1}, Cancel{"Cancel", 2}, Retry{"Retry", 4}, Yes{"Yes", 6}, No{"No", 7};

TEST(MsgStyle, KeywordsGiveButtonsAndPictures) {
  const std::tuple<const char*, std::vector<MsgButton>, std::vector<int>> cases[] = {  // style, buttons, pictures
      {"vbYesNo+vbquestion", {Yes, No}, {0}}, {"vbok+vbcritical", {Ok}, {4}}, {"vbinformation+vbok", {Ok}, {2}},
      {"vbok+vbinformation", {Ok}, {2}}, {"VBOK + vbHappy", {Ok}, {5}}, {"", {Ok}, {}}, {"vbfoo", {Ok}, {}},
      {"vbokonly+vbfoo", {Ok}, {}}, {"vbnormal", {{"Ok", 0}}, {}}, {"vbcancelok", {Ok, Cancel}, {}},
      {"vbokcancel", {Ok, Cancel}, {}}, {"vbcontinuecancel", {{"Continue", 6}, Cancel}, {2}},
      {"vbyes+vbno", {Yes, No}, {}}, {"vbok+vbok", {Ok, Ok}, {}}, {"vbcustom", {Ok}, {10}},
      {"vbretrycancel+vbtrash", {Retry, Cancel}, {6}}, {"vbyesnocancel+vbabortretryignore", {Yes, No, Cancel}, {}},
      {"++vbok+ \t+vbprint+vblighton+", {Ok}, {7, 8}}, {"vb ok+vbokvbcancel+vbquestion+", {Ok}, {0}},
      {"vbexclamation+vberror+vbno", {No}, {1, 3}},
  };
  for (const auto& [style, buttons, pictures] : cases) {
    const MsgStyle parsed = ParseMsgStyle(style);
    EXPECT_EQ(parsed.buttons, buttons) << style;
    std::vector<int> shown;
    for (int i = 0; i < MsgPictureSlots; ++i) {
      if (parsed.pictures[i]) shown.push_back(i);
    }
    EXPECT_EQ(shown, pictures) << style;
  }
}

// The real window, driven like a user while MsgboxA waits.
class MsgFormWindow : public ::testing::Test {
 protected:
  QPushButton* Cmd(int i) { return form.findChild<QPushButton*>(QStringLiteral("cmd_%1").arg(i)); }

  // Runs MsgboxA and acts on the open box; a box left open is closed and reported.
  int Answer(const std::string& text, const std::string& style, const std::function<void()>& act) {
    bool ran = false;
    QTimer::singleShot(0, &form, [&] {
      ran = true;
      EXPECT_TRUE(form.isVisible());
      act();
      if (form.isVisible()) {
        ADD_FAILURE() << "the box is still open";
        form.close();
      }
    });
    const int code = form.MsgboxA(text, style);
    EXPECT_TRUE(ran);
    EXPECT_FALSE(form.isVisible());
    return code;
  }

  void Key(int key) {
    QWidget* target = form.focusWidget() != nullptr ? form.focusWidget() : &form;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier), release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    if (form.isVisible()) QApplication::sendEvent(target, &release);
  }

  static void Click(QWidget* w, Qt::MouseButton button = Qt::LeftButton) {
    const QPointF at(w->width() / 2.0, w->height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), button, button, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), button, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
  }

  MsgForm form;
};

TEST_F(MsgFormWindow, EachButtonAnswersItsCodeFromACentredRow) {
  const std::tuple<const char*, std::vector<const char*>, std::vector<int>, int> cases[] = {
      {"vbYesNo+vbquestion", {"Yes", "No"}, {6, 7}, 0},  // style, captions, codes, picture
      {"vbok+vbhappy", {"Ok"}, {1}, 5}, {"vbcustom", {"Ok"}, {1}, 10}, {"vbnormal", {"Ok"}, {0}, -1},
      {"vbcontinuecancel", {"Continue", "Cancel"}, {6, 2}, 2},
      {"vbabortretryignore+vbexclamation", {"Abort", "Retry", "Ignore"}, {3, 4, 5}, 1},
      {"vbok+vbok+vbok+vbcancel", {"Ok", "Ok", "Ok"}, {1, 1, 1}, -1},
  };
  for (const auto& [style, captions, codes, picture] : cases) {
    SCOPED_TRACE(style);
    const int count = static_cast<int>(captions.size());
    for (int pressed = 0; pressed < count; ++pressed) {
      const int code = Answer("Go on?", style, [&] {
        const int w = Px(885);
        EXPECT_EQ(Cmd(0)->x(), (form.width() - count * w) / 2);
        for (int i = 0; i < 3; ++i) {
          ASSERT_EQ(Cmd(i)->isVisible(), i < count) << i;
          if (i >= count) continue;
          EXPECT_EQ(Cmd(i)->text().toStdString(), captions[i]);
          EXPECT_EQ(Cmd(i)->x(), Cmd(0)->x() + i * w);
          EXPECT_EQ(Cmd(i)->width(), w);
        }
        for (int slot = 0; slot < IconSlots; ++slot) {
          EXPECT_EQ(form.findChild<QWidget*>(QStringLiteral("icons_%1").arg(slot))->isVisible(), slot == picture)
              << slot;
        }
        Click(Cmd(pressed));
      });
      EXPECT_EQ(code, codes[pressed]) << "button " << pressed;
      EXPECT_EQ(form.ResultCode(), codes[pressed]);
    }
  }
}

TEST_F(MsgFormWindow, FocusStartsLeftArrowsMoveItEnterPresses) {
  const std::tuple<const char*, std::vector<int>, int> cases[] = {  // style, keys, code
      {"vbYesNo+vbquestion", {Qt::Key_Return}, 6}, {"vbyesno", {Qt::Key_Enter}, 6},
      {"vbnormal", {Qt::Key_Return}, 0}, {"", {Qt::Key_Return}, 1},
      {"vbyesnocancel", {Qt::Key_Right, Qt::Key_Return}, 7}, {"vbyesnocancel", {Qt::Key_Left, Qt::Key_Return}, 2},
      {"vbyesnocancel", {Qt::Key_Right, Qt::Key_Down, Qt::Key_Return}, 2},
      {"vbyesno", {Qt::Key_Right, Qt::Key_Right, Qt::Key_Return}, 6},
      {"vbyesno", {Qt::Key_Down, Qt::Key_Up, Qt::Key_Up, Qt::Key_Enter}, 7},
      {"vbok", {Qt::Key_Right, Qt::Key_Return}, 1},
      {"vbokcancel", {Qt::Key_Escape, Qt::Key_Space, Qt::Key_Tab, Qt::Key_A, Qt::Key_F4, Qt::Key_Return}, 1},
  };
  for (const auto& [style, keys, expected] : cases) {
    SCOPED_TRACE(style);
    const int code = Answer("Sure?", style, [&] {
      EXPECT_EQ(form.focusWidget(), Cmd(0));
      // The box stays open through all keys but the last.
      for (std::size_t i = 0; i < keys.size(); ++i) {
        Key(keys[i]);
        EXPECT_EQ(form.isVisible(), i + 1 < keys.size()) << "after key " << i;
      }
    });
    EXPECT_EQ(code, expected);
  }
}

TEST_F(MsgFormWindow, WidthIsThreeButtonsOrTheTextWithItsMargins) {
  int shortWidth = 0, shortHeight = 0;
  Answer("Done.", "vbok", [&] {
    shortWidth = form.width();
    shortHeight = form.height();
    Click(Cmd(0));
  });
  EXPECT_EQ(shortWidth, Px(2655));

  const std::string line(150, 'W');
  Answer(line + "\r\n" + "short", "vbyesno", [&] {
    const QLabel* label = form.findChild<QLabel*>(QStringLiteral("Label1"));
    EXPECT_GT(form.width(), Px(2655));
    EXPECT_EQ(form.width(), 2 * Px(840) + label->width());
    EXPECT_EQ(label->x(), Px(840));
    EXPECT_GE(label->width(), QFontMetrics(form.font()).horizontalAdvance(QString::fromStdString(line)));
    // Two lines, not three: "\r\n" is one break.
    EXPECT_EQ(form.height() - shortHeight, QFontMetrics(form.font()).lineSpacing());
    Click(Cmd(1));
  });
}

TEST_F(MsgFormWindow, AnyMouseButtonAnswers) {
  for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton, Qt::LeftButton})
    EXPECT_EQ(Answer("Save?", "vbyesno", [&] { Click(Cmd(1), button); }), 7) << button;
}

TEST_F(MsgFormWindow, EachCallStartsOnTheLeftButtonAndClosingAnswersZeroButKeepsTheLastCode) {
  EXPECT_EQ(Answer("One", "vbyesno", [&] { Click(Cmd(1)); }), 7);
  EXPECT_EQ(Answer("Two", "vbyesno", [&] { Key(Qt::Key_Return); }), 6);
  EXPECT_EQ(form.ResultCode(), 6);
  EXPECT_EQ(Answer("Three", "vbokcancel", [&] { Click(Cmd(1)); }), 2);
  EXPECT_EQ(Answer("Four", "vbokcancel", [&] { form.close(); }), 0);
  EXPECT_EQ(form.ResultCode(), 2);
}

TEST_F(MsgFormWindow, BlackButtonColourMeansTheDialogColour) {
  form.SetPaletteButtonColour(RGB(10, 120, 200));
  Answer("Hi", "vbok", [&] { Click(Cmd(0)); });
  EXPECT_EQ(Cmd(0)->palette().color(QPalette::Button), QColor(10, 120, 200));
  form.SetButtonColour(RGB(200, 0, 0));
  Answer("Hi", "vbok", [&] { Click(Cmd(0)); });
  EXPECT_EQ(Cmd(0)->palette().color(QPalette::Button), QColor(200, 0, 0));
}

TEST_F(MsgFormWindow, InstalledAnswererAnswersWithoutShowingTheBox) {
  Answers answerer;
  answerer.codes = {7};
  ScopedAnswerer scoped(answerer);
  bool shown = false;
  QTimer::singleShot(0, &form, [&] { shown = form.isVisible(); });
  EXPECT_EQ(form.MsgboxA("Delete puzzle 3?", "vbYesNo+vbquestion"), 7);
  QApplication::processEvents();
  EXPECT_FALSE(shown);
  EXPECT_EQ(answerer.messages, (std::vector<std::pair<std::string, std::string>>{{"Delete puzzle 3?", "vbYesNo+vbquestion"}}));
  EXPECT_EQ(form.ResultCode(), 0);
}

}  // namespace
}  // namespace kelvane::ui
