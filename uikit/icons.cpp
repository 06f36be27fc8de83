// The message box's pictures, drawn with QPainter on a 32 x 32 grid.
#include "uikit/icons.h"

#include <QPainter>
#include <QPainterPath>

namespace kelvane::ui {

namespace {

const QColor Outline(40, 40, 40);
const QColor Blue(20, 70, 200);

// A white speech balloon with its tail at the bottom left.
void Balloon(QPainter& p) {
  QPainterPath path;
  path.addEllipse(QRectF(2, 2, 28, 22));
  QPainterPath tail;
  tail.moveTo(8, 19);
  tail.lineTo(5, 30);
  tail.lineTo(15, 22);
  tail.closeSubpath();
  path = path.united(tail);
  p.setPen(QPen(Outline, 1.2));
  p.setBrush(Qt::white);
  p.drawPath(path);
}

void Question(QPainter& p) {
  Balloon(p);
  QPainterPath mark;
  mark.moveTo(12.5, 9.5);
  mark.cubicTo(12.5, 5.5, 20, 5.5, 20, 9.5);
  mark.cubicTo(20, 12.5, 16, 12.5, 16, 15.5);
  p.setPen(QPen(Blue, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(mark);
  p.setPen(Qt::NoPen);
  p.setBrush(Blue);
  p.drawEllipse(QPointF(16, 19.5), 1.6, 1.6);
}

void Information(QPainter& p) {
  Balloon(p);
  p.setPen(Qt::NoPen);
  p.setBrush(Blue);
  p.drawEllipse(QPointF(16, 7.5), 1.8, 1.8);
  p.drawRoundedRect(QRectF(14.4, 10.5, 3.2, 10), 1, 1);
}

void Warning(QPainter& p) {
  QPolygonF triangle;
  triangle << QPointF(16, 2) << QPointF(30.5, 28.5) << QPointF(1.5, 28.5);
  p.setPen(QPen(Outline, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(QColor(255, 215, 0));
  p.drawPolygon(triangle);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  p.drawRoundedRect(QRectF(14.4, 10, 3.2, 10.5), 1.2, 1.2);
  p.drawEllipse(QPointF(16, 24.2), 1.8, 1.8);
}

void Stop(QPainter& p) {
  QPolygonF octagon;
  const double a = 9.4, b = 22.6, lo = 1, hi = 31;
  octagon << QPointF(a, lo) << QPointF(b, lo) << QPointF(hi, a) << QPointF(hi, b) << QPointF(b, hi)
          << QPointF(a, hi) << QPointF(lo, b) << QPointF(lo, a);
  p.setPen(QPen(Qt::white, 1.6));
  p.setBrush(QColor(150, 0, 0));
  p.drawPolygon(octagon);
  QFont font("Arial");
  font.setBold(true);
  font.setPixelSize(9);
  font.setStretch(QFont::Condensed);
  QPainterPath text;
  text.addText(0, 0, font, "STOP");
  const QRectF box = text.boundingRect();
  const double sx = 24.0 / box.width();
  const double sy = 9.0 / box.height();
  p.save();
  p.translate(16 - box.center().x() * sx, 16 - box.center().y() * sy);
  p.scale(sx, sy);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawPath(text);
  p.restore();
}

void Critical(QPainter& p) {
  p.setPen(QPen(QColor(110, 0, 0), 1.2));
  p.setBrush(QColor(220, 20, 20));
  p.drawEllipse(QRectF(1.5, 1.5, 29, 29));
  p.setPen(QPen(Qt::white, 3.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(10.5, 10.5), QPointF(21.5, 21.5));
  p.drawLine(QPointF(21.5, 10.5), QPointF(10.5, 21.5));
}

void Happy(QPainter& p) {
  p.setPen(QPen(Outline, 1.2));
  p.setBrush(QColor(255, 220, 40));
  p.drawEllipse(QRectF(1.5, 1.5, 29, 29));
  p.setPen(Qt::NoPen);
  p.setBrush(Outline);
  p.drawEllipse(QRectF(10, 9, 3.4, 5));
  p.drawEllipse(QRectF(18.6, 9, 3.4, 5));
  p.setPen(QPen(Outline, 2, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(8, 8, 16, 16), -20 * 16, -140 * 16);
}

void Trash(QPainter& p) {
  const QColor metal(150, 155, 165);
  p.setPen(QPen(Outline, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(metal);
  QPolygonF body;
  body << QPointF(7, 9) << QPointF(25, 9) << QPointF(23, 30) << QPointF(9, 30);
  p.drawPolygon(body);
  p.drawRoundedRect(QRectF(5, 5.5, 22, 3.5), 1, 1);
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(12.5, 2.5, 7, 3), 1, 1);
  p.setPen(QPen(QColor(90, 95, 105), 1.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(12, 12.5), QPointF(12.6, 27));
  p.drawLine(QPointF(16, 12.5), QPointF(16, 27));
  p.drawLine(QPointF(20, 12.5), QPointF(19.4, 27));
}

void Printer(QPainter& p) {
  p.setPen(QPen(Outline, 1.2, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(9, 2, 14, 10));
  p.setBrush(QColor(170, 175, 185));
  p.drawRoundedRect(QRectF(2, 11, 28, 12), 2, 2);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(8, 19, 16, 11));
  p.setPen(QPen(QColor(120, 120, 120), 1));
  p.drawLine(QPointF(11, 23), QPointF(21, 23));
  p.drawLine(QPointF(11, 26), QPointF(19, 26));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(30, 190, 60));
  p.drawEllipse(QPointF(26, 15), 1.3, 1.3);
}

void Bulb(QPainter& p) {
  p.setPen(QPen(QColor(235, 170, 0), 1.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(16, 0.8), QPointF(16, 3));
  p.drawLine(QPointF(4.5, 5.5), QPointF(6.3, 7.3));
  p.drawLine(QPointF(27.5, 5.5), QPointF(25.7, 7.3));
  p.drawLine(QPointF(1, 14), QPointF(3.4, 14));
  p.drawLine(QPointF(31, 14), QPointF(28.6, 14));
  QPainterPath glass;
  glass.addEllipse(QRectF(7, 4, 18, 18));
  glass.addRect(QRectF(12, 18, 8, 5));
  glass = glass.simplified();
  p.setPen(QPen(QColor(150, 110, 0), 1.2));
  p.setBrush(QColor(255, 240, 90));
  p.drawPath(glass);
  p.setPen(QPen(QColor(200, 120, 0), 1));
  p.setBrush(Qt::NoBrush);
  p.drawLine(QPointF(14, 22), QPointF(14, 15));
  p.drawLine(QPointF(18, 22), QPointF(18, 15));
  p.drawLine(QPointF(14, 15), QPointF(18, 15));
  p.setPen(QPen(Outline, 1));
  p.setBrush(QColor(160, 160, 160));
  p.drawRect(QRectF(11.5, 23, 9, 6));
  p.drawLine(QPointF(11.5, 25), QPointF(20.5, 25));
  p.drawLine(QPointF(11.5, 27), QPointF(20.5, 27));
  p.setBrush(Outline);
  p.drawRect(QRectF(14, 29, 4, 2));
}

}  // namespace

bool IconIsEmpty(int slot) { return slot < 0 || slot > 8; }

void PaintIcon(QPainter& painter, int slot, const QRectF& rect) {
  if (IconIsEmpty(slot) || rect.isEmpty()) return;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.translate(rect.topLeft());
  painter.scale(rect.width() / IconDesignSize, rect.height() / IconDesignSize);
  switch (slot) {
    case 0: Question(painter); break;
    case 1: Warning(painter); break;
    case 2: Information(painter); break;
    case 3: Stop(painter); break;
    case 4: Critical(painter); break;
    case 5: Happy(painter); break;
    case 6: Trash(painter); break;
    case 7: Printer(painter); break;
    case 8: Bulb(painter); break;
    default: break;
  }
  painter.restore();
}

IconView::IconView(int slot, QWidget* parent) : QWidget(parent), slot_(slot) {
  setObjectName(QStringLiteral("icons_%1").arg(slot));
}

void IconView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintIcon(painter, slot_, QRectF(rect()));
}

}  // namespace kelvane::ui
