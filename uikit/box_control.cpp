// BoxControl, the program's flat push button, and the kit's colour conversion.
#include "uikit/box_control.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPalette>
#include <cmath>

#include "settings/colour_scheme.h"
#include "uikit/twips.h"

namespace kelvane::ui {

namespace {

// The button a key gives a box: 1 left, 2 right, 0 for a key that presses nothing.
int keyButton(const QKeyEvent& event) {
  if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return 0;
  switch (event.key()) {
    case Qt::Key_Space: return 1;
    case Qt::Key_Return:
    case Qt::Key_Enter: return event.modifiers() & Qt::ShiftModifier ? 2 : 1;
    case Qt::Key_Menu: return 2;
    default: return 0;
  }
}

}  // namespace

int MouseButtonCode(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
  }
}

int ShiftCode(Qt::KeyboardModifiers modifiers) {
  return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
         (modifiers & Qt::AltModifier ? 4 : 0);
}

BoxControl::BoxControl(QWidget* parent) : QWidget(parent), font_(QStringLiteral("Arial"), 8) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  // Tab reaches the box; a click leaves the keys where they were (on the board).
  setFocusPolicy(Qt::TabFocus);
}

void BoxControl::Changed() { update(); }

void BoxControl::SetForeColor(Colour colour) {
  foreColor_ = colour;
  Changed();
}

void BoxControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  setFocusPolicy(enabled ? Qt::TabFocus : Qt::NoFocus);  // Tab passes over a button that takes nothing
}

void BoxControl::SetFont(const QFont& font) {
  font_ = font;
  Changed();
}

void BoxControl::Refresh() { repaint(); }

void BoxControl::SetCaption(const QString& caption) {
  caption_ = caption;
  Changed();
}

void BoxControl::SetFontSize(float points) {
  if (points > 0) font_.setPointSizeF(points);
  Changed();
}

void BoxControl::SetFontBold(bool bold) {
  font_.setBold(bold);
  Changed();
}

void BoxControl::SetBackcolor(Colour colour) {
  backColor_ = colour;
  if (toolIcon_) picture_ = QIcon(DrawToolIcon(*toolIcon_, 8 * pictureSize_.height(), face()));
  Changed();
}

void BoxControl::SetToolPicture(ToolIcon icon, QSize size) {
  SetPicture(QIcon(DrawToolIcon(icon, 8 * size.height(), face())), size);
  toolIcon_ = icon;
}

void BoxControl::SetPicture(const QPixmap& picture) {
  if (picture.isNull()) {
    ClearPicture();
    return;
  }
  SetPicture(QIcon(picture), picture.deviceIndependentSize().toSize());
}

void BoxControl::SetPicture(const QIcon& picture, QSize size) {
  picture_ = picture;
  toolIcon_.reset();
  pictureSize_ = size;
  Changed();
}

void BoxControl::ClearPicture() {
  picture_ = QIcon();
  toolIcon_.reset();
  pictureSize_ = QSize();
  Changed();
}

void BoxControl::SetFontItalic(bool italic) {
  font_.setItalic(italic);
  Changed();
}

void BoxControl::SetScale(double scale) {
  if (scale > 0) scale_ = scale;
  Changed();
}

