#pragma once
// The headless backend: no window, a virtual clock and a scripted pointer.  Tests and
// quelmo-sim run the real game on it, so a game is reproduced exactly from a seed, a
// script and the clock.
//
// Like a desktop backend it can show the game enlarged by a whole factor S: its
// physical desktop is then S times the size in each direction, the window sits at S
// times its game position, a scripted pointer lies on the last physical pixel of its
// game pixel, and the screen it keeps is S times the frame's size.
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "platform/button_latch.h"
#include "platform/headless/virtual_clock.h"
#include "platform/platform.h"

namespace platform {

class HeadlessBackend final : public BlockingBackend {
 public:
  // The virtual clock counts nanoseconds.
  static constexpr std::uint64_t kFrequency = VirtualClock::kFrequency;

  struct Options {
    std::uint32_t tickStart = 0;
    int desktopWidth = 1920;
    int desktopHeight = 1080;
    int scale = 1;  // whole-number factor between game and physical pixels (1 .. 8)
  };

  HeadlessBackend() : HeadlessBackend(Options{}) {}
  explicit HeadlessBackend(const Options& options);

  // --- scripted input ---------------------------------------------------------------
  // Puts the pointer at window point (x, y) of the window's current position.
  void SetPointerInWindow(int x, int y);
  void SetPointerOnDesktop(int x, int y);
  // The left button goes down or up.  Like a desktop's, the press or release waits
  // until the game takes its window events or reads the button, whichever comes
  // first; a press is remembered until the next read.
  void SetButton(bool down) { ChangeButton(ButtonLatch::Hand::kMouse, down); }
  // A key goes down or up, as the keyboard's or a gamepad's would (keys.h): handed to
  // the program, with the others since, by the next TakeKeys.
  void PressKey(Key key, bool down) { keys_.push_back(KeyEvent{key, down, false}); }
  // Runs `then` once, right after the game has taken its window events in the next
  // frame: input that reaches the desktop between two steps of a frame.
  void AtNextEventStep(std::function<void()> then) { afterEvents_ = std::move(then); }
  // The tick count of the next read.  From that read on the count runs on from `ms`
  // with the virtual clock; values queued together are the reads of one frame, in order.
  void QueueTickCount(std::uint32_t ms) { clock_.QueueTick(ms); }
  // The desktop puts the window at (x, y), as a window manager may do on its own.
  void PlaceWindow(int x, int y);
  // Queues a window event (for example kEventClose, a desktop close request).
  void QueueEvent(int code) { events_.push_back(code); }
  // Skips every wait: used to measure the work of a frame alone.
  void SetSkipWaits(bool skip) { skipWaits_ = skip; }
  // Whether presented frames are kept for LastFrame (on by default).  Measuring the
  // game's own work turns it off: keeping a copy of every frame is the test
  // harness's cost, not the game's.
  void SetCaptureFrames(bool capture) { captureFrames_ = capture; }

  // --- inspection -------------------------------------------------------------------
  bool WindowOpen() const { return windowOpen_; }
  int PresentCount() const { return presentCount_; }
  // Presents that changed the picture (a non-empty span of changed rows).
  int ChangedPresentCount() const { return changedPresentCount_; }
  platform::RowSpan LastChange() const { return lastChange_; }
  // The screen as last presented (empty before the first Present), built like a real
  // one: only the changed rows of each present are copied into it, enlarged by the
  // scale factor (its size is the frame's times Scale()).
  const std::vector<std::uint32_t>& LastFrame() const { return lastFrame_; }
  int LastFrameWidth() const { return lastWidth_; }
  int LastFrameHeight() const { return lastHeight_; }
  std::uint64_t Nanoseconds() const { return clock_.Now(); }
  // What TickCount would return now, without taking a queued read.
  std::uint32_t CurrentTickCount() const { return clock_.TickAt(clock_.Now()); }
  int Scale() const { return scale_; }

  // --- Backend ----------------------------------------------------------------------
  int DesktopWidth() override { return options_.desktopWidth; }
  int DesktopHeight() override { return options_.desktopHeight; }
  bool OpenWindow(int x, int y, int width, int height, std::string_view title,
                  std::span<const std::uint8_t> iconBmp) override;
  void CloseWindow() override { windowOpen_ = false; }
  int WindowLeft() override;
  int WindowTop() override;
  void MoveWindow(int x, int y) override;
  int PointerX() override;
  int PointerY() override;
  bool LeftButtonDown() override;
  int PollEvent() override;
  void TakeKeys(std::vector<KeyEvent>& out) override;
  void PlacePointer(int x, int y) override { SetPointerInWindow(x, y); }
  void KeyButton(bool down) override { ChangeButton(ButtonLatch::Hand::kKey, down); }
  void Present(const std::uint32_t* pixels, int width, int height, RowSpan changed) override;
  std::uint32_t TickCount() override { return clock_.ReadTick(clock_.Now()); }
  std::uint32_t TickCountAt(std::uint64_t when) override { return clock_.ReadTick(when); }
  std::uint64_t Counter() override { return clock_.Now(); }
  std::uint64_t CounterFrequency() override { return kFrequency; }
  void WaitUntil(std::uint64_t target) override {
    if (!skipWaits_) clock_.WaitUntil(target);
  }
  // Input comes from the script, between frames: there is nothing to wait for.
  void WaitForInput(std::uint64_t) override {}

 private:
  std::int64_t Physical(std::int64_t game) const;
  void ChangeButton(ButtonLatch::Hand hand, bool down);
  void TakeButtonInput();

  Options options_;
  VirtualClock clock_;
  bool skipWaits_ = false;
  bool captureFrames_ = true;
  bool windowOpen_ = false;
  int scale_ = 1;
  // Physical positions, in 64 bits: S times a 32-bit game position still fits.
  std::int64_t windowX_ = 0, windowY_ = 0;
  std::int64_t pointerX_ = 0, pointerY_ = 0;
  // Presses and releases not taken yet, and each hand's button as they leave it.
  struct ButtonChange {
    ButtonLatch::Hand hand;
    bool down;
  };
  std::deque<ButtonChange> buttonInput_;
  bool mouseDown_ = false, keyDown_ = false;
  std::vector<KeyEvent> keys_;  // keys not taken yet
  ButtonLatch button_;
  std::function<void()> afterEvents_;
  std::deque<int> events_;
  std::vector<std::uint32_t> lastFrame_;
  int lastWidth_ = 0, lastHeight_ = 0;
  int presentCount_ = 0;
  int changedPresentCount_ = 0;
  RowSpan lastChange_;
};

}  // namespace platform
