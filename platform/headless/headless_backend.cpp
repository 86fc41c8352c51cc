#include "platform/headless/headless_backend.h"

#include <algorithm>

#include "platform/scaling.h"

namespace platform {

HeadlessBackend::HeadlessBackend(const Options& options)
    : options_(options),
      clock_(options.tickStart),
      scale_(std::clamp(options.scale, kMinScale, kMaxScale)) {}

// The physical pixel a scripted game position stands for: the last one of its block,
// so that rounding down is what brings it back.
std::int64_t HeadlessBackend::Physical(std::int64_t game) const { return game * scale_ + scale_ - 1; }

void HeadlessBackend::SetPointerInWindow(int x, int y) {
  pointerX_ = windowX_ + std::int64_t{x} * scale_ + scale_ - 1;
  pointerY_ = windowY_ + std::int64_t{y} * scale_ + scale_ - 1;
}

void HeadlessBackend::SetPointerOnDesktop(int x, int y) {
  pointerX_ = Physical(x);
  pointerY_ = Physical(y);
}

// Game positions are the physical ones divided by the factor, rounded down, and
// wrapped to 32 bits as desktop coordinates are.
int HeadlessBackend::WindowLeft() { return FloorDiv(windowX_, scale_); }
int HeadlessBackend::WindowTop() { return FloorDiv(windowY_, scale_); }
int HeadlessBackend::PointerX() { return FloorDiv(pointerX_, scale_); }
int HeadlessBackend::PointerY() { return FloorDiv(pointerY_, scale_); }

void HeadlessBackend::ChangeButton(ButtonLatch::Hand hand, bool down) {
  bool& held = hand == ButtonLatch::Hand::kMouse ? mouseDown_ : keyDown_;
  if (down != held) buttonInput_.push_back(ButtonChange{hand, down});
  held = down;
}

void HeadlessBackend::TakeButtonInput() {
  for (const ButtonChange& change : buttonInput_) {
    if (change.down) {
      button_.Press(change.hand);
    } else {
      button_.Release(change.hand);
    }
  }
  buttonInput_.clear();
}

void HeadlessBackend::TakeKeys(std::vector<KeyEvent>& out) {
  out.insert(out.end(), keys_.begin(), keys_.end());
  keys_.clear();
}

bool HeadlessBackend::OpenWindow(int x, int y, int, int, std::string_view,
                                 std::span<const std::uint8_t>) {
  windowOpen_ = true;
  windowX_ = std::int64_t{x} * scale_;
  windowY_ = std::int64_t{y} * scale_;
  return true;
}

void HeadlessBackend::MoveWindow(int x, int y) {
  if (!windowOpen_) return;
  windowX_ = std::int64_t{x} * scale_;
  windowY_ = std::int64_t{y} * scale_;
}

bool HeadlessBackend::LeftButtonDown() {
  TakeButtonInput();
  return button_.Query();
}

int HeadlessBackend::PollEvent() {
  TakeButtonInput();
  int code = kNoEvent;
  if (!events_.empty()) {
    code = events_.front();
    events_.pop_front();
  }
  if (afterEvents_) {
    const std::function<void()> then = std::move(afterEvents_);
    afterEvents_ = nullptr;
    then();
  }
  return code;
}

void HeadlessBackend::Present(const std::uint32_t* pixels, int width, int height,
                              RowSpan changed) {
  ++presentCount_;
  lastChange_ = changed;
  if (!changed.Empty()) ++changedPresentCount_;
  if (!captureFrames_) return;
  if (width * scale_ != lastWidth_ || height * scale_ != lastHeight_) {
    lastWidth_ = width * scale_;
    lastHeight_ = height * scale_;
    lastFrame_.assign(static_cast<std::size_t>(lastWidth_) * static_cast<std::size_t>(lastHeight_), 0);
  }
  // Only the changed rows are taken, as a real screen would: a span that missed a
  // changed row shows up as a wrong picture in every test that looks at one.
  EnlargeRows(pixels, width, changed, scale_, lastFrame_.data(), lastWidth_);
}

void HeadlessBackend::PlaceWindow(int x, int y) {
  windowX_ = std::int64_t{x} * scale_;
  windowY_ = std::int64_t{y} * scale_;
}

}  // namespace platform
