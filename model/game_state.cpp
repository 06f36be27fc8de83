// The game state: layout of the cells, the marker and the win test.
#include "model/game_state.h"

#include "model/text_rules.h"

namespace kelvane {

std::string ChainListName(int size) {
  const std::string n = std::to_string(size);
  return "k" + n + "x" + n + ".kvy";
}

void LayOutBoard(GameState& g, int N) {
  g.CellCount = N * N;
  for (auto& cell : g.Cell) {
    cell.Caption = " ";
    cell.Visible = false;
  }
  for (int i = 1; i <= g.CellCount && i <= MaxCellIndex; ++i) g.Cell[i].Visible = true;
  g.Cell[0].Visible = false;
  if (N == g.LaidOutSize) return;

  g.LaidOutSize = N;
  g.Geo = Geometry{N};
  g.NumbersPerRow = N / 2 + 1;
  g.SizeCacheFile = ChainListName(N);
  g.LastChainCell = -1;
  g.HintsLeft = 3;
  for (int i = 1; i <= g.CellCount && i <= MaxCellIndex; ++i) {
    BoardCell& cell = g.Cell[i];
    cell.Caption.clear();
    cell.Visible = true;
    const bool number = g.Geo.IsNumberCell(i);
    cell.Tag = number ? 'N' : 'X';
    cell.BackColor = number ? g.NumberCellColour : g.SignCellColour;
  }
}

void PlaceMarker(GameState& g, std::string_view solutionText) {
  const int k = IntValue(LastItem(solutionText));
  BoardCell& overlay = g.Cell[0];
  if (k < 1 || k > g.CellCount || k > MaxCellIndex) {
    g.MarkedCell = 0;
    overlay.Visible = false;
    return;
  }
  overlay.Caption = std::to_string(CellValue(g, k));
  overlay.Visible = true;
  overlay.BackColor = g.MarkedCellBackColour;
  overlay.ForeColor = g.MarkedCellTextColour;
  g.MarkedCell = k;
}

int CellValue(const GameState& g, int i) {
  if (i < 0 || i > MaxCellIndex) return 0;
  return IntValue(g.Cell[i].Caption);
}

std::string GridText(const GameState& g) {
  std::string grid;
  for (int i = 1; i <= g.CellCount && i <= MaxCellIndex; ++i) grid += g.Cell[i].Caption;
  return grid;
}

std::string ChainAsSolution(const GameState& g) {
  std::string text;
  for (std::size_t p = 0; p + 1 < g.ChainString.size(); p += 3) {
    text += std::to_string(IntValue(g.ChainString.substr(p, 2)));
    text += ',';
  }
  return text + NumText(g.MarkedCell);
}

bool IsWin(const GameState& g) {
  return g.RowOf(g.LastChainCell) == 1 && g.CurrentSum == 0 && ChainAsSolution(g) == g.Solution;
}

}  // namespace kelvane
