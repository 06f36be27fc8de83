// Tests of the print layouts: the tables, square units on real pages, and grids that stay on the page and apart.
#include "output/page_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "output/grid_drawing.h"

namespace kelvane {
namespace {

struct Table {
  int code;
  Orientation orientation;
  double factor;
  double width;
  double height;
  std::vector<GridSlot> places;
  GridFonts fonts;
};

std::vector<GridSlot> Rows(int rows, int columns) {
  std::vector<GridSlot> places;
  for (int r = 1; r <= rows; ++r)
    for (int c = 1; c <= columns; ++c) places.push_back({1000 + 6000 * (c - 1), 2400 + 6800 * (r - 1)});
  return places;
}

const std::vector<Table>& Tables() {
  using enum Orientation;
  static const std::vector<Table> tables = {
      {1, Portrait, 0.55, 6362.4, 8778, {{1100, 1400}}, {14, 28, 10}},
      {2, Portrait, 1.0, 11568, 15960, {{1100, 1400}, {1100, 9700}}, {10, 18, 7}},
      {4, Portrait, 1.1, 12724.8, 17556, {{1500, 1800}, {7100, 1800}, {1500, 10400}, {7100, 10400}}, {8, 15, 7}},
      {6, Portrait, 1.15, 13303.2, 18354,
       {{1000, 1000}, {6800, 1000}, {1000, 6800}, {6800, 6800}, {1000, 12600}, {6800, 12600}}, {7, 14, 6}},
      {15, Landscape, 1.4, 30195.2, 22344, Rows(3, 5), {5, 8, 5}},
      {24, Landscape, 1.8, 38822.4, 28728, Rows(4, 6), {5, 8, 5}},
  };
  return tables;
}

// Printable areas in twips, portrait: the page the tables were drawn for,
// A4 with 10 mm margins, Letter with quarter-inch margins, A4 without margins.
const std::vector<PageSize> Printables = {{11568, 15960}, {10772, 15704}, {11520, 15120}, {11906, 16838}};

constexpr double Tolerance = 1e-6;

TEST(PageLayout, FileLayoutsFollowTheTables) {
  for (const Table& t : Tables()) {
    SCOPED_TRACE(t.code);
    EXPECT_TRUE(IsGridsPerPageCode(t.code));
    const std::optional<PageLayout> layout = FilePageLayout(t.code);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->orientation, t.orientation);
    EXPECT_DOUBLE_EQ(layout->factor, t.factor);
    EXPECT_NEAR(layout->scale.width, t.width, Tolerance);
    EXPECT_NEAR(layout->scale.height, t.height, Tolerance);
    EXPECT_EQ(layout->places, t.places);
    EXPECT_EQ(layout->fonts, t.fonts);
  }
  for (int code : {0, 3, 5, 14, 16, 25, -1}) {
    EXPECT_FALSE(IsGridsPerPageCode(code));
    EXPECT_FALSE(FilePageLayout(code));
    EXPECT_TRUE(PagePlan(code, 1, 5).empty());
  }
  EXPECT_EQ(FontSizesFor(3), (GridFonts{10, 18, 7}));
  EXPECT_EQ(FontSizesFor(16), (GridFonts{5, 8, 5}));
}

TEST(PageLayout, FitKeepsUnitsSquareAndTheWholeLayoutOnThePage) {
  for (const Table& t : Tables()) {
    const PageLayout layout = *FilePageLayout(t.code);
    for (const PageSize& portrait : Printables) {
      for (const PageSize& given : {portrait, PageSize{portrait.height, portrait.width}}) {
        SCOPED_TRACE(testing::Message() << t.code << " on " << given.width << " x " << given.height);
        const PageFit fit = FitPage(layout, given);
        ASSERT_TRUE(fit.ok);
        EXPECT_GE(fit.page.width + Tolerance, layout.scale.width);
        EXPECT_GE(fit.page.height + Tolerance, layout.scale.height);
        EXPECT_EQ(fit.page.width > fit.page.height, t.orientation == Orientation::Landscape);
        const bool widthBinds = std::abs(fit.page.width - layout.scale.width) < Tolerance;
        const bool heightBinds = std::abs(fit.page.height - layout.scale.height) < Tolerance;
        EXPECT_TRUE(widthBinds || heightBinds);
      }
    }
  }
  const PageLayout two = *FilePageLayout(2);
  EXPECT_FALSE(FitPage(two, {0, 15960}).ok);
  EXPECT_FALSE(FitPage(two, {11568, -1}).ok);
  EXPECT_DOUBLE_EQ(FitPage(two, {11568, 15960}).unitsPerTwip, 1.0);
}

TEST(PageLayout, TitlesKeepTheirRiseWhereTheyFitAndRiseWhereTheyDoNot) {
  const PageSize nominal{11568, 15960};
  for (int code : {1, 2, 4, 6, 15}) EXPECT_EQ(FitPage(*FilePageLayout(code), nominal).titleRise, 250) << code;
  EXPECT_EQ(FitPage(CurrentPuzzleLayout(), nominal).titleRise, 250);
  // 5 points on the landscape page of 24 grids is 248 units, a line of 286.
  EXPECT_EQ(FitPage(*FilePageLayout(24), nominal).titleRise, 286);
}

std::string WidestTitle() { return GridTitle(GridMode::Solution, "99999", "Hard"); }

TEST(PageLayout, EveryCodeAndSizeStaysOnThePageWithoutOverlaps) {
  for (const Table& t : Tables()) {
    const PageLayout layout = *FilePageLayout(t.code);
    const Rect page{0, 0, layout.scale.width, layout.scale.height};
    for (const PageSize& printable : Printables) {
      const PageFit fit = FitPage(layout, printable);
      ASSERT_TRUE(fit.ok);
      EXPECT_LE(60 + FontUnits(layout.fonts.caption, fit.unitsPerTwip), 500) << t.code;
      for (int size : {5, 7, 9}) {
        SCOPED_TRACE(testing::Message() << "code " << t.code << " size " << size << " page " << printable.width);
        const std::vector<GridRects> rects = LayoutRects(t.code, size, printable, WidestTitle(), FooterText());
        ASSERT_EQ(rects.size(), t.places.size());
        for (std::size_t i = 0; i < rects.size(); ++i) {
          const GridRects& r = rects[i];
          EXPECT_EQ(r.grid.right - r.grid.left, size * 500.0);
          EXPECT_EQ(r.grid.left, t.places[i].left);
          EXPECT_EQ(r.grid.top, t.places[i].top);
          EXPECT_TRUE(Contains(page, r.all));
          EXPECT_LE(r.title.bottom, r.grid.top);
          EXPECT_LE(r.grid.bottom, r.footer.top);
          EXPECT_TRUE(Contains(r.all, r.title) && Contains(r.all, r.grid) && Contains(r.all, r.footer));
          for (std::size_t j = 0; j < i; ++j) EXPECT_FALSE(Overlaps(r.all, rects[j].all)) << i << " and " << j;
        }
      }
    }
  }
}

TEST(PageLayout, CurrentPuzzlePageHasTwoGridsThatStayOnThePageAndApart) {
  const PageLayout layout = CurrentPuzzleLayout();
  EXPECT_EQ(layout.orientation, Orientation::Portrait);
  EXPECT_DOUBLE_EQ(layout.factor, PrintScale);
  EXPECT_NEAR(layout.scale.width, 9254.4, Tolerance);
  EXPECT_NEAR(layout.scale.height, 12800, Tolerance);
  EXPECT_EQ(layout.places, (std::vector<GridSlot>{{1100, 700}, {1100, 7000}}));
  for (const PageSize& printable : Printables) {
    const std::vector<GridRects> rects = LayoutRects(layout, 9, printable, WidestTitle(), FooterText());
    ASSERT_EQ(rects.size(), 2u);
    for (const GridRects& r : rects) {
      EXPECT_TRUE(Contains({0, 0, layout.scale.width, layout.scale.height}, r.all));
      EXPECT_LE(r.title.bottom, r.grid.top);
    }
    EXPECT_FALSE(Overlaps(rects[0].all, rects[1].all));
    EXPECT_EQ(std::tuple(rects[0].title.top, rects[0].footer.top, rects[1].title.top, rects[1].footer.top),
              std::tuple(450.0, 5300.0, 6750.0, 11600.0));
  }
}

TEST(PageLayout, RectsRefuseBoardsOutsideOneToNine) {
  for (int size : {0, 10, -1}) EXPECT_TRUE(LayoutRects(2, size, {11568, 15960}, "t", "f").empty());
  EXPECT_TRUE(LayoutRects(3, 9, {11568, 15960}, "t", "f").empty());
}

TEST(PagePlan, SpreadsTheRangeOverPagesInSlotOrder) {
  using Pages = std::vector<std::vector<int>>;
  EXPECT_EQ(PagePlan(2, 1, 3), (Pages{{1, 2}, {3}}));
  EXPECT_EQ(PagePlan(1, 4, 5), (Pages{{4}, {5}}));
  EXPECT_TRUE(PagePlan(4, 5, 4).empty());
  const Pages full = PagePlan(24, 1, 25);
  ASSERT_EQ(full.size(), 2u);
  EXPECT_EQ(std::tuple(full[0].size(), full[0].back(), full[1]), std::tuple(24u, 24, std::vector<int>{25}));
}

}  // namespace
}  // namespace kelvane
