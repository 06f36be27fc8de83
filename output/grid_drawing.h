// One puzzle of the record buffer drawn as a grid: printed pages, board pictures and browse thumbnails.
#pragma once

#include <string>
#include <string_view>

#include "model/game_state.h"
#include "model/puzzle_file.h"
#include "output/canvas.h"
#include "output/page_layout.h"

namespace kelvane {

enum class GridMode { Puzzle, Solution };

constexpr Colour GridOutlineColour = RGB(20, 20, 20);
constexpr Colour MarkedFillColour = RGB(128, 128, 128);
constexpr Colour PathFillColour = RGB(192, 192, 192);
constexpr Colour SolvedTickColour = RGB(0, 140, 0);

inline constexpr std::string_view PrintedAddress = "kelvane.example";
std::string FooterText();    // "Free Download at ..."
std::string PictureTitle();  // "Kelvane from ..."

// A title or footer line, placed relative to the grid.
struct TextPlace {
  bool shown = false;
  int dx = 0;
  int dy = 0;
  FontSpec font;
};

struct GridStyle {
  int pitch = CellPitch;  // distance from one cell to the next
  int box = CellPitch;    // side of a cell's box
  int captionDx = 160;    // caption from the cell's top-left corner
  int captionDy = 60;
  FontSpec captionFont;
  Colour outline = GridOutlineColour;
  Colour markedFill = MarkedFillColour;
  Colour pathFill = PathFillColour;
  TextPlace title;   // from the grid's top-left corner
  TextPlace footer;  // from the grid's bottom-left corner
  std::string footerText;
  bool marksSolved = false;  // thumbnails only: a solved puzzle gets a tick in the frame's top-right corner
  bool solved = false;       // set by the caller for each puzzle
  Colour tick = SolvedTickColour;
};

// Printed grids; titleRise comes from FitPage.
GridStyle PrintStyle(int code, std::string_view fontName, int titleRise = DefaultTitleRise);

// The clipboard picture: grid at (0, PictureGridTop), title at (10, 25).
constexpr int PictureGridTop = 200;
constexpr int PictureDrawingSide = 5000;
GridStyle PictureStyle(std::string_view fontName);
// The picture's final size for a board of side S: S*500+100 by S*500+300.
PageSize PictureSize(int size);

// Browse thumbnails: the grid starts ThumbnailGridDrop below the origin,
// where the title is written. Setting solved on a copy ticks that puzzle.
constexpr int ThumbnailPitch = 175;
constexpr int ThumbnailGridDrop = 200;
// The tick of a solved thumbnail ends this far right of the grid's left edge, just above the grid,
// inside the browse screen's frame of 1,750 twips that starts 100 twips left of the grid.
constexpr int ThumbnailTickRight = 1630;
GridStyle ThumbnailStyle(std::string_view fontName, Colour markedFill, Colour outline);

struct GridDrawn {
  bool ok = false;        // false when RecSize is not 1..9; nothing is drawn then
  int side = 0;           // the grid's side, size * pitch
  int skippedItems = 0;   // solution items that are off the board or not numbers
  int skippedSteps = 0;   // neighbouring items that are no step between neighbours
};

// Draws the record buffer with its top-left corner at (left, top).
[[nodiscard]] GridDrawn DrawGrid(Canvas& canvas, const GameState& g, const GridStyle& style, GridMode mode, int left,
                                 int top, std::string_view title);

// "Puz#12 Easy" or "Sol#12 Hard"; the difficulty is read as a record's title is.
std::string GridTitle(GridMode mode, std::string_view numberText, std::string_view difficulty);
// The title of the puzzle on the board: its number box as it reads and the main window's difficulty.
std::string BoardGridTitle(GridMode mode, std::string_view numberBoxText, bool easy);
// The title of puzzle n of a file, with the difficulty of its own record.
std::string RecordGridTitle(GridMode mode, int n, std::string_view recordTitle);

// Copies the board's captions, marked cell, solution and size into the record buffer.
void FillRecordFromBoard(GameState& g);

// Reads puzzle n of a file into the record buffer and draws it titled with
// its own difficulty. A record that cannot be read is drawn with no title
// and empty cells, in the size of the record read before it.
struct FilePuzzleDrawn {
  ReadStatus status = ReadStatus::NotFound;
  GridDrawn grid;
};
[[nodiscard]] FilePuzzleDrawn DrawFilePuzzle(Canvas& canvas, GameState& g, const std::string& path, int n,
                                             const GridStyle& style, GridMode mode, int left, int top);

}  // namespace kelvane
