// The time spent on the shown puzzle, on an injected clock, and the status line's text.
#include "model/play_clock.h"

#include <algorithm>
#include <utility>

#include "model/text_rules.h"

namespace kelvane {

PlayClock::PlayClock(std::function<std::int64_t()> now) : now_(std::move(now)) {}

void PlayClock::Reset(std::int64_t spentMs) {
  spent_ = std::max<std::int64_t>(spentMs, 0);
  running_ = false;
}

void PlayClock::SetRunning(bool on) {
  if (on == running_) return;
  if (on)
    since_ = now_();
  else
    spent_ = SpentMs();
  running_ = on;
}

std::int64_t PlayClock::SpentMs() const {
  if (!running_) return spent_;
  // A clock that steps back adds nothing.
  return spent_ + std::max<std::int64_t>(now_() - since_, 0);
}

std::string ClockText(std::int64_t seconds) {
  seconds = std::max<std::int64_t>(seconds, 0);
  const std::int64_t s = seconds % 60;
  return std::to_string(seconds / 60) + (s < 10 ? ":0" : ":") + std::to_string(s);
}

std::string StatusLineText(const StatusInfo& info, bool spoken) {
  constexpr const char* dot = " \u00b7 ";
  std::string text = info.solved ? "Solved in " + ClockText(info.seconds)
                                 : ClockText(info.seconds) + dot + "hints left " +
                                       std::to_string(std::max(info.hintsLeft, 0));
  if (info.stars > 0)
    text += dot + (spoken ? std::to_string(info.stars) + " of " + std::to_string(MostStars) + " stars" : StarsText(info.stars));
  if (info.puzzlesInFile > 0)
    text += dot + std::to_string(info.solvedInFile) + " of " + std::to_string(info.puzzlesInFile) + " solved";
  return text;
}

}  // namespace kelvane
