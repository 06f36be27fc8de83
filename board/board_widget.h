// The board: paints the cells of the game state and reports clicks on them.
#pragma once

#include <QWidget>

#include "model/game_state.h"

namespace kelvane::ui {

class BoardWidget : public QWidget {
  Q_OBJECT

 public:
  // Paints g's cells; g must outlive the widget.
  explicit BoardWidget(const GameState& g, QWidget* parent = nullptr);

  // Twips to pixels, shared with the window's layout.
  void SetScale(double scale);
  double Scale() const { return scale_; }
  // Colour of the frame around the board.
  void SetFrameColour(Colour c);
  // The keyboard's cell while no chain is started (0 for none).
  void SetCursorCell(int i);

  // The cell under a point of the widget: the overlay counts as the marked
  // cell; 0 outside the cells.
  int CellAt(QPoint p) const;
  // Where cell i (1-based, or 0 for the overlay) is painted.
  QRect CellRect(int i) const;

 signals:
  // A mouse button was released over cell i (1 left, 2 right, 4 middle).
  void CellReleased(int i, int button);
  // The pointer moved over cell i, or off the cells (0).
  void CellHovered(int i);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  QPointF origin() const;
  double unit() const;

  const GameState& g_;
  double scale_ = 1.0;
  Colour frame_ = RGB(0, 0, 0);
  int hovered_ = -1;
  int cursor_ = 0;
};

}  // namespace kelvane::ui
