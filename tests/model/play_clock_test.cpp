// Tests of the play clock on a clock the test moves, and of the clock and status line texts.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <utility>

#include "model/play_clock.h"

namespace kelvane {
namespace {

TEST(PlayClock, CountsOnlyWhileRunningAndResetStopsIt) {
  std::int64_t now = 1'000'000;
  PlayClock clock([&] { return now; });
  enum Op { Start, Pause, Wait, ResetTo };
  const struct {
    Op op;
    std::int64_t ms;  // the wait, or the time reset to
    std::int64_t spent;
    bool running;
  } steps[] = {
      {Wait, 5000, 0, false},       // a new clock stands still
      {Start, 0, 0, true},          {Wait, 1500, 1500, true},   {Start, 0, 1500, true},  // starting again changes nothing
      {Wait, 500, 2000, true},      {Pause, 0, 2000, false},    {Wait, 9000, 2000, false},
      {Pause, 0, 2000, false},      {Start, 0, 2000, true},     {Wait, 61000, 63000, true},
      {ResetTo, 75000, 75000, false},  // a puzzle seen before, stopped while running
      {Wait, 4000, 75000, false},   {Start, 0, 75000, true},    {Wait, 250, 75250, true},
      {Wait, -1000, 75000, true},   // a clock stepping back takes nothing away from what was spent
      {ResetTo, -5, 0, false},      {Start, 0, 0, true},        {Wait, 999, 999, true},
  };
  int k = 0;
  for (const auto& s : steps) {
    SCOPED_TRACE(testing::Message() << "step " << ++k);
    switch (s.op) {
      case Start: clock.SetRunning(true); break;
      case Pause: clock.SetRunning(false); break;
      case Wait: now += s.ms; break;
      case ResetTo: clock.Reset(s.ms); break;
    }
    EXPECT_EQ(std::make_tuple(clock.SpentMs(), clock.Running(), clock.Seconds()),
              std::make_tuple(s.spent, s.running, s.spent / 1000));
  }
}

TEST(PlayClock, ClockTextAndStatusLine) {
  const std::pair<std::int64_t, const char*> clocks[] = {
      {0, "0:00"},     {7, "0:07"},       {59, "0:59"}, {60, "1:00"},  {754, "12:34"},
      {4500, "75:00"}, {360000, "6000:00"}, {-3, "0:00"},
  };
  for (const auto& [seconds, text] : clocks) EXPECT_EQ(ClockText(seconds), text) << seconds;

  const std::string dot = "\xc2\xb7";
  const std::pair<StatusInfo, std::string> lines[] = {
      {{2, false, 3, 0, 72}, "0:02 " + dot + " hints left 3 " + dot + " 0 of 72 solved"},
      {{75, true, -9, 12, 72}, "Solved in 1:15 " + dot + " 12 of 72 solved"},
      {{3600, false, -1, 5, 6}, "60:00 " + dot + " hints left 0 " + dot + " 5 of 6 solved"},
      {{9, false, 1, 0, 0}, "0:09 " + dot + " hints left 1"},  // a board of its own: no file count
      {{61, true, -9, 0, 0}, "Solved in 1:01"},
  };
  for (const auto& [info, text] : lines) EXPECT_EQ(StatusLineText(info), text);
}

}  // namespace
}  // namespace kelvane
