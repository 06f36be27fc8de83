// The board: paints the cells of the game state and reports clicks on them.
#include "board/board_widget.h"

#include <QMouseEvent>
#include <QPainter>

#include "uikit/box_control.h"
#include "uikit/twips.h"

namespace kelvane::ui {

namespace {
constexpr double kPitch = 450;    // cell pitch in twips
constexpr double kCell = 465;     // a cell overlaps its neighbour by 15 twips
constexpr double kOverlay = 460;
}  // namespace

BoardWidget::BoardWidget(const GameState& g, QWidget* parent) : QWidget(parent), g_(g) {
  setObjectName("Shape1");
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void BoardWidget::SetScale(double scale) {
  scale_ = scale;
  update();
}

void BoardWidget::SetCursorCell(int i) {
  cursor_ = i;
  update();
}

void BoardWidget::SetFrameColour(Colour c) {
  frame_ = c;
  update();
}

double BoardWidget::unit() const {
  // Pixels per twip: the window's scale, but never more than fits the frame.
  const int n = g_.Geo.N > 0 ? g_.Geo.N : 1;
  const double fit = (std::min(width(), height()) - 6) / (kPitch * n + (kCell - kPitch));
  return std::max(0.01, std::min(scale_ / TwipsPerPixel, fit));
}

QPointF BoardWidget::origin() const {
  // The board is centred in the frame.
  const int n = g_.Geo.N > 0 ? g_.Geo.N : 1;
  const double side = (kPitch * n + (kCell - kPitch)) * unit();
  return {(width() - side) / 2.0, (height() - side) / 2.0};
}

QRect BoardWidget::CellRect(int i) const {
  const int cell = i == 0 ? g_.MarkedCell : i;
  const int r = g_.RowOf(cell), c = g_.ColOf(cell);
  if (r < 1) return {};
  const QPointF o = origin();
  const double u = unit();
  const double size = (i == 0 ? kOverlay : kCell) * u;
  const QPointF topLeft(o.x() + kPitch * (c - 1) * u, o.y() + kPitch * (r - 1) * u);
  return QRectF(topLeft, QSizeF(size, size)).toRect();
}

int BoardWidget::CellAt(QPoint p) const {
  if (g_.Cell[0].Visible && g_.MarkedCell > 0 && CellRect(0).contains(p)) return g_.MarkedCell;
  const QPointF o = origin();
  const double u = unit();
  if (p.x() < o.x() || p.y() < o.y()) return 0;
  const int c = static_cast<int>((p.x() - o.x()) / (kPitch * u)) + 1;
  const int r = static_cast<int>((p.y() - o.y()) / (kPitch * u)) + 1;
  const int i = g_.CellAt(r, c);
  return i >= 1 && i <= g_.CellCount && g_.Cell[static_cast<std::size_t>(i)].Visible ? i : 0;
}

void BoardWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(ToQColor(frame_), std::max(1.0, 2 * scale_)));
  p.setBrush(Qt::NoBrush);
  p.drawRect(rect().adjusted(1, 1, -1, -1));

  QFont font(QString::fromStdString(g_.CellFontName));
  font.setPixelSize(std::max(6, static_cast<int>(g_.CellFontSize * unit() * TwipsPerPixel * 96.0 / 72.0)));
  font.setBold(true);
  p.setFont(font);
  const QColor border(90, 90, 90);
  for (int i = 1; i <= g_.CellCount && i <= MaxCellIndex; ++i) {
    const BoardCell& cell = g_.Cell[static_cast<std::size_t>(i)];
    if (!cell.Visible) continue;
    const QRect r = CellRect(i);
    p.fillRect(r, ToQColor(cell.BackColor));
    p.setPen(QPen(border, 1));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    if (!cell.Caption.empty() && cell.Caption != " ") {
      p.setPen(ToQColor(cell.ForeColor));
      p.drawText(r, Qt::AlignCenter, QString::fromStdString(cell.Caption));
    }
  }
  if (hasFocus() && cursor_ > 0 && g_.LastChainCell == -1 && cursor_ <= g_.CellCount) {
    QPen dash(QColor(20, 90, 200), std::max(2.0, 3 * unit() * TwipsPerPixel / 2));
    dash.setStyle(Qt::DashLine);
    p.setPen(dash);
    p.setBrush(Qt::NoBrush);
    p.drawRect(CellRect(cursor_).adjusted(2, 2, -3, -3));
  }
  const BoardCell& overlay = g_.Cell[0];
  if (overlay.Visible && g_.MarkedCell > 0) {
    const QRect r = CellRect(0);
    p.fillRect(r, ToQColor(overlay.BackColor));
    p.setPen(ToQColor(overlay.ForeColor));
    p.drawText(r, Qt::AlignCenter, QString::fromStdString(overlay.Caption));
  }
}

void BoardWidget::mouseReleaseEvent(QMouseEvent* event) {
  const int i = CellAt(event->position().toPoint());
  const int button = MouseButtonCode(event->button());
  if (i > 0 && button != 0) emit CellReleased(i, button);
}

void BoardWidget::mouseMoveEvent(QMouseEvent* event) {
  const int i = CellAt(event->position().toPoint());
  if (i != hovered_) {
    hovered_ = i;
    emit CellHovered(i);
  }
}

void BoardWidget::focusInEvent(QFocusEvent*) { update(); }
void BoardWidget::focusOutEvent(QFocusEvent*) { update(); }

void BoardWidget::leaveEvent(QEvent*) {
  hovered_ = -1;
  emit CellHovered(0);
}

}  // namespace kelvane::ui
