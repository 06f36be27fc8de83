// Tests of the print layouts: orientation and fonts per code, square units on real pages, and grids that
// stay on the page and apart.
#include "output/page_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "output/grid_drawing.h"

namespace kelvane {
namespace {

// Printable areas in twips, portrait: the page the layouts were drawn for,
// A4 with 10 mm margins, Letter with quarter-inch margins, A4 without margins.
const std::vector<PageSize> Printables = {{11568, 15960}, {10772, 15704}, {11520, 15120}, {11906, 16838}};

constexpr double Tolerance = 1e-6;

// The printed sizes of titles, captions and footers; 15 and 24 a page are landscape.
const struct {
  int code;
  GridFonts fonts;
} Codes[] = {{1, {14, 28, 10}}, {2, {10, 18, 7}}, {4, {8, 15, 7}}, {6, {7, 14, 6}}, {15, {5, 8, 5}}, {24, {5, 8, 5}}};

TEST(PageLayout, EveryCodeFitsAnyPageWithSquareUnitsAndItsGridsStayOnItApart) {
  for (const auto& [code, fonts] : Codes) {
    EXPECT_TRUE(IsGridsPerPageCode(code));
    const PageLayout layout = *FilePageLayout(code);
    const bool landscape = code > 6;
    EXPECT_EQ(layout.orientation, landscape ? Orientation::Landscape : Orientation::Portrait) << code;
    EXPECT_EQ(layout.fonts, fonts) << code;
    EXPECT_EQ(layout.places.size(), static_cast<std::size_t>(code));
    const Rect page{0, 0, layout.scale.width, layout.scale.height};
    for (const PageSize& portrait : Printables) {
      for (const PageSize& given : {portrait, PageSize{portrait.height, portrait.width}}) {
        SCOPED_TRACE(testing::Message() << code << " on " << given.width << " x " << given.height);
        const PageFit fit = FitPage(layout, given);
        ASSERT_TRUE(fit.ok);
        EXPECT_GE(fit.page.width + Tolerance, layout.scale.width);
        EXPECT_GE(fit.page.height + Tolerance, layout.scale.height);
        EXPECT_EQ(fit.page.width > fit.page.height, landscape);
        const bool widthBinds = std::abs(fit.page.width - layout.scale.width) < Tolerance;
        const bool heightBinds = std::abs(fit.page.height - layout.scale.height) < Tolerance;
        EXPECT_TRUE(widthBinds || heightBinds);
        EXPECT_LE(60 + FontUnits(layout.fonts.caption, fit.unitsPerTwip), 500);  // the caption fits its cell
        for (int size : {5, 7, 9}) {
          const std::string widest = GridTitle(GridMode::Solution, "99999", "Hard");
          const std::vector<GridRects> rects = LayoutRects(code, size, given, widest, FooterText());
          ASSERT_EQ(rects.size(), layout.places.size());
          for (std::size_t i = 0; i < rects.size(); ++i) {
            const GridRects& r = rects[i];
            EXPECT_EQ(r.grid.right - r.grid.left, size * 500.0);
            EXPECT_EQ(std::tie(r.grid.left, r.grid.top), std::make_tuple(double(layout.places[i].left),
                                                                         double(layout.places[i].top)));
            EXPECT_TRUE(Contains(page, r.all));
            EXPECT_LE(r.title.bottom, r.grid.top);
            EXPECT_LE(r.grid.bottom, r.footer.top);
            EXPECT_TRUE(Contains(r.all, r.title) && Contains(r.all, r.grid) && Contains(r.all, r.footer));
            EXPECT_TRUE(r.title.right > r.title.left && r.title.bottom > r.title.top);
            EXPECT_TRUE(r.footer.right > r.footer.left && r.footer.bottom > r.footer.top);
            for (std::size_t j = 0; j < i; ++j) EXPECT_FALSE(Overlaps(r.all, rects[j].all)) << i << " and " << j;
          }
        }
      }
    }
    // 5 points on the landscape page of 24 grids is 248 units, a line of 286: that title rises further.
    EXPECT_EQ(FitPage(layout, Printables[0]).titleRise, code == 24 ? 286 : 250) << code;
  }
  // Codes outside the table: no layout, no pages, the middle fonts.
  for (int code : {0, 3, 5, 14, 16, 25, -1}) {
    EXPECT_FALSE(IsGridsPerPageCode(code));
    EXPECT_FALSE(FilePageLayout(code));
    EXPECT_TRUE(PagePlan(code, 1, 5).empty());
    EXPECT_TRUE(LayoutRects(code, 9, Printables[0], "t", "f").empty());
  }
  EXPECT_EQ(FontSizesFor(3), (GridFonts{10, 18, 7}));
  EXPECT_EQ(FontSizesFor(16), (GridFonts{5, 8, 5}));
  for (int size : {0, 10, -1}) EXPECT_TRUE(LayoutRects(2, size, Printables[0], "t", "f").empty());
  // Rects that only touch do not overlap; one that sticks out on any side is not contained.
  const Rect square{0, 0, 10, 10};
  for (const Rect& touching : {Rect{10, 0, 20, 10}, Rect{0, 10, 10, 20}}) {
    EXPECT_FALSE(Overlaps(square, touching) || Overlaps(touching, square));
  }
  EXPECT_TRUE(Overlaps(square, {9, 9, 20, 20}));
  for (const Rect& out : {Rect{-1, 0, 10, 10}, Rect{0, -1, 10, 10}, Rect{0, 0, 11, 10}, Rect{0, 0, 10, 11}}) {
    EXPECT_FALSE(Contains(square, out));
  }
  const PageLayout two = *FilePageLayout(2);
  EXPECT_FALSE(FitPage(two, {0, 15960}).ok);
  EXPECT_FALSE(FitPage(two, {11568, -1}).ok);
  EXPECT_DOUBLE_EQ(FitPage(two, Printables[0]).unitsPerTwip, 1.0);
}

// Ctrl+P's page: the puzzle above its solution, both on the page whatever the printable area.
TEST(PageLayout, CurrentPuzzlePageHoldsThePuzzleAboveItsSolution) {
  const PageLayout layout = CurrentPuzzleLayout();
  EXPECT_EQ(layout.orientation, Orientation::Portrait);
  EXPECT_EQ(FitPage(layout, Printables[0]).titleRise, 250);
  for (const PageSize& printable : Printables) {
    const std::vector<GridRects> rects = LayoutRects(layout, 9, printable, "Sol#99999 Hard", FooterText());
    ASSERT_EQ(rects.size(), 2u);
    for (const GridRects& r : rects) EXPECT_TRUE(Contains({0, 0, layout.scale.width, layout.scale.height}, r.all));
    EXPECT_LT(rects[0].all.bottom, rects[1].all.top);
  }
}

}  // namespace
}  // namespace kelvane
