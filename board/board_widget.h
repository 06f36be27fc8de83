// The board: paints the cells of the game state and reports clicks on them.
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

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
  // The cell the keys act on: the chain's last cell, else the cursor; 0 for none.
  int FocusCell() const;
  const GameState& State() const { return g_; }

  // Repaints and tells a screen reader what changed. It hides QWidget::update() so that every
  // caller that repaints the board after a move reports the move too.
  using QWidget::update;
  void update();

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
  // Sends the cells whose names changed and the cell that now has the keys, while a screen reader listens.
  void NotifyCellsChanged();
  QPointF origin() const;
  double unit() const;

  const GameState& g_;
  double scale_ = 1.0;
  Colour frame_ = RGB(0, 0, 0);
  int hovered_ = -1;
  int cursor_ = 0;
  // What a screen reader was last told: each cell's name, the board's description, the focused cell.
  std::vector<QString> spoken_;
  QString spokenSum_;
  int spokenFocus_ = 0;
};

}  // namespace kelvane::ui
