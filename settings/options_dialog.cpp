// OptionsDialog "Form6": the colour scheme and the board font, previewed on the dialog and applied on request.
#include "settings/options_dialog.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QScrollBar>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <utility>

#include "settings/colour_scheme.h"
#include "uikit/box_control.h"
#include "uikit/modal.h"

namespace kelvane::ui {

namespace {

// A list that reports every mouse release after its own handling (the current item is set by then),
// and every key that moved the current item, so the keys preview a scheme as a click does.
class ReleaseList : public QListWidget {
 public:
  using QListWidget::QListWidget;
  std::function<void()> released;

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    QListWidget::mouseReleaseEvent(event);
    if (released) released();
  }
  void keyPressEvent(QKeyEvent* event) override {
    const int row = currentRow();
    QListWidget::keyPressEvent(event);
    if (released && currentRow() != row) released();
  }
};

enum class SchemeIcon { Show, Replace, Delete, Add };

// The scheme buttons' pictures, 16 x 16.
QPixmap SchemePicture(SchemeIcon icon) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  switch (icon) {
    case SchemeIcon::Show:  // an eye
      p.setPen(QPen(QColor(30, 30, 30), 1.2));
      p.setBrush(Qt::white);
      p.drawEllipse(QRectF(1.5, 4.5, 13, 7));
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(30, 60, 160));
      p.drawEllipse(QPointF(8, 8), 2.5, 2.5);
      break;
    case SchemeIcon::Replace: {  // two arrows, right over left
      p.setPen(QPen(QColor(30, 110, 30), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.drawLine(QPointF(2, 5), QPointF(13, 5));
      p.drawPolyline(QPolygonF({QPointF(10, 2), QPointF(13, 5), QPointF(10, 8)}));
      p.drawLine(QPointF(14, 11), QPointF(3, 11));
      p.drawPolyline(QPolygonF({QPointF(6, 8), QPointF(3, 11), QPointF(6, 14)}));
      break;
    }
    case SchemeIcon::Delete:  // a red cross
      p.setPen(QPen(QColor(190, 20, 20), 2.2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(4, 4), QPointF(12, 12));
      p.drawLine(QPointF(12, 4), QPointF(4, 12));
      break;
    case SchemeIcon::Add:  // a green plus
      p.setPen(QPen(QColor(20, 140, 20), 2.2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(8, 3), QPointF(8, 13));
      p.drawLine(QPointF(3, 8), QPointF(13, 8));
      break;
  }
  return pixmap;
}

// Two colour fields side by side in a thin dark frame.
QPixmap ColourSample(const QColor& left, const QColor& right, QSize size) {
  QPixmap pixmap(size);
  QPainter p(&pixmap);
  const int half = size.width() / 2;
  p.fillRect(0, 0, half, size.height(), left);
  p.fillRect(half, 0, size.width() - half, size.height(), right);
  p.setPen(QColor(40, 40, 40));
  p.setBrush(Qt::NoBrush);
  p.drawRect(0, 0, size.width() - 1, size.height() - 1);
  return pixmap;
}

QFont ListFont() {
  QFont font(QStringLiteral("Courier New"), 10);
  font.setStyleHint(QFont::Monospace);
  return font;
}

constexpr QSize SchemeButtonSize(26, 26);
constexpr QSize ColourSampleSize(44, 20);

}  // namespace

OptionsDialog::OptionsDialog(GameState& g, std::string schemeFile, std::function<void()> refresh, QWidget* parent)
    : QDialog(parent), g_(g), schemeFile_(std::move(schemeFile)), refresh_(std::move(refresh)) {
  setObjectName(QStringLiteral("Form6"));
  setWindowTitle(QStringLiteral("Kelvane Options"));
  setModal(true);

  // Fonts: the family list and the sample.
  frame2_ = new QGroupBox(QStringLiteral("Fonts"), this);
  frame2_->setObjectName(QStringLiteral("Frame2"));
  list2_ = new QListWidget(frame2_);
  list2_->setObjectName(QStringLiteral("List2"));
  list2_->setFont(ListFont());
  list2_->setSelectionMode(QAbstractItemView::SingleSelection);
  list2_->addItems(QFontDatabase::families());
  list2_->setMinimumSize(220, 240);
  label1_ = new QLabel(QStringLiteral("X"), frame2_);
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->setToolTip(QStringLiteral("Left-Rightclick to set font size"));
  label1_->setAlignment(Qt::AlignCenter);
  label1_->setFixedSize(72, 72);
  label1_->setFrameShape(QFrame::Box);
  label1_->setFocusPolicy(Qt::StrongFocus);
  label1_->installEventFilter(this);
  auto* fonts = new QVBoxLayout(frame2_);
  fonts->addWidget(list2_, 1);
  fonts->addWidget(label1_, 0, Qt::AlignHCenter);

  // Colour scheme: the scheme list, the colour sample, the scheme buttons and the contrast bar.
  frame1_ = new QGroupBox(QStringLiteral("Colour Scheme"), this);
  frame1_->setObjectName(QStringLiteral("Frame1"));
  auto* schemes = new ReleaseList(frame1_);
  schemes->released = [this] { PreviewSelectedScheme(); };
  list1_ = schemes;
  list1_->setObjectName(QStringLiteral("List1"));
  list1_->setFont(ListFont());
  list1_->setSelectionMode(QAbstractItemView::SingleSelection);
  for (const std::string& name : SchemeNames(schemeFile_)) list1_->addItem(QString::fromStdString(name));
  list1_->setMinimumSize(180, 200);
  colPik1_ = new QLabel(frame1_);
  colPik1_->setObjectName(QStringLiteral("ColPik1"));
  colPik1_->setFixedSize(ColourSampleSize);
  auto schemeButton = [this](const char* name, const char* tip, SchemeIcon icon) {
    auto* button = new BoxControl(frame1_);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(QString::fromLatin1(tip));
    button->setFixedSize(SchemeButtonSize);
    button->SetPicture(SchemePicture(icon));
    return button;
  };
  showSch_ = schemeButton("ShowSch", "View current color setting", SchemeIcon::Show);
  repSch_ = schemeButton("RepSch", "Replace the current color scheme", SchemeIcon::Replace);
  delSch_ = schemeButton("DelSch", "Delete the color scheme", SchemeIcon::Delete);
  addSch_ = schemeButton("AddSch", "Add this color scheme", SchemeIcon::Add);
  contrastV_ = new QScrollBar(Qt::Horizontal, frame1_);
  contrastV_->setObjectName(QStringLiteral("ContrastV"));
  contrastV_->setRange(-100, 300);
  contrastV_->setSingleStep(5);
  contrastV_->setPageStep(20);
  contrastV_->setValue(100);
  auto* side = new QVBoxLayout;
  side->addWidget(colPik1_, 0, Qt::AlignHCenter);
  side->addSpacing(6);
  for (BoxControl* button : {showSch_, repSch_, delSch_, addSch_}) side->addWidget(button, 0, Qt::AlignHCenter);
  side->addStretch(1);
  auto* scheme = new QGridLayout(frame1_);
  scheme->addWidget(list1_, 0, 0);
  scheme->addLayout(side, 0, 1);
  scheme->addWidget(contrastV_, 1, 0, 1, 2);

  // Apply and Exit.
  auto commandButton = [this](const char* name, const char* caption) {
    auto* button = new BoxControl(this);
    button->setObjectName(QString::fromLatin1(name));
    button->SetCaption(QString::fromLatin1(caption));
    button->SetFontSize(9);
    button->setFixedSize(84, 30);
    return button;
  };
  command1_ = commandButton("command1", "Apply");
  command2_ = commandButton("command2", "Exit");
  connect(command1_, &BoxControl::MouseUp, this, [this] { Apply(); });
  connect(command2_, &BoxControl::MouseUp, this, [this] { Exit(); });

  connect(list2_, &QListWidget::itemSelectionChanged, this, [this] {
    const QList<QListWidgetItem*> selected = list2_->selectedItems();
    if (!selected.isEmpty()) SetSampleFamily(selected.front()->text());
  });
  connect(list2_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { SetSampleFamily(item->text()); });

  auto* right = new QVBoxLayout;
  right->addWidget(frame1_, 1);
  auto* commands = new QHBoxLayout;
  commands->addStretch(1);
  commands->addWidget(command1_);
  commands->addWidget(command2_);
  right->addLayout(commands);
  auto* top = new QHBoxLayout(this);
  top->addWidget(frame2_, 1);
  top->addLayout(right, 1);
}

void OptionsDialog::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) Activate();
  QDialog::showEvent(event);
}

