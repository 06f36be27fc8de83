// The browse screen for real: paging, keys, picking by mouse, the caption, printing, thumbnails and layout.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "output/browse_screen_qt.h"
#include "output/grid_drawing.h"
#include "uikit/box_control.h"
#include "uikit/msg_form.h"
#include "uikit/twips.h"
#include "window_fixture.h"

namespace kelvane::ui {
namespace {

// Records #1..#count of side `size`, numbers on odd rows and columns, the middle cell marked.
std::string Puzzles(int count, int size) {
  std::string grid;
  for (int i = 0; i < size * size; ++i)
    grid += (i / size) % 2 == 0 && (i % size) % 2 == 0 ? static_cast<char>('1' + i % 9) : '-';
  const int middle = (size * size + 1) / 2;
  std::string text;
  for (int k = 1; k <= count; ++k)
    text += FormatRecord(k, k % 2 == 0, size, 2, middle, grid, "1,3, " + std::to_string(middle));
  return text;
}

class BrowseScreenTest : public ::testing::Test {
 protected:
  void Open(int count, int size = 5) {
    const std::string path = dir.File("p.kvl");
    test::WriteFile(path, Puzzles(count, size));
    g.CurrentFile = path;
    g.PuzzleCount = CountPuzzles(g.Files, path);
    for (int i = 0; i < 14; ++i) g.Palette[i] = RGB(10 + 15 * i, 240 - 12 * i, 90 + 5 * i);
    g.ThumbMarkedColour = RGB(120, 20, 160);
    g.MarkedCellBackColour = RGB(200, 0, 0);
    g.BrowseFirst = 25;
    screen = std::make_unique<BrowseScreen>(g, messages, [this](int n) { picked.push_back(n); });
    screen->OpenAtFirstPage();
    screen->show();
  }
  BoxControl* Arrow(int i) { return screen->findChild<BoxControl*>(QString("arrows_%1").arg(i)); }
  void Press(int i, Qt::MouseButton button = Qt::LeftButton) { QTest::mouseClick(Arrow(i), button); }
  QString Label1() { return screen->findChild<QLabel*>("Label1")->text(); }
  // The window pixel of a design point, at the screen's scale.
  QPoint Pixel(double x, double y) {
    const double s = screen->Scale();
    return screen->DesignOrigin() + QPoint(Px(x, s), Px(y, s));
  }
  void ClickAt(double x, double y, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(screen.get(), button, Qt::NoModifier, Pixel(x, y));
  }
  // Wider than tall shifts the designed area right of the window's corner.
  void ResizeTo(double scale, double wider = 1.0) {
    screen->resize(Px(BrowseScreen::DesignWidth, scale * wider), Px(BrowseScreen::DesignHeight, scale));
  }
  std::vector<CanvasCall> Titles() {
    std::vector<CanvasCall> out;
    for (const CanvasCall& c : screen->Page().Of(CanvasCall::Kind::Text))
      if (c.text.rfind("Puz#", 0) == 0) out.push_back(c);
    return out;
  }

