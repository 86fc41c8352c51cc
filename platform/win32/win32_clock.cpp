#include "platform/win32/win32_clock.h"

#include <windows.h>
#include <timeapi.h>

namespace platform::win32 {
namespace {

// Windows 10 1803 and later: a waitable timer that wakes within a fraction of a
// millisecond, whatever the system timer's resolution.  Older headers lack the name.
constexpr DWORD kHighResolutionTimerFlag = 0x00000002;  // CREATE_WAITABLE_TIMER_HIGH_RESOLUTION

// How early a wait's sleep stops before the target, the rest being spun on the
// counter: how late sleeps have lately woken up, plus a little.  That is a fraction
// of a millisecond with the high-resolution timer, a millisecond or two with Sleep
// (and under Wine); the bounds keep a machine under load from making it a busy wait.
constexpr std::uint64_t kMarginExtraUs = 200;
constexpr std::uint64_t kMarginMaxUs = 3000;
constexpr std::uint64_t kFirstLatenessUs = 1000;

}  // namespace

Clock::Clock() {
  LARGE_INTEGER frequency;
  if (QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0) {
    frequency_ = static_cast<std::uint64_t>(frequency.QuadPart);
  }
  lateness_ = frequency_ * kFirstLatenessUs / 1'000'000u;
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

std::uint64_t Clock::SpinMargin() const {
  const std::uint64_t margin = lateness_ + frequency_ * kMarginExtraUs / 1'000'000u;
  const std::uint64_t most = frequency_ * kMarginMaxUs / 1'000'000u;
  return margin < most ? margin : most;
}

void Clock::SleepCounts(std::uint64_t counts) {
  const std::uint64_t start = Now();
  SuspendFor(counts);
  // A running average of how much later than asked the thread woke up.
  const std::uint64_t slept = Now() - start;
  const std::uint64_t late = slept > counts ? slept - counts : 0;
  lateness_ = (lateness_ * 7 + late) / 8;
}

void Clock::SuspendFor(std::uint64_t counts) {
  if (timer_ != nullptr) {
    // A negative due time is relative, in units of 100 ns.
    LARGE_INTEGER due;
    due.QuadPart = -static_cast<LONGLONG>(counts * 10'000'000u / frequency_);
    if (due.QuadPart < 0 && SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE)) {
      WaitForSingleObject(timer_, INFINITE);
    }
    return;
  }
  const std::uint64_t ms = counts * 1000u / frequency_;
  if (ms > 0) ::Sleep(static_cast<DWORD>(ms));
}

void Clock::SleepMs(std::uint32_t ms) { SleepCounts(frequency_ * ms / 1000u); }

void Clock::WaitUntil(std::uint64_t target) {
  std::uint64_t now = Now();
  if (now >= target) return;
  const std::uint64_t margin = SpinMargin();
  if (target - now > margin) SleepCounts(target - now - margin);
  while (Now() < target) YieldProcessor();
}

}  // namespace platform::win32
