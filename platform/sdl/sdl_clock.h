#pragma once
// The real machine's clocks for the window backend: a monotonic nanosecond counter,
// the millisecond tick count, and the wait between two stretches of a frame.  No SDL
// here, so the pacing probe can measure the wait without a display.
#include <cstdint>

namespace platform::clock {

// Nanoseconds of the monotonic clock (never jumps with the wall clock).
std::uint64_t Now();
constexpr std::uint64_t kFrequency = 1'000'000'000;
// Milliseconds of the monotonic clock, unsigned 32 bits, wrapping: now, and at a time
// of Now()'s.
std::uint32_t TickCount();
inline std::uint32_t TickCountAt(std::uint64_t ns) { return static_cast<std::uint32_t>(ns / 1'000'000); }
// Returns once Now() >= target, the thread asleep until then (resumed after a signal
// handler).  The kernel's timer wakes it within microseconds, so nothing is spun.
void WaitUntil(std::uint64_t target);
// Asks the kernel for tighter timer wake-ups for this thread.
void TightenTimerSlack();

}  // namespace platform::clock
