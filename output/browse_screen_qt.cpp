// BrowseScreen ("Form2"): buttons and their pictures, the page of thumbnails, paging, picking, printing.
#include "output/browse_screen_qt.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "model/progress.h"
#include "model/text_rules.h"
#include "output/grid_drawing.h"
#include "output/painter_canvas_qt.h"
#include "settings/colour_scheme.h"
#include "uikit/box_control.h"
#include "uikit/colours.h"
#include "uikit/msg_form.h"
#include "uikit/tool_icons.h"
#include "uikit/twips.h"

namespace kelvane::ui {

namespace {

constexpr int PageSize = 16;
constexpr int ButtonWidth = 390;
constexpr int ButtonHeight = 360;
constexpr Colour FrameColour = RGB(0, 0, 0);

// Button places in twips, by arrow index.
constexpr std::array<QPoint, 7> ArrowPlace = {QPoint(420, 30),  QPoint(1590, 30), QPoint(1200, 30), QPoint(30, 30),
                                              QPoint(810, 30),  QPoint(6840, 30), QPoint(8730, 600)};
constexpr std::array<const char*, 7> ArrowTip = {"Previous page", "First page", "Next page",      "Last page",
                                                 "Random page",   "Close",      "Print this screen"};
// Label1 sits between the paging buttons and the close button.
constexpr int LabelLeft = 2040;
constexpr int LabelWidth = 4740;

// Thumbnail origins, row and col 1..4.
int ThumbX(int col) { return 150 + 1800 * (col - 1); }
int ThumbY(int row) { return 400 + 1900 * (row - 1); }

// The pictures of arrows_0 .. arrows_6.
constexpr ToolIcon ArrowIcons[] = {ToolIcon::Previous, ToolIcon::First, ToolIcon::Next, ToolIcon::Last,
                                   ToolIcon::Random,   ToolIcon::Close, ToolIcon::Print};

void Replay(const RecordingCanvas& recorded, Canvas& canvas) {
  for (const CanvasCall& c : recorded.calls) {
    switch (c.kind) {
      case CanvasCall::Kind::Line: canvas.Line(c.x1, c.y1, c.x2, c.y2, c.colour); break;
      case CanvasCall::Kind::Box: canvas.Box(c.x1, c.y1, c.x2, c.y2, c.colour); break;
      case CanvasCall::Kind::FilledBox: canvas.FilledBox(c.x1, c.y1, c.x2, c.y2, c.colour); break;
      case CanvasCall::Kind::Text: canvas.Text(c.x1, c.y1, c.text, c.font); break;
    }
  }
}

}  // namespace

BrowseScreen::BrowseScreen(GameState& g, MsgForm& messages, std::function<void(int)> pick, QWidget* parent)
    : QDialog(parent), g_(g), messages_(messages), pick_(std::move(pick)), random_(std::random_device{}()) {
  setObjectName("Form2");
  setModal(true);
  setAttribute(Qt::WA_QuitOnClose, false);

  for (int i = 0; i < 7; ++i) {
    BoxControl* b = new BoxControl(this);
    b->setObjectName(QString("arrows_%1").arg(i));
    b->setToolTip(ArrowTip[i]);
    b->SetToolPicture(ArrowIcons[i], QSize(16, 16));
    connect(b, &BoxControl::MouseUp, this, [this, i](int, int, double, double) { Command(i); });
    arrows[i] = b;
  }
  Label1 = new QLabel("Left-Click to see Title. Right-click to select puzzle", this);
  Label1->setObjectName("Label1");
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

  // The page itself takes the keys for the thumbnails; Tab goes on to the buttons.
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(Px(DesignWidth), Px(DesignHeight));
  resize(Px(DesignWidth, 1.25), Px(DesignHeight, 1.25));
  layOut();
}

void BrowseScreen::DrawPage(int first) {
  refreshCount();
  g_.BrowseFirst = std::max(1, first);
  page_.calls.clear();
  GridStyle style = ThumbnailStyle(g_.CellFontName, g_.ThumbMarkedColour, g_.MarkedCellBackColour);
  int k = g_.BrowseFirst - 1;
  for (int row = 1; row <= 4; ++row) {
    for (int col = 1; col <= 4; ++col) {
      if (++k > g_.PuzzleCount) break;
      const int x0 = ThumbX(col);
      const int y0 = ThumbY(row);
      // Thumbnails are black on paper: on a dark scheme each gets a white sheet of its own.
      if (IsDark(g_.Palette[2])) page_.FilledBox(x0 - 100, y0, x0 + 1650, y0 + 1850, RGB(255, 255, 255));
      page_.Box(x0 - 100, y0, x0 + 1650, y0 + 1850, FrameColour);
      // Read once: the record buffer gives both the tick's key and the drawing.
      std::string recordTitle;
      const bool read = ReadRecord(g_, g_.CurrentFile, k, recordTitle) == ReadStatus::Ok;
      std::string cells;
      for (int i = 1; read && i <= g_.RecSize * g_.RecSize; ++i) cells += g_.RecCells[static_cast<std::size_t>(i)];
      style.solved = read && solved_ && solved_(PuzzleKey(cells, g_.RecMarkedCell));
      (void)DrawGrid(page_, g_, style, GridMode::Puzzle, x0, y0 + ThumbnailGridDrop,
                     read ? RecordGridTitle(GridMode::Puzzle, k, recordTitle) : std::string());
    }
  }
  keyThumb_ = std::clamp(keyThumb_, std::min(1, onPage()), onPage());
  update();
}

void BrowseScreen::OpenAtFirstPage() {
  keyThumb_ = 1;
  DrawPage(1);
}

int BrowseScreen::onPage() const { return std::clamp(g_.PuzzleCount - g_.BrowseFirst + 1, 0, PageSize); }

void BrowseScreen::moveKeyThumbnail(int columns, int rows) {
  setFocus(Qt::OtherFocusReason);
  if (keyThumb_ < 1) return;
  const int col = (keyThumb_ - 1) % 4 + columns;
  const int row = (keyThumb_ - 1) / 4 + rows;
  const int to = 4 * row + col + 1;
  if (col >= 0 && col < 4 && row >= 0 && row < 4 && to <= onPage()) keyThumb_ = to;
  update();
}

void BrowseScreen::refreshCount() {
  // The file may have grown or shrunk since it was opened; the index notices.
  g_.PuzzleCount = CountPuzzles(g_.Files, g_.CurrentFile);
  setWindowTitle(QString::fromStdString("Total Puzzles =" + NumText(g_.PuzzleCount)));
}

void BrowseScreen::Command(int index) {
  Label1->clear();
  if (index == 5) {
    hide();
    return;
  }
  refreshCount();
  const int count = g_.PuzzleCount;
  if (count <= PageSize) {
    if (g_.BrowseFirst != 1) DrawPage(1);
    return;
  }
  int first = g_.BrowseFirst;
  switch (index) {
    case 0: first = std::max(1, first - PageSize); break;
    case 1: first = 1; break;
    case 2:
      first += PageSize;
      if (first > count) first = count - (PageSize - 1);
      break;
    case 3: first = count - (PageSize - 1); break;
    case 4: {
      const int r = std::uniform_int_distribution<int>(1, count)(random_);
      first = std::max(1, count - r);
      break;
    }
    case 6:
      if (messages_.MsgboxA("Print this screen?", "vbYesNo+vbquestion") == 6) {
        // "Done" only for a page that was printed; a failure has told its own story.
        if (printImage_(grab().toImage())) messages_.MsgboxA("Done", "vbok+vbinformation");
      }
      return;
    default: return;
  }
  DrawPage(first);
}

void BrowseScreen::PickAt(double x, double y) {
  const int row = static_cast<int>(std::floor((y - 429) * 4 / 7480 + 1));
  const int col = static_cast<int>(std::floor((x - 50) * 4 / 7150 + 1));
  // Outside the four columns and rows the formula would name a neighbouring row's puzzle.
  if (row < 1 || row > 4 || col < 1 || col > 4) return;
  pick(4 * (row - 1) + g_.BrowseFirst + col - 1);
}

void BrowseScreen::pick(int n) {
  if (n < 1 || n > g_.PuzzleCount) return;
  Label1->setText(QString::number(n));
  pick_(n);
  hide();
}

void BrowseScreen::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), ToQColor(g_.Palette[2]));
  p.translate(origin_);
  PainterCanvas canvas(p, scale_ / TwipsPerPixel);
  Replay(page_, canvas);
  if (hasFocus() && keyThumb_ > 0) {
    // The keys' thumbnail: a thick frame just inside its own, contrasting with the page.
    const int col = (keyThumb_ - 1) % 4 + 1;
    const int row = (keyThumb_ - 1) / 4 + 1;
    const double px = scale_ / TwipsPerPixel;
    const QRectF frame(QPointF(ThumbX(col) - 60, ThumbY(row) + 40) * px, QPointF(ThumbX(col) + 1610, ThumbY(row) + 1810) * px);
    p.setPen(QPen(FrameColourOn(g_.Palette[2]), 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(frame);
  }
}

void BrowseScreen::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  layOut();
}

