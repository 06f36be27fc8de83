// The main window's progress: the status line and its clock, wins kept, the puzzle last shown per
// file, statistics, redo, and puzzles copied and pasted as text.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMimeData>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <ctime>

#include "board/board_picture.h"
#include "board/board_widget.h"
#include "board/main_window.h"
#include "board/stats_dialog.h"
#include "engine/check.h"
#include "engine/rating.h"
#include "model/navigation.h"
#include "model/statistics.h"
#include "model/text_rules.h"
#include "uikit/fn_dialog.h"

namespace kelvane::ui {

namespace {

constexpr const char* ContinueSetting = "continue";
constexpr const char* WindowSizeSetting = "window size";

}  // namespace

std::int64_t SteadyMilliseconds() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::string MainWindow::dataFolder() const { return folders_.data.empty() ? folders_.user : folders_.data; }

void MainWindow::SetClockSource(std::function<std::int64_t()> now) {
  const std::int64_t spent = clock_.SpentMs();
  clock_ = PlayClock(std::move(now));
  clock_.Reset(spent);
  updateClock();
}

void MainWindow::keepVisit() {
  if (shownKey_.empty() || shownSolved_) return;
  // Paging through a file writes nothing for the puzzles only looked at.
  if (clock_.Seconds() == loadedVisit_.seconds && visitChain_ == loadedVisit_.chain) return;
  (void)progress_.SaveVisit(shownKey_, clock_.Seconds(), visitChain_);
  loadedVisit_ = {clock_.Seconds(), visitChain_, false};
}

void MainWindow::puzzleShown(bool found) {
  keepVisit();
  clock_.Reset(0);
  hintsUsed_ = 0;
  solutionSeen_ = false;
  visitChain_.clear();
  shownKey_.clear();
  shownSolved_ = false;
  shownStars_ = 0;
  loadedVisit_ = {};
  if (found && g_.MarkedCell > 0) {
    if (const std::optional<Rating> r = RateSolutionText(g_.Geo.N, g_.Solution)) shownStars_ = r->stars;
    shownKey_ = PuzzleKey(GridText(g_), g_.MarkedCell);
    const Visit v = progress_.LoadVisit(shownKey_);
    loadedVisit_ = v;
    clock_.Reset(v.seconds * 1000);
    shownSolved_ = v.solved;
    visitChain_ = v.chain;  // kept until the player makes a move here
  }
  if (shownInFile_ && found) (void)progress_.SaveLastShown(g_.CurrentFile, g_.PuzzleNumber);
  // The file's solved count: counted again when the file or its length changed.
  if (!shownInFile_) {
    countedFile_.clear();
    fileSolved_ = 0;
  } else if (g_.CurrentFile != countedFile_ || g_.PuzzleCount != countedCount_) {
    FileProgress fp;
    fileSolved_ = SolvedInFile(g_.CurrentFile, progress_.SolvedKeys(), {}, fp) == ReadStatus::Ok
                      ? static_cast<int>(fp.solvedNumbers.size())
                      : 0;
    countedFile_ = g_.CurrentFile;
    countedCount_ = g_.PuzzleCount;
  }
  updateClock();
  showStatus();
}

void MainWindow::updateClock() {
  const bool run = !shownKey_.empty() && !shownSolved_ && isActiveWindow() && !isMinimized() &&
                   commands_->Mode() != WindowMode::Batch;
  if (run == clock_.Running()) return;
  clock_.SetRunning(run);
  if (run) ticker_->start();
  else ticker_->stop();
  showStatus();
}

void MainWindow::showStatus() {
  if (shownKey_.empty()) {
    StatusLine->clear();
    return;
  }
  StatusInfo info;
  info.seconds = clock_.Seconds();
  info.solved = shownSolved_;
  info.hintsLeft = g_.HintsLeft;
  info.solvedInFile = fileSolved_;
  info.puzzlesInFile = shownInFile_ ? g_.PuzzleCount : 0;
  info.stars = shownStars_;
  StatusLine->setText(QString::fromStdString(StatusLineText(info)));
  StatusLine->setAccessibleName(QString::fromStdString(StatusLineText(info, true)));
}

void MainWindow::recordWin() {
  if (shownKey_.empty() || shownSolved_) return;
  clock_.SetRunning(false);
  Solve s;
  s.key = shownKey_;
  s.size = g_.Geo.N;
  s.easy = shownEasy_;
  s.seconds = clock_.Seconds();
  s.hintsUsed = hintsUsed_;
  s.solutionShown = solutionSeen_;
  s.when = static_cast<std::int64_t>(std::time(nullptr));
  (void)progress_.RecordWin(s);  // a store that cannot write keeps nothing; play goes on
  (void)progress_.SaveVisit(shownKey_, s.seconds, "");
  shownSolved_ = true;
  if (shownInFile_ && countedFile_ == g_.CurrentFile) ++fileSolved_;
  updateClock();
  showStatus();
}

void MainWindow::RedoMove() { afterMove(RedoStep(g_)); }

void MainWindow::restoreChain(const std::string& chain) {
  for (int cell : ChainCells(chain))
    if (LeftRelease(g_, cell).move == Move::Ignored) break;
  visitChain_ = g_.ChainString;
  g_.RedoCells.clear();
  if (!g_.ChainString.empty()) showSum();
  board_->update();
}

bool MainWindow::ContinueWhereLeftOff() { return progress_.Setting(ContinueSetting) == "1"; }

int MainWindow::startNumber(const std::string& file) {
  return ContinueWhereLeftOff() ? std::max(1, progress_.LastShown(file)) : 1;
}

ShowResult MainWindow::showFirst(const std::string& file) {
  const int n = startNumber(file);
  ShowResult r = ShowPuzzle(g_, file, n);
  if (!r.found && n != 1) r = ShowPuzzle(g_, file, 1);
  refreshLabels(r.found, r.difficulty);
  if (r.found && ContinueWhereLeftOff() && !shownKey_.empty() && !shownSolved_)
    restoreChain(loadedVisit_.chain);  // the visit puzzleShown read
  return r;
}

std::string MainWindow::ShownRecordText() const {
  if (shownKey_.empty()) return {};
  return FormatRecord(g_.PuzzleNumber > 0 ? g_.PuzzleNumber : 1, shownEasy_, g_.Geo.N, g_.SolutionLength, g_.MarkedCell,
                      GridText(g_), g_.Solution);
}

void MainWindow::PasteRecords() {
  const std::string text = QApplication::clipboard()->text().toStdString();
  std::string kept;
  std::string firstFault;
  int good = 0, bad = 0;
  ReadRecordsInText(text, [&](int, const RawRecord& raw, ReadStatus status) {
    const std::string fault = status == ReadStatus::Ok ? CheckRecord(raw) : "the record is cut short";
    if (!fault.empty()) {
      if (firstFault.empty()) firstFault = fault;
      ++bad;
      return true;
    }
    const ParsedRecord r = ParseRecord(raw);
    ++good;
    kept += FormatRecord(good, DifficultyWord(r.Title) == "Easy", r.Size, r.SolutionLength, r.MarkedCell, r.Cells,
                         r.Solution);
    return true;
  });
  if (good == 0) {
    MsgboxA(bad == 0 ? "The clipboard holds no puzzle: copy a puzzle's five lines, from its \"#\" line on."
                     : "The clipboard holds no puzzle that can be played: " + firstFault + ".",
            "vbok+vbinformation");
    return;
  }
  const std::string file = dataFolder() + "pastedpuzzles.kvl";
  const WriteResult w = ReplaceFile(file, kept);
  if (!w.ok) {
    MsgboxA(w.message + "\n" + w.reason, "vbok+vbcritical");
    return;
  }
  const ShowResult r = ShowPuzzle(g_, file, 1);
  refreshLabels(r.found, r.difficulty);
  if (bad > 0)
    MsgboxA(std::to_string(good) + (good == 1 ? " puzzle was" : " puzzles were") + " pasted; " + std::to_string(bad) +
                (bad == 1 ? " record was" : " records were") + " left out: " + firstFault + ".",
            "vbok+vbinformation");
}

bool MainWindow::confirmRepeat(const std::string& file) {
  if (shownKey_.empty()) return true;
  int found = 0;
  (void)ReadAllRecords(file, [&](int position, const RawRecord& raw, ReadStatus status) {
    if (status != ReadStatus::Ok) return true;
    const ParsedRecord r = ParseRecord(raw);
    if (PuzzleKey(r.Cells, r.MarkedCell) != shownKey_) return true;
    found = position;
    return false;
  });
  if (found == 0) return true;
  return MsgboxA("Puzzle#" + NumText(g_.PuzzleNumber) + " is already in this file as puzzle#" + NumText(found) +
                     ". Save it again?",
                 "vbYesNo+vbquestion") == 6;
}

void MainWindow::ShowStatistics() {
  if (!stats_) {
    stats_ = new StatsDialog(this);
    stats_->SetAskFile([this] {
      gf1->SetFileTypes("*.csv");
      gf1->SetFileTypesName("CSV Files");
      gf1->SetTitle("Kelvane");
      gf1->SetDefaultDir(dataFolder());
      return gf1->GetFileName("SAVE");
    });
    stats_->SetTell([this](const std::string& text, const std::string& style) { MsgboxA(text, style); });
  }
  stats_->ApplyPalette(g_.Palette);
  stats_->SetSolves(progress_.Solves());
  stats_->exec();
}

void MainWindow::openProgress() {
  const std::string message = progress_.Open(dataFolder() + ProgressStore::FileName);
  if (!message.empty()) MsgboxA(message, "vbok+vbinformation");
  continueAction_->setChecked(ContinueWhereLeftOff());
  if (ContinueWhereLeftOff()) {
    const std::string size = progress_.Setting(WindowSizeSetting);
    const std::size_t x = size.find('x');
    if (x != std::string::npos) {
      const int w = IntValue(size.substr(0, x)), h = IntValue(size.substr(x + 1));
      if (w > 0 && h > 0) resize(w, h);
    }
  }
}

void MainWindow::SetContinue(bool on) {
  (void)progress_.SetSetting(ContinueSetting, on ? "1" : "0");
  continueAction_->setChecked(on);
}

void MainWindow::leaveProgram() {
  keepVisit();
  if (ContinueWhereLeftOff())
    (void)progress_.SetSetting(WindowSizeSetting, std::to_string(width()) + "x" + std::to_string(height()));
}

}  // namespace kelvane::ui
