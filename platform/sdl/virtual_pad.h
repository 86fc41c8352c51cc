#pragma once
// A gamepad made in software, for tests: SDL's virtual joystick as a game controller,
// handled by SDL's own names for its buttons and axes, so that a test checks the
// backend's mapping from outside it.  Any thread may handle it once SDL runs.
#include <string_view>

namespace platform {

class VirtualPad {
 public:
  bool Plug();
  void Unplug();
  // A button ("a", "start", "dpdown", ...) held down or let go.
  bool Hold(std::string_view button, bool down);
  // An axis ("leftx", "lefty", ...) pushed to `amount`, from -1 to 1.
  bool Push(std::string_view axis, double amount);

 private:
  void* joystick_ = nullptr;  // SDL's joystick, open while plugged in
  int deviceIndex_ = -1;
};

}  // namespace platform
