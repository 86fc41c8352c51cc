#pragma once
// The virtual clock of a game played on the headless backend: nanoseconds that move
// only when the frame loop waits, and the millisecond tick count read from them.  The
// count starts at the tick start; a value queued for a read (a script's `tick` line)
// is what that read returns, and from there the count runs on from it.  The recorder
// keeps one too, as the replay of its recording will have it.
#include <cstdint>
#include <deque>

namespace platform {

class VirtualClock {
 public:
  static constexpr std::uint64_t kFrequency = 1'000'000'000;  // nanoseconds
  static constexpr std::uint64_t kNsPerMs = 1'000'000;

  explicit VirtualClock(std::uint32_t tickStart = 0) : tickStart_(tickStart) {}

  std::uint64_t Now() const { return now_; }
  // A wait: the clock moves on to `ns`, never back.
  void WaitUntil(std::uint64_t ns) {
    if (ns > now_) now_ = ns;
  }

  // The next read returns `ms`; values queued together are the reads of one frame.
  void QueueTick(std::uint32_t ms) { queued_.push_back(ms); }
  // A read of the tick count at `ns` (now, or the end of a pacing wait ahead): the
  // queued value, which the count runs on from, or else the running count.
  std::uint32_t ReadTick(std::uint64_t ns);
  // What a read at `ns` returns without a queued value, and without taking one.
  std::uint32_t TickAt(std::uint64_t ns) const;
  // From `ns` on the count runs on from `ms`, as after a read of a queued value.
  void Anchor(std::uint32_t ms, std::uint64_t ns);

 private:
  std::uint64_t now_ = 0;
  std::uint32_t tickStart_ = 0;
  bool anchored_ = false;         // a queued read has set the count
  std::uint32_t anchorTick_ = 0;  // ... to this value
  std::uint64_t anchorNs_ = 0;    // ... at this time
  std::deque<std::uint32_t> queued_;
};

}  // namespace platform
