// The main window's commands: one entry each, run only where the window's mode allows it.
#include "board/commands.h"

#include <QAction>
#include <QWidget>

namespace kelvane::ui {

bool CommandAllowed(Command command, WindowMode mode) {
  switch (mode) {
    case WindowMode::Idle: return command != Command::CancelBatch;
    case WindowMode::Batch: return command == Command::CancelBatch;
    case WindowMode::SolutionShown:
    case WindowMode::Printing:
    case WindowMode::Modal: return false;
  }
  return false;
}

CommandTable::CommandTable(QWidget* window) : QObject(window), window_(window) {}

QAction* CommandTable::Define(Command command, const char* objectName, const QString& text, std::function<void()> run,
                              const QKeySequence& key) {
  auto* action = new QAction(text, window_);
  action->setObjectName(objectName);
  if (!key.isEmpty()) {
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    window_->addAction(action);
  }
  bodies_[index(command)] = std::move(run);
  actions_[index(command)] = action;
  connect(action, &QAction::triggered, this, [this, command] { Run(command); });
  action->setEnabled(Allowed(command));
  return action;
}

bool CommandTable::Run(Command command) {
  const std::function<void()> body = bodies_[index(command)];
  return Run(command, body ? body : [] {});
}

bool CommandTable::Run(Command command, const std::function<void()>& body) {
  if (!Allowed(command)) return false;
  ++runs_[index(command)];
  Hold(body);
  return true;
}

void CommandTable::Hold(const std::function<void()>& body) {
  ++depth_;
  refresh();
  body();
  --depth_;
  refresh();
}

WindowMode CommandTable::Mode() const {
  if (batch_) return WindowMode::Batch;
  if (printing_) return WindowMode::Printing;
  if (depth_ > 0) return WindowMode::Modal;
  if (solution_) return WindowMode::SolutionShown;
  return WindowMode::Idle;
}

void CommandTable::SetBatch(bool on) {
  batch_ = on;
  refresh();
}

void CommandTable::SetPrinting(bool on) {
  printing_ = on;
  refresh();
}

void CommandTable::SetSolutionShown(bool on) {
  solution_ = on;
  refresh();
}

void CommandTable::refresh() {
  const WindowMode mode = Mode();
  if (mode == shown_) return;
  shown_ = mode;
  for (int c = 0; c < CommandCount; ++c)
    if (QAction* a = actions_[static_cast<std::size_t>(c)]) a->setEnabled(CommandAllowed(static_cast<Command>(c), mode));
  emit ModeChanged(mode);
}

}  // namespace kelvane::ui
