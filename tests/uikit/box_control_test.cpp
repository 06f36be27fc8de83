// Tests of BoxControl: mouse codes and positions, the held border, disabling, and what it draws.
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QTest>
#include <string>
#include <tuple>
#include <vector>

#include "uikit/box_control.h"
#include "uikit/twips.h"

namespace kelvane::ui {
namespace {

class BoxControlTest : public ::testing::Test {
 protected:
  BoxControlTest() {
    box.resize(Px(360), Px(360));
    box.SetBackcolor(RGB(0, 0, 255));
    const auto record = [this](const char* what) {
      return [this, what](int b, int s, double x, double y) {
        events.push_back(QString::asprintf("%s %d %d %d %d", what, b, s, int(x), int(y)).toStdString());
      };
    };
    QObject::connect(&box, &BoxControl::MouseDown, record("down"));
    QObject::connect(&box, &BoxControl::MouseUp, record("up"));
  }

  QImage Picture() { return box.grab().toImage().convertToFormat(QImage::Format_RGB32); }

  BoxControl box;
  std::vector<std::string> events;
};

// The last row is the box at twice the design size: positions stay in design twips.
TEST_F(BoxControlTest, MouseReportsButtonShiftAndTwipsAndShowsTheBorderWhileHeldUnlessDisabled) {
  const std::tuple<Qt::MouseButton, Qt::KeyboardModifiers, double, const char*> rows[] = {  // button, keys, scale
      {Qt::LeftButton, Qt::NoModifier, 1, "1 0"},
      {Qt::RightButton, Qt::ShiftModifier, 1, "2 1"},
      {Qt::MiddleButton, Qt::AltModifier, 1, "4 4"},
      {Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier, 1, "1 6"},
      {Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier, 1, "2 7"},
      {Qt::LeftButton, Qt::NoModifier, 2, "1 0"},
  };
  for (const auto& [button, mods, scale, codes] : rows) {
    SCOPED_TRACE(codes);
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
    const QPoint at = QPoint(6, 3) * scale;
    QTest::mousePress(&box, button, mods, at);
    EXPECT_EQ(Picture().pixelColor(0, mid), QColor(Qt::black));
    EXPECT_EQ(Picture().pixelColor(right, mid), QColor(Qt::black));
    QTest::mouseRelease(&box, button, mods, at);
    EXPECT_EQ(Picture(), up);
    const std::string args = std::string(codes) + " 90 45";
    EXPECT_EQ(events, (std::vector<std::string>{"down " + args, "up " + args}));
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

TEST_F(BoxControlTest, PictureSitsALittleAboveAndLeftOfCentreUntilCleared) {
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
