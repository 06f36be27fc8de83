// The board for screen readers: a table with one cell per board cell; and the tool buttons as buttons.
#pragma once

#include <QString>

#include "model/game_state.h"

namespace kelvane::ui {

class BoardWidget;

// What a screen reader says for cell i: "row 1, column 1: 1, marked", "sign: minus, in the chain", "blank".
// A number cell adds "marked", then "in the chain" or, for the chain's last cell, "chain end", then
// "solution" while the solution shows it; a sign between two chain cells is "in the chain".
QString CellAccessibleName(const GameState& g, int i);
// The board's name ("Board, 5 by 5") and description ("Current sum: 2").
QString BoardAccessibleName(const GameState& g);
QString BoardAccessibleDescription(const GameState& g);

// Installs, once, the factory of the board's and the tool buttons' interfaces. A widget whose interface
// was asked for before keeps the plain one: main() installs it before any window is built.
void InstallAccessibleFactory();
// Installs the factory and makes sure board gets its table interface: an event sent while the QWidget
// part was being built may have left a plain one in Qt's cache.
void InstallBoardAccessible(BoardWidget* board);

}  // namespace kelvane::ui
