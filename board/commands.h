// The main window's commands: one entry each, run only where the window's mode allows it.
#pragma once

#include <QObject>
#include <QKeySequence>
#include <array>
#include <functional>

class QAction;
class QWidget;

namespace kelvane::ui {

enum class Command {
  Open, Save, Delete,
  Previous, Next, First, Last, Random, Browse, GoToNumber,
  SizePicker, DifficultyPicker,
  New, CreateBatch, CancelBatch,
  Play, ClearChain, Hint, ShowSolution, Undo, Redo, ClearGrid,
  CopyPuzzle, CopySolution, Paste, PrintCurrent, PrintFromFile,
  Options, Statistics, ContinueWhereLeftOff, Help, About, Exit,
};
constexpr int CommandCount = static_cast<int>(Command::Exit) + 1;

// What the window is doing.
enum class WindowMode {
  Idle,
  SolutionShown,  // the show-solution button is held
  Batch,          // a batch is being made on its worker
  Printing,
  Modal,          // a command is running: a dialog or message of it is open
};

// Whether a command may run in a mode. Idle runs everything but the cancel of a
// batch; a batch takes only its cancel; nothing runs inside another command, while
// the solution is held or while printing.
bool CommandAllowed(Command command, WindowMode mode);

// One QAction per command. Tool buttons, keys and menu items all trigger these;
// each action is enabled exactly when CommandAllowed says so for the current mode.
class CommandTable : public QObject {
  Q_OBJECT

 public:
  explicit CommandTable(QWidget* window);

  // The action of a command; its key, if given, works anywhere in the window.
  QAction* Define(Command command, const char* objectName, const QString& text, std::function<void()> run,
                  const QKeySequence& key = {});
  QAction* Action(Command command) const { return actions_[index(command)]; }

  // Runs the command's own action, or body, when the mode allows it; while it
  // runs the window is Modal, so nothing it opens can start a second command.
  bool Run(Command command);
  bool Run(Command command, const std::function<void()>& body);
  bool Allowed(Command command) const { return CommandAllowed(command, Mode()); }
  // Runs body as a command would run (the window Modal) without a gate: the
  // end of a batch, whose messages must not let a key start another command.
  void Hold(const std::function<void()>& body);

  // The mode: set by the window for batches, printing and the held solution.
  WindowMode Mode() const;
  void SetBatch(bool on);
  void SetPrinting(bool on);
  void SetSolutionShown(bool on);
  bool Busy() const { return depth_ > 0; }

  // How often each command has run: the tests' view of the gate.
  int Runs(Command command) const { return runs_[index(command)]; }

 signals:
  void ModeChanged(kelvane::ui::WindowMode mode);

 private:
  static std::size_t index(Command c) { return static_cast<std::size_t>(c); }
  void refresh();

  QWidget* window_;
  std::array<QAction*, CommandCount> actions_{};
  std::array<std::function<void()>, CommandCount> bodies_{};
  std::array<int, CommandCount> runs_{};
  int depth_ = 0;
  bool batch_ = false;
  bool printing_ = false;
  bool solution_ = false;
  WindowMode shown_ = WindowMode::Idle;
};

}  // namespace kelvane::ui
