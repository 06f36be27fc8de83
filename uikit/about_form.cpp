// The About window "AboutForm": layout, palette, closing, the download link and the picture.
#include "uikit/about_form.h"

#include <QDesktopServices>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <algorithm>

#include "uikit/colours.h"
#include "uikit/modal.h"
#include "uikit/twips.h"

namespace kelvane::ui {

namespace {

constexpr int AnswerYes = 6;


const char* const AboutLines =
    "\n"
    "Kelvane Puzzle - April 2010\n"
    "Contact: puzzles@kelvane.example\n"
    "Free to play, print and share the puzzles you make with it.\n"
    "More puzzles: the download line below.";

}  // namespace

AboutForm::AboutForm(QWidget* parent) : QDialog(parent) {
  setObjectName("AboutForm");
  setWindowTitle("About Kelvane");
  setModal(true);
  setAttribute(Qt::WA_QuitOnClose, false);

  image_ = new QLabel(this);
  image_->setObjectName("Image1");
  image_->setGeometry(Px(120), Px(180), Px(1440), Px(1440));
  image_->setPixmap(ProgramPicture(Px(1440)));

  text_ = new QPlainTextEdit(this);
  text_->setObjectName("AboutText");
  text_->setReadOnly(true);
  text_->setPlainText(AboutLines);
  text_->setGeometry(Px(1680), Px(120), Px(4200), Px(1920));
  text_->setFocusPolicy(Qt::NoFocus);
  text_->viewport()->setCursor(Qt::ArrowCursor);

  link_ = new QLabel("Download 50,000 puzzles (size 5, 7 and 9)", this);
  link_->setObjectName("Label3");
  QFont linkFont("Courier New");
  linkFont.setBold(true);
  link_->setFont(linkFont);
  link_->setAlignment(Qt::AlignCenter);
  link_->setCursor(Qt::PointingHandCursor);
  link_->setToolTip(DownloadAddress);
  link_->setGeometry(Px(120), Px(2160), Px(5760), Px(330));

  ok_ = new QPushButton("OK", this);
  ok_->setObjectName("AboutOk");
  ok_->setDefault(true);
  ok_->setGeometry(Px(2452), Px(2640), Px(1095), Px(375));
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

  // The window sees every key before its controls; the text and the link take clicks.
  for (QWidget* w : {static_cast<QWidget*>(text_), static_cast<QWidget*>(link_), static_cast<QWidget*>(ok_)})
    w->installEventFilter(this);
  text_->viewport()->installEventFilter(this);

  setFixedSize(Px(6000), Px(3180));
}

void AboutForm::ApplyPalette(const std::array<Colour, 14>& palette) {
  SetColourRoles(this, {QPalette::Window}, palette[2]);
  SetColourRoles(text_, {QPalette::Base, QPalette::Window}, palette[2]);
  SetColourRoles(ok_, {QPalette::Button}, palette[5]);
  SetColourRoles(link_, {QPalette::Window}, palette[5]);
}

QString AboutForm::DownloadQuestion() {
  return "Open the Kelvane puzzle page in your web browser to download 50,000 puzzles of size 5, 7 and 9?";
}

bool AboutForm::OfferDownload() {
  int answer = 0;
  if (ModalAnswerer* answerer = InstalledAnswerer()) {
    answer = answerer->PlainMessage(DownloadQuestion().toStdString(), true);
  } else {
    answer = QMessageBox::question(this, "Kelvane", DownloadQuestion(), QMessageBox::Yes | QMessageBox::No) ==
                     QMessageBox::Yes
                 ? AnswerYes
                 : 0;
  }
  if (answer != AnswerYes) return false;
  return QDesktopServices::openUrl(QUrl(DownloadAddress));
}

bool AboutForm::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate && followed_) ApplyPalette(*followed_);
  return QDialog::event(e);
}

bool AboutForm::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
    reject();
    return true;
  }
  if (watched == text_->viewport() && e->type() == QEvent::MouseButtonPress) {
    accept();
    return true;
  }
  if (watched == link_ && e->type() == QEvent::MouseButtonRelease) {
    const auto* m = static_cast<QMouseEvent*>(e);
    if (m->button() == Qt::LeftButton && link_->rect().contains(m->position().toPoint())) OfferDownload();
    return true;
  }
  return QDialog::eventFilter(watched, e);
}

QPixmap AboutForm::ProgramPicture(int side) {
  // A solved 5 x 5 board: 1 + 3 - 1 - 3 = 0 from the bottom row, through the marked 3.
  static const char* const Rows[5] = {"1+2-3", "- + -", "2+3-1", "- + +", "3-1+2"};
  static const char* const Chain[5] = {"....x", "....x", "..xxx", "..x..", "..x.."};
  constexpr int MarkedRow = 2, MarkedCol = 2;

  side = std::max(side, 10);
  QPixmap picture(side, side);
  picture.fill(Qt::white);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing, false);
  const int cell = (side - 2) / 5;
  const int origin = (side - 5 * cell) / 2;
  QFont font("Arial");
  font.setBold(true);
  font.setPixelSize(std::max(4, cell * 3 / 5));
  p.setFont(font);
  for (int r = 0; r < 5; ++r) {
    for (int c = 0; c < 5; ++c) {
      const QRect box(origin + c * cell, origin + r * cell, cell, cell);
      const char ch = Rows[r][c];
      const bool number = r % 2 == 0 && c % 2 == 0;
      const bool marked = r == MarkedRow && c == MarkedCol;
      QColor fill = number ? QColor(255, 255, 255) : ch == ' ' ? QColor(224, 224, 224) : QColor(192, 192, 192);
      if (Chain[r][c] == 'x') fill = QColor(150, 220, 150);
      if (marked) fill = QColor(20, 20, 20);
      p.fillRect(box, fill);
      p.setPen(QColor(20, 20, 20));
      p.drawRect(box.adjusted(0, 0, -1, -1));
      if (ch != ' ') {
        p.setPen(marked ? Qt::white : QColor(20, 20, 20));
        p.drawText(box, Qt::AlignCenter, QString(QChar(ch)));
      }
    }
  }
  return picture;
}

}  // namespace kelvane::ui
