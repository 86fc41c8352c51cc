// The least a paced game costs under Windows: a program that only waits 51 times a
// second, with the game's own pacing rule and the Windows backend's wait, and does
// nothing else.  tools/measure-windows.sh measures it beside the idle game.
//
//   quelmo-floor-probe [SECONDS]     (default 10)
//
// Prints one line: frames, median, 99th percentile and longest period in ms, and
// which wait this Windows offers.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/win32/win32_clock.h"
#include "runtime/frame_pace.h"

int main(int argc, char** argv) {
  const long seconds = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10;
  if (seconds <= 0 || seconds > 3600) {
    std::fputs("usage: quelmo-floor-probe [SECONDS 1..3600]\n", stderr);
    return 2;
  }
  platform::win32::Clock clock;
  rt::FramePace pace(clock.Frequency(), 50);
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
  std::sort(periods.begin(), periods.end());
  const auto at = [&](double q) {
    return periods[std::min(periods.size() - 1, static_cast<std::size_t>(q * static_cast<double>(periods.size())))];
  };
  std::printf("frames %zu median_ms %.4f p99_ms %.4f max_ms %.4f wait %s\n", periods.size(),
              at(0.5), at(0.99), periods.back(),
              clock.HighResolutionTimer() ? "high-resolution-timer" : "sleep");
  return 0;
}
