#include "platform/headless/headless_backend.h"

#include <algorithm>

#include "platform/wrap32.h"

namespace platform {

HeadlessBackend::HeadlessBackend(const Options& options) : options_(options) {}

void HeadlessBackend::SetPointerInWindow(int x, int y) {
  pointerX_ = Wrap32(std::int64_t{windowX_} + x);
  pointerY_ = Wrap32(std::int64_t{windowY_} + y);
}

void HeadlessBackend::SetPointerOnDesktop(int x, int y) {
  pointerX_ = x;
  pointerY_ = y;
}

void HeadlessBackend::SetButton(bool down) {
  if (down && !buttonDown_) pressedSinceQuery_ = true;
  buttonDown_ = down;
}

bool HeadlessBackend::OpenWindow(int x, int y, int, int, std::string_view,
                                 std::span<const std::uint8_t>) {
  windowOpen_ = true;
  windowX_ = x;
  windowY_ = y;
  return true;
}

void HeadlessBackend::MoveWindow(int x, int y) {
  if (!windowOpen_) return;
  windowX_ = x;
  windowY_ = y;
}

bool HeadlessBackend::LeftButtonDown() {
  const bool result = buttonDown_ || pressedSinceQuery_;
  pressedSinceQuery_ = false;
  return result;
}

int HeadlessBackend::PollEvent() {
  if (events_.empty()) return kNoEvent;
  const int code = events_.front();
  events_.pop_front();
  return code;
}

void HeadlessBackend::Present(const std::uint32_t* pixels, int width, int height,
                              RowSpan changed) {
  ++presentCount_;
  lastChange_ = changed;
  if (!changed.Empty()) ++changedPresentCount_;
  if (!captureFrames_) return;
  const auto w = static_cast<std::size_t>(width);
  if (width != lastWidth_ || height != lastHeight_) {
    lastWidth_ = width;
    lastHeight_ = height;
    lastFrame_.assign(w * static_cast<std::size_t>(height), 0);
  }
  // Only the changed rows are taken, as a real screen would: a span that missed a
  // changed row shows up as a wrong picture in every test that looks at one.
  const int first = std::clamp(changed.first, 0, height);
  const int end = std::clamp(changed.first + std::max(changed.count, 0), first, height);
  std::copy(pixels + first * w, pixels + end * w, lastFrame_.begin() + static_cast<std::ptrdiff_t>(first * w));
}

void HeadlessBackend::PlaceWindow(int x, int y) {
  windowX_ = x;
  windowY_ = y;
}

std::uint32_t HeadlessBackend::CurrentTickCount() const {
  if (!tickAnchored_) return static_cast<std::uint32_t>(now_ / 1'000'000) + options_.tickStart;
  return static_cast<std::uint32_t>((now_ - anchorNs_) / 1'000'000) + anchorTick_;
}

std::uint32_t HeadlessBackend::TickCount() {
  if (tickReads_.empty()) return CurrentTickCount();
  tickAnchored_ = true;
  anchorTick_ = tickReads_.front();
  anchorNs_ = now_;
  tickReads_.pop_front();
  return anchorTick_;
}

void HeadlessBackend::Sleep(std::uint32_t ms) {
  if (!skipWaits_) now_ += std::uint64_t{ms} * 1'000'000;
}

void HeadlessBackend::WaitUntil(std::uint64_t target) {
  if (!skipWaits_) now_ = std::max(now_, target);
}

void HeadlessBackend::Exit(int code) { throw ProgramExit{code}; }

}  // namespace platform
