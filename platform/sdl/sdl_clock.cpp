#include "platform/sdl/sdl_clock.h"

#include <sys/prctl.h>

#include <cerrno>
#include <ctime>

namespace platform::clock {

std::uint64_t Now() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::uint64_t>(ts.tv_sec) * 1'000'000'000u +
         static_cast<std::uint64_t>(ts.tv_nsec);
}

std::uint32_t TickCount() { return TickCountAt(Now()); }

void WaitUntil(std::uint64_t target) {
  timespec ts{};
  ts.tv_sec = static_cast<time_t>(target / 1'000'000'000);
  ts.tv_nsec = static_cast<long>(target % 1'000'000'000);
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
  }
}

void TightenTimerSlack() {
  // The default slack (50 us) lets the kernel wake a sleeper that much later than
  // asked; the frame's deadlines are absolute, so this only keeps each frame closer
  // to its own.
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
}

}  // namespace platform::clock
