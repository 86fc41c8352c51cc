#pragma once
// The machine's clocks on Windows: the performance counter, the tick count, sleeping,
// and the precise low-CPU wait that paces frames.
#include <cstdint>

namespace platform::win32 {

class Clock {
 public:
  // Makes a high-resolution waitable timer where Windows has one (Windows 10 1803 and
  // later); elsewhere raises the system timer's resolution to 1 ms for Sleep.
  Clock();
  ~Clock();
  Clock(const Clock&) = delete;
  Clock& operator=(const Clock&) = delete;

  std::uint64_t Now() const;  // performance counter
  std::uint64_t Frequency() const { return frequency_; }
  std::uint64_t ToNanoseconds(std::uint64_t counts) const;
  // Suspends the thread for ms milliseconds.
  void SleepMs(std::uint32_t ms);
  // Returns once Now() >= target: sleeps until shortly before the target, then spins
  // the last stretch, which is as long as sleeps have lately overshot (at most
  // 3 ms).
  void WaitUntil(std::uint64_t target);
  bool HighResolutionTimer() const { return timer_ != nullptr; }

 private:
  void SleepCounts(std::uint64_t counts);
  void SuspendFor(std::uint64_t counts);
  std::uint64_t SpinMargin() const;

  std::uint64_t frequency_ = 1;
  void* timer_ = nullptr;       // the waitable timer's handle, or null
  bool periodRaised_ = false;   // timeBeginPeriod(1) is in force
  std::uint64_t lateness_ = 0;  // how late sleeps wake up, on average, in counts
};

}  // namespace platform::win32
