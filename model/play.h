// Playing: building the chain, taking steps back, hints and the solution display.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/game_state.h"

namespace kelvane {

enum class Move { Ignored, Started, Extended, TookBack, Removed };

struct MoveOutcome {
  Move move = Move::Ignored;
  bool won = false;  // the chain now equals the solution (HintsLeft is then -9)
};

// A left release over cell i (0 is the overlay, that is the marked cell):
// starts a chain in the bottom row, extends it by a step left, right or up,
// or takes back its last step when i is its last cell.
MoveOutcome LeftRelease(GameState& g, int i);

// Removes the chain (after the player said yes to clearing it).
void ClearChain(GameState& g);

// Takes back the chain's last step; nothing without a chain.
MoveOutcome UndoLastStep(GameState& g);

// Takes again the last step taken back (by undo, Backspace or a click on the
// chain's last cell); nothing when there is none. A new step clears them.
MoveOutcome RedoStep(GameState& g);

// The chain's next step from its last cell, for the keyboard.
enum class Step { Left, Right, Up };
MoveOutcome StepChain(GameState& g, Step step);

// The cells of a chain string ("21-11+01" gives 21, 11, 1), in order.
std::vector<int> ChainCells(std::string_view chain);

// Every cell of a path but the marked cell, as two digits each: "21111303".
std::string PathDigits(std::string_view path);

struct HintOutcome {
  bool noMoreHints = false;  // the hints are used up: say so once
  MoveOutcome last;          // the move the hint made
};

// One move along the solution (or one step back when the chain has left it).
HintOutcome Hint(GameState& g);

// Show Solution: pressing paints the solution path, releasing restores the
// colours the cells had.
void PressShowSolution(GameState& g);
void ReleaseShowSolution(GameState& g);
void ShowPath(GameState& g, std::string_view path);

}  // namespace kelvane
