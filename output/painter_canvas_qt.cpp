// The drawing canvas on a QPainter: printer pages, board pictures and thumbnails.
#include "output/painter_canvas_qt.h"

#include <QFont>

#include "uikit/colours.h"

namespace kelvane::ui {

PainterCanvas::PainterCanvas(QPainter& painter, double pixelsPerUnit, double unitsPerTwip)
    : p_(painter), scale_(pixelsPerUnit), unitsPerTwip_(unitsPerTwip) {}

void PainterCanvas::Line(int x1, int y1, int x2, int y2, Colour colour) {
  p_.setPen(QPen(ToQColor(colour), 1));
  p_.drawLine(at(x1, y1), at(x2, y2));
}

void PainterCanvas::Box(int x1, int y1, int x2, int y2, Colour outline) {
  p_.setPen(QPen(ToQColor(outline), 1));
  p_.setBrush(Qt::NoBrush);
  p_.drawRect(QRectF(at(x1, y1), at(x2, y2)));
}

void PainterCanvas::FilledBox(int x1, int y1, int x2, int y2, Colour fill) {
  p_.fillRect(QRectF(at(x1, y1), at(x2, y2)), ToQColor(fill));
}

void PainterCanvas::Text(int x, int y, std::string_view text, const FontSpec& font) {
  QFont f(QString::fromStdString(font.name));
  // Points are 20 twips.
  f.setPixelSize(std::max(1, static_cast<int>(font.points * 20 * unitsPerTwip_ * scale_)));
  f.setBold(font.bold);
  p_.setFont(f);
  p_.setPen(Qt::black);
  p_.drawText(QRectF(at(x, y), QSizeF(1e6, 1e6)), Qt::AlignLeft | Qt::AlignTop,
              QString::fromUtf8(text.data(), static_cast<int>(text.size())));
}

}  // namespace kelvane::ui
