// Putting a stored puzzle on the board, blanking it, and the file commands around it.
#pragma once

#include <string>

#include "model/game_state.h"
#include "model/puzzle_file.h"

namespace kelvane {

struct ShowResult {
  bool found = false;
  ReadStatus status = ReadStatus::NotFound;
  std::string title;
  std::string difficulty;  // the word for the difficulty picker
};

// Shows puzzle n of file f: lays the board out for its size, fills the cells,
// places the marker, resets the chain and sets PuzzleNumber, PuzzleCount and
// CurrentFile. When the puzzle cannot be read the board is blanked and the
// collection position keeps its values.
ShowResult ShowPuzzle(GameState& g, const std::string& file, int n);

// Every board cell empty; number cells in the sign colour (or in the
// background colour when PlainBlankFlag is set).
void BlankBoard(GameState& g);

// Colours the cells by their kind and the overlay in the marker colours.
void RecolourBoard(GameState& g);

// The puzzle number an arrow leads to: index 0 previous (right: first),
// 2 next (right: last), 3 random (r in [0, 1)). 0 when nothing should happen.
int ArrowTarget(int index, int button, int number, int count, double r);

// Size picker: 5 -> 7 -> 9 -> 5; 0 for a size that has no next.
int NextPickerSize(int size);
// "7x7" for 7.
std::string SizeText(int size);

// Appends the board's puzzle to a file as its next puzzle; the message for the user.
struct SaveResult {
  bool ok = false;
  int number = 0;
  std::string message;
  std::string style;
};
SaveResult SaveCurrentPuzzle(GameState& g, const std::string& file);

// A record's cells and marked cell as read when it was shown, so that a file
// changed on the disk does not lose another puzzle in its place.
struct ShownRecord {
  int markedCell = 0;
  std::string grid;
};

// Removes the record at position n from a file, through a temporary file and a
// rename; the rest of the file is kept byte for byte. With shown, record n must
// still be that puzzle.
[[nodiscard]] WriteResult DeleteRecord(PuzzleFileIndexes& files, const std::string& file, int n,
                                       const ShownRecord* shown = nullptr);

}  // namespace kelvane
