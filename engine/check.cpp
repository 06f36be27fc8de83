// Checks a stored puzzle: format, board, solution, and that the solution is unique.
#include "engine/check.h"

#include <vector>

#include "engine/grid.h"
#include "engine/solver.h"
#include "model/geometry.h"
#include "model/text_rules.h"

namespace kelvane {

namespace {

bool allDigits(std::string_view s) {
  if (s.empty() || s.size() > 3) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

std::string CheckRecord(const RawRecord& raw) {
  const ParsedRecord r = ParseRecord(raw);
  const std::string word = DifficultyWord(r.Title);
  if (word != "Easy" && word != "Hard") return "the title \"" + r.Title + "\" names no difficulty (Easy or Hard)";
  if (r.SizeDigit != 5 && r.SizeDigit != 7 && r.SizeDigit != 9)
    return "the size line \"" + raw.SizeLine + "\" gives no size of 5, 7 or 9";
  const int N = r.SizeDigit;
  const Geometry geo{N};
  const int M = geo.NumbersPerRow();
  if (r.GridTooLong || raw.GridLine.size() != 3 + static_cast<std::size_t>(N * N))
    return "the grid line has " + std::to_string(raw.GridLine.size()) + " characters instead of " +
           std::to_string(3 + N * N);
  if (!allDigits(r.GridPrefix)) return "the grid line does not begin with three digits";

  const Grid grid = GridFromCells(N, r.Cells);
  for (int i = 1; i <= N * N; ++i) {
    const char c = grid.c[static_cast<std::size_t>(i)];
    const std::string where = "cell " + std::to_string(i);
    if (geo.IsNumberCell(i)) {
      if (c < '1' || c > '0' + M) return where + " holds \"" + std::string(1, c) + "\" instead of a number 1 to " + std::to_string(M);
    } else if (geo.IsSignCell(i)) {
      if (c != '+' && c != '-') return where + " holds \"" + std::string(1, c) + "\" instead of a sign";
    } else if (c != ' ') {
      return where + " holds \"" + std::string(1, c) + "\" instead of a blank";
    }
  }
  for (int a = 1; a <= N; a += 2) {
    unsigned inRow = 0, inColumn = 0;
    for (int b = 1; b <= N; b += 2) {
      inRow |= 1u << grid.Value(geo.CellAt(a, b));
      inColumn |= 1u << grid.Value(geo.CellAt(b, a));
    }
    if (inRow != inColumn || inRow != ((1u << (M + 1)) - 2)) return "the numbers do not form a Latin square";
  }

  std::vector<int> chain;
  int marked = 0;
  if (std::string problem = CheckSolutionPath(r, chain, marked); !problem.empty()) return problem;
  int sum = grid.Value(chain.front());
  for (std::size_t k = 1; k < chain.size(); ++k)
    sum += (grid.Plus(Geometry::Between(chain[k - 1], chain[k])) ? 1 : -1) * grid.Value(chain[k]);
  if (sum != 0) return "the solution sums to " + std::to_string(sum) + ", not 0";
  const int through = BalancedChainsThrough(grid, marked, 2);
  if (through != 1) return "another chain with sum 0 passes through the marked cell " + std::to_string(marked);
  return {};
}

std::string CheckSolutionPath(const ParsedRecord& r, std::vector<int>& chain, int& marked) {
  const int N = r.SizeDigit;
  const Geometry geo{N};
  if (!ParseSolutionText(r.Solution, chain, marked)) return "the solution line \"" + r.Solution + "\" is not a chain of cells and a marked cell";
  if (!geo.IsBottomRow(chain.front())) return "the solution does not start in the bottom row";
  if (!geo.IsTopRow(chain.back())) return "the solution does not end in the top row";
  std::vector<bool> visited(static_cast<std::size_t>(N * N + 1), false);
  bool throughMarked = false;
  for (std::size_t k = 0; k < chain.size(); ++k) {
    const int cell = chain[k];
    if (!geo.IsNumberCell(cell)) return "the solution passes through cell " + std::to_string(cell) + ", which is no number cell";
    if (visited[static_cast<std::size_t>(cell)]) return "the solution visits cell " + std::to_string(cell) + " twice";
    visited[static_cast<std::size_t>(cell)] = true;
    throughMarked = throughMarked || cell == marked;
    if (k > 0 && !geo.IsChainStep(chain[k - 1], cell))
      return "the solution steps from cell " + std::to_string(chain[k - 1]) + " to cell " + std::to_string(cell);
  }
  if (!throughMarked) return "the solution does not pass through the marked cell " + std::to_string(marked);
  return {};
}

}  // namespace kelvane
