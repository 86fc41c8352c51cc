#pragma once
// The frame's waits and the pacing rule, written once for every platform.
//
// A frame waits twice: it sleeps 10 ms before its first step (WaitMilliseconds), and
// after it is shown it waits for its paced deadline (PresentFrame).  Neither wait
// blocks the game's thread.  Each returns the counter time at which the frame may go
// on (a FrameWait), and the platform's loop carries it out: a desktop by suspending
// its thread until then, the page by a callback of the browser's, quelmo-sim by
// moving its virtual clock on.
#include <cstdint>

namespace rt {

struct FrameWait {
  enum class Kind { kSleep, kPace };
  Kind kind = Kind::kSleep;
  std::uint32_t ms = 0;     // kSleep: how long
  std::uint64_t until = 0;  // the counter time the frame goes on at
};

// When a sleep of `ms` milliseconds that begins at `now` ends, on a counter of
// `frequency` ticks per second.
std::uint64_t SleepEnd(std::uint64_t now, std::uint32_t ms, std::uint64_t frequency);

// The pacing of one counter: SetFramePace(framesPerSecond) gives a period of
// frequency / (framesPerSecond + 1) ticks (50 frames per second are 1/51 s), and the
// deadlines lie one period apart.  A frame's pacing wait ends at the first tick more
// than one period after the end of the previous one (the first measures from 0).  A
// frame whose work took longer goes on at once, and the next period counts from
// there: there is no catching up.
class FramePace {
 public:
  FramePace() = default;  // no pacing
  FramePace(std::uint64_t frequency, int framesPerSecond);

  bool Paced() const { return framesPerSecond_ != 0; }
  int FramesPerSecond() const { return framesPerSecond_; }
  std::uint64_t Period() const { return period_; }
  // The end of the pacing wait of a frame shown at `now`: its deadline, or `now`
  // itself when the deadline has passed.  The next deadline is one period later.
  std::uint64_t WaitEnd(std::uint64_t now);
  // Where the last pacing wait ended (0 before the first).
  std::uint64_t LastEnd() const { return lastEnd_; }
  // Frames that were due from `due` on, one a deadline apart, and left out because
  // nothing moved: those due before `now` count as shown on time, each at its own
  // deadline, so that the deadlines after them stay on the same grid.  Returns how
  // many.  Without pacing there is no grid, and none are counted.
  std::uint64_t PassFrames(std::uint64_t due, std::uint64_t now);
  // The next period counts from 0 again.
  void Restart() { lastEnd_ = 0; }

 private:
  int framesPerSecond_ = 0;
  std::uint64_t period_ = 0;
  std::uint64_t lastEnd_ = 0;
};

}  // namespace rt
