#include "platform/win32/win32_clock.h"

#include <windows.h>
#include <timeapi.h>

namespace platform::win32 {
namespace {

// Windows 10 1803 and later: a waitable timer that wakes within a fraction of a
// millisecond, whatever the system timer's resolution.  Older headers lack the name.
constexpr DWORD kHighResolutionTimerFlag = 0x00000002;  // CREATE_WAITABLE_TIMER_HIGH_RESOLUTION

}  // namespace

Clock::Clock() {
  LARGE_INTEGER frequency;
  if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0) {
    frequency_ = static_cast<std::uint64_t>(frequency.QuadPart);
  }
  timer_ = CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimerFlag, TIMER_ALL_ACCESS);
  if (timer_ == nullptr) periodRaised_ = timeBeginPeriod(1) == TIMERR_NOERROR;
}

Clock::~Clock() {
  if (timer_ != nullptr) CloseHandle(timer_);
  if (periodRaised_) timeEndPeriod(1);
}

std::uint64_t Clock::Now() const {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<std::uint64_t>(now.QuadPart);
}

std::uint64_t Clock::ToNanoseconds(std::uint64_t counts) const {
  // In two parts, so that a long uptime cannot overflow the product.
  return counts / frequency_ * 1'000'000'000u + counts % frequency_ * 1'000'000'000u / frequency_;
}

void Clock::SuspendFor(std::uint64_t counts) {
  if (timer_ != nullptr) {
    // A negative due time is relative, in units of 100 ns, rounded up.
    LARGE_INTEGER due;
    due.QuadPart = -static_cast<LONGLONG>((counts * 10'000'000u + frequency_ - 1) / frequency_);
    if (SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE)) {
      WaitForSingleObject(timer_, INFINITE);
      return;
    }
  }
  // Whole milliseconds, rounded up: the thread never wakes before it was asked to.
  ::Sleep(static_cast<DWORD>((counts * 1000u + frequency_ - 1) / frequency_));
}

void Clock::WaitUntil(std::uint64_t target) {
  // The timer's clock and the performance counter may disagree by a little: a wake-up
  // before the target sleeps again for the rest.
  for (std::uint64_t now = Now(); now < target; now = Now()) SuspendFor(target - now);
}

}  // namespace platform::win32
