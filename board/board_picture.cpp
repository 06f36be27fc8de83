// Pictures of the board for the clipboard: the puzzle or its solution, black on white.
#include "board/board_picture.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPainter>
#include <cmath>

#include "output/painter_canvas_qt.h"

namespace kelvane::ui {

QImage BoardPicture(GameState& g, GridMode mode, double pixelsPerTwip) {
  if (g.Geo.N < 1 || g.MarkedCell < 1) return {};
  FillRecordFromBoard(g);
  const PageSize size = PictureSize(g.Geo.N);
  QImage image(static_cast<int>(std::lround(size.width * pixelsPerTwip)),
               static_cast<int>(std::lround(size.height * pixelsPerTwip)), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::TextAntialiasing);
  PainterCanvas canvas(painter, pixelsPerTwip);
  (void)DrawGrid(canvas, g, PictureStyle(g.CellFontName), mode, 0, PictureGridTop, PictureTitle());
  return image;
}

bool CopyBoardPicture(GameState& g, GridMode mode, const std::string& recordText) {
  const QImage image = BoardPicture(g, mode);
  if (image.isNull()) return false;
  auto* data = new QMimeData;
  data->setImageData(image);
  if (!recordText.empty()) data->setText(QString::fromStdString(recordText));
  QApplication::clipboard()->setMimeData(data);
  return true;
}

}  // namespace kelvane::ui