  test::TempDir dir;
  Answers answers;
  ScopedAnswerer scoped{answers};
  MsgForm messages;
  GameState g;
  std::vector<int> picked;
  std::unique_ptr<BrowseScreen> screen;
};

TEST_F(BrowseScreenTest, OpensAtPageOneAndPagesThroughFortyWithEitherButton) {
  Open(40);
  EXPECT_EQ(g.BrowseFirst, 1);
  EXPECT_EQ(screen->windowTitle(), "Total Puzzles = 40");
  EXPECT_EQ(Label1(), "Left-Click to see Title. Right-click to select puzzle");
  std::vector<int> firsts;
  for (auto [arrow, button] : std::vector<std::pair<int, Qt::MouseButton>>{
           {2, Qt::LeftButton}, {2, Qt::RightButton}, {2, Qt::LeftButton}, {2, Qt::RightButton},
           {0, Qt::LeftButton}, {0, Qt::RightButton}, {0, Qt::LeftButton}}) {
    Press(arrow, button);
    firsts.push_back(g.BrowseFirst);
  }
  EXPECT_EQ(firsts, (std::vector<int>{17, 33, 25, 25, 9, 1, 1}));
  EXPECT_EQ(Label1(), "");
}

TEST_F(BrowseScreenTest, KeysPageAndEscapeCloses) {
  Open(40);
  for (auto [key, first] : std::vector<std::pair<Qt::Key, int>>{
           {Qt::Key_PageDown, 17}, {Qt::Key_End, 25}, {Qt::Key_PageUp, 9}, {Qt::Key_Home, 1}}) {
    QTest::keyClick(screen.get(), key);
    EXPECT_EQ(g.BrowseFirst, first) << key;
  }
  QTest::keyClick(screen.get(), Qt::Key_Escape);
  EXPECT_FALSE(screen->isVisible());
  EXPECT_TRUE(picked.empty());
}

TEST_F(BrowseScreenTest, LastPageOfTwentyStartsAtFiveAndSixteenIgnoreAllButClose) {
  Open(20);
  Press(3);
  EXPECT_EQ(g.BrowseFirst, 5);
  const std::vector<CanvasCall> titles = Titles();
  ASSERT_EQ(titles.size(), 16u);
  EXPECT_EQ(titles.front().text + " " + titles.back().text, "Puz#5 Hard Puz#20 Easy");

  Open(16);
  for (int i : {0, 1, 2, 3, 4, 6}) Press(i);
  EXPECT_EQ(g.BrowseFirst, 1);
  EXPECT_TRUE(answers.messages.empty());
  EXPECT_EQ(Titles().size(), 16u);
  ASSERT_TRUE(screen->isVisible());
  Press(5);
  EXPECT_FALSE(screen->isVisible());
}

TEST_F(BrowseScreenTest, RandomPageStaysInsideTheFile) {
  Open(40);
  std::set<int> seen;
  for (int k = 0; k < 200; ++k) {
    Press(4);
    ASSERT_TRUE(g.BrowseFirst >= 1 && g.BrowseFirst <= 39) << g.BrowseFirst;
    ASSERT_EQ(Titles().front().text.rfind("Puz#" + std::to_string(g.BrowseFirst) + " ", 0), 0u);
    seen.insert(g.BrowseFirst);
  }
  EXPECT_GT(seen.size(), 10u);
}

TEST_F(BrowseScreenTest, ClickPicksTheThumbnailUnderTheMouseAtAnyScale) {
  for (double scale : {1.0, 2.0}) {
    Open(40);
    ResizeTo(scale, 1.6);
    EXPECT_NEAR(screen->Scale(), scale, 0.01);
    Press(2);
    picked.clear();
    ClickAt(1900, 2400, scale == 1.0 ? Qt::LeftButton : Qt::RightButton);
    EXPECT_EQ(picked, std::vector<int>{22}) << scale;
    EXPECT_EQ(Label1(), "22");
    EXPECT_FALSE(screen->isVisible());
  }
}

TEST_F(BrowseScreenTest, ClickBeyondTheCountOrBesideTheGridPicksNothing) {
  Open(40);
  Press(2);
  Press(2);
  ASSERT_EQ(g.BrowseFirst, 33);
  ClickAt(5600, 6500);  // row 4, col 4: 48
  ClickAt(900, 4500);   // row 3, col 1: 41
  ClickAt(8000, 1000);  // right of column 4
  ClickAt(900, 250);    // above row 1
  EXPECT_TRUE(picked.empty());
  EXPECT_TRUE(screen->isVisible());
  ClickAt(5600, 2400);  // row 2, col 4
  EXPECT_EQ(picked, std::vector<int>{40});
}

TEST_F(BrowseScreenTest, PrintAsksAndHandsTheWindowImageOver) {
  Open(40);
  std::vector<QSize> printed;
  bool prints = false;
  screen->SetPrintImage([&](const QImage& image) {
    printed.push_back(image.size());
    return prints;
  });
  answers.codes = {7, 6, 6};
  Press(6);
  EXPECT_TRUE(printed.empty());
  ASSERT_EQ(answers.messages.size(), 1u);
  EXPECT_EQ(answers.messages[0], std::make_pair(std::string("Print this screen?"), std::string("vbYesNo+vbquestion")));
  // A print that failed or was cancelled in the chooser is no "Done".
  Press(6, Qt::RightButton);
  EXPECT_EQ(printed, std::vector<QSize>{screen->size()});
  ASSERT_EQ(answers.messages.size(), 2u);
  prints = true;
  Press(6);
  ASSERT_EQ(answers.messages.size(), 4u);
  EXPECT_EQ(answers.messages[3], std::make_pair(std::string("Done"), std::string("vbok+vbinformation")));
}

TEST_F(BrowseScreenTest, NineByNineThumbnailsSitInTheirFrames) {
  Open(3, 9);
  // The cells inside the frame, 1575 wide: grid_drawing_test.cpp.
  std::vector<CanvasCall> frames, cells;
  for (const CanvasCall& c : screen->Page().Of(CanvasCall::Kind::Box))
    (c.colour == g.MarkedCellBackColour ? cells : frames).push_back(c);
  ASSERT_EQ(frames.size(), 3u);
  ASSERT_EQ(cells.size(), 3u * 81);
  EXPECT_EQ(std::make_pair(frames[1].x1, frames[1].y2), std::make_pair(1850, 2250));  // thumbnail 2: x0 1950, y0 400
  EXPECT_EQ(std::make_pair(cells[81].x1, cells[81].y1), std::make_pair(1950, 600));
  const CanvasCall title = Titles()[1];
  EXPECT_EQ(title.text, "Puz#2 Easy");
  EXPECT_EQ(std::make_pair(title.x1, title.y1), std::make_pair(1950, 400));
}

TEST_F(BrowseScreenTest, PaintsTheMarkedCellsWhereThePageSaysAtTheWindowScale) {
  Open(3, 9);
  for (double scale : {1.0, 1.6}) {
    ResizeTo(scale, 1.4);
    const QImage image = screen->grab().toImage();
    std::vector<QRect> marked;  // the middle cell: x0 + 700, y0 + 900, 155 twips square
    for (int x : {850, 2650, 4450}) marked.push_back(QRect(Pixel(x, 1300), Pixel(x + 155, 1455)).adjusted(-1, -1, 1, 1));
    int inside = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (image.pixelColor(x, y) == ToQColor(g.ThumbMarkedColour)) {
          ASSERT_TRUE(std::any_of(marked.begin(), marked.end(), [&](const QRect& r) { return r.contains(x, y); }))
              << x << "," << y << " at " << scale;
          ++inside;
        }
    const double side = 155 * screen->Scale() / TwipsPerPixel;
    EXPECT_GT(inside, 3 * side * side / 2) << scale;
    EXPECT_EQ(image.pixelColor(Pixel(7400, 4000)), ToQColor(g.Palette[2])) << scale;
  }
}

TEST_F(BrowseScreenTest, ButtonsFitTheSmallestWindowAndTakeTheDialogColour) {
  Open(40);
  screen->resize(screen->minimumSize());
  for (int i = 0; i < 7; ++i) {
    EXPECT_TRUE(screen->rect().contains(Arrow(i)->geometry())) << i;
    EXPECT_EQ(Arrow(i)->Backcolor(), g.Palette[DialogColourSlot]) << i;
  }
  EXPECT_EQ(Arrow(6)->geometry().topLeft(), Pixel(8730, 600));
  EXPECT_EQ(screen->findChild<QLabel*>("Label1")->palette().color(QPalette::Window), ToQColor(g.Palette[4]));
  for (const CanvasCall& c : screen->Page().Of(CanvasCall::Kind::Box))
    EXPECT_TRUE(c.x2 <= BrowseScreen::DesignWidth && c.y2 <= BrowseScreen::DesignHeight);
}

TEST_F(BrowseScreenTest, AFileThatGrowsOrShrinksWhileBrowsedIsCountedAfresh) {
  Open(20);
  test::WriteFile(g.CurrentFile, Puzzles(40, 5));  // another program appended twenty
  Press(3);
  EXPECT_EQ(g.PuzzleCount, 40);
  EXPECT_EQ(g.BrowseFirst, 25);
  EXPECT_EQ(screen->windowTitle(), "Total Puzzles = 40");
  ASSERT_EQ(Titles().size(), 16u);
  EXPECT_EQ(Titles().back().text, "Puz#40 Easy");

  test::WriteFile(g.CurrentFile, Puzzles(10, 5));  // and cut it back to ten
  Press(0);
  EXPECT_EQ(g.PuzzleCount, 10);
  EXPECT_EQ(g.BrowseFirst, 1);
  EXPECT_EQ(Titles().size(), 10u);
  ClickAt(50 + 7150 * 3.5 / 4, 429 + 7480 * 3.5 / 4);  // where puzzle 16 was
  EXPECT_TRUE(picked.empty());
}

TEST_F(BrowseScreenTest, TwoHundredThousandPuzzlesPageToTheEnd) {
  Open(200000, 9);
  Press(3);
  EXPECT_EQ(g.BrowseFirst, 199985);
  ASSERT_EQ(Titles().size(), 16u);
  EXPECT_EQ(Titles().front().text, "Puz#199985 Hard");
  EXPECT_EQ(Titles().back().text, "Puz#200000 Easy");
}

}  // namespace
}  // namespace kelvane::ui
