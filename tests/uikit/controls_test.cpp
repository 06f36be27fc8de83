// The kit's controls for real: the button box, the message box (its style grammar as shown, keys, mouse and
// size) and the file chooser.
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <tuple>

#include "modal_answers.h"
#include "test_support.h"
#include "uikit/box_control.h"
#include "uikit/fn_dialog.h"
#include "uikit/icons.h"
#include "uikit/msg_form.h"
#include "uikit/msg_style.h"
#include "uikit/twips.h"

namespace kelvane::ui {
namespace {

class BoxControlTest : public ::testing::Test {
 protected:
  BoxControlTest() {
    box.SetBackcolor(RGB(0, 0, 255));
    const auto record = [this](const char* what) {
      return [this, what](int b, int, double, double) { events.push_back(what + (" " + std::to_string(b))); };
    };
    QObject::connect(&box, &BoxControl::MouseDown, record("down"));
    QObject::connect(&box, &BoxControl::MouseUp, record("up"));
  }

  QImage Picture() { return box.grab().toImage().convertToFormat(QImage::Format_RGB32); }

  BoxControl box;
  std::vector<std::string> events;
};

// The second row is the box at twice the design size.
TEST_F(BoxControlTest, MouseReportsTheButtonAndShowsTheBorderWhileHeldUnlessDisabled) {
  for (const auto& [button, scale, code] : {std::tuple{Qt::LeftButton, 1.0, 1}, {Qt::RightButton, 2.0, 2}}) {
    SCOPED_TRACE(code);
    box.SetScale(scale);
    box.resize(Px(360, scale), Px(360, scale));
    const int mid = box.height() / 2, right = box.width() - 1, inset = Px(20, scale);
    events.clear();
    // Raised: white left edge, black a little inside the right and bottom.
    const QImage up = Picture();
    EXPECT_EQ(up.pixelColor(0, mid), QColor(Qt::white));
    EXPECT_EQ(up.pixelColor(right - inset, mid), QColor(Qt::black));
    EXPECT_EQ(up.pixelColor(mid, box.height() - 1 - inset), QColor(Qt::black));
    EXPECT_EQ(up.pixelColor(right, mid), QColor(0, 0, 255));
    QTest::mousePress(&box, button);
    EXPECT_EQ(Picture().pixelColor(0, mid), QColor(Qt::black));
    EXPECT_EQ(Picture().pixelColor(right, mid), QColor(Qt::black));
    QTest::mouseRelease(&box, button);
    EXPECT_EQ(Picture(), up);
    EXPECT_EQ(events, (std::vector<std::string>{"down " + std::to_string(code), "up " + std::to_string(code)}));
  }
  // Other buttons report nothing; nor does any while disabled, as during a batch, nor show the border.
  events.clear();
  QTest::mousePress(&box, Qt::BackButton);
  EXPECT_EQ(box.BorderStyle(), 0);
  QTest::mouseRelease(&box, Qt::BackButton);
  box.SetEnabled(false);
  for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton}) {
    QTest::mousePress(&box, b);
    EXPECT_EQ(box.BorderStyle(), 0);
    QTest::mouseRelease(&box, b);
  }
  EXPECT_TRUE(events.empty());
  box.SetEnabled(true);
  QTest::mouseClick(&box, Qt::LeftButton);
  EXPECT_EQ(events.size(), 2u);
}

const MsgButton Ok{"Ok", 1}, Cancel{"Cancel", 2}, Retry{"Retry", 4}, Yes{"Yes", 6}, No{"No", 7};

// The real window, driven like a user while MsgboxA waits.
class MsgFormWindow : public ::testing::Test {
 protected:
  QPushButton* Cmd(int i) { return form.findChild<QPushButton*>(QStringLiteral("cmd_%1").arg(i)); }

  // Runs MsgboxA and acts on the open box.
  int Answer(const std::string& text, const std::string& style, const std::function<void()>& act) {
    WhenOpen<MsgForm>([&](MsgForm&) { act(); });
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
        for (int slot = 0; slot < IconSlots; ++slot)
          if (form.findChild<QWidget*>(QStringLiteral("icons_%1").arg(slot))->isVisible()) shown.push_back(slot);
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
        if (keys[i] == 0) form.close();
        else Key(keys[i]);
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

// The real dialog; the current folder stays as it was.
TEST(FNDialogReal, ShowsTheRequestAndGivesTheFullPathOrEmptyOnCancel) {
  const QString here = QDir::currentPath();
  test::TempDir other;
  FNDialog chooser;
  chooser.SetUseNativeDialog(false);
  // Runs GetFileName and acts on the dialog once it is up.
  const auto run = [&](const std::string& mode, const std::function<void(QFileDialog&)>& act) {
    WhenOpen<QFileDialog>(act);
    return chooser.GetFileName(mode);
  };

  EXPECT_EQ(run("OPEN", [](QFileDialog& d) {
              EXPECT_EQ(d.acceptMode(), QFileDialog::AcceptOpen);
              d.reject();
            }),
            "");
  test::WriteFile(other.File("old.kvl"), "x");
  chooser.SetTitle("Save puzzles as");
  chooser.SetFileTypes("*.kvl;*.txt");
  chooser.SetFileTypesName("Kelvane Files");
  chooser.SetDefaultDir(other.Path().string());  // no trailing slash
  const std::string chosen = run("SAVE", [&](QFileDialog& d) {
    EXPECT_EQ(d.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(d.windowTitle(), QStringLiteral("Save puzzles as"));
    EXPECT_EQ(d.nameFilters(), QStringList{QStringLiteral("Kelvane Files (*.kvl *.txt)")});
    EXPECT_EQ(QDir(d.directory()).canonicalPath(), QDir(QString::fromStdString(other.Folder())).canonicalPath());
    // Choosing a file that exists asks nothing; a question would stop the accept below.
    ASSERT_TRUE(d.testOption(QFileDialog::DontConfirmOverwrite));
    d.selectFile(QStringLiteral("old.kvl"));
    static_cast<QDialog&>(d).accept();  // the file dialog's own accept runs
  });
  EXPECT_EQ(QString::fromStdString(chosen), QDir(QString::fromStdString(other.Folder())).absoluteFilePath("old.kvl"));
  EXPECT_EQ(QDir::currentPath(), here);
}

}  // namespace
}  // namespace kelvane::ui
