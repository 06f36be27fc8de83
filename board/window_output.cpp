// The main window's output: printing the current puzzle or a range of a file, the browse screen's page.
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <memory>
#include <unordered_set>

#include "board/click_label.h"
#include "board/main_window.h"
#include "model/navigation.h"
#include "model/text_rules.h"
#include "output/browse_screen_qt.h"
#include "output/printing_qt.h"
#include "uikit/fn_dialog.h"
#include "uikit/modal.h"
#include "uikit/msg_form.h"

namespace kelvane::ui {

std::optional<PrintTarget> MainWindow::chooseTarget() {
  const QPrinterInfo installed = QPrinterInfo::defaultPrinter();
  if (!installed.isNull() && !InstalledAnswerer()) return PrintTarget{false, installed.printerName().toStdString(), {}};
  // No printer (or a test): the page goes into a PDF file the user names.
  const std::string pdf = AskPdfPath(*gf1, *msgForm_, "Save the printed page as PDF", folders_.user, g_.CurrentFile);
  if (pdf.empty()) return std::nullopt;
  return PrintTarget{true, {}, pdf};
}

PrintResult MainWindow::printTo(const PrintTarget& target, const std::function<PrintResult(QPagedPaintDevice&)>& draw,
                                const std::string& documentTitle) {
  // Printing runs on this thread to its end; no command can start meanwhile.
  commands_->SetPrinting(true);
  PrintResult r;
  if (target.pdf) {
    r = PrintToPdf(target.pdfPath, DefaultPaper(), draw, documentTitle);
  } else {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(QString::fromStdString(target.printerName));
    printer.setDocName(QString::fromStdString(documentTitle));
    r = printer.isValid() ? draw(printer) : PrintResult{false, "The printer " + target.printerName + " is not available."};
  }
  commands_->SetPrinting(false);
  return r;
}

bool MainWindow::printBrowseImage(const QImage& image) {
  const std::optional<PrintTarget> target = chooseTarget();
  if (!target) return false;
  const PrintResult r = printTo(*target, [&](QPagedPaintDevice& device) -> PrintResult {
    QPainter painter;
    if (!painter.begin(&device)) return {false, "The printer could not be started."};
    const QRect page = painter.viewport();
    const QSize fitted = image.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.drawImage(QRect(page.topLeft(), fitted), image);
    if (!painter.end()) return {false, "The printer did not finish the page."};
    return {true, {}, 1, 0};
  }, "Kelvane browse page");
  if (!r.ok) MsgboxA("Printing failed.\n" + r.message, "vbok+vbcritical");
  return r.ok;
}

void MainWindow::Browse() {
  if (!form2_) {
    form2_ = new BrowseScreen(g_, *msgForm_, [this](int n) {
      command1->setProperty("Tag", QString::number(n));
      command1->click();
    }, this);
    form2_->SetPrintImage([this](const QImage& image) { return printBrowseImage(image); });
  }
  // The solved set is read once a showing; ticks are looked up in it per thumbnail.
  auto solved = std::make_shared<const std::unordered_set<std::string>>(progress_.SolvedKeys());
  form2_->SetSolved([solved](const std::string& key) { return solved->count(key) > 0; });
  form2_->OpenAtFirstPage();
  form2_->exec();
  // The browse screen counts the file afresh; it may have grown meanwhile.
  puznumber->setText(QString::fromStdString(" of" + NumText(g_.PuzzleCount)));
}

void MainWindow::PrintCurrent() {
  if (MsgboxA("Print Puzzle and its solution?", "vbYesNo+vbquestion") != 6) return;
  const std::optional<PrintTarget> target = chooseTarget();
  if (!target) return;
  showBusy("Printing...", false);
  Frame1->repaint();  // painted now: the page is drawn without a turn of the event loop
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const std::string number = PuzNumNow->text().toStdString();
  const PrintResult r = printTo(*target, [&](QPagedPaintDevice& device) {
    return PrintCurrentPuzzle(g_, device, number);
  }, "Kelvane puzzle " + number);
  hideBusy();
  QApplication::restoreOverrideCursor();
  if (!r.ok) {
    MsgboxA("Printing failed.\n" + r.message, "vbok+vbcritical");
    return;
  }
  MsgboxA("Done", "vbok+vbinformation");
}

void MainWindow::PrintFromFile() {
  if (!form5_) {
    const QPrinterInfo preferred = QPrinterInfo::defaultPrinter();
    form5_ = new PrintFileDialog(*msgForm_, QPrinterInfo::availablePrinterNames(), preferred.printerName(), this);
  }
  form5_->Prepare(g_.CurrentFile, g_.Palette, g_.ProgramFolder, folders_.user);
  form5_->exec();
  const std::optional<FilePrintJob> job = form5_->Job();
  if (!job) return;
  RunFilePrint(*job, form5_->Target());
}

void MainWindow::RunFilePrint(const FilePrintJob& job, const PrintTarget& target) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const std::string returnFile = g_.CurrentFile;
  const int returnNumber = g_.PuzzleNumber < 1 ? 1 : g_.PuzzleNumber;
  showBusy("Printing...", false);
  Frame1->repaint();
  // Every record of the range is read before the first page starts, so a
  // damaged record stops the run with nothing printed.
  std::string problem = PrintRangeProblem(g_.Files, job);
  PrintResult r;
  if (problem.empty()) {
    const std::string what = job.mode == GridMode::Solution ? "solutions" : "puzzles";
    r = printTo(target, [&](QPagedPaintDevice& device) { return PrintFileRange(g_, device, job); },
                "Kelvane " + what + " " + std::to_string(job.first) + " to " + std::to_string(job.last));
    if (!r.ok) problem = r.message;
  }
  g_.CancelRequested = NO;
  const ShowResult shown = ShowPuzzle(g_, returnFile, returnNumber);
  refreshLabels(shown.found, shown.difficulty);
  hideBusy();
  QApplication::restoreOverrideCursor();
  if (!problem.empty()) {
    std::string outcome = "Nothing was printed.";
    if (target.pdf && r.pages > 0) outcome = "The PDF file was not written.";
    else if (r.pages > 0) outcome = "Printing stopped on page " + std::to_string(r.pages) + ".";
    MsgboxA("Printing failed.\n" + problem + "\n" + outcome, "vbok+vbcritical");
  } else {
    MsgboxA("Done", "vbinformation+vbok");
  }
}

}  // namespace kelvane::ui
