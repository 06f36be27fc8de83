// The browse screen for real: paging, keys, picking by mouse at any scale, printing and files that change.
#include <QImage>
#include <set>

#include "output/browse_screen_qt.h"
#include "uikit/twips.h"
#include "window_fixture.h"

namespace kelvane::ui {
namespace {

struct BrowseScreenTest : DialogTest {
  GameState g;
  std::vector<int> picked;
  std::unique_ptr<BrowseScreen> screen;

  void Open(int count) {
    g.CurrentFile = dir.File("p.kvl");
    test::WriteFile(g.CurrentFile, records(count));
    g.PuzzleCount = CountPuzzles(g.Files, g.CurrentFile);
    for (int i = 0; i < 14; ++i) g.Palette[i] = RGB(10 + 15 * i, 240 - 12 * i, 90 + 5 * i);
    g.BrowseFirst = 25;
    screen = std::make_unique<BrowseScreen>(g, messages, [this](int n) { picked.push_back(n); });
    root = screen.get();
    screen->OpenAtFirstPage();
    screen->show();
  }
  BoxControl* Arrow(int i) { return screen->findChild<BoxControl*>(QString("arrows_%1").arg(i)); }
  void Press(int i, Qt::MouseButton button = Qt::LeftButton) { QTest::mouseClick(Arrow(i), button); }
  // A click on the window at a design point, at the screen's scale.
  void ClickAt(double x, double y, Qt::MouseButton button = Qt::LeftButton) {
    const double s = screen->Scale();
    QTest::mouseClick(screen.get(), button, Qt::NoModifier, screen->DesignOrigin() + QPoint(Px(x, s), Px(y, s)));
  }
  std::vector<std::string> Titles() {
    std::vector<std::string> out;
    for (const CanvasCall& c : screen->Page().Of(CanvasCall::Kind::Text))
      if (c.text.rfind("Puz#", 0) == 0) out.push_back(c.text);
    return out;
  }
};

TEST_F(BrowseScreenTest, ButtonsAndKeysPageThroughFortyAndTheRandomPageStaysInside) {
  Open(40);
  EXPECT_EQ(g.BrowseFirst, 1);
  const struct {
    int arrow;  // -1: the key
    Qt::MouseButton button;
    Qt::Key key;
    int first;
  } steps[] = {{2, Qt::LeftButton, {}, 17},      {2, Qt::RightButton, {}, 33}, {2, Qt::LeftButton, {}, 25},
               {2, Qt::RightButton, {}, 25},     {0, Qt::LeftButton, {}, 9},   {0, Qt::RightButton, {}, 1},
               {0, Qt::LeftButton, {}, 1},       {3, Qt::LeftButton, {}, 25},  {-1, {}, Qt::Key_Home, 1},
               {-1, {}, Qt::Key_PageDown, 17}, {-1, {}, Qt::Key_End, 25},    {-1, {}, Qt::Key_PageUp, 9}};
  for (const auto& step : steps) {
    if (step.arrow < 0) QTest::keyClick(screen.get(), step.key);
    else Press(step.arrow, step.button);
    EXPECT_EQ(g.BrowseFirst, step.first) << step.arrow << " " << step.key;
    EXPECT_EQ(Titles().at(0), "Puz#" + std::to_string(step.first) + (step.first % 2 ? " Hard" : " Easy"));
  }
  std::set<int> seen;  // the random page
  for (int k = 0; k < 100; ++k) {
    Press(4);
    ASSERT_TRUE(g.BrowseFirst >= 1 && g.BrowseFirst <= 39) << g.BrowseFirst;
    seen.insert(g.BrowseFirst);
  }
  EXPECT_GT(seen.size(), 10u);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(Arrow(i)->Backcolor(), g.Palette[DialogColourSlot]) << i;
  QTest::keyClick(screen.get(), Qt::Key_Escape);
  EXPECT_FALSE(screen->isVisible());
  EXPECT_TRUE(picked.empty());
}

TEST_F(BrowseScreenTest, AClickPicksTheThumbnailUnderTheMouseAtAnyScaleAndOnlyThere) {
  for (double scale : {1.0, 2.0}) {
    SCOPED_TRACE(scale);
    Open(40);
    // Wider than tall shifts the designed area right of the window's corner.
    screen->resize(Px(BrowseScreen::DesignWidth, scale * 1.6), Px(BrowseScreen::DesignHeight, scale));
    EXPECT_NEAR(screen->Scale(), scale, 0.01);
    Press(2);
    Press(2);
    ClickAt(5600, 6500);  // row 4, col 4: 48
    ClickAt(900, 4500);   // row 3, col 1: 41
    ClickAt(8000, 1000);  // right of column 4
    ClickAt(900, 250);    // above row 1
    EXPECT_TRUE(picked.empty());
    ASSERT_TRUE(screen->isVisible());
    ClickAt(1900, 2400, scale == 1.0 ? Qt::LeftButton : Qt::RightButton);  // row 2, col 2
    EXPECT_EQ(picked, std::vector<int>{38});
    EXPECT_EQ(Find<QLabel>("Label1")->text(), "38");
    EXPECT_FALSE(screen->isVisible());
    picked.clear();
  }
}

// A print that failed or was cancelled in the chooser still said "Done".
TEST_F(BrowseScreenTest, PrintAsksAndSaysDoneOnlyForAPrintedPage) {
  Open(40);
  std::vector<QSize> printed;
  bool prints = false;
  screen->SetPrintImage([&](const QImage& image) {
    printed.push_back(image.size());
    return prints;
  });
  answers.codes = {7, 6, 6};
  Press(6);  // No
  EXPECT_TRUE(printed.empty());
  Press(6, Qt::RightButton);  // the print fails
  EXPECT_EQ(printed, std::vector<QSize>{screen->size()});
  prints = true;
  Press(6);
  const Msg question{"Print this screen?", "vbYesNo+vbquestion"};
  EXPECT_TRUE(answers.Told({question, question, question, {"Done", "vbok+vbinformation"}}));
}

// The count from when the file was opened was used: new puzzles could not be reached, and empty frames were drawn.
TEST_F(BrowseScreenTest, AFileThatGrowsOrShrinksWhileBrowsedIsCountedAfresh) {
  Open(20);
  Press(3);
  EXPECT_EQ(Titles().front() + " " + Titles().back(), "Puz#5 Hard Puz#20 Easy");
  test::WriteFile(g.CurrentFile, records(40));
  Press(3);
  EXPECT_EQ(g.PuzzleCount, 40);
  EXPECT_EQ(screen->windowTitle(), "Total Puzzles = 40");
  EXPECT_EQ(Titles().size(), 16u);
  EXPECT_EQ(Titles().back(), "Puz#40 Easy");

  test::WriteFile(g.CurrentFile, records(10));
  Press(0);
  EXPECT_EQ(g.PuzzleCount, 10);
  EXPECT_EQ(g.BrowseFirst, 1);
  EXPECT_EQ(Titles().size(), 10u);
  ClickAt(50 + 7150 * 3.5 / 4, 429 + 7480 * 3.5 / 4);  // where puzzle 16 was
  EXPECT_TRUE(picked.empty());
  // One page: every button but close leaves it as it is.
  for (int i : {0, 1, 2, 3, 4, 6}) Press(i);
  EXPECT_EQ(g.BrowseFirst, 1);
  EXPECT_TRUE(answers.messages.empty());
  Press(5);
  EXPECT_FALSE(screen->isVisible());
}

}  // namespace
}  // namespace kelvane::ui
