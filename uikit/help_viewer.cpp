// The help viewer window "Form4": layout, page navigation, palette and keys.
#include "uikit/help_viewer.h"

#include "uikit/colours.h"

#include <QEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>
#include <algorithm>

#include "uikit/twips.h"

namespace kelvane::ui {

namespace {

// Design of the window in twips: the view's place and the margins the resize keeps.
constexpr double ViewLeft = 30, ViewTop = 420, ViewWidth = 7110, ViewHeight = 5460;
constexpr double WidthMargin = 120, HeightMargin = 480;


QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, double left) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  b->setGeometry(Px(left), Px(30), Px(1095), Px(375));
  return b;
}

}  // namespace

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("Form4");
  setWindowTitle("Kelvane Help");
  // Closing hides; an open viewer does not keep the program running.
  setAttribute(Qt::WA_DeleteOnClose, false);
  setAttribute(Qt::WA_QuitOnClose, false);

  back_ = MakeButton(this, "Command1", "Back", 60);
  forward_ = MakeButton(this, "Command2", "Forward", 1155);
  exit_ = MakeButton(this, "Command3", "Exit", 2244);
  back_->setToolTip("Back (Alt+Left)");
  forward_->setToolTip("Forward (Alt+Right)");
  exit_->setToolTip("Close the help (Escape)");

  view_ = new QTextBrowser(this);
  view_->setObjectName("WebBrowser1");
  view_->setOpenExternalLinks(true);
  view_->setGeometry(Px(ViewLeft), Px(ViewTop), Px(ViewWidth), Px(ViewHeight));

  connect(back_, &QPushButton::clicked, this, &HelpViewer::Back);
  connect(forward_, &QPushButton::clicked, this, &HelpViewer::Forward);
  connect(exit_, &QPushButton::clicked, this, &QWidget::hide);

  // Keys reach the focused control first; the window sees them before it does.
  for (QWidget* w : {static_cast<QWidget*>(back_), static_cast<QWidget*>(forward_),
                     static_cast<QWidget*>(exit_), static_cast<QWidget*>(view_)})
    w->installEventFilter(this);

  resize(Px(ViewWidth + WidthMargin), Px(ViewTop + ViewHeight + HeightMargin));
}

void HelpViewer::SetPage(const QString& path) {
  page_ = path;
  ShowStartPage();
}

void HelpViewer::ApplyPalette(const std::array<Colour, 14>& palette) {
  SetColourRoles(this, {QPalette::Window}, palette[2]);
  for (QPushButton* b : {back_, forward_, exit_}) SetColourRoles(b, {QPalette::Button}, palette[DialogColourSlot]);
}

void HelpViewer::ShowStartPage() {
  if (page_.isEmpty() || !QFileInfo(page_).isFile()) {
    view_->clearHistory();
    view_->setHtml("<h2>Kelvane Help</h2><p>The help page could not be found:</p><p><tt>" +
                   page_.toHtmlEscaped() + "</tt></p>");
    return;
  }
  view_->setSource(QUrl::fromLocalFile(page_));
  view_->verticalScrollBar()->setValue(0);
  view_->horizontalScrollBar()->setValue(0);
}

bool HelpViewer::AtAnchor() const { return view_->source().hasFragment(); }

void HelpViewer::Back() {
  if (AtAnchor()) view_->backward();
}

void HelpViewer::Forward() {
  if (AtAnchor()) view_->forward();
}

bool HelpViewer::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) {
    if (followed_) ApplyPalette(*followed_);
    ShowStartPage();
  }
  return QWidget::event(e);
}

bool HelpViewer::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::KeyPress && HandleKey(static_cast<QKeyEvent*>(e))) return true;
  return QWidget::eventFilter(watched, e);
}

void HelpViewer::keyPressEvent(QKeyEvent* e) {
  if (!HandleKey(e)) QWidget::keyPressEvent(e);
}

bool HelpViewer::HandleKey(const QKeyEvent* e) {
  const auto mods = e->modifiers() & ~Qt::KeypadModifier;
  if (e->key() == Qt::Key_Escape && mods == Qt::NoModifier) {
    hide();
    return true;
  }
  const bool alt = mods == Qt::AltModifier;
  if ((alt && e->key() == Qt::Key_Left) || e->key() == Qt::Key_Back) {
    Back();
    return true;
  }
  if ((alt && e->key() == Qt::Key_Right) || e->key() == Qt::Key_Forward) {
    Forward();
    return true;
  }
  return false;
}

void HelpViewer::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  LayOutView();
}

void HelpViewer::LayOutView() {
  // A window smaller than the margins leaves the view empty rather than negative.
  const int width = std::max(0, Px(Twips(this->width()) - WidthMargin));
  const int height = std::max(0, Px(Twips(this->height()) - HeightMargin - ViewTop));
  view_->setGeometry(view_->x(), view_->y(), width, height);
}

}  // namespace kelvane::ui
