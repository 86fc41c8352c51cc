#pragma once
// A gamepad made in software, for tests: SDL's virtual joystick laid out as a game
// controller, plugged in and out, its buttons and sticks handled by SDL's own names
// for them, so that a test checks the backend's mapping from outside it.  SDL must be
// running (the backend starts it); any thread may handle the pad.
#include <string_view>

namespace platform {

class VirtualPad {
 public:
  VirtualPad() = default;
  ~VirtualPad() { Unplug(); }
  VirtualPad(const VirtualPad&) = delete;
  VirtualPad& operator=(const VirtualPad&) = delete;

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
