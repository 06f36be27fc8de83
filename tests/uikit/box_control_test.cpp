// Tests of BoxControl: mouse codes and positions, the held border, disabling, and what it draws.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <string>
#include <tuple>
#include <vector>

#include "uikit/box_control.h"
#include "uikit/twips.h"

namespace kelvane::ui {
namespace {

// Counts the paint events a widget receives.
struct PaintCounter : QObject {
  bool eventFilter(QObject*, QEvent* event) override { return paints += event->type() == QEvent::Paint, false; }
  int paints = 0;
};

class BoxControlTest : public ::testing::Test {
 protected:
  BoxControlTest() {
    box.resize(Px(360), Px(360));
    box.SetBackcolor(RGB(0, 0, 255));
    const auto record = [this](const char* what) {
      return [this, what](int b, int s, double x, double y) {
        events.push_back(std::string(what) + " " + std::to_string(b) + " " + std::to_string(s) + " " +
                         std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y)));
      };
    };
    QObject::connect(&box, &BoxControl::MouseDown, record("down"));
    QObject::connect(&box, &BoxControl::MouseUp, record("up"));
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

TEST_F(BoxControlTest, MouseReportsButtonShiftAndTwipsAndShowsTheBorderWhileHeld) {
  const std::tuple<Qt::MouseButton, Qt::KeyboardModifiers, const char*> cases[] = {  // button, keys, reported
      {Qt::LeftButton, Qt::NoModifier, "1 0 90 45"},
      {Qt::RightButton, Qt::ShiftModifier, "2 1 90 45"},
      {Qt::MiddleButton, Qt::AltModifier, "4 4 90 45"},
      {Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier, "1 6 90 45"},
      {Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier, "2 7 90 45"},
  };
  const int mid = box.height() / 2, right = box.width() - 1;
  for (const auto& [button, mods, args] : cases) {
    SCOPED_TRACE(args);
    events.clear();
    EXPECT_EQ(Picture().pixelColor(0, mid), QColor(Qt::white));
    Mouse(QEvent::MouseButtonPress, button, mods);
    EXPECT_EQ(box.BorderStyle(), 1);
    EXPECT_EQ(Picture().pixelColor(0, mid), QColor(Qt::black));
    EXPECT_EQ(Picture().pixelColor(right, mid), QColor(Qt::black));
    Mouse(QEvent::MouseButtonRelease, button, mods);
    EXPECT_EQ(box.BorderStyle(), 0);
    EXPECT_EQ(Picture().pixelColor(0, mid), QColor(Qt::white));
    EXPECT_EQ(Picture().pixelColor(right, mid), QColor(0, 0, 255));
    EXPECT_EQ(events, (std::vector<std::string>{std::string("down ") + args, std::string("up ") + args}));
  }
  // Other buttons report nothing.
  events.clear();
  Mouse(QEvent::MouseButtonPress, Qt::BackButton);
  EXPECT_EQ(box.BorderStyle(), 0);
  Mouse(QEvent::MouseButtonRelease, Qt::BackButton);
  EXPECT_TRUE(events.empty());
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
  const int w = image.width(), h = image.height(), inset = Px(20);
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
