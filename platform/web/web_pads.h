#pragma once
// The page's gamepads: the browser's Gamepad API, read only while a pad is connected,
// for pads the browser lays out in its standard mapping (A, B, X, Y at 0 to 3, the
// shoulders at 4 and 5, Back and Start at 8 and 9, the d-pad at 12 to 15, the left
// stick as axes 0 and 1).  What they hold together becomes keys through PadKeys
// (platform/gamepad.h), as on every other platform.
#include <array>
#include <optional>

#include "platform/gamepad.h"

namespace platform {

// The input a button of the standard mapping stands for, by its number.
std::optional<Input> StandardButton(int number);
// The number of the standard mapping's button that stands for `input`.
std::optional<int> StandardNumber(Input input);

class WebPads {
 public:
  // A pad was plugged in or out: the next look tells whether any is connected.
  void Plugged() { connected_ = true; }
  // Whether the last look found a pad (or one was plugged in since).
  bool Connected() const { return connected_; }
  // Reads every connected pad: the inputs they hold together, each pad's stick read
  // with what it held at the last look.  Finding none, the pads are no longer looked
  // at until one is plugged in.
  HeldInputs Look();

 private:
  // More pads than anyone plugs into one machine; the browser numbers them from 0.
  static constexpr int kMostPads = 8;
  using Sticks = std::array<HeldInputs, kMostPads>;

  bool connected_ = false;
  Sticks sticks_{};  // by the pad's number: the directions its stick held
};

}  // namespace platform
