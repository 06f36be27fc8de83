// The time spent on the shown puzzle, on an injected clock, and the status line's text.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace kelvane {

class PlayClock {
 public:
  // now gives milliseconds on a steady clock.
  explicit PlayClock(std::function<std::int64_t()> now);

  // A new puzzle with this much time already spent; the clock is stopped.
  void Reset(std::int64_t spentMs);
  // Runs while the window is active and the puzzle unsolved.
  void SetRunning(bool on);
  bool Running() const { return running_; }
  std::int64_t SpentMs() const;
  std::int64_t Seconds() const { return SpentMs() / 1000; }

 private:
  std::function<std::int64_t()> now_;
  std::int64_t spent_ = 0;
  std::int64_t since_ = 0;
  bool running_ = false;
};

// "m:ss": "0:07", "12:34", "75:00".
std::string ClockText(std::int64_t seconds);

struct StatusInfo {
  std::int64_t seconds = 0;
  bool solved = false;      // the shown puzzle is won (or was won before)
  int hintsLeft = 3;        // below 0 once won
  int solvedInFile = 0;
  int puzzlesInFile = 0;    // 0: no file count is shown
  int stars = 0;            // the puzzle's rating; 0: none shown
};
// "0:02 · hints left 3 · ★★★☆☆ · 0 of 72 solved", or "Solved in 1:15 · ★★☆☆☆ · 12 of 72 solved";
// spoken, the stars read "3 of 5 stars".
std::string StatusLineText(const StatusInfo& info, bool spoken = false);

}  // namespace kelvane
