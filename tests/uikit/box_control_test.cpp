// Tests of BoxControl: button codes, the held border and disabling.
#include <gtest/gtest.h>

#include <QImage>
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

}  // namespace
}  // namespace kelvane::ui
