// Playing: building the chain, taking steps back, hints and the solution display.
#include "model/play.h"

#include <cstdlib>

#include "model/navigation.h"
#include "model/text_rules.h"

namespace kelvane {

namespace {

std::string twoDigits(int cell) {
  std::string s = std::to_string(cell);
  return s.size() < 2 ? "0" + s : s;
}

// The chain's cells as two-digit groups without the signs.
std::string chainDigits(const std::string& chain) {
  std::string digits;
  for (std::size_t p = 0; p + 1 < chain.size(); p += 3) digits += chain.substr(p, 2);
  return digits;
}

bool onChain(const std::string& chain, int cell) {
  const std::string group = twoDigits(cell);
  for (std::size_t p = 0; p + 1 < chain.size(); p += 3)
    if (chain.compare(p, 2, group) == 0) return true;
  return false;
}

BoardCell& cellAt(GameState& g, int i) { return g.Cell[static_cast<std::size_t>(i)]; }

// A step taken back can be taken again; a new step forgets them unless it is that step.
void noteStep(GameState& g, Move move, int cell) {
  if (move == Move::TookBack || move == Move::Removed) {
    g.RedoCells.push_back(cell);
  } else if (!g.RedoCells.empty() && g.RedoCells.back() == cell) {
    g.RedoCells.pop_back();
  } else {
    g.RedoCells.clear();
  }
}

MoveOutcome finish(GameState& g, Move move, int cell) {
  noteStep(g, move, cell);
  MoveOutcome out{move, false};
  if (IsWin(g)) {
    g.HintsLeft = -9;
    out.won = true;
  }
  return out;
}

}  // namespace

MoveOutcome LeftRelease(GameState& g, int i) {
  if (i == 0) i = g.MarkedCell;
  if (i < 1 || i > g.CellCount || i > MaxGridCells) return {};
  const int v = CellValue(g, i);
  if (g.LastChainCell == -1) {
    if (g.RowOf(i) != g.Geo.N) return {};
    cellAt(g, i).BackColor = g.ChainEndColour;
    g.ChainString = twoDigits(i);
    g.CurrentSum = v;
    g.LastChainCell = i;
    return finish(g, Move::Started, i);
  }
  if (i == g.LastChainCell) {
    if (g.ChainString.size() == 2) {
      RecolourBoard(g);
      g.LastChainCell = -1;
      g.ChainString.clear();
      g.CurrentSum = 0;
      return finish(g, Move::Removed, i);
    }
    const std::size_t L = g.ChainString.size();
    const int f = g.ChainString[L - 3] == '-' ? -1 : 1;
    g.CurrentSum -= f * v;
    cellAt(g, i).BackColor = g.NumberCellColour;
    g.ChainString.resize(L - 3);
    g.LastChainCell = IntValue(g.ChainString.substr(g.ChainString.size() - 2));
    cellAt(g, g.LastChainCell).BackColor = g.ChainEndColour;
    cellAt(g, (i + g.LastChainCell) / 2).BackColor = g.SignCellColour;
    return finish(g, Move::TookBack, i);
  }
  const int p = g.LastChainCell;
  const int dc = std::abs(g.ColOf(i) - g.ColOf(p));
  const int dr = g.RowOf(i) - g.RowOf(p);
  if (!((dr == 0 && dc == 2) || (dc == 0 && dr == -2))) return {};
  if (onChain(g.ChainString, i)) return {};
  const int m = (i + p) / 2;
  const int f = cellAt(g, m).Caption == "-" ? -1 : 1;
  if (g.ChainString.size() > 2) cellAt(g, p).BackColor = g.ChainCellColour;
  cellAt(g, i).BackColor = g.ChainEndColour;
  cellAt(g, m).BackColor = g.ChainCellColour;
  g.ChainString += cellAt(g, m).Caption.empty() ? std::string(" ") : cellAt(g, m).Caption.substr(0, 1);
  g.ChainString += twoDigits(i);
  g.CurrentSum += f * v;
  g.LastChainCell = i;
  return finish(g, Move::Extended, i);
}

void ClearChain(GameState& g) {
  RecolourBoard(g);
  if (g.MarkedCell > 0) g.Cell[0].Visible = true;
  g.LastChainCell = -1;
  g.ChainString.clear();
  g.CurrentSum = 0;
  g.RedoCells.clear();
}

MoveOutcome UndoLastStep(GameState& g) {
  if (g.LastChainCell == -1) return {};
  return LeftRelease(g, g.LastChainCell);
}

MoveOutcome RedoStep(GameState& g) {
  if (g.RedoCells.empty()) return {};
  const MoveOutcome out = LeftRelease(g, g.RedoCells.back());
  // A cell that no longer makes a step (the board changed under it) is no step to redo.
  if (out.move == Move::Ignored) g.RedoCells.clear();
  return out;
}

MoveOutcome StepChain(GameState& g, Step step) {
  const int p = g.LastChainCell;
  if (p == -1) return {};
  const int r = g.RowOf(p), c = g.ColOf(p);
  const int target = step == Step::Left ? g.CellAt(r, c - 2) : step == Step::Right ? g.CellAt(r, c + 2) : g.CellAt(r - 2, c);
  if (target < 1) return {};
  return LeftRelease(g, target);
}

std::vector<int> ChainCells(std::string_view chain) {
  std::vector<int> cells;
  for (std::size_t p = 0; p + 1 < chain.size(); p += 3) cells.push_back(IntValue(chain.substr(p, 2)));
  return cells;
}

std::string PathDigits(std::string_view path) {
  std::string digits;
  std::size_t from = 0;
  for (;;) {
    const std::size_t comma = path.find(',', from);
    if (comma == std::string_view::npos) break;  // the last element is the marked cell
    digits += twoDigits(IntValue(path.substr(from, comma - from)));
    from = comma + 1;
  }
  return digits;
}

namespace {

HintOutcome hintMove(GameState& g) {
  HintOutcome out;
  if (g.HintsLeft < 0) return out;
  const int before = g.HintsLeft--;
  if (before == 0) {
    out.noMoreHints = true;
    return out;
  }
  const std::string key = PathDigits(g.Solution);
  if (key.size() < 2) return out;
  if (g.ChainString.empty()) {
    const int first = IntValue(key.substr(0, 2));
    out.last = LeftRelease(g, first);
    if (first == g.MarkedCell && key.size() >= 4 && !out.last.won) out.last = LeftRelease(g, IntValue(key.substr(2, 2)));
    return out;
  }
  const std::string c = chainDigits(g.ChainString);
  // Only whole cells match: a group is two digits.
  std::size_t p = key.find(c);
  while (p != std::string::npos && p % 2 != 0) p = key.find(c, p + 1);
  if (p != std::string::npos) {
    const std::size_t next = p + c.size();
    if (next + 2 <= key.size()) out.last = LeftRelease(g, IntValue(key.substr(next, 2)));
  } else {
    out.last = LeftRelease(g, IntValue(c.substr(c.size() - 2)));
  }
  return out;
}

}  // namespace

// A hint's move is a new step: what it takes back is not for redo.
HintOutcome Hint(GameState& g) {
  HintOutcome out = hintMove(g);
  if (out.last.move == Move::TookBack || out.last.move == Move::Removed) g.RedoCells.clear();
  return out;
}

void ShowPath(GameState& g, std::string_view path) {
  RecolourBoard(g);
  if (path.find(',') == std::string_view::npos) return;
  const std::string digits = PathDigits(path);
  for (std::size_t k = 0; k + 4 <= digits.size(); k += 2) {
    const int a = IntValue(digits.substr(k, 2));
    const int b = IntValue(digits.substr(k + 2, 2));
    for (int cell : {a, b, (a + b) / 2})
      if (cell >= 1 && cell <= g.CellCount && cell <= MaxGridCells) cellAt(g, cell).BackColor = g.SolutionCellColour;
  }
  PlaceMarker(g, path);
}

void PressShowSolution(GameState& g) {
  for (int i = 1; i <= g.CellCount && i <= MaxGridCells; ++i) g.SolutionSave[static_cast<std::size_t>(i)] = cellAt(g, i).BackColor;
  ShowPath(g, g.Solution);
}

void ReleaseShowSolution(GameState& g) {
  RecolourBoard(g);
  for (int i = 1; i <= g.CellCount && i <= MaxGridCells; ++i) cellAt(g, i).BackColor = g.SolutionSave[static_cast<std::size_t>(i)];
}

}  // namespace kelvane
