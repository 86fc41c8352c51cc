#include "platform/desktop_window.h"

#include <algorithm>

namespace platform {

bool DesktopWindow::FromKeyboard(Input input, Modifiers held, bool down, bool repeat) {
  if (input == Input::kF11 || (held.alt && input == Input::kEnter)) {
    if (down && !repeat) fullScreenAsked_ = true;
    return true;
  }
  if (held.alt || held.other) return false;
  const std::optional<Key> bound = BoundKey(input, held.shift);
  if (!bound) return false;
  keys_.push_back(KeyEvent{*bound, down, repeat});
  return true;
}

bool DesktopWindow::PadLookDue(std::uint64_t nowNs) const {
  return padConnected_ || !padLooked_ || nowNs - padLookNs_ >= kPadPlugCheckNs;
}

void DesktopWindow::PadsLooked(HeldInputs held, bool connected, std::uint64_t nowNs) {
  pads_.Update(held, nowNs, keys_);
  padConnected_ = connected;
  padLooked_ = true;
  padLookNs_ = nowNs;
}

std::uint64_t DesktopWindow::NextPadLook(std::uint64_t framePeriodNs) const {
  if (!padConnected_) return padLookNs_ + kPadPlugCheckNs;
  const std::uint64_t next = padLookNs_ + framePeriodNs;
  const std::optional<std::uint64_t> repeat = pads_.NextRepeat();
  return repeat ? std::min(next, *repeat) : next;
}

void DesktopWindow::TakeKeys(std::vector<KeyEvent>& out) {
  out.insert(out.end(), keys_.begin(), keys_.end());
  keys_.clear();
}

void DesktopWindow::KeyButton(bool down) {
  if (down) {
    button_.Press(ButtonLatch::Hand::kKey);
  } else {
    button_.Release(ButtonLatch::Hand::kKey);
  }
}

bool DesktopWindow::TakeFullScreenAsk() {
  const bool asked = fullScreenAsked_;
  fullScreenAsked_ = false;
  return asked;
}

int DesktopWindow::TakeEvent() {
  if (pendingClose_ == 0) return kNoEvent;
  pendingClose_ = 0;
  log_.CloseRequest();
  return kEventClose;
}

}  // namespace platform
