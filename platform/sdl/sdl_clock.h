#pragma once
// The real machine's clocks for the window backend: a monotonic nanosecond counter,
// the millisecond tick count, sleeping, and the precise low-CPU wait that paces frames.
// No SDL here, so the pacing probe can measure the wait without a display.
#include <cstdint>

namespace platform::clock {

// Nanoseconds of the monotonic clock (never jumps with the wall clock).
std::uint64_t Now();
constexpr std::uint64_t kFrequency = 1'000'000'000;
// Milliseconds of the monotonic clock, unsigned 32 bits, wrapping.
std::uint32_t TickCount();
// Suspends the thread for ms milliseconds (resumed after a signal handler).
void SleepMs(std::uint32_t ms);
// Returns once Now() >= target: sleeps until shortly before the target, then spins
// the last stretch, which is at most kSpinMargin long.
void WaitUntil(std::uint64_t target);
constexpr std::uint64_t kSpinMargin = 0;  // ns
// Asks the kernel for tighter timer wake-ups for this thread.
void TightenTimerSlack();

}  // namespace platform::clock
