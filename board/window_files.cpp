// The main window's navigation and files: show, arrows, go to a number, open, save, delete, the pickers.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

#include "board/board_widget.h"
#include "board/click_label.h"
#include "board/main_window.h"
#include "model/navigation.h"
#include "model/text_rules.h"
#include "uikit/fn_dialog.h"
#include "uikit/modal.h"

namespace kelvane::ui {

void MainWindow::ShowPuzzleNumber(int n) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const ShowResult r = ShowPuzzle(g_, g_.CurrentFile, n);
  refreshLabels(r.found, r.difficulty);
  QApplication::restoreOverrideCursor();
}

bool MainWindow::reportNotFound(int n, bool plainBox) {
  const std::string text = "Error reading puzzle#" + NumText(n);
  if (plainBox) {
    if (ModalAnswerer* a = InstalledAnswerer()) a->PlainMessage(text, false);
    else QMessageBox::warning(this, "Kelvane", QString::fromStdString(text));
  } else {
    MsgboxA(text, "vbok+vbcritical");
  }
  return false;
}

void MainWindow::Arrow(int index, int button) {
  if (button != 1 && button != 2) return;
  if (g_.PuzzleNumber == 1 && g_.PuzzleCount == 1) return;
  if (index == 1) {
    Browse();
    return;
  }
  const double r = std::uniform_real_distribution<double>(0.0, 1.0)(random_);
  const int target = ArrowTarget(index, button, g_.PuzzleNumber, g_.PuzzleCount, r);
  if (target == 0) return;
  const int old = g_.PuzzleNumber;
  const ShowResult shown = ShowPuzzle(g_, g_.CurrentFile, target);
  refreshLabels(shown.found, shown.difficulty);
  if (!shown.found) {
    reportNotFound(target, index == 3);
    ShowPuzzleNumber(old);
  }
}

void MainWindow::GoToTypedNumber() {
  const int n = IntValue(PuzNumNow->text().toStdString());
  if (n < 1 || n > g_.PuzzleCount) return;
  const int old = g_.PuzzleNumber;
  const ShowResult shown = ShowPuzzle(g_, g_.CurrentFile, n);
  refreshLabels(shown.found, shown.difficulty);
  if (!shown.found) {
    reportNotFound(n, false);
    ShowPuzzleNumber(old);
    return;
  }
  board_->setFocus();  // the keys play the new puzzle
}

std::string MainWindow::askPuzzleFile(const char* title, const char* types, const char* mode) {
  gf1->SetTitle(title);
  gf1->SetFileTypes(types);
  gf1->SetFileTypesName("Kelvane Files");
  gf1->SetTitle("Kelvane");
  gf1->SetDefaultDir(g_.ProgramFolder);
  return gf1->GetFileName(mode);
}

void MainWindow::OpenFile() {
  const std::string name = askPuzzleFile("Select a Puzzle file to open", "*.kvl;*.txt;*.dat", "OPEN");
  if (name.empty()) return;
  // The file is looked at before the board changes: a file that cannot be
  // shown leaves the puzzle on the board as it was.
  RawRecord first;
  const ReadStatus read = ReadRawRecord(g_.Files, name, 1, first);
  const FileIndex* index = read == ReadStatus::Ok ? g_.Files.Get(name) : nullptr;
  std::string why;
  if (read != ReadStatus::Ok) {
    why = DescribeReadStatus(read);
  } else if (index && index->hasNul) {
    why = "The file holds binary data: it is not a puzzle file.";
  } else if (const ParsedRecord r = ParseRecord(first);
             (r.SizeDigit != 5 && r.SizeDigit != 7 && r.SizeDigit != 9) ||
             r.Cells.size() < static_cast<std::size_t>(r.Size * r.Size)) {
    why = "Its first record has no 5x5, 7x7 or 9x9 board: the file is not a puzzle file.";
  }
  if (!why.empty()) {
    MsgboxA("Error reading puzzle# 1\n" + why, "vbok+vbcritical");
    return;
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  (void)showFirst(name);
  QApplication::restoreOverrideCursor();
}

void MainWindow::SaveCurrent() {
  const std::string name = askPuzzleFile("Select an output Puzzle file", "*.kvl", "SAVE");
  if (name.empty()) return;
  if (!confirmRepeat(name)) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const SaveResult s = SaveCurrentPuzzle(g_, name);
  QApplication::restoreOverrideCursor();
  MsgboxA(s.message, s.style);
  if (s.ok && name == g_.CurrentFile) {
    g_.PuzzleCount = CountPuzzles(g_.Files, name);
    puznumber->setText(QString::fromStdString(" of" + NumText(g_.PuzzleCount)));
    showStatus();
  }
}

void MainWindow::DeleteCurrent() {
  if (MsgboxA("Delete current puzzle from file?", "vbYesNo+vbquestion") != 6) return;
  // The puzzle on the board, not whatever was typed into the number box.
  int n = g_.PuzzleNumber;
  if (n < 1) return;
  // The record as it was read, not as laid on the board: damaged ones go too.
  const ShownRecord shown{g_.ShownMarkedCell, g_.ShownCells};
  const WriteResult w = DeleteRecord(g_.Files, g_.CurrentFile, n, &shown);
  if (!w.ok) {
    MsgboxA(w.message + "\n" + w.reason, "vbok+vbcritical");
    return;
  }
  if (n == g_.PuzzleCount) {
    --n;
    --g_.PuzzleCount;
  }
  ShowPuzzleNumber(n < 1 ? 1 : n);
  MsgboxA("Done", "vbok+vbinformation");
}

void MainWindow::CycleSize() {
  // After a failed show the caption is empty: go on from the last size shown.
  int size = IntValue(Label3->text().toStdString());
  if (NextPickerSize(size) == 0) size = lastSize_;
  const int next = NextPickerSize(size);
  if (next == 0) return;
  Label3->setText(QString::fromStdString(SizeText(next)));
  lastSize_ = next;
}

void MainWindow::CycleDifficulty() {
  if (Label4->text() != "Hard") {
    Label4->setText("Hard");
    g_.EasyFlag = false;
  } else {
    Label4->setText("Easy");
    g_.EasyFlag = true;
  }
}

}  // namespace kelvane::ui
