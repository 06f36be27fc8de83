// Page layouts of printing: orientation, scale, grid positions, font sizes and the room each grid takes.
#include "output/page_layout.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace kelvane {

namespace {

constexpr double PortraitWidth = 11568;
constexpr double LandscapeWidth = 21568;
constexpr double PageHeight = 15960;

// Rows of equally spaced grid places, row by row.
std::vector<GridSlot> Rows(int rows, int columns) {
  std::vector<GridSlot> places;
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c) places.push_back({1000 + 6000 * c, 2400 + 6800 * r});
  return places;
}

PageLayout Make(int code, Orientation o, double factor, std::vector<GridSlot> places) {
  const double width = o == Orientation::Portrait ? PortraitWidth : LandscapeWidth;
  return {code, o, factor, {factor * width, factor * PageHeight}, std::move(places), FontSizesFor(code)};
}

}  // namespace

GridFonts FontSizesFor(int code) {
  if (code == 1) return {14, 28, 10};
  if (code == 4) return {8, 15, 7};
  if (code == 6) return {7, 14, 6};
  if (code > 14) return {5, 8, 5};
  return {10, 18, 7};
}

bool IsGridsPerPageCode(int code) {
  return code == 1 || code == 2 || code == 4 || code == 6 || code == 15 || code == 24;
}

std::optional<PageLayout> FilePageLayout(int code) {
  using enum Orientation;
  switch (code) {
    case 1: return Make(1, Portrait, 0.55, {{1100, 1400}});
    case 2: return Make(2, Portrait, 1.0, {{1100, 1400}, {1100, 9700}});
    case 4: return Make(4, Portrait, 1.1, {{1500, 1800}, {7100, 1800}, {1500, 10400}, {7100, 10400}});
    case 6:
      return Make(6, Portrait, 1.15,
                  {{1000, 1000}, {6800, 1000}, {1000, 6800}, {6800, 6800}, {1000, 12600}, {6800, 12600}});
    case 15: return Make(15, Landscape, 1.4, Rows(3, 5));
    case 24: return Make(24, Landscape, 1.8, Rows(4, 6));
    default: return std::nullopt;
  }
}

PageLayout CurrentPuzzleLayout() {
  PageLayout layout = Make(2, Orientation::Portrait, 0.8, {{1100, 700}, {1100, 7000}});
  layout.scale.height = 12800;
  return layout;
}

PageFit FitPage(const PageLayout& layout, PageSize printable) {
  PageFit fit;
  if (!(printable.width > 0 && printable.height > 0 && layout.scale.width > 0 && layout.scale.height > 0))
    return fit;
  const bool landscape = layout.orientation == Orientation::Landscape;
  if ((printable.width > printable.height) != landscape && printable.width != printable.height)
    std::swap(printable.width, printable.height);
  // The larger ratio keeps the whole layout on the page with square units.
  fit.unitsPerTwip = std::max(layout.scale.width / printable.width, layout.scale.height / printable.height);
  fit.page = {printable.width * fit.unitsPerTwip, printable.height * fit.unitsPerTwip};
  const double titleLine = EstimateText("", layout.fonts.title, fit.unitsPerTwip).height;
  fit.titleRise = std::max(DefaultTitleRise, static_cast<int>(std::ceil(titleLine)));
  fit.ok = true;
  return fit;
}

TextExtent EstimateText(std::string_view text, double points, double unitsPerTwip) {
  const double em = FontUnits(points, unitsPerTwip);
  return {static_cast<double>(text.size()) * CharWidthEm * em, LineHeightEm * em};
}

bool Overlaps(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Contains(const Rect& outer, const Rect& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

std::vector<GridRects> LayoutRects(const PageLayout& layout, int size, PageSize printable, std::string_view title,
                                   std::string_view footer) {
  std::vector<GridRects> out;
  const PageFit fit = FitPage(layout, printable);
  if (!fit.ok || size < 1 || size > 9) return out;
  const double side = static_cast<double>(size) * CellPitch;
  const TextExtent t = EstimateText(title, layout.fonts.title, fit.unitsPerTwip);
  const TextExtent f = EstimateText(footer, layout.fonts.footer, fit.unitsPerTwip);
  for (const GridSlot& s : layout.places) {
    GridRects r;
    r.grid = {double(s.left), double(s.top), s.left + side, s.top + side};
    const double textLeft = s.left + TextIndent;
    const double titleTop = s.top - fit.titleRise;
    r.title = {textLeft, titleTop, textLeft + t.width, titleTop + t.height};
    const double footerTop = r.grid.bottom + FooterDrop;
    r.footer = {textLeft, footerTop, textLeft + f.width, footerTop + f.height};
    r.all = {r.grid.left, r.title.top, std::max({r.grid.right, r.title.right, r.footer.right}), r.footer.bottom};
    out.push_back(r);
  }
  return out;
}

std::vector<GridRects> LayoutRects(int code, int size, PageSize printable, std::string_view title,
                                   std::string_view footer) {
  const std::optional<PageLayout> layout = FilePageLayout(code);
  if (!layout) return {};
  return LayoutRects(*layout, size, printable, title, footer);
}

std::vector<std::vector<int>> PagePlan(int code, int first, int last) {
  std::vector<std::vector<int>> pages;
  const std::optional<PageLayout> layout = FilePageLayout(code);
  if (!layout) return pages;
  const std::size_t perPage = layout->places.size();
  for (long long n = first; n <= last; ++n) {
    if (pages.empty() || pages.back().size() == perPage) pages.emplace_back();
    pages.back().push_back(static_cast<int>(n));
  }
  return pages;
}

}  // namespace kelvane
