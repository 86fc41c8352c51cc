#pragma once
// Gamepads as keys, the same for every backend: a backend reads which inputs its pads
// hold now (all pads together) and hands them over; a button that goes down is its
// key going down, and up again; a direction held, on the d-pad or the left stick,
// repeats its key as a held key of a keyboard does.
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/keys.h"

namespace platform {

// A pad plugged in is looked for at most once a second: asking an empty place for a
// pad is slow on some desktops, and every look wakes a game that stands still.
constexpr std::uint64_t kPadPlugCheckNs = 1'000'000'000;

// A set of inputs, a bit each.
using HeldInputs = std::uint32_t;
constexpr HeldInputs Bit(Input input) { return HeldInputs{1} << static_cast<unsigned>(input); }

// The directions a stick pushed to (x, y) stands for, each axis from -1 (left, up) to
// 1 (right, down): past half way on an axis, or still past a third of the way for a
// direction already held, so that a stick resting near the line does not flicker.
HeldInputs StickDirections(double x, double y, HeldInputs before);

class PadKeys {
 public:
  static constexpr std::uint64_t kFirstRepeatNs = 400'000'000;
  static constexpr std::uint64_t kRepeatNs = 110'000'000;

  // The pads hold `held` at `nowNs`: the keys that went down or up since the last
  // call, and the repeats that fell due, are added to `out`.
  void Update(HeldInputs held, std::uint64_t nowNs, std::vector<KeyEvent>& out);
  // When a held direction repeats next, if one is held.
  std::optional<std::uint64_t> NextRepeat() const;
  HeldInputs Held() const { return held_; }

 private:
  HeldInputs held_ = 0;
  std::uint64_t repeatAtNs_ = 0;
};

}  // namespace platform
