// The main window's play: chains by mouse and keys, hints, the solution while held, undo, starting over.
#include <QLabel>
#include <QMessageBox>

#include "board/board_widget.h"
#include "board/main_window.h"
#include "uikit/modal.h"

namespace kelvane::ui {

void MainWindow::showSum() { Label5->setText(QString::number(g_.CurrentSum)); }

void MainWindow::resetKeyCursor() {
  keyCursor_ = g_.Geo.N > 0 ? g_.CellAt(g_.Geo.N, 1) : 0;
  board_->SetCursorCell(keyCursor_);
}

void MainWindow::afterMove(const MoveOutcome& outcome) {
  board_->update();
  if (outcome.move == Move::Ignored) return;
  showSum();
  visitChain_ = g_.ChainString;
  if (outcome.won) recordWin();
  showStatus();
  if (outcome.won) MsgboxA("Well done you got it!", "vbok+vbhappy");
}

void MainWindow::CellReleased(int i, int button) {
  if (button == 2) {
    AskClearChain();
    return;
  }
  if (button != 1) return;
  afterMove(LeftRelease(g_, i));
}

void MainWindow::AskClearChain() {
  if (MsgboxA("Clear chain?", "vbYesNo+vbquestion") != 6) return;
  ClearChain(g_);
  visitChain_.clear();
  showSum();
  resetKeyCursor();
  board_->update();
}

void MainWindow::KeyStep(Step step) {
  if (g_.LastChainCell != -1) {
    afterMove(StepChain(g_, step));
    return;
  }
  // No chain yet: a cursor walks the bottom row, Up starts the chain there.
  const int N = g_.Geo.N;
  if (N == 0 || keyCursor_ == 0) return;
  const int c = g_.ColOf(keyCursor_);
  if (step == Step::Up) {
    afterMove(LeftRelease(g_, keyCursor_));
    return;
  }
  const int next = g_.CellAt(N, step == Step::Left ? c - 2 : c + 2);
  if (next > 0) keyCursor_ = next;
  board_->SetCursorCell(keyCursor_);
}

void MainWindow::GiveHint() {
  const HintOutcome h = Hint(g_);
  if (h.noMoreHints) {
    const std::string text = "Sorry, no more hints";
    if (ModalAnswerer* a = InstalledAnswerer()) a->PlainMessage(text, false);
    else QMessageBox::information(this, "Kelvane", QString::fromStdString(text));
    return;
  }
  if (h.last.move != Move::Ignored) ++hintsUsed_;
  afterMove(h.last);
  if (h.last.move == Move::Ignored) showStatus();  // a hint spent on nothing; afterMove told the rest
}

void MainWindow::ShowSolutionPressed() {
  showingSolution_ = true;
  solutionSeen_ = true;
  PressShowSolution(g_);
  board_->update();
  // Nothing else runs until the release puts the board back.
  commands_->SetSolutionShown(true);
}

void MainWindow::ShowSolutionReleased() {
  if (!showingSolution_) return;
  showingSolution_ = false;
  ReleaseShowSolution(g_);
  board_->update();
  commands_->SetSolutionShown(false);
}

void MainWindow::UndoMove() {
  // The tooltip promises it: a left click takes back the chain's last step.
  afterMove(UndoLastStep(g_));
  if (g_.LastChainCell == -1) resetKeyCursor();
}

void MainWindow::StartOver() {
  if (MsgboxA("Clear Grid?", "vbYesNo+vbquestion") != 6) return;
  visitChain_.clear();
  ShowPuzzleNumber(g_.PuzzleNumber);
}

}  // namespace kelvane::ui
