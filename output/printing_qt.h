// Printing on a Qt paged device (a printer or a PDF file): the current puzzle, or a range of a file.
#pragma once

#include <QPageSize>
#include <QPagedPaintDevice>
#include <functional>
#include <string>

#include "model/game_state.h"
#include "output/file_printing.h"

namespace kelvane::ui {

struct PrintResult {
  bool ok = false;
  std::string message;  // why printing failed
  int pages = 0;
  int grids = 0;
};

// Draws the board's puzzle (upper half) and its solution (lower half), titled
// with the number box's text and the difficulty, on one portrait page.
[[nodiscard]] PrintResult PrintCurrentPuzzle(GameState& g, QPagedPaintDevice& device, const std::string& numberBoxText);

// Draws puzzles job.first..job.last of job.path in the layout of job.code,
// turning the page to the layout's orientation first. An empty range draws
// nothing and starts no document.
[[nodiscard]] PrintResult PrintFileRange(GameState& g, QPagedPaintDevice& device, const FilePrintJob& job);

// Pages drawn by draw go into a PDF file. They are written to a temporary file
// in the same folder, which replaces path only when the document is whole;
// when draw fails or draws no page, path is left as it was.
[[nodiscard]] PrintResult PrintToPdf(const std::string& path, const QPageSize& paper,
                                     const std::function<PrintResult(QPagedPaintDevice&)>& draw,
                                     const std::string& documentTitle = "Kelvane");

// A4, or Letter where the locale measures in inches.
QPageSize DefaultPaper();

}  // namespace kelvane::ui
