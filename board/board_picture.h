// Pictures of the board for the clipboard: the puzzle or its solution, black on white.
#pragma once

#include <QImage>
#include <string>

#include "model/game_state.h"
#include "output/grid_drawing.h"

namespace kelvane::ui {

// The picture of the board's puzzle (or solution); pixelsPerTwip 2/15 draws
// it at twice the size of 96 dpi so that it stays sharp when pasted. Uses the
// record buffer as its scratch space.
QImage BoardPicture(GameState& g, GridMode mode, double pixelsPerTwip = 2.0 / 15.0);

// Puts the picture on the clipboard, with the puzzle's record as its text
// (for a mail or a forum); false when there is nothing to copy.
bool CopyBoardPicture(GameState& g, GridMode mode, const std::string& recordText = {});

}  // namespace kelvane::ui
