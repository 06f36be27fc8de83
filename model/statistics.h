// Statistics over the player's wins: per size and difficulty, a chart of solve
// times, CSV, and which puzzles of a file are solved.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

#include "model/progress.h"
#include "model/puzzle_file.h"

namespace kelvane {

struct StatsRow {
  int size = 0;                  // 0 in a row by stars
  bool easy = false;
  int solved = 0;                // distinct puzzles won
  std::int64_t medianSeconds = 0;  // over every win (the lower middle of an even count)
  std::int64_t bestSeconds = 0;
  int clean = 0;                 // wins with no hint and no solution shown
  int stars = 0;                 // a row by stars: its stars

  bool operator==(const StatsRow&) const = default;
};

// One row per size and difficulty that has a win, 5x5 Easy first, Easy before Hard.
std::vector<StatsRow> SummariseSolves(const std::vector<Solve>& solves);
// One row per number of stars that has a win, 1 star first; unrated wins (stars 0) are left out.
std::vector<StatsRow> SummariseSolvesByStars(const std::vector<Solve>& solves);

// The rows as the command line prints them: a header line, then one line per row
// ("5x5  Hard             2    1:15   1:05      2"); csv gives
// "size,difficulty,solved,median seconds,best seconds,clean" and plain numbers.
std::string StatsTable(const std::vector<StatsRow>& rows, bool csv);

// Every win as a CSV line for a spreadsheet, with a header line:
// "date,size,difficulty,seconds,hints,solution shown,stars" (stars empty when unrated).
std::string SolvesCsv(const std::vector<Solve>& solves);

// The chart: how many wins took a time in each band.
struct ChartBar {
  std::string label;  // "< 1 min", "1-2 min", "2-5 min", "5-10 min", "10-30 min", "30+ min"
  int count = 0;
};
std::vector<ChartBar> SolveTimeBars(const std::vector<Solve>& solves);

// The puzzles of a file that are solved, by position, and the wins of those puzzles.
struct FileProgress {
  int puzzles = 0;
  std::vector<int> solvedNumbers;
  std::vector<Solve> solves;
};
[[nodiscard]] ReadStatus SolvedInFile(const std::string& path, const std::unordered_set<std::string>& solvedKeys,
                                      const std::vector<Solve>& solves, FileProgress& out);

}  // namespace kelvane
