// The main window's creation: New, the Create New Puzzles dialog, batches on a worker and the busy panel.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>

#include "board/batch_run.h"
#include "board/board_widget.h"
#include "board/click_label.h"
#include "board/create_dialog.h"
#include "board/main_window.h"
#include "engine/grid.h"
#include "engine/rating.h"
#include "model/navigation.h"
#include "model/text_rules.h"
#include "uikit/box_control.h"
#include "uikit/msg_form.h"

namespace kelvane::ui {

bool MainWindow::makeOnePuzzle(int size, bool easy, int minStars) {
  const StarRange stars{minStars, MostStars};
  if (const std::string problem = StarRangeProblem(size, stars); !problem.empty()) {
    MsgboxA("No puzzle can be made: " + problem + ".", "vbok+vbcritical");
    return false;
  }
  const ChainListResult list = lists_.Get(size);
  if (!list.list) {
    MsgboxA(list.error, "vbok+vbcritical");
    return false;
  }
  // Made apart from the board: a failure leaves the board and the state as they were.
  kelvane::NewPuzzle made;
  SolverScratch scratch;
  long long attempts = 0;
  bool ok = false;
  // Each call tries up to 100 boards; a list that yields nothing in 200 calls is no use.
  // Puzzles without the stars asked for are made again, up to 100,000 boards.
  constexpr long long kStarsLimit = 100'000;
  for (int calls = 0; calls < 200 && !ok && attempts < kStarsLimit; ++calls) {
    ok = MakePuzzle(size, easy, *list.list, rng_, scratch, nullptr, made, attempts) == MakeResult::Made;
    if (ok && !stars.Any()) {
      const std::optional<Rating> r = RateSolution(size, made.MarkedCell, made.SolutionLength);
      ok = r && stars.Holds(r->stars);
      if (!ok) calls = 0;  // a puzzle was made: the list is of use
    }
  }
  if (!ok && attempts >= kStarsLimit) {
    MsgboxA("No " + SizeText(size) + " puzzle with " + std::to_string(minStars) + " stars or more was found in " +
                std::to_string(kStarsLimit) + " attempts.",
            "vbok+vbinformation");
    return false;
  }
  if (!ok) {
    MsgboxA("No puzzle could be made with the chain list \"" + ChainListName(size) + "\".", "vbok+vbcritical");
    return false;
  }
  g_.EasyFlag = easy;
  g_.PuzzleSize = size;
  g_.CancelRequested = NO;
  LayOutBoard(g_, size);
  BoardFromGrid(g_, made.grid);
  g_.Solution = made.Solution;
  g_.SolutionLength = made.SolutionLength;
  PlaceMarker(g_, g_.Solution);
  RecolourBoard(g_);
  g_.LastChainCell = -1;
  g_.ChainString.clear();
  g_.CurrentSum = 0;
  g_.Undolist.clear();
  g_.RedoCells.clear();
  return true;
}

void MainWindow::NewPuzzle() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  cmdnew->SetEnabled(false);
  const QString status = Label2->text();
  Label2->setText("Creating New Puzzle ...");
  int size = IntValue(Label3->text().toStdString());
  if (NextPickerSize(size) == 0) size = NextPickerSize(lastSize_) != 0 ? lastSize_ : 9;
  const bool made = makeOnePuzzle(size, Label4->text() != "Hard");
  if (made) {
    const std::string f = folders_.user + "temppuzzlefile.txt";
    int number = 0;
    const WriteResult w = AppendRecord(g_, number, f);
    if (!w.ok) {
      MsgboxA(w.message + "\n" + w.reason, "vbok+vbcritical");
    } else {
      const ShowResult r = ShowPuzzle(g_, f, 1);
      refreshLabels(r.found, r.difficulty);
    }
  }
  Label2->setText(made ? QString("New Puzzle Created") : status);
  board_->update();
  QApplication::restoreOverrideCursor();
  cmdnew->SetEnabled(true);
}

void MainWindow::CreatePuzzles() {
  if (!form3_) form3_ = new CreateDialog(*msgForm_, this);
  form3_->Prepare(g_.ProgramFolder, g_.Palette, folders_.user);
  form3_->exec();
  if (form3_->Tag() != "Y") return;

  const int n = form3_->Count();
  const std::string out = form3_->OutputFile();
  g_.EasyFlag = form3_->Easy();
  if (form3_->DisplayOnly()) {
    showDisplayPuzzle(form3_->Size(), form3_->MinStars());
    return;
  }
  const StarRange stars{form3_->MinStars(), MostStars};
  if (const std::string problem = StarRangeProblem(form3_->Size(), stars); !problem.empty()) {
    MsgboxA("No puzzles can be made: " + problem + ".", "vbok+vbcritical");
    return;
  }

  const std::string returnFile = g_.CurrentFile;
  const int returnNumber = g_.PuzzleNumber < 1 ? 1 : g_.PuzzleNumber;
  g_.Cell[0].Visible = false;
  g_.LaidOutSize = -1;
  auto finish = [this, returnFile, returnNumber, out](const BatchResult& r) {
    const ShowResult shown = ShowPuzzle(g_, returnFile, returnNumber);
    refreshLabels(shown.found, shown.difficulty);
    if (r.failed) MsgboxA(r.message, "vbok+vbcritical");
    MsgboxA(NumText(r.added) + " Puzzles added to file: " + out, "vbinformation+vbok");
    if (r.exhausted)
      MsgboxA("New puzzles of this size and difficulty have become too rare: almost every puzzle made is already in the file.",
              "vbok+vbinformation");
    if (r.starsRare)
      MsgboxA("Puzzles with these stars are too rare at this size and difficulty: 100000 attempts in a row made none.",
              "vbok+vbinformation");
    Label2->clear();
    Label5->clear();
  };
  if (n < 1) {
    finish(BatchResult{});
    return;
  }
  BatchOptions o;
  o.count = n;
  o.size = form3_->Size();
  o.easy = g_.EasyFlag;
  o.outFile = out;
  o.seed = Random::FreshSeed();
  o.threads = 1;
  o.stars = stars;
  StartBatch(o, finish);
}