void OptionsDialog::Activate() {
  {
    const QSignalBlocker quiet(contrastV_);
    contrastV_->setValue(100);
  }
  ColourFromPalette();
  frame1_->setTitle(QStringLiteral("Colour Scheme: ") + QString::fromStdString(g_.ColourSchemeName));

  const QString fontName = QString::fromStdString(g_.CellFontName);
  const QList<QListWidgetItem*> found = list2_->findItems(fontName, Qt::MatchFixedString);
  if (found.isEmpty()) {
    list2_->clearSelection();
  } else {
    list2_->setCurrentItem(found.front());
    found.front()->setSelected(true);
    list2_->scrollToItem(found.front(), QAbstractItemView::PositionAtTop);
  }

  QFont sample = label1_->font();
  sample.setFamily(fontName);
  if (g_.CellFontSize > 0) sample.setPointSize(g_.CellFontSize);
  label1_->setFont(sample);
}

void OptionsDialog::ColourFromPalette() {
  const QColor back = ToQColor(g_.Palette[2]);
  const QColor buttons = ToQColor(g_.Palette[DialogColourSlot]);
  for (QWidget* w : std::initializer_list<QWidget*>{this, frame1_, frame2_, label1_})
    SetColourRoles(w, {QPalette::Window}, g_.Palette[2]);
  for (QWidget* w : std::initializer_list<QWidget*>{list1_, list2_})
    SetColourRoles(w, {QPalette::Window, QPalette::Base}, g_.Palette[2]);
  for (BoxControl* button : {command1_, command2_, showSch_, addSch_, delSch_, repSch_})
    button->SetBackcolor(g_.Palette[DialogColourSlot]);
  colPik1_->setPixmap(ColourSample(back, buttons, ColourSampleSize));
}

