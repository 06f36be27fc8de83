// Printing on a QPrinter: the current puzzle with its solution on one page.
#include "output/printing_qt.h"

#include <QPainter>

#include "output/grid_drawing.h"
#include "output/page_layout.h"
#include "output/painter_canvas_qt.h"

namespace kelvane::ui {

PrintResult PrintCurrentPuzzle(GameState& g, QPrinter& printer, const std::string& numberBoxText) {
  if (g.MarkedCell < 1 || g.Geo.N < 1) return {false, "There is no puzzle on the board to print."};
  const PageLayout layout = CurrentPuzzleLayout();
  const QRectF pageTwips = printer.pageRect(QPrinter::Point);  // points: 20 twips each
  const PageFit fit = FitPage(layout, {pageTwips.width() * 20.0, pageTwips.height() * 20.0});
  if (!fit.ok) return {false, "The printer's page is too small for the puzzle."};
  QPainter painter;
  if (!painter.begin(&printer)) return {false, "The printer could not be started."};
  // Layout units to device pixels: units -> twips -> inches -> pixels.
  const double pixelsPerUnit = printer.resolution() / 1440.0 / fit.unitsPerTwip;
  PainterCanvas canvas(painter, pixelsPerUnit, fit.unitsPerTwip);
  FillRecordFromBoard(g);
  const GridStyle style = PrintStyle(layout.code, g.CellFontName, fit.titleRise);
  const GridMode modes[] = {GridMode::Puzzle, GridMode::Solution};
  for (std::size_t k = 0; k < 2 && k < layout.places.size(); ++k)
    (void)DrawGrid(canvas, g, style, modes[k], layout.places[k].left, layout.places[k].top,
                   BoardGridTitle(modes[k], numberBoxText, g.EasyFlag));
  if (!painter.end()) return {false, "The printer did not finish the page."};
  return {true, {}};
}

}  // namespace kelvane::ui
