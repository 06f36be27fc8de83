// A label that reports mouse releases, and keys as releases: the size and difficulty pickers.
#pragma once

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "uikit/colours.h"

namespace kelvane::ui {

// Space and Down step the picker on (Released(1)); Up steps it back, as many steps
// on as its cycle has values less one. Tab reaches it; a click does not take the focus.
class ClickLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ClickLabel(const QString& text, QWidget* parent = nullptr) : QLabel(text, parent) { setFocusPolicy(Qt::TabFocus); }
  explicit ClickLabel(QWidget* parent = nullptr) : ClickLabel(QString(), parent) {}

  // How many values one Released(1) cycles through; 2 unless set.
  void SetCycle(int values) { cycle_ = values > 1 ? values : 2; }

 signals:
  void Released(int button);

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (rect().contains(event->position().toPoint()))
      emit Released(event->button() == Qt::RightButton ? 2 : event->button() == Qt::MiddleButton ? 4 : 1);
  }
  void keyPressEvent(QKeyEvent* event) override {
    const int key = event->key();
    if ((key != Qt::Key_Space && key != Qt::Key_Down && key != Qt::Key_Up) ||
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
      QLabel::keyPressEvent(event);
      return;
    }
    event->accept();
    if (event->isAutoRepeat()) return;
    for (int step = key == Qt::Key_Up ? cycle_ - 1 : 1; step > 0; --step) emit Released(1);
  }
  void paintEvent(QPaintEvent* event) override {
    QLabel::paintEvent(event);
    if (!hasFocus()) return;
    QPainter p(this);
    PaintFocusFrame(p, rect(), FromQColor(palette().color(backgroundRole())));  // as on the tool buttons
  }

 private:
  int cycle_ = 2;
};

}  // namespace kelvane::ui
