#pragma once
// The left button as the game reads it, the same on every backend: down now, or
// pressed since the previous query, each query clearing "pressed since".  So a click
// shorter than a frame is seen once, held, and the frame after sees it released.
//
// A backend hands over the desktop's presses and releases in the order they
// happened, and before it answers a query it takes every one that is waiting: a press
// that came after the frame took its window events but before it read the button is
// reported by that read, and by no later one unless the button is still down.
namespace platform {

class ButtonLatch {
 public:
  void Press() {
    down_ = true;
    pressed_ = true;
  }
  void Release() { down_ = false; }
  bool Down() const { return down_; }
  bool Query() {
    const bool seen = down_ || pressed_;
    pressed_ = false;
    return seen;
  }

 private:
  bool down_ = false;
  bool pressed_ = false;  // a press no query has reported yet
};

}  // namespace platform