void OptionsDialog::SetSampleFamily(const QString& family) {
  QFont sample = label1_->font();
  sample.setFamily(family);
  sample.setItalic(false);
  label1_->setFont(sample);
}

void OptionsDialog::StepSampleSize(int step) {
  const int size = static_cast<int>(std::lround(label1_->font().pointSizeF())) + step;
  QFont sample = label1_->font();
  sample.setPointSize(std::clamp(size, MinSampleSize, MaxSampleSize));
  sample.setItalic(false);
  label1_->setFont(sample);
}

bool OptionsDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == label1_) {
    if (event->type() == QEvent::MouseButtonRelease) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      const int step = mouse->button() == Qt::LeftButton ? 1 : mouse->button() == Qt::RightButton ? -1 : 0;
      StepSampleSize(step);
      return true;
    }
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Plus || key == Qt::Key_Minus) {
        StepSampleSize(key == Qt::Key_Plus ? 1 : -1);
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

void OptionsDialog::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      Apply();
      event->accept();
      return;
    case Qt::Key_Escape:
      Exit();
      event->accept();
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

QString OptionsDialog::SchemeText() const {
  const QListWidgetItem* item = list1_->currentItem();
  return item != nullptr && item->isSelected() ? item->text() : QString();
}

void OptionsDialog::PreviewSelectedScheme() {
  const QString text = SchemeText();
  const std::string name = text.toStdString() + ".col";
  const QColor system = QApplication::palette().color(QPalette::Base);
  Colour base = 0;
  if (!PreviewScheme(schemeFile_, name, g_.Palette, base, RGB(system.red(), system.green(), system.blue()))) {
    const std::string message = PreviewNotFoundMessage(name);
    if (ModalAnswerer* answerer = InstalledAnswerer()) {
      answerer->PlainMessage(message, false);
    } else {
      QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Kelvane"), QString::fromStdString(message),
                      QMessageBox::Ok, this);
      box.exec();
    }
    g_.ColourSchemeName = std::string(SchemeAfterFailedPreview);
  }
  frame1_->setTitle(QStringLiteral("Colour Scheme: ") + text);
  ColourFromPalette();
}

void OptionsDialog::Apply() {
  const QString scheme = SchemeText();
  if (!scheme.isEmpty()) g_.ColourSchemeName = scheme.toStdString() + ".col";
  const QFont sample = label1_->font();
  g_.CellFontName = sample.family().toStdString();
  g_.CellFontSize = static_cast<int>(std::lround(sample.pointSizeF()));
  if (refresh_) refresh_();
}

void OptionsDialog::Exit() { done(QDialog::Rejected); }

}  // namespace kelvane::ui