void BoxControl::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const int w = width();
  const int h = height();
  p.fillRect(rect(), ToQColor(backColor_));

  if (!caption_.isEmpty()) {
    QFont font = font_;
    font.setPointSizeF(font_.pointSizeF() * scale_);
    p.setFont(font);
    // The caption reads on any face: its own colour where that reads, else black or white.
    p.setPen(ToQColor(ReadableText(face(), FromQColor(ToQColor(foreColor_)))));
    p.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, caption_);
  }

  const int inset = Px(20, scale_);
  p.setPen(QPen(Qt::white, 1));  // one pixel of the design, two at twice the pixel ratio
  p.drawLine(0, 0, w - 1, 0);
  p.drawLine(0, 0, 0, h - 1);
  p.setPen(QPen(Qt::black, 1));
  p.drawLine(w - 1 - inset, inset, w - 1 - inset, h - 1 - inset);
  p.drawLine(inset, h - 1 - inset, w - 1 - inset, h - 1 - inset);

  if (!picture_.isNull() && pictureSize_.isValid()) {
    // The picture's corner sits a little above and left of centre: half its size in
    // hundredths of a millimetre taken as twips, less 24 twips.
    const double boxW = Twips(w, scale_);
    const double boxH = Twips(h, scale_);
    const double halfW = std::trunc(pictureSize_.width() * 2540.0 / 96.0) / 2;
    const double halfH = std::trunc(pictureSize_.height() * 2540.0 / 96.0) / 2;
    const QPointF corner(((boxW - halfW) / 2 - 24) * scale_ / TwipsPerPixel,
                         ((boxH - halfH) / 2 - 24) * scale_ / TwipsPerPixel);
    const QSize size(std::lround(pictureSize_.width() * scale_), std::lround(pictureSize_.height() * scale_));
    const QPoint topLeft(static_cast<int>(std::lround(corner.x())), static_cast<int>(std::lround(corner.y())));
    picture_.paint(&p, QRect(topLeft, size), Qt::AlignCenter, QIcon::Normal, QIcon::Off);
  }

  if (borderStyle_ == 1) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, w - 1, h - 1);
  }

  if (hasFocus()) PaintFocusFrame(p, rect(), face());  // inside the bevel
}

void BoxControl::mousePressEvent(QMouseEvent* event) {
  event->accept();
  const int button = MouseButtonCode(event->button());
  if (!enabled_ || button == 0) return;
  borderStyle_ = 1;
  update();
  const QPointF at = event->position();
  emit MouseDown(button, ShiftCode(event->modifiers()), Twips(at.x(), scale_), Twips(at.y(), scale_));
}

void BoxControl::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  // The border goes even when disabled meanwhile, so it never stays on.
  if (event->buttons() == Qt::NoButton && borderStyle_ != 0) {
    borderStyle_ = 0;
    update();
  }
  const int button = MouseButtonCode(event->button());
  if (!enabled_ || button == 0) return;
  const QPointF at = event->position();
  emit MouseUp(button, ShiftCode(event->modifiers()), Twips(at.x(), scale_), Twips(at.y(), scale_));
}

void BoxControl::mouseMoveEvent(QMouseEvent* event) { event->accept(); }

void BoxControl::keyPressEvent(QKeyEvent* event) {
  const int button = keyButton(*event);
  if (button == 0) {
    QWidget::keyPressEvent(event);
    return;
  }
  event->accept();
  // A held key repeats; the box is pressed once, as by the mouse.
  if (event->isAutoRepeat() || heldKey_ != 0 || !enabled_) return;
  heldKey_ = event->key();
  heldButton_ = button;
  borderStyle_ = 1;
  update();
  emit MouseDown(button, ShiftCode(event->modifiers()), Twips(width() / 2.0, scale_), Twips(height() / 2.0, scale_));
}

void BoxControl::keyReleaseEvent(QKeyEvent* event) {
  if (heldKey_ == 0 || event->key() != heldKey_) {
    QWidget::keyReleaseEvent(event);
    return;
  }
  event->accept();
  if (!event->isAutoRepeat()) releaseKey(ShiftCode(event->modifiers()));
}

void BoxControl::focusOutEvent(QFocusEvent* event) {
  // A key held while the focus leaves is released there, as a mouse button released off the box.
  if (heldKey_ != 0) releaseKey(0);
  QWidget::focusOutEvent(event);
}

void BoxControl::releaseKey(int shift) {
  const int button = heldButton_;
  heldKey_ = 0;
  heldButton_ = 0;
  if (borderStyle_ != 0) {
    borderStyle_ = 0;
    update();
  }
  if (!enabled_) return;
  emit MouseUp(button, shift, Twips(width() / 2.0, scale_), Twips(height() / 2.0, scale_));
}

}  // namespace kelvane::ui
