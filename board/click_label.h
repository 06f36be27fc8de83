// A label that reports mouse releases: the size and difficulty pickers.
#pragma once

#include <QLabel>
#include <QMouseEvent>

namespace kelvane::ui {

class ClickLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 signals:
  void Released(int button);

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (rect().contains(event->position().toPoint()))
      emit Released(event->button() == Qt::RightButton ? 2 : event->button() == Qt::MiddleButton ? 4 : 1);
  }
};

}  // namespace kelvane::ui
