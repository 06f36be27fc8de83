// The player's progress: wins, time spent per puzzle, the puzzle last shown per
// file and the player's own settings, kept in one SQLite database.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace kelvane {

// A puzzle is known by its grid and marked cell, whatever file holds it.
std::string PuzzleKey(std::string_view cells, int markedCell);

// One win.
struct Solve {
  std::string key;
  int size = 0;
  bool easy = false;
  std::int64_t seconds = 0;
  int hintsUsed = 0;
  bool solutionShown = false;
  std::int64_t when = 0;  // seconds since 1970, UTC
  int stars = 0;          // the puzzle's rating when it has been rated; not stored

  bool operator==(const Solve&) const = default;
};

// Where the player left a puzzle: the time spent on it and the chain in progress.
struct Visit {
  std::int64_t seconds = 0;
  std::string chain;  // the chain string as the board keeps it; "" for none
  bool solved = false;
};

class ProgressStore {
 public:
  // The database file in a per-user folder.
  static constexpr const char* FileName = "progress.sqlite";

  ProgressStore();
  ~ProgressStore();
  ProgressStore(const ProgressStore&) = delete;
  ProgressStore& operator=(const ProgressStore&) = delete;

  // Opens or creates the database. A damaged or foreign file is renamed to
  // "<path>.damaged-YYYY-MM-DD" (the local date, then -2, -3 ... when that name
  // is taken) and a new one started; a folder that cannot be
  // written keeps the progress in memory for this run. The result is the one
  // message for the user, or "" when all went well. A file of a newer schema
  // is left as it is and the progress kept in memory. readOnly (kelvane-cli)
  // never creates, renames or writes anything: a missing file reads as empty
  // with ""; a damaged, foreign or newer one reads as empty with a message.
  [[nodiscard]] std::string Open(const std::string& path, bool readOnly = false);
  bool IsOpen() const;
  // False when the progress is only kept in memory (or the store is closed).
  bool Persistent() const;
  const std::string& Path() const;

  // Every call below is safe on a closed store: reads give nothing, writes fail.
  // A write that fails leaves the database as it was; LastError says why.
  // A solved puzzle without a visit row gives its best win's seconds.
  Visit LoadVisit(const std::string& key);
  [[nodiscard]] bool SaveVisit(const std::string& key, std::int64_t seconds, const std::string& chain);
  [[nodiscard]] bool RecordWin(const Solve& solve);
  bool IsSolved(const std::string& key);
  std::unordered_set<std::string> SolvedKeys();
  std::vector<Solve> Solves();  // every win, oldest first

  // The puzzle last shown in a file (its path as given), 0 when none.
  [[nodiscard]] bool SaveLastShown(const std::string& file, int number);
  int LastShown(const std::string& file);

  // The player's own settings, by name.
  std::string Setting(const std::string& name, const std::string& fallback = "");
  [[nodiscard]] bool SetSetting(const std::string& name, const std::string& value);

  const std::string& LastError() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace kelvane
