// The least a paced game costs under Windows: a program that only waits 51 times a
// second, with the game's own pacing rule and the Windows backend's wait, and does
// nothing else.  tools/measure-windows.sh measures it beside the idle game.
//
//   quelmo-floor-probe [SECONDS]     (default 10)
//
// Prints one line: frames, median, 99th percentile and longest period in ms, and
// which wait this Windows offers.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/win32/win32_clock.h"
#include "game/game.h"
#include "runtime/frame_pace.h"
#include "tests/e2e/period_report.h"

int main(int argc, char** argv) {
  const long seconds = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10;
  if (seconds <= 0 || seconds > 3600) {
    std::fputs("usage: quelmo-floor-probe [SECONDS 1..3600]\n", stderr);
    return 2;
  }
  platform::win32::Clock clock;
  rt::FramePace pace(clock.Frequency(), game::kFramePaceRate);
  const std::uint64_t end = clock.Now() + static_cast<std::uint64_t>(seconds) * clock.Frequency();
  std::vector<double> periods;
  std::uint64_t last = clock.Now();
  pace.WaitEnd(last);  // the first deadline, one period from here
  while (last < end) {
    clock.WaitUntil(pace.WaitEnd(clock.Now()));
    const std::uint64_t now = clock.Now();
    periods.push_back(static_cast<double>(clock.ToNanoseconds(now - last)) / 1e6);
    last = now;
  }
  probe::PrintPeriods(periods, clock.HighResolutionTimer() ? "wait high-resolution-timer" : "wait sleep");
  return 0;
}
