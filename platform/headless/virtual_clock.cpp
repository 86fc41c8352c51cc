#include "platform/headless/virtual_clock.h"

namespace platform {

std::uint32_t VirtualClock::TickAt(std::uint64_t ns) const {
  if (!anchored_) return static_cast<std::uint32_t>(ns / kNsPerMs) + tickStart_;
  // Reads come in the clock's order: none lies before the one that set the count.
  const std::uint64_t since = ns > anchorNs_ ? ns - anchorNs_ : 0;
  return static_cast<std::uint32_t>(since / kNsPerMs) + anchorTick_;
}

void VirtualClock::Anchor(std::uint32_t ms, std::uint64_t ns) {
  anchored_ = true;
  anchorTick_ = ms;
  anchorNs_ = ns;
}

std::uint32_t VirtualClock::ReadTick(std::uint64_t ns) {
  if (queued_.empty()) return TickAt(ns);
  const std::uint32_t ms = queued_.front();
  queued_.pop_front();
  Anchor(ms, ns);
  return ms;
}

}  // namespace platform
