// The message box's pictures, drawn as vector shapes so they stay sharp at any size.
#pragma once

#include <QRectF>
#include <QWidget>

class QPainter;

namespace kelvane::ui {

constexpr int IconSlots = 11;
constexpr int IconDesignSize = 32;  // the pictures are laid out on a 32 x 32 grid

// Slot 0 question balloon, 1 warning triangle, 2 information balloon, 3 STOP octagon,
// 4 red disc with a white cross, 5 smiling face, 6 waste bin, 7 printer, 8 lit bulb,
// 9 and 10 empty.
bool IconIsEmpty(int slot);

// Draws the picture of a slot scaled into rect; empty and unknown slots draw nothing.
void PaintIcon(QPainter& painter, int slot, const QRectF& rect);

// A widget showing one picture slot at its own size.
class IconView : public QWidget {
 public:
  explicit IconView(int slot, QWidget* parent = nullptr);
  int Slot() const { return slot_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int slot_;
};

}  // namespace kelvane::ui
