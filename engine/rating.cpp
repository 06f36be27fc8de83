// A puzzle's rating: how long a player searches for its solution, and stars for it.
#include "engine/rating.h"

#include <array>
#include <charconv>
#include <unordered_map>

#include "engine/chain_list.h"
#include "engine/check.h"
#include "engine/solver.h"
#include "model/game_state.h"

namespace kelvane {

namespace {

// a + (b + 1) / 2 over a cell's chains by length; 0 when none has `cells` cells.
double effortOf(const std::vector<int>& counts, int cells) {
  if (cells < 1 || static_cast<std::size_t>(cells) >= counts.size() || counts[static_cast<std::size_t>(cells)] == 0) return 0;
  long long shorter = 0;
  for (int len = 1; len < cells; ++len) shorter += counts[static_cast<std::size_t>(len)];
  return static_cast<double>(shorter) + (counts[static_cast<std::size_t>(cells)] + 1) / 2.0;
}

// Per cell of one size: its chains counted by length.
struct LengthTable {
  std::vector<std::vector<int>> byCell;  // index: cell 1..N*N
  int highestStars = 0;
};

LengthTable buildTable(int N) {
  LengthTable t;
  const ChainShapes* shapes = ShapesFor(N);
  t.byCell.resize(static_cast<std::size_t>(N * N + 1));
  if (!shapes) return t;
  const std::size_t longest = static_cast<std::size_t>(shapes->M * shapes->M);
  for (std::vector<int>& counts : t.byCell) counts.assign(longest + 1, 0);
  for (int id = 0; id < shapes->count; ++id) {
    const std::uint8_t* cells;
    const int n = shapes->CellsOf(id, cells);
    for (int k = 0; k < n; ++k) ++t.byCell[cells[k]][static_cast<std::size_t>(n)];
  }
  for (const std::vector<int>& counts : t.byCell)
    for (std::size_t len = 1; len <= longest; ++len)
      if (const double effort = effortOf(counts, static_cast<int>(len)); effort > 0)
        t.highestStars = std::max(t.highestStars, StarsOf(effort));
  return t;
}

const LengthTable* tableFor(int N) {
  static const std::array<LengthTable, 3> tables{buildTable(5), buildTable(7), buildTable(9)};
  return N == 5 || N == 7 || N == 9 ? &tables[static_cast<std::size_t>((N - 5) / 2)] : nullptr;
}

}  // namespace

int StarsOf(double effort) {
  constexpr double limits[] = {10, 50, 250, 1000};
  int stars = 1;
  for (double limit : limits)
    if (effort > limit) ++stars;
  return stars;
}

const std::vector<int>& ChainsThroughByLength(int N, int cell) {
  static const std::vector<int> none;
  const LengthTable* t = tableFor(N);
  if (!t || cell < 1 || cell > N * N) return none;
  return t->byCell[static_cast<std::size_t>(cell)];
}

std::optional<Rating> RateSolution(int N, int markedCell, int cells) {
  const double effort = effortOf(ChainsThroughByLength(N, markedCell), cells);
  if (effort == 0) return std::nullopt;
  return Rating{cells, effort, StarsOf(effort)};
}

std::optional<Rating> RateSolutionText(int N, std::string_view solution, std::string* problem) {
  ParsedRecord r;
  r.SizeDigit = N;
  r.Solution = std::string(solution);
  std::string why;
  std::vector<int> chain;
  int marked = 0;
  if (N != 5 && N != 7 && N != 9) why = "the size " + std::to_string(N) + " is none of 5, 7 and 9";
  else why = CheckSolutionPath(r, chain, marked);
  if (why.empty()) {
    if (std::optional<Rating> rating = RateSolution(N, marked, static_cast<int>(chain.size()))) return rating;
    why = "the solution is no chain of the complete list";
  }
  if (problem) *problem = why;
  return std::nullopt;
}

std::optional<Rating> RateRecord(const RawRecord& raw, std::string* problem) {
  const ParsedRecord r = ParseRecord(raw);
  if (r.SizeDigit != 5 && r.SizeDigit != 7 && r.SizeDigit != 9) {
    if (problem) *problem = "the size line \"" + raw.SizeLine + "\" gives no size of 5, 7 or 9";
    return std::nullopt;
  }
  return RateSolutionText(r.SizeDigit, r.Solution, problem);
}

std::optional<Rating> RateGrid(const Grid& grid, int markedCell) {
  int cells = 0;
  if (BalancedChainsThrough(grid, markedCell, 2, &cells) != 1) return std::nullopt;
  return RateSolution(grid.N, markedCell, cells);
}

std::optional<Rating> RateKey(std::string_view key) {
  const std::size_t at = key.rfind('@');
  if (at == std::string_view::npos) return std::nullopt;
  int marked = 0;
  const char* end = key.data() + key.size();
  auto [ptr, ec] = std::from_chars(key.data() + at + 1, end, marked);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  int N = 0;
  for (int n : {5, 7, 9})
    if (static_cast<int>(at) == n * n) N = n;
  if (N == 0) return std::nullopt;
  return RateGrid(GridFromCells(N, key.substr(0, at)), marked);
}

void RateSolves(std::vector<Solve>& solves) {
  std::unordered_map<std::string, int> starsOf;  // each puzzle rated once, however often it was won
  for (Solve& s : solves) {
    auto [it, fresh] = starsOf.try_emplace(s.key, 0);
    if (fresh)
      if (const std::optional<Rating> r = RateKey(s.key)) it->second = r->stars;
    s.stars = it->second;
  }
}

int HighestStars(int N) {
  const LengthTable* t = tableFor(N);
  return t ? t->highestStars : 0;
}

bool ParseStarRange(std::string_view text, StarRange& range) {
  const auto digit = [](char c) { return c >= '1' && c <= '0' + MostStars; };
  if (text.size() == 1 && digit(text[0])) {
    range.low = range.high = text[0] - '0';
    return true;
  }
  if (text.size() == 3 && digit(text[0]) && text[1] == '-' && digit(text[2]) && text[0] <= text[2]) {
    range.low = text[0] - '0';
    range.high = text[2] - '0';
    return true;
  }
  return false;
}

std::string StarRangeProblem(int size, const StarRange& range) {
  int highest = 0;
  for (int n : {5, 7, 9})
    if (size == 0 || size == n) highest = std::max(highest, HighestStars(n));
  if (range.low <= highest) return {};
  const std::string board = size == 0 ? "puzzle of any size" : std::to_string(size) + "x" + std::to_string(size) + " puzzle";
  return "a " + board + " has at most " + std::to_string(highest) + (highest == 1 ? " star" : " stars") + ": no puzzle has " +
         std::to_string(range.low) + (range.low == range.high ? "" : " or more") + (range.low == 1 ? " star" : " stars");
}

}  // namespace kelvane
