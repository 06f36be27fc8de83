// The solver: from a board's balanced chains, the solution and its marked cell.
#include "engine/solver.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "model/text_rules.h"

namespace kelvane {

Grid GridFromBoard(const GameState& g) {
  Grid grid;
  grid.N = g.Geo.N;
  for (int i = 1; i <= grid.CellCount() && i <= MaxGridCells; ++i) {
    const std::string& caption = g.Cell[static_cast<std::size_t>(i)].Caption;
    grid.c[static_cast<std::size_t>(i)] = caption.empty() ? '\0' : caption[0];
  }
  return grid;
}

void BoardFromGrid(GameState& g, const Grid& grid) {
  for (int i = 1; i <= grid.CellCount() && i <= MaxGridCells; ++i) {
    const char ch = grid.c[static_cast<std::size_t>(i)];
    g.Cell[static_cast<std::size_t>(i)].Caption.assign(ch == '\0' ? 0 : 1, ch);
  }
}

Grid GridFromCells(int N, std::string_view cells) {
  Grid grid;
  grid.N = N;
  for (int i = 1; i <= grid.CellCount() && static_cast<std::size_t>(i) <= cells.size(); ++i)
    grid.c[static_cast<std::size_t>(i)] = cells[static_cast<std::size_t>(i) - 1];
  return grid;
}

namespace {

constexpr int kMaxM = 5;
constexpr int kSumOffset = 128;  // sums -128..127 fit the 256-bit sets

// A set of sums in -128..127.
struct SumSet {
  std::uint64_t w[4];
  void clear() { w[0] = w[1] = w[2] = w[3] = 0; }
  void set(int sum) {
    const int b = sum + kSumOffset;
    w[b >> 6] |= std::uint64_t{1} << (b & 63);
  }
  bool test(int sum) const {
    const int b = sum + kSumOffset;
    return b >= 0 && b < 256 && (w[b >> 6] >> (b & 63) & 1);
  }
  // Adds every sum of o moved by k.
  void orShifted(const SumSet& o, int k) {
    if (k >= 0) {
      const int q = k >> 6, r = k & 63;
      for (int i = 3; i >= q; --i) {
        std::uint64_t x = o.w[i - q] << r;
        if (r && i - q - 1 >= 0) x |= o.w[i - q - 1] >> (64 - r);
        w[i] |= x;
      }
    } else {
      const int q = (-k) >> 6, r = (-k) & 63;
      for (int i = 0; i + q <= 3; ++i) {
        std::uint64_t x = o.w[i + q] >> r;
        if (r && i + q + 1 <= 3) x |= o.w[i + q + 1] << (64 - r);
        w[i] |= x;
      }
    }
  }
};

// The board seen row by row from the bottom: values, signs and the runs
// along each row, for the chains of ChainShapes.
struct RowView {
  int M = 0;
  int v[kMaxM][kMaxM];    // value at number row j (0 = bottom), column k
  int up[kMaxM][kMaxM];   // +1/-1: sign crossed from (j, k) up to (j + 1, k)
  int right[kMaxM][kMaxM + 1];  // sum of a run from column 0 to b, going right
  int left[kMaxM][kMaxM + 1];   // sum of a run from column b to 0, going left
  int maxValue = 0;

