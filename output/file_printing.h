// Printing a range of puzzles or solutions of a puzzle file, page after page.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/game_state.h"
#include "output/canvas.h"
#include "output/grid_drawing.h"

namespace kelvane {

struct FilePrintJob {
  std::string path;
  int first = 1;
  int last = 1;
  GridMode mode = GridMode::Puzzle;
  int code = 1;  // grids per page: 1, 2, 4, 6, 15 or 24
  bool operator==(const FilePrintJob&) const = default;
};

// The print dialog's Tag: path, first and last as typed, mode and code with
// the leading blank of numbers, joined by ",".
std::string PrintTag(std::string_view path, std::string_view firstText, std::string_view lastText, GridMode mode,
                     int code);
// Reads a Tag back; the path is everything before the last four fields, so a
// comma in a folder name survives. Nothing for "X" or a damaged Tag.
std::optional<FilePrintJob> ParsePrintTag(std::string_view tag);

// A typed puzzle number as the range check and the print run read it.
int TypedPuzzleNumber(std::string_view text);

// What stands in the way of printing the range: a file with no puzzles, a
// range outside the file, or a record in it that cannot be read or drawn.
// "" when every grid can be drawn. first above last is no problem: it prints nothing.
std::string PrintRangeProblem(PuzzleFileIndexes& files, const FilePrintJob& job);

// Why pages may not be written into the file pdf: it is the puzzle file being
// printed, or it exists and is no PDF file (a puzzle file named by mistake).
// "" when it may; an existing PDF file is the caller's to confirm.
std::string PdfTargetProblem(const std::string& pdf, const std::string& puzzleFile);

// The file exists (a PDF target that is replaced only when confirmed).
bool PdfTargetExists(const std::string& pdf);

// A canvas with pages: NewPage ends the page drawn so far.
class PageCanvas : public Canvas {
 public:
  virtual bool NewPage() = 0;
};

struct FilePrintOutcome {
  bool ok = false;
  int pages = 0;
  int grids = 0;
  std::string message;  // why the run stopped
};

// Draws the range on the canvas in the layout of job.code, titling each grid
// with its own record's difficulty. Stops at the first record that cannot be
// read (the file changed since it was checked) or page that cannot be started.
[[nodiscard]] FilePrintOutcome DrawFileRange(PageCanvas& canvas, GameState& g, const FilePrintJob& job,
                                             const GridStyle& style);

// A recording canvas that remembers where each page starts.
class RecordingPageCanvas final : public PageCanvas {
 public:
  void Line(int x1, int y1, int x2, int y2, Colour colour) override { page().Line(x1, y1, x2, y2, colour); }
  void Box(int x1, int y1, int x2, int y2, Colour outline) override { page().Box(x1, y1, x2, y2, outline); }
  void FilledBox(int x1, int y1, int x2, int y2, Colour fill) override { page().FilledBox(x1, y1, x2, y2, fill); }
  void Text(int x, int y, std::string_view text, const FontSpec& font) override { page().Text(x, y, text, font); }
  bool NewPage() override {
    page();
    pages.emplace_back();
    return true;
  }
  std::vector<RecordingCanvas> pages;

 private:
  RecordingCanvas& page() {
    if (pages.empty()) pages.emplace_back();
    return pages.back();
  }
};

}  // namespace kelvane
