#pragma once
// The left button as the game reads it, the same on every backend: down now, or
// pressed since the previous query, each query clearing "pressed since".  So a click
// shorter than a frame is seen once, held, and the frame after sees it released.
//
// A backend hands over the desktop's presses and releases in the order they
// happened, and before it answers a query it takes every one that is waiting: a press
// that came after the frame took its window events but before it read the button is
// reported by that read, and by no later one unless the button is still down.
//
// Two hands can hold the button: the mouse's, and a key's standing in for it (the
// keyboard pointer's Space and Return); it is down while either holds it.
namespace platform {

class ButtonLatch {
 public:
  enum class Hand { kMouse, kKey };

  void Press(Hand hand = Hand::kMouse) {
    Held(hand) = true;
    pressed_ = true;
  }
  void Release(Hand hand = Hand::kMouse) { Held(hand) = false; }
  bool Down() const { return mouse_ || key_; }
  bool DownBy(Hand hand) const { return hand == Hand::kMouse ? mouse_ : key_; }
  bool Query() {
    const bool seen = Down() || pressed_;
    pressed_ = false;
    return seen;
  }

 private:
  bool& Held(Hand hand) { return hand == Hand::kMouse ? mouse_ : key_; }

  bool mouse_ = false;
  bool key_ = false;
  bool pressed_ = false;  // a press no query has reported yet
};

}  // namespace platform
