// The board: paints the cells of the game state and reports clicks on them.
#include "board/board_widget.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "board/board_accessible.h"
#include "settings/colour_scheme.h"
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
  InstallBoardAccessible(this);
}

void BoardWidget::SetScale(double scale) {
  scale_ = scale;
  update();
}

void BoardWidget::SetCursorCell(int i) {
  cursor_ = i;
  update();
}

int BoardWidget::FocusCell() const {
  const int i = g_.LastChainCell != -1 ? g_.LastChainCell : cursor_;
  return i >= 1 && i <= g_.CellCount && i <= MaxCellIndex ? i : 0;
}

void BoardWidget::update() {
  QWidget::update();
  NotifyCellsChanged();
}

void BoardWidget::NotifyCellsChanged() {
  if (!QAccessible::isActive()) return;
  auto send = [this](QAccessible::Event type, int child) {
    QAccessibleEvent event(this, type);
    event.setChild(child);
    QAccessible::updateAccessibility(&event);
  };
  const int count = std::clamp(g_.CellCount, 0, MaxCellIndex);
  // A new size is a new table; its names are news to nobody.
  const bool fresh = static_cast<int>(spoken_.size()) != count;
  if (fresh) {
    spoken_.assign(static_cast<std::size_t>(count), QString());
    QAccessibleTableModelChangeEvent reset(this, QAccessibleTableModelChangeEvent::ModelReset);
    QAccessible::updateAccessibility(&reset);
  }
  for (int i = 1; i <= count; ++i) {
    QString name = CellAccessibleName(g_, i);
    QString& spoken = spoken_[static_cast<std::size_t>(i - 1)];
    if (name == spoken) continue;
    spoken = std::move(name);
    if (!fresh) send(QAccessible::NameChanged, i - 1);
  }
  if (QString sum = BoardAccessibleDescription(g_); sum != spokenSum_) {
    spokenSum_ = std::move(sum);
    send(QAccessible::DescriptionChanged, -1);
  }
  const int focus = hasFocus() ? FocusCell() : 0;
  if (focus != spokenFocus_) {
    spokenFocus_ = focus;
    if (focus > 0) send(QAccessible::Focus, focus - 1);
  }
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
      p.setPen(ToQColor(ReadableText(cell.BackColor, cell.ForeColor)));
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
    p.setPen(ToQColor(ReadableText(overlay.BackColor, overlay.ForeColor)));
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

void BoardWidget::focusInEvent(QFocusEvent*) {
  update();
  // Qt tells of the board's own focus after this handler; the cell's focus is told after that.
  if (QAccessible::isActive())
    QMetaObject::invokeMethod(this, [this] {
      spokenFocus_ = 0;
      NotifyCellsChanged();
    }, Qt::QueuedConnection);
}
void BoardWidget::focusOutEvent(QFocusEvent*) { update(); }

void BoardWidget::leaveEvent(QEvent*) {
  hovered_ = -1;
  emit CellHovered(0);
}

}  // namespace kelvane::ui
