// The drawing canvas on a QPainter: printer pages, board pictures and thumbnails.
#pragma once

#include <QPainter>

#include "output/canvas.h"

namespace kelvane::ui {

class PainterCanvas final : public Canvas {
 public:
  // pixelsPerUnit maps the canvas's units to the painter's pixels;
  // unitsPerTwip sizes fonts (1 when the units are twips).
  PainterCanvas(QPainter& painter, double pixelsPerUnit, double unitsPerTwip = 1.0);

  void Line(int x1, int y1, int x2, int y2, Colour colour) override;
  void Box(int x1, int y1, int x2, int y2, Colour outline) override;
  void FilledBox(int x1, int y1, int x2, int y2, Colour fill) override;
  void Text(int x, int y, std::string_view text, const FontSpec& font) override;

 private:
  QPointF at(int x, int y) const { return {x * scale_, y * scale_}; }
  QPainter& p_;
  double scale_;
  double unitsPerTwip_;
};

}  // namespace kelvane::ui
