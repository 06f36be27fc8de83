// A puzzle's rating: how long a player searches for its solution, and stars for it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/grid.h"
#include "model/progress.h"
#include "model/puzzle_file.h"
#include "model/text_rules.h"

namespace kelvane {

// The player of the rating tries the chains through the marked cell, shorter
// chains first, in no order among chains of one length. Of the complete list's
// chains through the marked cell, a are shorter than the solution and b (the
// solution among them) as long: the solution's expected place, the search
// effort, is a + (b + 1) / 2.
struct Rating {
  int cells = 0;      // the solution chain's cells
  double effort = 0;  // a whole number or a half
  int stars = 0;      // 1 to 5

  bool operator==(const Rating&) const = default;
};


// 1 up to an effort of 10, 2 up to 50, 3 up to 250, 4 up to 1000, 5 above.
int StarsOf(double effort);

// Chains of the complete list of size N through a cell, by length: element k
// counts the chains of k cells. Empty for another size or a cell off the board.
const std::vector<int>& ChainsThroughByLength(int N, int cell);

// The rating of a solution of `cells` cells through the marked cell; none when
// no chain of that length passes through it.
std::optional<Rating> RateSolution(int N, int markedCell, int cells);

// The rating of a puzzle of size N from its solution text ("21,11,13,3, 13"),
// checked as a path through its marked cell; none when it is no such path.
std::optional<Rating> RateSolutionText(int N, std::string_view solution, std::string* problem = nullptr);

// The rating of a record: its solution line checked as a path through its
// marked cell (as verify checks it), then rated. Otherwise none, and problem
// (when given) says why.
std::optional<Rating> RateRecord(const RawRecord& raw, std::string* problem = nullptr);

// The rating of a puzzle known by its grid and marked cell: its solution is the
// one balanced chain through the marked cell. None when there is not exactly one.
std::optional<Rating> RateGrid(const Grid& grid, int markedCell);
// The same from a puzzle key ("cells@marked", see PuzzleKey).
std::optional<Rating> RateKey(std::string_view key);
// Sets the stars of every win whose puzzle can be rated (0 for the others).
void RateSolves(std::vector<Solve>& solves);

// The most stars any puzzle of size N can have.
int HighestStars(int N);

// The stars a batch keeps: low to high, both 1 to 5.
struct StarRange {
  int low = 1;
  int high = MostStars;
  bool Any() const { return low <= 1 && high >= MostStars; }
  bool Holds(int stars) const { return stars >= low && stars <= high; }
};
// "N" or "N-M" with 1 <= N <= M <= 5.
bool ParseStarRange(std::string_view text, StarRange& range);
// "" when puzzles of the size (0: any of 5, 7 and 9) can have stars in the
// range; otherwise the reason, as "a 5x5 puzzle has at most 3 stars".
std::string StarRangeProblem(int size, const StarRange& range);

}  // namespace kelvane
