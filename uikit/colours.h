// Colours of the kit: the program's 0x00BBGGRR values as Qt colours, and painting a widget's roles.
#pragma once

#include <QColor>
#include <QPalette>
#include <initializer_list>

#include "model/game_state.h"

class QPainter;
class QRect;
class QWidget;

namespace kelvane::ui {

// A colour as 0x00BBGGRR; with the high bit set, the low byte names a system colour
// (0x12 button text, 0x0F button face, 0x05 window, 0x08 window text, ...).
QColor ToQColor(Colour colour);

// The Qt colour as 0x00BBGGRR.
Colour FromQColor(const QColor& c);

// Gives the widget's colour roles one colour and lets it fill its background; the
// text on each role takes a colour that reads on it.
void SetColourRoles(QWidget* w, std::initializer_list<QPalette::ColorRole> roles, Colour colour);

// A frame that shows on a face: black on a light one, white on a dark one.
QColor FrameColourOn(Colour face);
// The dotted focus frame a little inside a control's edge.
void PaintFocusFrame(QPainter& p, const QRect& rect, Colour face);

}  // namespace kelvane::ui
