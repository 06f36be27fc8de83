// The game state: board cells, puzzle, chain, collection position and record buffer.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/file_index.h"
#include "model/geometry.h"

namespace kelvane {

// A colour as 0x00BBGGRR, the layout of the scheme files.
using Colour = std::uint32_t;
constexpr Colour RGB(int r, int g, int b) {
  return static_cast<Colour>(r & 255) | static_cast<Colour>(g & 255) << 8 |
         static_cast<Colour>(b & 255) << 16;
}

constexpr int YES = 1;
constexpr int NO = 0;
constexpr int DialogColourSlot = 4;
constexpr double PrintScale = 0.8;
constexpr int MaxCellIndex = 100;   // board cells 1..100, 0 is the overlay
constexpr int MaxGridCells = 81;    // the largest board, 9 x 9

struct BoardCell {
  std::string Caption;   // one character, or empty
  char Tag = 'X';        // 'N' number cell, 'X' every other cell
  Colour BackColor = 0;
  Colour ForeColor = 0;
  bool Visible = false;
};

struct GameState {
  // Board, laid out for PuzzleSize by LayOutBoard.
  int PuzzleSize = 7;
  int CellCount = 0;
  int NumbersPerRow = 0;
  Geometry Geo;
  std::array<BoardCell, MaxCellIndex + 1> Cell{};
  int CellAt(int r, int c) const { return Geo.CellAt(r, c); }
  int RowOf(int i) const { return Geo.RowOf(i); }
  int ColOf(int i) const { return Geo.ColOf(i); }

  // The puzzle on the board.
  std::string Solution;
  int SolutionLength = 0;
  int MarkedCell = 0;
  bool EasyFlag = false;

  // The player's chain.
  int LastChainCell = -1;
  std::string ChainString;
  int CurrentSum = 0;
  int HintsLeft = 3;
  std::vector<std::string> Undolist;
  std::vector<int> RedoCells;  // the cells of the steps taken back, the last on top

  // Where the player is in the collection.
  std::string CurrentFile;
  int PuzzleNumber = 0;
  int PuzzleCount = 0;
  std::string ProgramFolder;  // ends with "/"
  int BrowseFirst = 1;
  // The shown record's cells and marked cell as read, so that delete finds it again.
  std::string ShownCells;
  int ShownMarkedCell = 0;

  // Record buffer: one puzzle read from a file without touching the board.
  std::array<std::string, MaxGridCells + 1> RecCells{};
  int RecSize = 7;
  int RecSolutionLength = 0;
  std::string RecSolution;
  int RecMarkedCell = 0;

  // Layout and appearance.
  int LaidOutSize = -1;
  std::string CellFontName = "Arial";
  int CellFontSize = 16;
  std::string ColourSchemeName = "default.col";
  int PlainBlankFlag = NO;
  std::array<Colour, 14> Palette{};
  Colour NumberCellColour = RGB(255, 255, 255);
  Colour SignCellColour = RGB(192, 192, 192);
  Colour MarkedCellBackColour = RGB(20, 20, 20);
  Colour MarkedCellTextColour = RGB(255, 255, 255);
  Colour ChainCellColour = RGB(10, 200, 10);
  Colour ChainEndColour = RGB(10, 100, 10);
  Colour SolutionCellColour = RGB(150, 50, 50);
  Colour ThumbMarkedColour = RGB(120, 120, 120);

  std::array<Colour, MaxGridCells + 1> SolutionSave{};  // cell colours while the solution is shown
  std::string SizeCacheFile;  // chain list name of the laid-out size
  int CancelRequested = NO;

  // Record offsets of the puzzle files this state has read.
  PuzzleFileIndexes Files;
};

// "k7x7.kvy" for size 7.
std::string ChainListName(int size);

// Lays the cells out for size N: captions " ", tags and colours; on a new
// size also the geometry, NumbersPerRow, SizeCacheFile and the hints.
void LayOutBoard(GameState& g, int N);

// Moves the overlay onto the cell named by the last comma-separated item of
// the text and sets MarkedCell. A cell off the board gives MarkedCell 0 and
// hides the overlay.
void PlaceMarker(GameState& g, std::string_view solutionText);

// Numeric value of a caption (0 for a sign, a blank or an empty caption).
int CellValue(const GameState& g, int i);

// The board's cells 1..CellCount as one text, empty captions contributing nothing.
std::string GridText(const GameState& g);

// The chain as the solution text would write it: "21,11,1,3, 1".
std::string ChainAsSolution(const GameState& g);

// The chain has reached the top row with sum 0 and equals the solution.
bool IsWin(const GameState& g);

}  // namespace kelvane
