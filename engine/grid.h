// A board's captions in compact form, as the generator fills and the solver reads them.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "model/game_state.h"

namespace kelvane {

struct Grid {
  int N = 0;
  std::array<char, MaxGridCells + 1> c{};  // caption of cell i (1-based); '\0' for an empty caption

  int CellCount() const { return N * N; }
  // The numeric value of a one-character caption: its digit, else 0.
  int Value(int i) const { return c[static_cast<std::size_t>(i)] >= '0' && c[static_cast<std::size_t>(i)] <= '9' ? c[static_cast<std::size_t>(i)] - '0' : 0; }
  bool Plus(int i) const { return c[static_cast<std::size_t>(i)] == '+'; }
  // Cells 1..N*N as the grid line writes them.
  std::string Text() const {
    std::string t;
    t.reserve(static_cast<std::size_t>(CellCount()));
    for (int i = 1; i <= CellCount(); ++i)
      if (c[static_cast<std::size_t>(i)] != '\0') t += c[static_cast<std::size_t>(i)];
    return t;
  }
};

// The board of a game state, and back.
Grid GridFromBoard(const GameState& g);
void BoardFromGrid(GameState& g, const Grid& grid);
// A grid from a record's cell text (character i-1 is cell i).
Grid GridFromCells(int N, std::string_view cells);

}  // namespace kelvane
