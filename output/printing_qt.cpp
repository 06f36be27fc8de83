// Printing on a Qt paged device (a printer or a PDF file): the current puzzle, or a range of a file.
#include "output/printing_qt.h"

#include <QFileInfo>
#include <QLocale>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <optional>

#include "output/grid_drawing.h"
#include "output/page_layout.h"
#include "output/painter_canvas_qt.h"

namespace kelvane::ui {

namespace {

// A painter canvas whose pages are the device's.
class DevicePages final : public PageCanvas {
 public:
  DevicePages(QPagedPaintDevice& device, QPainter& painter, double pixelsPerUnit, double unitsPerTwip)
      : device_(device), canvas_(painter, pixelsPerUnit, unitsPerTwip) {}
  void Line(int x1, int y1, int x2, int y2, Colour colour) override { canvas_.Line(x1, y1, x2, y2, colour); }
  void Box(int x1, int y1, int x2, int y2, Colour outline) override { canvas_.Box(x1, y1, x2, y2, outline); }
  void FilledBox(int x1, int y1, int x2, int y2, Colour fill) override { canvas_.FilledBox(x1, y1, x2, y2, fill); }
  void Text(int x, int y, std::string_view text, const FontSpec& font) override { canvas_.Text(x, y, text, font); }
  bool NewPage() override { return device_.newPage(); }

 private:
  QPagedPaintDevice& device_;
  PainterCanvas canvas_;
};

// Turns the device to the layout's orientation and fits the layout on its printable area.
std::optional<PageFit> Prepare(QPagedPaintDevice& device, const PageLayout& layout) {
  device.setPageOrientation(layout.orientation == Orientation::Landscape ? QPageLayout::Landscape
                                                                          : QPageLayout::Portrait);
  const QRectF printable = device.pageLayout().paintRect(QPageLayout::Point);  // 20 twips a point
  const PageFit fit = FitPage(layout, {printable.width() * TwipsPerPoint, printable.height() * TwipsPerPoint});
  if (!fit.ok) return std::nullopt;
  return fit;
}

// Layout units to device pixels: units -> twips -> inches -> pixels.
double PixelsPerUnit(const QPagedPaintDevice& device, const PageFit& fit) {
  return device.logicalDpiX() / 1440.0 / fit.unitsPerTwip;
}

}  // namespace

PrintResult PrintCurrentPuzzle(GameState& g, QPagedPaintDevice& device, const std::string& numberBoxText) {
  if (g.MarkedCell < 1 || g.Geo.N < 1) return {false, "There is no puzzle on the board to print."};
  const PageLayout layout = CurrentPuzzleLayout();
  const std::optional<PageFit> fit = Prepare(device, layout);
  if (!fit) return {false, "The printer's page is too small for the puzzle."};
  QPainter painter;
  if (!painter.begin(&device)) return {false, "The printer could not be started."};
  PainterCanvas canvas(painter, PixelsPerUnit(device, *fit), fit->unitsPerTwip);
  FillRecordFromBoard(g);
  const GridStyle style = PrintStyle(layout.code, g.CellFontName, fit->titleRise);
  const GridMode modes[] = {GridMode::Puzzle, GridMode::Solution};
  for (std::size_t k = 0; k < 2 && k < layout.places.size(); ++k)
    (void)DrawGrid(canvas, g, style, modes[k], layout.places[k].left, layout.places[k].top,
                   BoardGridTitle(modes[k], numberBoxText, g.EasyFlag));
  if (!painter.end()) return {false, "The printer did not finish the page."};
  return {true, {}, 1, 2};
}

PrintResult PrintFileRange(GameState& g, QPagedPaintDevice& device, const FilePrintJob& job) {
  const std::optional<PageLayout> layout = FilePageLayout(job.code);
  if (!layout) return {false, "There is no page layout for " + std::to_string(job.code) + " grids per page."};
  if (job.first > job.last) return {true, {}};
  const std::optional<PageFit> fit = Prepare(device, *layout);
  if (!fit) return {false, "The printer's page is too small for this layout."};
  QPainter painter;
  if (!painter.begin(&device)) return {false, "The printer could not be started."};
  DevicePages pages(device, painter, PixelsPerUnit(device, *fit), fit->unitsPerTwip);
  const GridStyle style = PrintStyle(job.code, g.CellFontName, fit->titleRise);
  const FilePrintOutcome drawn = DrawFileRange(pages, g, job, style);
  const bool ended = painter.end();
  if (!drawn.ok) return {false, drawn.message, drawn.pages, drawn.grids};
  if (!ended) return {false, "The printer did not finish the document.", drawn.pages, drawn.grids};
  return {true, {}, drawn.pages, drawn.grids};
}

PrintResult PrintToPdf(const std::string& path, const QPageSize& paper,
                       const std::function<PrintResult(QPagedPaintDevice&)>& draw, const std::string& documentTitle) {
  const QString name = QString::fromStdString(path);
  if (QFileInfo(name).isDir()) return {false, "Cannot write the PDF file " + path + "\nIt is a folder."};
  QSaveFile file(name);
  if (!file.open(QIODevice::WriteOnly))
    return {false, "Cannot write the PDF file " + path + "\n" + file.errorString().toStdString()};
  PrintResult result;
  {
    QPdfWriter writer(&file);
    writer.setCreator("Kelvane");
    writer.setTitle(QString::fromStdString(documentTitle));
    writer.setPageSize(paper);
    writer.setPageMargins(QMarginsF(18, 18, 18, 18), QPageLayout::Point);  // a printer's usual quarter inch
    result = draw(writer);
  }
  if (!result.ok || result.pages == 0) {
    file.cancelWriting();
    return result;
  }
  if (!file.commit()) {
    result.ok = false;
    result.message = "Cannot write the PDF file " + path + "\n" + file.errorString().toStdString();
  }
  return result;
}

QPageSize DefaultPaper() {
  return QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4);
}

}  // namespace kelvane::ui