  RowView(const Grid& g) {
    const int N = g.N;
    M = std::min(N / 2 + 1, kMaxM);
    for (int j = 0; j < M; ++j) {
      const int row = N - 2 * j;  // board row, 1-based
      right[j][0] = left[j][0] = 0;
      for (int k = 0; k < M; ++k) {
        const int cell = (row - 1) * N + 2 * k + 1;
        v[j][k] = g.Value(cell);
        maxValue = std::max(maxValue, v[j][k]);
        up[j][k] = j + 1 < M ? (g.Plus(cell - N) ? 1 : -1) : 0;
      }
      for (int k = 0; k + 1 < M; ++k) {
        const int sign = g.Plus((row - 1) * N + 2 * k + 2) ? 1 : -1;
        right[j][k + 1] = right[j][k] + sign * v[j][k + 1];
        left[j][k + 1] = left[j][k] + sign * v[j][k];
      }
    }
  }
  // Sum added by walking row j from column a to column b.
  int run(int j, int a, int b) const {
    return a <= b ? right[j][b] - right[j][a] : left[j][a] - left[j][b];
  }
};

// Every balanced chain of the complete list, by id in ascending order.
// Sets of reachable remainders prune every branch that cannot end at 0.
void balancedChains(const Grid& grid, const ChainShapes& shapes, std::vector<int>& out) {
  out.clear();
  const RowView rv(grid);
  const int M = rv.M;
  if (rv.maxValue * M * M > 127) {
    // Values beyond any real puzzle: walk every chain.
    for (int id = 0; id < shapes.count; ++id) {
      const std::uint8_t* cells;
      const int n = shapes.CellsOf(id, cells);
      int sum = grid.Value(cells[0]);
      for (int i = 1; i < n; ++i)
        sum += (grid.Plus((cells[i - 1] + cells[i]) / 2) ? 1 : -1) * grid.Value(cells[i]);
      if (sum == 0) out.push_back(id);
    }
    return;
  }
  // reach[j][a]: sums the rest of a chain can add after entering row j at column a.
  SumSet reach[kMaxM][kMaxM];
  for (int a = 0; a < M; ++a) {
    reach[M - 1][a].clear();
    for (int e = 0; e < M; ++e) reach[M - 1][a].set(rv.run(M - 1, a, e));
  }
  for (int j = M - 2; j >= 0; --j) {
    for (int a = 0; a < M; ++a) {
      SumSet& s = reach[j][a];
      s.clear();
      for (int d = 0; d < M; ++d) s.orShifted(reach[j + 1][d], rv.run(j, a, d) + rv.up[j][d] * rv.v[j + 1][d]);
    }
  }
  int digits[kMaxM + 1];
  // Depth-first in digit order, so ids come out ascending.
  auto walk = [&](auto& self, int j, int a, int partial) -> void {
    if (j == M - 1) {
      for (int e = 0; e < M; ++e) {
        if (partial + rv.run(j, a, e) == 0) {
          digits[M] = e;
          out.push_back(shapes.IdOf(digits));
        }
      }
      return;
    }
    if (j + 1 >= kMaxM) return;  // never: M <= kMaxM; tells the compiler
    for (int d = 0; d < M; ++d) {
      const int next = partial + rv.run(j, a, d) + rv.up[j][d] * rv.v[j + 1][d];
      if (reach[j + 1][d].test(-next)) {
        digits[j + 1] = d;
        self(self, j + 1, d, next);
      }
    }
  };
  for (int s = 0; s < M; ++s) {
    if (reach[0][s].test(-rv.v[0][s])) {
      digits[0] = s;
      walk(walk, 0, s, rv.v[0][s]);
    }
  }
}

int extraValue(const Grid& grid, const ExtraChain& chain) {
  int sum = grid.Value(chain.cells[0]);
  for (std::size_t i = 1; i < chain.cells.size(); ++i)
    sum += (grid.Plus((chain.cells[i - 1] + chain.cells[i]) / 2) ? 1 : -1) * grid.Value(chain.cells[i]);
  return sum;
}

// Digits of a cell number, as the candidate text ends with them after its blank.
struct CellText {
  char d[4];
  int n;
  explicit CellText(int cell) : n(0) {
    char tmp[4];
    int k = 0;
    do {
      tmp[k++] = static_cast<char>('0' + cell % 10);
      cell /= 10;
    } while (cell > 0 && k < 4);
    while (k > 0) d[n++] = tmp[--k];
  }
  std::string_view view() const { return {d, static_cast<std::size_t>(n)}; }
};

// Order of the candidate texts "X" + three-digit length + chain line + " " + cell.
bool candidateLess(std::string_view lineA, int cellA, std::string_view lineB, int cellB) {
  if (lineA.size() != lineB.size()) return lineA.size() < lineB.size();
  const int c = lineA.compare(lineB);
  if (c != 0) return c < 0;
  return CellText(cellA).view() < CellText(cellB).view();
}

}  // namespace

bool FindSolution(const Grid& grid, bool easy, const ChainList& list, SolverScratch& scratch,
                  std::string& solution, int& solutionLength) {
  const int N = grid.N;
  if (N < 1 || N > 9) return false;
  const int M = N / 2 + 1;
  const int cellCount = N * N;
  std::vector<int>& balanced = scratch.balanced;
  if (list.shapes && list.shapes->N == N) {
    balancedChains(grid, *list.shapes, balanced);
  } else {
    balanced.clear();
  }

  std::uint8_t coverage[MaxGridCells + 1];
  int owner[MaxGridCells + 1];
  std::memset(coverage, 0, sizeof coverage);
  auto cover = [&](const std::uint8_t* cells, std::size_t n, int copies, int ref) {
    for (std::size_t i = 0; i < n; ++i) {
      std::uint8_t& c = coverage[cells[i]];
      c = static_cast<std::uint8_t>(std::min(2, c + copies));
      owner[cells[i]] = ref;
    }
  };
  for (int id : balanced) {
    const int copies = list.copies[static_cast<std::size_t>(id)];
    if (copies == 0) continue;
    const std::uint8_t* cells;
    const int n = list.shapes->CellsOf(id, cells);
    cover(cells, static_cast<std::size_t>(n), copies, id);
  }
  for (std::size_t x = 0; x < list.extras.size(); ++x) {
    const ExtraChain& chain = list.extras[x];
    if (extraValue(grid, chain) == 0)
      cover(chain.cells.data(), chain.cells.size(), 1, -1 - static_cast<int>(x));
  }

  std::string_view bestLine;
  int bestCell = 0;
  for (int i = 1; i <= cellCount; ++i) {
    if (coverage[i] != 1) continue;
    const int ref = owner[i];
    std::string_view line;
    int items;
    if (ref >= 0) {
      line = list.shapes->text[static_cast<std::size_t>(ref)];
      const std::uint8_t* cells;
      items = list.shapes->CellsOf(ref, cells) + 1;
    } else {
      const ExtraChain& chain = list.extras[static_cast<std::size_t>(-1 - ref)];
      line = chain.text;
      items = chain.items;
    }
    if (!easy && items - 1 <= M) continue;
    const bool better = bestCell == 0 || (easy ? candidateLess(line, i, bestLine, bestCell)
                                               : candidateLess(bestLine, bestCell, line, i));
    if (better) {
      bestLine = line;
      bestCell = i;
    }
  }
  if (bestCell == 0) return false;
  solution.assign(bestLine);
  solution += ' ';
  solution += CellText(bestCell).view();
  solutionLength = CountItems(solution) - 1;
  return true;
}

int FindSolution(GameState& g, ChainListCache& lists, std::string* error) {
  const ChainListResult r = lists.Get(g.Geo.N);
  if (!r.list) {
    if (error) *error = r.error;
    return -1;
  }
  SolverScratch scratch;
  return FindSolution(GridFromBoard(g), g.EasyFlag, *r.list, scratch, g.Solution, g.SolutionLength) ? 0 : -1;
}

int BalancedChainsThrough(const Grid& grid, int cell, int limit, int* firstCells) {
  if (firstCells) *firstCells = 0;
  const ChainShapes* shapes = ShapesFor(grid.N);
  if (!shapes) return 0;
  std::vector<int> balanced;
  balancedChains(grid, *shapes, balanced);
  int found = 0;
  for (int id : balanced) {
    const std::uint8_t* cells;
    const int n = shapes->CellsOf(id, cells);
    if (std::find(cells, cells + n, static_cast<std::uint8_t>(cell)) == cells + n) continue;
    if (found == 0 && firstCells) *firstCells = n;
    if (++found >= limit) break;
  }
  return found;
}

}  // namespace kelvane