void BrowseScreen::mouseReleaseEvent(QMouseEvent* event) {
  const QPointF at = event->position() - QPointF(origin_);
  PickAt(Twips(at.x(), scale_), Twips(at.y(), scale_));
}

void BrowseScreen::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_PageUp: Command(0); break;
    case Qt::Key_PageDown: Command(2); break;
    case Qt::Key_Home: Command(1); break;
    case Qt::Key_End: Command(3); break;
    case Qt::Key_Escape: Command(5); break;
    case Qt::Key_Left: moveKeyThumbnail(-1, 0); break;
    case Qt::Key_Right: moveKeyThumbnail(1, 0); break;
    case Qt::Key_Up: moveKeyThumbnail(0, -1); break;
    case Qt::Key_Down: moveKeyThumbnail(0, 1); break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      // A button with the focus takes these itself; here they pick the framed thumbnail.
      if (keyThumb_ > 0) pick(g_.BrowseFirst + keyThumb_ - 1);
      break;
    default: QDialog::keyPressEvent(event); return;
  }
  event->accept();
}

void BrowseScreen::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  setFocus(Qt::OtherFocusReason);
  applyColours();
}

void BrowseScreen::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) applyColours();
}

void BrowseScreen::layOut() {
  const double sx = Twips(width()) / DesignWidth;
  const double sy = Twips(height()) / DesignHeight;
  scale_ = std::max(1.0, std::min(sx, sy));
  const double s = scale_;
  // The designed area, centred in the window.
  origin_ = QPoint((width() - Px(DesignWidth, s)) / 2, (height() - Px(DesignHeight, s)) / 2);
  auto place = [&](QWidget* w, double left, double top, double width, double height) {
    w->setGeometry(origin_.x() + Px(left, s), origin_.y() + Px(top, s), Px(width, s), Px(height, s));
  };
  for (int i = 0; i < 7; ++i) {
    place(arrows[i], ArrowPlace[i].x(), ArrowPlace[i].y(), ButtonWidth, ButtonHeight);
    arrows[i]->SetScale(s);
  }
  place(Label1, LabelLeft, ArrowPlace[0].y(), LabelWidth, ButtonHeight);
  QFont font("Arial");
  font.setPixelSize(std::max(9, Px(165, s)));
  Label1->setFont(font);
  update();
}

void BrowseScreen::applyColours() {
  const Colour buttons = g_.Palette[DialogColourSlot];
  for (BoxControl* b : arrows) b->SetBackcolor(buttons);
  SetColourRoles(Label1, {QPalette::Window}, buttons);
  SetColourRoles(this, {QPalette::Window}, g_.Palette[2]);
  update();
}

}  // namespace kelvane::ui
