#include "runtime/frame_pace.h"

namespace rt {

std::uint64_t SleepEnd(std::uint64_t now, std::uint32_t ms, std::uint64_t frequency) {
  // In two parts, so that no product of a long sleep and a fast counter overflows.
  const std::uint64_t ticks = ms / 1000u * frequency + ms % 1000u * frequency / 1000u;
  return now + ticks;
}

FramePace::FramePace(std::uint64_t frequency, int framesPerSecond)
    : framesPerSecond_(framesPerSecond),
      period_(frequency / (static_cast<std::uint64_t>(framesPerSecond) + 1)) {}

std::uint64_t FramePace::WaitEnd(std::uint64_t now) {
  // The deadline itself, not the moment a platform's timer happens to wake the game,
  // counts as the end of the wait: a late wake-up does not make every frame after it
  // later.
  const std::uint64_t deadline = lastEnd_ + period_ + 1;
  lastEnd_ = now < deadline ? deadline : now;
  return lastEnd_;
}

std::uint64_t FramePace::PassFrames(std::uint64_t due, std::uint64_t now) {
  if (!Paced() || now <= due) return 0;
  // A frame shown before its deadline ends its wait there: a frame apart is one
  // period and the tick past it.
  const std::uint64_t apart = period_ + 1;
  const std::uint64_t frames = (now - due + apart - 1) / apart;
  lastEnd_ += frames * apart;
  return frames;
}

}  // namespace rt
