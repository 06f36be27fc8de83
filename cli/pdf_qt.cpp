// kelvane-cli's PDF pages, drawn by the same printing code as the window's.
#include "cli/pdf_qt.h"

#include <QGuiApplication>
#include <cstdio>
#include <memory>

#include "model/game_state.h"
#include "output/printing_qt.h"

namespace kelvane::cli {

namespace {
// Qt's notes about the session (no runtime folder, no display) are no concern of a PDF.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "kelvane-cli: %s\n", qPrintable(text));
}
}  // namespace

PdfOutcome WritePdf(const PdfRequest& request) {
  // Fonts need a GUI application; no display is needed for a PDF.
  std::unique_ptr<QGuiApplication> app;
  if (!QCoreApplication::instance()) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "kelvane-cli";
    static char* argv[] = {name, nullptr};
    qInstallMessageHandler(QuietMessages);
    app = std::make_unique<QGuiApplication>(argc, argv);
  }
  GameState g;
  const std::string what = request.job.mode == GridMode::Solution ? "solutions" : "puzzles";
  const ui::PrintResult r = ui::PrintToPdf(
      request.pdfPath, QPageSize(request.letter ? QPageSize::Letter : QPageSize::A4),
      [&](QPagedPaintDevice& device) { return ui::PrintFileRange(g, device, request.job); },
      "Kelvane " + what + " " + std::to_string(request.job.first) + " to " + std::to_string(request.job.last));
  return {r.ok, r.message, r.pages, r.grids};
}

}  // namespace kelvane::cli