void MainWindow::showDisplayPuzzle(int size, int minStars) {
  // One puzzle for display, made by the batch's steps but written nowhere.
  if (size == 0) {  // a size whose puzzles can have the stars
    std::vector<int> sizes;
    for (int n : {5, 7, 9})
      if (HighestStars(n) >= minStars) sizes.push_back(n);
    size = sizes.empty() ? 9 : sizes[static_cast<std::size_t>(rng_.Pick(static_cast<int>(sizes.size())) - 1)];
  }
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const QString status = Label2->text();
  progressText(1, 1, form3_->OutputFile());
  Label2->setText("Creating New Puzzle ...");
  Label5->clear();
  const int laidOut = g_.LaidOutSize;
  g_.LaidOutSize = -1;  // laid out in full: the new puzzle starts with its own hints
  const bool made = makeOnePuzzle(size, g_.EasyFlag, minStars);
  hideBusy();
  QApplication::restoreOverrideCursor();
  if (!made) {
    g_.LaidOutSize = laidOut;
    Label2->setText(status);
    return;
  }
  Label4->setText(g_.EasyFlag ? "Easy" : "Hard");
  Label2->setText("New Puzzle Created");
  Label3->setText(QString::fromStdString(SizeText(g_.PuzzleSize)));
  lastSize_ = g_.PuzzleSize;
  Label5->clear();
  shownInFile_ = false;
  shownEasy_ = g_.EasyFlag;
  puzzleShown(true);
  resetKeyCursor();
  board_->update();
  MsgboxA("Done", "vbinformation+vbok");
}

void MainWindow::progressText(int k, int n, const std::string& file, double drawsEach) {
  std::string text = "Creating P#" + std::to_string(k) + " of" + NumText(n) + "\nFile: " + file;
  if (drawsEach > 0) text += "\n" + OneDecimal(drawsEach) + " puzzles made for each one kept";
  showBusy(text);
  setWindowTitle(QString::fromStdString("New " + std::to_string(k) + " of" + NumText(n)));
}

void MainWindow::StartBatch(const BatchOptions& o, std::function<void(const BatchResult&)> done) {
  if (batch_) return;
  batchDone_ = std::move(done);
  batchResult_.reset();
  g_.CancelRequested = NO;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  setBusyInputs(true);
  Label2->setText("Creating New Puzzle ...");
  Label5->clear();
  progressText(1, o.count, o.outFile);
  batch_ = std::make_unique<BatchRun>(o, lists_, this);
  const std::string file = o.outFile;
  connect(batch_.get(), &BatchRun::Progress, this,
          [this, file, stars = !o.stars.Any()](int made, int total, long long draws) {
            progressText(std::min(made + 1, total), total, file, stars && made > 0 ? static_cast<double>(draws) / made : 0);
          });
  connect(batch_.get(), &BatchRun::Finished, this, [this](const BatchResult& r) { batchEnded(r); });
  commands_->SetBatch(true);
  busylabel->setFocus(Qt::OtherFocusReason);  // the one control while it runs: Space cancels from the keys too
  batch_->Start();
}

void MainWindow::batchEnded(const BatchResult& r) {
  if (!batch_) return;
  // The cancel question is still open: the end is taken once it is answered.
  if (askingCancel_) {
    batchResult_ = r;
    return;
  }
  BatchRun* run = batch_.release();
  run->Wait();
  run->deleteLater();  // it is the sender of this call
  leaveBatch();
  std::function<void(const BatchResult&)> done = std::move(batchDone_);
  batchDone_ = nullptr;
  if (done) commands_->Hold([&] { done(r); });
}

void MainWindow::StopBatch() {
  if (!batch_) return;
  batch_->Cancel();
  batch_.reset();  // waits for the worker: the records it began are written whole
  batchDone_ = nullptr;
  batchResult_.reset();
  leaveBatch();
}

void MainWindow::leaveBatch() {
  commands_->SetBatch(false);
  setBusyInputs(false);
  g_.CancelRequested = NO;
  hideBusy();
  QApplication::restoreOverrideCursor();
}

void MainWindow::showBusy(const std::string& text, bool cancellable) {
  busylabel->setText(QString::fromStdString(cancellable ? text + "\nclick here to cancel" : text));
  Frame1->show();
  Frame1->raise();
}

void MainWindow::hideBusy() {
  busylabel->clear();
  Frame1->hide();
}

void MainWindow::BusyLabelReleased() {
  if (!batch_ || askingCancel_ || batch_->Cancelled()) return;
  askingCancel_ = true;
  const bool yes = MsgboxA("Cancel?", "vbYesNo+vbquestion") == 6;
  askingCancel_ = false;
  if (yes && batch_) {
    batch_->Cancel();
    g_.CancelRequested = YES;
  }
  if (batchResult_) {
    const BatchResult r = *batchResult_;
    batchResult_.reset();
    batchEnded(r);
  }
}

void MainWindow::setBusyInputs(bool busy) {
  // While a batch runs only the busy panel takes clicks.
  for (QWidget* w : std::initializer_list<QWidget*>{board_, Label3, Label4, PuzNumNow, menuBar()}) w->setEnabled(!busy);
  for (BoxControl* b : toolButtons()) b->SetEnabled(!busy);
}

}  // namespace kelvane::ui
