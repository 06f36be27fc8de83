// The board for screen readers: the table and cell interfaces, their names, and the factory that hands them out.
#include "board/board_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>
#include <algorithm>
#include <array>
#include <vector>

#include "board/board_widget.h"
#include "model/play.h"
#include "uikit/box_control.h"

namespace kelvane::ui {

namespace {

int cellCount(const GameState& g) { return std::clamp(g.CellCount, 0, MaxCellIndex); }

// One board cell. It holds no state: every answer is read from the board's game state when asked.
class CellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  CellAccessible(BoardWidget* board, int i) : board_(board), i_(i) {}

  const BoardWidget* Board() const { return board_; }
  int Index() const { return i_; }

  bool isValid() const override { return board_ && i_ <= cellCount(board_->State()); }
  // No object of its own: Qt's cache maps objects to interfaces, and the board's object is the table's.
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return board_ ? board_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override {
    return board_ ? QAccessible::queryAccessibleInterface(board_) : nullptr;
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name && board_ ? CellAccessibleName(board_->State(), i_) : QString();
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!board_) return {};
    const QRect r = board_->CellRect(i_);
    return {board_->mapToGlobal(r.topLeft()), r.size()};
  }
  QAccessible::Role role() const override { return QAccessible::Cell; }
  QAccessible::State state() const override {
    QAccessible::State s;
    if (!isValid()) {
      s.invalid = true;
      return s;
    }
    const GameState& g = board_->State();
    s.invisible = !g.Cell[static_cast<std::size_t>(i_)].Visible || !board_->isVisible();
    s.disabled = !board_->isEnabled();
    s.focusable = g.Geo.IsNumberCell(i_);
    s.focused = board_->hasFocus() && board_->FocusCell() == i_;
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType t) override {
    return t == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
  }

  bool isSelected() const override { return false; }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return board_ ? board_->State().ColOf(i_) - 1 : -1; }
  int rowIndex() const override { return board_ ? board_->State().RowOf(i_) - 1 : -1; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return parent(); }

 private:
  QPointer<BoardWidget> board_;
  int i_;
};

// The board as a table of N x N cells. Qt deletes it with the widget; it deletes the cells it made.
class BoardAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit BoardAccessible(BoardWidget* board) : QAccessibleWidget(board, QAccessible::Table) {}
  ~BoardAccessible() override {
    for (QAccessible::Id id : cells_)
      if (id != 0) QAccessible::deleteAccessibleInterface(id);
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) return BoardAccessibleName(game());
    if (t == QAccessible::Description && widget()->accessibleDescription().isEmpty())
      return BoardAccessibleDescription(game());
    return QAccessibleWidget::text(t);
  }
  int childCount() const override { return cellCount(game()); }
  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= childCount()) return nullptr;
    QAccessible::Id& id = cells_[static_cast<std::size_t>(index + 1)];
    QAccessibleInterface* cell = id != 0 ? QAccessible::accessibleInterface(id) : nullptr;
    if (cell == nullptr) {
      cell = new CellAccessible(board(), index + 1);
      id = QAccessible::registerAccessibleInterface(cell);
    }
    return cell;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto* cell = dynamic_cast<const CellAccessible*>(child);
    return cell != nullptr && cell->Board() == board() && cell->Index() <= childCount() ? cell->Index() - 1 : -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const int i = board()->CellAt(board()->mapFromGlobal(QPoint(x, y)));
    return i > 0 ? child(i - 1) : nullptr;
  }
  QAccessibleInterface* focusChild() const override {
    const int i = board()->hasFocus() ? board()->FocusCell() : 0;
    return i > 0 ? child(i - 1) : nullptr;
  }
  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override {
    const int i = game().CellAt(row + 1, column + 1);
    return i > 0 ? child(i - 1) : nullptr;
  }
  int selectedCellCount() const override { return 0; }
  QList<QAccessibleInterface*> selectedCells() const override { return {}; }
  QString columnDescription(int) const override { return {}; }
  QString rowDescription(int) const override { return {}; }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  int columnCount() const override { return game().Geo.N; }
  int rowCount() const override { return game().Geo.N; }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

 private:
  BoardWidget* board() const { return static_cast<BoardWidget*>(widget()); }
  const GameState& game() const { return board()->State(); }

  mutable std::array<QAccessible::Id, MaxCellIndex + 1> cells_{};  // 0: not made yet
};

// A tool button is a plain widget to Qt; to a screen reader it is a button named by its caption or tip.
class BoxAccessible : public QAccessibleWidget {
 public:
  explicit BoxAccessible(BoxControl* box) : QAccessibleWidget(box, QAccessible::Button) {}
  QString text(QAccessible::Text t) const override {
    const QString own = QAccessibleWidget::text(t);
    if (t != QAccessible::Name || !own.isEmpty()) return own;
    const auto* box = static_cast<const BoxControl*>(widget());
    return box->Caption().isEmpty() ? box->toolTip() : box->Caption();
  }
};

QAccessibleInterface* factory(const QString&, QObject* object) {
  if (auto* board = qobject_cast<BoardWidget*>(object)) return new BoardAccessible(board);
  if (auto* box = qobject_cast<BoxControl*>(object)) return new BoxAccessible(box);
  return nullptr;
}

}  // namespace

QString CellAccessibleName(const GameState& g, int i) {
  if (i < 1 || i > cellCount(g)) return {};
  const BoardCell& cell = g.Cell[static_cast<std::size_t>(i)];
  const std::vector<int> chain = ChainCells(g.ChainString);
  QString name;
  bool onChain = false;
  if (cell.Caption == "-" || cell.Caption == "+") {
    name = cell.Caption == "-" ? QStringLiteral("sign: minus") : QStringLiteral("sign: plus");
    for (std::size_t k = 1; k < chain.size(); ++k) onChain = onChain || Geometry::Between(chain[k - 1], chain[k]) == i;
  } else if (cell.Caption.empty() || cell.Caption == " ") {
    return QStringLiteral("blank");
  } else {
    name = QStringLiteral("row %1, column %2: %3")
               .arg(g.RowOf(i))
               .arg(g.ColOf(i))
               .arg(QString::fromStdString(cell.Caption));
    if (i == g.MarkedCell) name += QStringLiteral(", marked");
    onChain = std::find(chain.begin(), chain.end(), i) != chain.end();
  }
  if (onChain) name += i == g.LastChainCell ? QStringLiteral(", chain end") : QStringLiteral(", in the chain");
  if (cell.BackColor == g.SolutionCellColour) name += QStringLiteral(", solution");
  return name;
}

QString BoardAccessibleName(const GameState& g) {
  return g.Geo.N > 0 ? QStringLiteral("Board, %1 by %1").arg(g.Geo.N) : QStringLiteral("Board");
}

QString BoardAccessibleDescription(const GameState& g) { return QStringLiteral("Current sum: %1").arg(g.CurrentSum); }

void InstallAccessibleFactory() {
  static const bool installed = (QAccessible::installFactory(factory), true);
  (void)installed;
}

void InstallBoardAccessible(BoardWidget* board) {
  InstallAccessibleFactory();
  if (!QAccessible::isActive()) return;  // nothing was asked, so nothing was cached
  QAccessibleInterface* cached = QAccessible::queryAccessibleInterface(board);
  if (cached != nullptr && dynamic_cast<BoardAccessible*>(cached) == nullptr)
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(cached));
}

}  // namespace kelvane::ui
