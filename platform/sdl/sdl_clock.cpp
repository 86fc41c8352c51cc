#include "platform/sdl/sdl_clock.h"

#include <sys/prctl.h>

#include <cerrno>
#include <ctime>

namespace platform::clock {
namespace {

timespec ToTimespec(std::uint64_t ns) {
  timespec ts{};
  ts.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
  ts.tv_nsec = static_cast<long>(ns % 1'000'000'000);
  return ts;
}

void SleepUntil(std::uint64_t ns) {
  const timespec ts = ToTimespec(ns);
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
  }
}

inline void CpuRelax() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_ia32_pause();
#elif defined(__aarch64__)
  asm volatile("yield");
#endif
}

}  // namespace

std::uint64_t Now() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::uint64_t>(ts.tv_sec) * 1'000'000'000u +
         static_cast<std::uint64_t>(ts.tv_nsec);
}

std::uint32_t TickCount() { return static_cast<std::uint32_t>(Now() / 1'000'000); }

void SleepMs(std::uint32_t ms) { SleepUntil(Now() + std::uint64_t{ms} * 1'000'000); }

void WaitUntil(std::uint64_t target) {
  std::uint64_t now = Now();
  if (now >= target) return;
  // Sleep through most of the wait; the kernel may wake us a little late, so stop
  // short of the target and spin the remainder on the clock.
  if (target - now > kSpinMargin) SleepUntil(target - kSpinMargin);
  while (Now() < target) CpuRelax();
}

void TightenTimerSlack() {
  // The default slack (50 us) lets the kernel wake a sleeper that much later than
  // asked; a smaller slack keeps the spinning after the sleep short.
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
}

}  // namespace platform::clock
