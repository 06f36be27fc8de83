// Colours of the kit: the program's 0x00BBGGRR values as Qt colours, and painting a widget's roles.
#include "uikit/colours.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>

#include "settings/colour_scheme.h"

namespace kelvane::ui {

QColor ToQColor(Colour colour) {
  if ((colour & 0x80000000u) == 0) {
    return QColor(static_cast<int>(colour & 255), static_cast<int>((colour >> 8) & 255),
                  static_cast<int>((colour >> 16) & 255));
  }
  const QPalette palette = QApplication::palette();
  switch (colour & 255) {
    case 0x02: case 0x0D: return palette.color(QPalette::Highlight);
    case 0x05: return palette.color(QPalette::Base);
    case 0x08: return palette.color(QPalette::Text);
    case 0x09: case 0x0E: return palette.color(QPalette::HighlightedText);
    case 0x04: case 0x01: case 0x0C: return palette.color(QPalette::Window);
    case 0x07: return palette.color(QPalette::WindowText);
    case 0x10: return palette.color(QPalette::Dark);
    case 0x11: return palette.color(QPalette::Disabled, QPalette::Text);
    case 0x12: return palette.color(QPalette::ButtonText);
    case 0x14: return palette.color(QPalette::Light);
    case 0x15: return palette.color(QPalette::Shadow);
    case 0x16: return palette.color(QPalette::Midlight);
    case 0x17: return palette.color(QPalette::ToolTipText);
    case 0x18: return palette.color(QPalette::ToolTipBase);
    default: return palette.color(QPalette::Button);
  }
}

Colour FromQColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

void SetColourRoles(QWidget* w, std::initializer_list<QPalette::ColorRole> roles, Colour colour) {
  QPalette p = w->palette();
  const QColor back = ToQColor(colour);
  for (QPalette::ColorRole role : roles) {
    p.setColor(role, back);
    // The text on it: the desktop's own where it reads, else black or white.
    const QPalette::ColorRole text = role == QPalette::Window ? QPalette::WindowText
                                     : role == QPalette::Button ? QPalette::ButtonText
                                                                : QPalette::Text;
    p.setColor(text, ToQColor(ReadableText(FromQColor(back), FromQColor(QApplication::palette().color(text)))));
  }
  w->setPalette(p);
  w->setAutoFillBackground(true);
}

QColor FrameColourOn(Colour face) { return IsDark(face) ? QColor(Qt::white) : QColor(Qt::black); }

void PaintFocusFrame(QPainter& p, const QRect& rect, Colour face) {
  QPen pen(FrameColourOn(face), 2);
  pen.setDashPattern({1, 1});
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(rect).adjusted(4, 4, -4, -4));
}

}  // namespace kelvane::ui
