// Statistics over the player's wins: the table by size and difficulty, CSV, the time chart and a file's solved puzzles.
#include "model/statistics.h"

#include <algorithm>
#include <ctime>
#include <iterator>
#include <map>
#include <set>
#include <utility>

#include "model/play_clock.h"

namespace kelvane {

namespace {

std::string padLeft(const std::string& text, std::size_t width) {
  return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

std::string padRight(std::string text, std::size_t width) {
  if (text.size() < width) text.resize(width, ' ');
  return text;
}

const char* difficulty(bool easy) { return easy ? "Easy" : "Hard"; }

}  // namespace

namespace {

// Rows of wins grouped by a key, in the key's order; a row takes its fields from `start`.
template <typename Key, typename Start>
std::vector<StatsRow> summarise(const std::vector<Solve>& solves, Key key, Start start) {
  std::map<decltype(key(solves.front())), std::vector<const Solve*>> groups;
  for (const Solve& s : solves) groups[key(s)].push_back(&s);
  std::vector<StatsRow> rows;
  for (const auto& [group, wins] : groups) {
    StatsRow row = start(group);
    std::vector<std::int64_t> seconds;
    std::set<std::string> keys;
    for (const Solve* s : wins) {
      seconds.push_back(s->seconds);
      keys.insert(s->key);
      if (s->hintsUsed == 0 && !s->solutionShown) ++row.clean;
    }
    std::sort(seconds.begin(), seconds.end());
    row.solved = static_cast<int>(keys.size());
    row.medianSeconds = seconds[(seconds.size() - 1) / 2];
    row.bestSeconds = seconds.front();
    rows.push_back(row);
  }
  return rows;
}

}  // namespace

std::vector<StatsRow> SummariseSolves(const std::vector<Solve>& solves) {
  // Hard after Easy: the key (size, !easy) sorts them so.
  return summarise(
      solves, [](const Solve& s) { return std::pair{s.size, !s.easy}; },
      [](std::pair<int, bool> g) { return StatsRow{.size = g.first, .easy = !g.second}; });
}

std::vector<StatsRow> SummariseSolvesByStars(const std::vector<Solve>& solves) {
  std::vector<Solve> rated;
  std::copy_if(solves.begin(), solves.end(), std::back_inserter(rated), [](const Solve& s) { return s.stars > 0; });
  return summarise(rated, [](const Solve& s) { return s.stars; }, [](int stars) { return StatsRow{.stars = stars}; });
}

std::string StatsTable(const std::vector<StatsRow>& rows, bool csv) {
  std::string text = csv ? "size,difficulty,solved,median seconds,best seconds,clean\n"
                         : "size difficulty  solved  median   best  clean\n";
  for (const StatsRow& r : rows) {
    if (csv) {
      text += std::to_string(r.size) + "," + difficulty(r.easy) + "," + std::to_string(r.solved) + "," +
              std::to_string(r.medianSeconds) + "," + std::to_string(r.bestSeconds) + "," + std::to_string(r.clean) +
              "\n";
      continue;
    }
    const std::string size = std::to_string(r.size);
    text += padRight(size + "x" + size, 4) + " " + padRight(difficulty(r.easy), 10) + "  " +
            padLeft(std::to_string(r.solved), 6) + "  " + padLeft(ClockText(r.medianSeconds), 6) + " " +
            padLeft(ClockText(r.bestSeconds), 6) + "  " + padLeft(std::to_string(r.clean), 5) + "\n";
  }
  return text;
}

std::string SolvesCsv(const std::vector<Solve>& solves) {
  std::string text = "date,size,difficulty,seconds,hints,solution shown,stars\n";
  for (const Solve& s : solves) {
    const std::time_t when = static_cast<std::time_t>(s.when);
    std::tm utc{};
    gmtime_r(&when, &utc);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%d %H:%M", &utc);
    text += std::string(date) + "," + std::to_string(s.size) + "," + difficulty(s.easy) + "," +
            std::to_string(s.seconds) + "," + std::to_string(s.hintsUsed) + "," + (s.solutionShown ? "yes" : "no") + "," +
            (s.stars > 0 ? std::to_string(s.stars) : "") + "\n";
  }
  return text;
}

std::vector<ChartBar> SolveTimeBars(const std::vector<Solve>& solves) {
  constexpr std::int64_t upTo[] = {60, 120, 300, 600, 1800};  // each band's end, in seconds
  std::vector<ChartBar> bars = {{"< 1 min"},   {"1-2 min"},   {"2-5 min"},
                                {"5-10 min"},  {"10-30 min"}, {"30+ min"}};
  for (const Solve& s : solves) {
    const auto band = std::upper_bound(std::begin(upTo), std::end(upTo), s.seconds) - std::begin(upTo);
    ++bars[static_cast<std::size_t>(band)].count;
  }
  return bars;
}

ReadStatus SolvedInFile(const std::string& path, const std::unordered_set<std::string>& solvedKeys,
                        const std::vector<Solve>& solves, FileProgress& out) {
  FileProgress found;
  std::unordered_set<std::string> won, keys;  // every win's key; those of them in the file
  for (const Solve& s : solves) won.insert(s.key);
  const ReadStatus status = ReadAllRecords(path, [&](int position, const RawRecord& raw, ReadStatus s) {
    found.puzzles = position;
    if (s != ReadStatus::Ok) return true;
    const ParsedRecord parsed = ParseRecord(raw);
    std::string key = PuzzleKey(parsed.Cells, parsed.MarkedCell);
    if (solvedKeys.count(key)) found.solvedNumbers.push_back(position);
    if (won.count(key)) keys.insert(std::move(key));
    return true;
  });
  if (status != ReadStatus::Ok) return status;
  for (const Solve& s : solves)
    if (keys.count(s.key)) found.solves.push_back(s);
  out = std::move(found);
  return status;
}

}  // namespace kelvane
