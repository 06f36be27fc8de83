// Tests of BoxControl: mouse codes and positions, the held border, disabling, and what it draws.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <string>
#include <vector>

#include "uikit/box_control.h"
#include "uikit/twips.h"

namespace kelvane::ui {
namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
  int paints = 0;
};

class BoxControlTest : public ::testing::Test {
 protected:
  BoxControlTest() {
    box.resize(Px(360), Px(360));
    box.SetBackcolor(RGB(0, 0, 255));
    QObject::connect(&box, &BoxControl::MouseDown, [this](int b, int s, double x, double y) {
      events.push_back("down " + Args(b, s, x, y));
    });
    QObject::connect(&box, &BoxControl::MouseUp, [this](int b, int s, double x, double y) {
      events.push_back("up " + Args(b, s, x, y));
    });
  }

  static std::string Args(int b, int s, double x, double y) {
    return std::to_string(b) + " " + std::to_string(s) + " " + std::to_string(static_cast<int>(x)) + " " +
           std::to_string(static_cast<int>(y));
  }

  void Mouse(QEvent::Type type, Qt::MouseButton button, Qt::KeyboardModifiers mods = Qt::NoModifier,
             QPoint at = QPoint(6, 3)) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent e(type, QPointF(at), box.mapToGlobal(QPointF(at)), button, held, mods);
    QApplication::sendEvent(&box, &e);
  }

  QImage Picture() { return box.grab().toImage().convertToFormat(QImage::Format_RGB32); }

  BoxControl box;
  std::vector<std::string> events;
};

struct MouseCase {
  Qt::MouseButton button;
  Qt::KeyboardModifiers mods;
  const char* args;  // button, shift, x, y
};

class BoxControlMouse : public BoxControlTest, public ::testing::WithParamInterface<MouseCase> {};

TEST_P(BoxControlMouse, ReportButtonShiftAndTwipsAndShowTheBorderWhileHeld) {
  const MouseCase& c = GetParam();
  const int mid = box.height() / 2;
  EXPECT_EQ(Picture().pixelColor(0, mid), QColor(Qt::white));
  Mouse(QEvent::MouseButtonPress, c.button, c.mods);
  EXPECT_EQ(box.BorderStyle(), 1);
  EXPECT_EQ(Picture().pixelColor(0, mid), QColor(Qt::black));
  EXPECT_EQ(Picture().pixelColor(box.width() - 1, mid), QColor(Qt::black));
  Mouse(QEvent::MouseButtonRelease, c.button, c.mods);
  EXPECT_EQ(box.BorderStyle(), 0);
  EXPECT_EQ(Picture().pixelColor(0, mid), QColor(Qt::white));
  EXPECT_EQ(Picture().pixelColor(box.width() - 1, mid), QColor(0, 0, 255));
  EXPECT_EQ(events, (std::vector<std::string>{std::string("down ") + c.args, std::string("up ") + c.args}));
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, BoxControlMouse,
    ::testing::Values(MouseCase{Qt::LeftButton, Qt::NoModifier, "1 0 90 45"},
                      MouseCase{Qt::RightButton, Qt::NoModifier, "2 0 90 45"},
                      MouseCase{Qt::MiddleButton, Qt::AltModifier, "4 4 90 45"},
                      MouseCase{Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier, "2 3 90 45"},
                      MouseCase{Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier,
                                "1 7 90 45"}));

TEST_F(BoxControlTest, OtherMouseButtonsReportNothing) {
  Mouse(QEvent::MouseButtonPress, Qt::BackButton);
  Mouse(QEvent::MouseButtonRelease, Qt::BackButton);
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(box.BorderStyle(), 0);
}

TEST_F(BoxControlTest, PositionsAreTwipsOfTheDesignSize) {
  box.SetScale(2);
  box.resize(Px(360, 2), Px(360, 2));
  Mouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::NoModifier, QPoint(12, 30));
  EXPECT_EQ(events, std::vector<std::string>{"down 1 0 90 225"});
}

TEST_F(BoxControlTest, DisabledIgnoresTheMouseAndDoesNotRepaint) {
  box.show();
  QApplication::processEvents();
  PaintCounter counter;
  box.installEventFilter(&counter);
  box.SetEnabled(false);
  QApplication::processEvents();
  EXPECT_EQ(counter.paints, 0);

  for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton}) {
    Mouse(QEvent::MouseButtonPress, b);
    EXPECT_EQ(box.BorderStyle(), 0);
    Mouse(QEvent::MouseButtonRelease, b);
  }
  EXPECT_TRUE(events.empty());

  box.SetCaption("A");
  QApplication::processEvents();
  EXPECT_GT(counter.paints, 0);
  box.SetEnabled(true);
  Mouse(QEvent::MouseButtonPress, Qt::LeftButton);
  EXPECT_EQ(events.size(), 1u);
}

TEST_F(BoxControlTest, EmptyBoxIsBackgroundAndBevel) {
  const QImage image = Picture();
  const int w = image.width();
  const int h = image.height();
  const int inset = Px(20);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      QColor expected(0, 0, 255);
      if (x == 0 || y == 0) {
        expected = Qt::white;
      } else if ((x == w - 1 - inset && y >= inset && y <= h - 1 - inset) ||
                 (y == h - 1 - inset && x >= inset && x <= w - 1 - inset)) {
        expected = Qt::black;
      }
      ASSERT_EQ(image.pixelColor(x, y), expected) << x << "," << y;
    }
  }
}

TEST_F(BoxControlTest, PictureSitsALittleAboveAndLeftOfCentre) {
  QPixmap green(16, 16);
  green.fill(QColor(0, 255, 0));
  box.SetPicture(green);
  const QImage image = Picture();
  QRect found;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixelColor(x, y) == QColor(0, 255, 0)) found |= QRect(x, y, 1, 1);
    }
  }
  // (360 - 423 / 2) / 2 - 24 = 50.25 twips, about 3 pixels.
  EXPECT_EQ(found, QRect(3, 3, 16, 16));
  box.ClearPicture();
  EXPECT_EQ(Picture().pixelColor(10, 10), QColor(0, 0, 255));
}

}  // namespace
}  // namespace kelvane::ui
