// The floor of a moving game: a program that only wakes once a frame, as the game
// does, at each paced deadline and the 10 ms sleep after it, with the game's own
// pacing rule and the window backend's clock.  Run under /usr/bin/time, or measured
// from outside, to see what the waiting alone costs.
//
//   quelmo-pacing-probe [SECONDS]     (default 10)
//
// Prints one line: frames, median, 99th percentile and longest frame period in ms.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "game/game.h"
#include "platform/sdl/sdl_clock.h"
#include "runtime/frame_pace.h"
#include "tests/e2e/period_report.h"

namespace clk = platform::clock;

int main(int argc, char** argv) {
  const long seconds = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10;
  if (seconds <= 0 || seconds > 3600) {
    std::fputs("usage: quelmo-pacing-probe [SECONDS 1..3600]\n", stderr);
    return 2;
  }
  clk::TightenTimerSlack();
  rt::FramePace pace(clk::kFrequency, game::kFramePaceRate);
  const std::uint64_t end = clk::Now() + static_cast<std::uint64_t>(seconds) * clk::kFrequency;
  std::vector<double> periods;
  std::uint64_t last = clk::Now();
  pace.WaitEnd(last);  // the first deadline, one period from here
  while (last < end) {
    const std::uint64_t deadline = pace.WaitEnd(clk::Now());
    clk::WaitUntil(rt::SleepEnd(deadline, game::kSleepBeforeFrameMs, clk::kFrequency));
    const std::uint64_t now = clk::Now();
    periods.push_back(static_cast<double>(now - last) / 1e6);
    last = now;
  }
  char target[64];
  std::snprintf(target, sizeof target, "target_ms %.4f", static_cast<double>(pace.Period()) / 1e6);
  probe::PrintPeriods(periods, target);
  return 0;
}
