// Pictures of the tool buttons of the main window and the browse screen, drawn in code.
#include "uikit/tool_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "settings/colour_scheme.h"
#include "uikit/colours.h"
#include "uikit/icons.h"

namespace kelvane::ui {

QPixmap DrawToolIcon(ToolIcon icon, int size, Colour back) {
  const auto reading = [back](Colour preferred) { return ToQColor(ReadableText(back, preferred)); };
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 32.0, size / 32.0);  // drawn on a 32 x 32 grid
  const QColor ink = reading(ToolIconInk);
  // Sheets are white on light buttons and hollow on dark ones, where light lines on white would run together.
  const QColor paper = IsDark(back) ? ToQColor(back) : QColor(Qt::white);
  const QPen pen(ink, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  auto triangle = [&](double tipX, double baseX) {
    QPainterPath path;
    path.moveTo(baseX, 7), path.lineTo(tipX, 16), path.lineTo(baseX, 25);
    path.closeSubpath();
    p.fillPath(path, ink);
  };
  auto bar = [&](double x) { p.fillRect(QRectF(x, 7, 3, 18), ink); };
  switch (icon) {
    case ToolIcon::Save:  // a floppy disk
      p.setBrush(QColor(70, 110, 170));
      p.drawRoundedRect(QRectF(6, 6, 20, 20), 2, 2);
      p.setBrush(Qt::white);
      p.drawRect(QRectF(10, 6, 12, 7));
      p.drawRect(QRectF(10, 17, 12, 9));
      break;
    case ToolIcon::Open: {  // a folder
      p.setBrush(QColor(230, 190, 90));
      QPainterPath path;
      path.moveTo(5, 10), path.lineTo(12, 10), path.lineTo(14, 12), path.lineTo(27, 12), path.lineTo(27, 25),
          path.lineTo(5, 25);
      path.closeSubpath();
      p.drawPath(path);
      break;
    }
    case ToolIcon::Print:  // the message box's printer
      PaintIcon(p, 7, QRectF(0, 0, IconDesignSize, IconDesignSize));
      break;
    case ToolIcon::Options:  // a cog
      p.setBrush(QColor(150, 150, 160));
      for (int k = 0; k < 8; ++k) {
        p.save();
        p.translate(16, 16);
        p.rotate(45.0 * k);
        p.drawRect(QRectF(-2.5, -13, 5, 6));
        p.restore();
      }
      p.drawEllipse(QPointF(16, 16), 8, 8);
      p.setBrush(Qt::white);
      p.drawEllipse(QPointF(16, 16), 3, 3);
      break;
    case ToolIcon::Copy:  // two sheets
      p.setBrush(paper);
      p.drawRect(QRectF(6, 5, 14, 17));
      p.drawRect(QRectF(12, 10, 14, 17));
      break;
    case ToolIcon::Previous: triangle(9, 22); break;
    case ToolIcon::Next: triangle(23, 10); break;
    case ToolIcon::First:
      bar(6);
      triangle(11, 25);
      break;
    case ToolIcon::Last:
      triangle(21, 7);
      bar(23);
      break;
    case ToolIcon::Close:  // a cross
      p.setPen(QPen(reading(ToolIconRed), 3.5, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(9, 9), QPointF(23, 23));
      p.drawLine(QPointF(23, 9), QPointF(9, 23));
      break;
    case ToolIcon::Random:  // a die showing five
      p.setBrush(Qt::white);
      p.drawRoundedRect(QRectF(6, 6, 20, 20), 4, 4);
      p.setBrush(ToQColor(ToolIconInk));  // on the die's white face
      p.setPen(Qt::NoPen);
      for (QPointF c : {QPointF(11, 11), QPointF(21, 11), QPointF(16, 16), QPointF(11, 21), QPointF(21, 21)})
        p.drawEllipse(c, 2.6, 2.6);
      break;
    case ToolIcon::Browse:  // a page of small boards
      p.setBrush(paper);
      for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c) p.drawRect(QRectF(6 + 11 * c, 6 + 11 * r, 9, 9));
      break;
    case ToolIcon::Solution: {  // an eye
      QPainterPath eye;
      eye.moveTo(4, 16);
      eye.quadTo(16, 4, 28, 16);
      eye.quadTo(16, 28, 4, 16);
      p.setBrush(Qt::white);
      p.drawPath(eye);
      p.setBrush(QColor(150, 50, 50));
      p.drawEllipse(QPointF(16, 16), 4.5, 4.5);
      break;
    }
    case ToolIcon::Undo: {  // a curved arrow back
      QPainterPath arc;
      arc.moveTo(25, 24);
      arc.cubicTo(27, 10, 14, 6, 8, 14);
      p.drawPath(arc);
      QPainterPath head;
      head.moveTo(5, 8), head.lineTo(7, 17), head.lineTo(14, 14);
      head.closeSubpath();
      p.fillPath(head, ink);
      break;
    }
    case ToolIcon::New: {  // a star
      QPainterPath star;
      for (int k = 0; k < 10; ++k) {
        const double a = 3.14159265 / 5 * k - 3.14159265 / 2;
        const double r = k % 2 == 0 ? 12 : 5;
        const QPointF pt(16 + r * std::cos(a), 17 + r * std::sin(a));
        if (k == 0) star.moveTo(pt);
        else star.lineTo(pt);
      }
      star.closeSubpath();
      p.setBrush(QColor(240, 200, 40));
      p.drawPath(star);
      break;
    }
    case ToolIcon::Hint: {  // a question mark
      QFont f("DejaVu Sans");
      f.setPixelSize(24);
      f.setBold(true);
      p.setFont(f);
      p.setPen(reading(ToolIconBlue));
      p.drawText(QRectF(0, 0, 32, 32), Qt::AlignCenter, "?");
      break;
    }
  }
  return pm;
}

}  // namespace kelvane::ui
