// Printing on a QPrinter: the current puzzle with its solution on one page.
#pragma once

#include <QPrinter>
#include <string>

#include "model/game_state.h"

namespace kelvane::ui {

struct PrintResult {
  bool ok = false;
  std::string message;  // why printing failed
};

// Draws the board's puzzle (upper half) and its solution (lower half), titled
// with the number box's text and the difficulty, on one page of the printer.
[[nodiscard]] PrintResult PrintCurrentPuzzle(GameState& g, QPrinter& printer, const std::string& numberBoxText);

}  // namespace kelvane::ui
