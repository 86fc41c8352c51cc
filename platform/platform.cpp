#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>

namespace platform {
namespace {
Backend* g_backend = nullptr;
}

std::uint32_t Backend::TickCountAt(std::uint64_t when) {
  const std::uint64_t now = Counter();
  const std::uint32_t tick = TickCount();
  if (when <= now) return tick;
  const std::uint64_t frequency = CounterFrequency();
  // In two parts, so that no product of a long time and a fast counter overflows.
  const std::uint64_t ahead = when - now;
  const std::uint64_t ms = ahead / frequency * 1000u + ahead % frequency * 1000u / frequency;
  return tick + static_cast<std::uint32_t>(ms);
}

void SetBackend(Backend* backend) { g_backend = backend; }

Backend& Current() {
  if (g_backend == nullptr) {
    std::fputs("quelmo: no platform backend set\n", stderr);
    std::abort();
  }
  return *g_backend;
}

}  // namespace platform
