#pragma once
// The machine's clocks on Windows: the performance counter and the wait between two
// stretches of a frame.
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
  // Returns once Now() >= target, the thread suspended until then.  Nothing is spun:
  // a frame's deadlines are absolute, so a wake-up a little late delays that frame
  // alone.
  void WaitUntil(std::uint64_t target);
  bool HighResolutionTimer() const { return timer_ != nullptr; }

 private:
  void SuspendFor(std::uint64_t counts);

  std::uint64_t frequency_ = 1;
  void* timer_ = nullptr;      // the waitable timer's handle, or null
  bool periodRaised_ = false;  // timeBeginPeriod(1) is in force
};

}  // namespace platform::win32
