// MsgForm, the program's modal message box.
#include "uikit/msg_form.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <algorithm>

#include "settings/colour_scheme.h"
#include "uikit/box_control.h"
#include "uikit/icons.h"
#include "uikit/modal.h"
#include "uikit/msg_style.h"
#include "uikit/twips.h"

namespace kelvane::ui {

namespace {

constexpr int LabelLeft = 840;
constexpr int LabelTop = 300;
constexpr int IconLeft = 90;
constexpr int IconTop = 90;
constexpr int IconSize = 480;
constexpr int ButtonWidth = 885;
constexpr int ButtonHeight = 345;
constexpr int Gap = 120;
constexpr int BottomMargin = 600;

// "\r\n" and lone "\r" become "\n", so every line break starts one new line.
QString Lines(const std::string& text) {
  QString s = QString::fromStdString(text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return s;
}

void SetColour(QWidget* w, QPalette::ColorRole role, Colour colour) {
  QPalette palette = w->palette();
  palette.setColor(role, ToQColor(colour));
  w->setPalette(palette);
}

}  // namespace

MsgForm::MsgForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("MsgForm"));
  setWindowTitle(QStringLiteral("Kelvane"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setModal(true);
  setAutoFillBackground(true);
  setFont(QFont(QStringLiteral("Arial"), 9));

  for (int i = 0; i < IconSlots; ++i) {
    icons_[i] = new IconView(i, this);
    icons_[i]->setGeometry(Px(IconLeft), Px(IconTop), Px(IconSize), Px(IconSize));
    icons_[i]->hide();
  }

  label_ = new QLabel(this);
  label_->setObjectName(QStringLiteral("Label1"));
  label_->setTextFormat(Qt::PlainText);
  label_->setWordWrap(false);
  label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label_->setAutoFillBackground(true);
  label_->setFocusPolicy(Qt::NoFocus);
  label_->move(Px(LabelLeft), Px(LabelTop));

  for (int i = 0; i < 3; ++i) {
    auto* b = new QPushButton(this);
    b->setObjectName(QStringLiteral("cmd_%1").arg(i));
    b->setAutoDefault(false);
    b->setDefault(false);
    b->setFocusPolicy(Qt::StrongFocus);
    b->setFixedSize(Px(ButtonWidth), Px(ButtonHeight));
    b->installEventFilter(this);
    b->hide();
    cmd_[i] = b;
  }
  SetBackColour(backColour_);
}

void MsgForm::SetBackColour(Colour colour) {
  backColour_ = colour;
  SetColour(this, QPalette::Window, colour);
}

void MsgForm::SetTextColour(Colour colour) { textColour_ = colour; }

void MsgForm::SetButtonColour(Colour colour) { buttonColour_ = colour; }

void MsgForm::SetFontName(const QString& name) {
  QFont f = font();
  f.setFamily(name);
  setFont(f);
}

void MsgForm::SetFontSize(double points) {
  if (points <= 1) return;
  QFont f = font();
  f.setPointSizeF(points);
  setFont(f);
}

void MsgForm::SetFontBold(bool bold) {
  QFont f = font();
  f.setBold(bold);
  setFont(f);
}

int MsgForm::MsgboxA(const std::string& text, const std::string& style) {
  if (ModalAnswerer* answerer = InstalledAnswerer()) return answerer->Message(text, style);
  Prepare(text, style);
  pressed_ = false;
  mouseHeld_ = {};
  exec();
  return pressed_ ? resultCode_ : 0;
}

void MsgForm::Prepare(const std::string& text, const std::string& style) {
  if (buttonColour_ == RGB(0, 0, 0)) buttonColour_ = paletteButtonColour_;

  SetColour(this, QPalette::Window, backColour_);
  label_->setText(Lines(text));
  setAccessibleDescription(label_->text());  // a screen reader reads the message with the window
  label_->setFont(font());
  QPalette labelPalette = label_->palette();
  labelPalette.setColor(QPalette::Window, ToQColor(backColour_));
  labelPalette.setColor(QPalette::WindowText, ToQColor(textColour_));
  label_->setPalette(labelPalette);

  QFont buttonFont = font();
  buttonFont.setPointSizeF(std::max(1.0, font().pointSizeF() - 1));
  for (QPushButton* b : cmd_) {
    SetColour(b, QPalette::Button, buttonColour_);
    SetColour(b, QPalette::ButtonText, ReadableText(buttonColour_));
    b->setFont(buttonFont);
  }

  for (IconView* icon : icons_) icon->hide();
  const MsgStyle parsed = ParseMsgStyle(style);
  for (int i = 0; i < IconSlots; ++i) {
    if (parsed.pictures[i]) icons_[i]->show();
  }
  lastButton_ = parsed.LastButton();
  for (int i = 0; i <= lastButton_; ++i) {
    cmd_[i]->setText(QString::fromStdString(parsed.buttons[i].caption));
    codes_[i] = parsed.buttons[i].code;
  }
  ArrangeBox(lastButton_);
  cmd_[0]->setFocus(Qt::OtherFocusReason);
}

void MsgForm::ArrangeBox(int last) {
  const QSize text = label_->sizeHint();
  const int bw = Px(ButtonWidth);
  const int bh = Px(ButtonHeight);
  const int width = std::max(2 * Px(LabelLeft) + text.width(), 3 * bw);
  label_->resize(text.width(), text.height() + Px(Gap));
  const int top = label_->y() + label_->height() + Px(Gap);
  const int height = top + bh + Px(BottomMargin);
  setFixedSize(width, height);

  for (QPushButton* b : cmd_) {
    b->hide();
    b->setDown(false);
  }
  const int count = last + 1;
  const int left = (width - count * bw) / 2;
  for (int i = 0; i < count; ++i) {
    cmd_[i]->move(left + i * bw, top);
    cmd_[i]->show();
  }
}

void MsgForm::Press(int index) {
  resultCode_ = codes_[index];
  pressed_ = true;
  mouseHeld_ = {};
  done(QDialog::Accepted);
}

void MsgForm::MoveFocus(int step) {
  const int count = lastButton_ + 1;
  if (count <= 0) return;
  int current = 0;
  for (int i = 0; i < count; ++i) {
    if (focusWidget() == cmd_[i]) current = i;
  }
  cmd_[(current + step + count) % count]->setFocus(Qt::TabFocusReason);
}

bool MsgForm::eventFilter(QObject* watched, QEvent* event) {
  const auto it = std::find(cmd_.begin(), cmd_.end(), watched);
  if (it == cmd_.end()) return QDialog::eventFilter(watched, event);
  const int index = static_cast<int>(it - cmd_.begin());

  switch (event->type()) {
    case QEvent::KeyPress: {
      switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Enter:
        case Qt::Key_Return: Press(index); break;
        case Qt::Key_Left:
        case Qt::Key_Up: MoveFocus(-1); break;
        case Qt::Key_Right:
        case Qt::Key_Down: MoveFocus(1); break;
        default: break;  // Escape, Space, Tab and the rest do nothing
      }
      return true;
    }
    case QEvent::KeyRelease:
      return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      mouseHeld_[index] = true;
      cmd_[index]->setFocus(Qt::MouseFocusReason);
      return true;
    case QEvent::MouseButtonRelease:
      if (mouseHeld_[index]) Press(index);
      return true;
    default:
      return QDialog::eventFilter(watched, event);
  }
}

void MsgForm::keyPressEvent(QKeyEvent* event) { event->accept(); }

}  // namespace kelvane::ui
