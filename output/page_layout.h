// Page layouts of printing: orientation, scale, grid positions, font sizes and the room each grid takes.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace kelvane {

enum class Orientation { Portrait, Landscape };

// Font sizes in points.
struct GridFonts {
  double title = 10;
  double caption = 18;
  double footer = 7;
  bool operator==(const GridFonts&) const = default;
};

struct GridSlot {
  int left = 0;
  int top = 0;
  bool operator==(const GridSlot&) const = default;
};

struct PageSize {
  double width = 0;
  double height = 0;
};

struct PageLayout {
  int code = 0;  // grids-per-page code; it also picks the fonts
  Orientation orientation = Orientation::Portrait;
  double factor = 1;             // the value PrintScale takes
  PageSize scale;                // the page in its own units
  std::vector<GridSlot> places;   // grid top-left corners in printing order
  GridFonts fonts;
};

constexpr int CellPitch = 500;
constexpr int DefaultTitleRise = 250;  // title line starts this far above the grid
constexpr int FooterDrop = 100;        // footer line starts this far below the grid
constexpr int TextIndent = 10;         // title and footer start this far right of the grid
constexpr double TwipsPerPoint = 20;
// Line height and widest average character of the board fonts, in ems.
constexpr double LineHeightEm = 1.15;
constexpr double CharWidthEm = 0.6;

// Title, caption and footer sizes of a code; codes outside the table get 10/18/7.
GridFonts FontSizesFor(int code);

bool IsGridsPerPageCode(int code);

// The layout of one page when printing from a file; nothing for an unknown code.
std::optional<PageLayout> FilePageLayout(int code);

// The page of the current puzzle: puzzle above, solution below.
PageLayout CurrentPuzzleLayout();

// How a layout sits on a printable page.
struct PageFit {
  bool ok = false;
  double unitsPerTwip = 0;  // one factor across and down, so cells stay square
  PageSize page;            // the printable page in layout units; never smaller than the layout's scale
  int titleRise = DefaultTitleRise;
};

// printable: the printer's printable area in twips, in either orientation.
[[nodiscard]] PageFit FitPage(const PageLayout& layout, PageSize printable);

constexpr double FontUnits(double points, double unitsPerTwip) { return points * TwipsPerPoint * unitsPerTwip; }

struct TextExtent {
  double width = 0;
  double height = 0;
};

// A generous estimate of the room a line of text takes, in layout units.
TextExtent EstimateText(std::string_view text, double points, double unitsPerTwip);

struct Rect {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;
};

bool Overlaps(const Rect& a, const Rect& b);
bool Contains(const Rect& outer, const Rect& inner);

struct GridRects {
  Rect title;
  Rect grid;
  Rect footer;
  Rect all;  // the three together
};

// The room every slot of a page takes for a board of the given size; empty
// when the size is not 1..9 or the page cannot be fitted.
[[nodiscard]] std::vector<GridRects> LayoutRects(const PageLayout& layout, int size, PageSize printable,
                                                 std::string_view title, std::string_view footer);
[[nodiscard]] std::vector<GridRects> LayoutRects(int code, int size, PageSize printable, std::string_view title,
                                                 std::string_view footer);

// Puzzle numbers first..last spread over pages, each page in slot order;
// nothing when first is above last or the code is unknown.
std::vector<std::vector<int>> PagePlan(int code, int first, int last);

}  // namespace kelvane
