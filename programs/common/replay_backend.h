#pragma once
// The desktop a watched recording is played on.  The game reads the recorded desktop:
// its size, the window's place on it, the pointer, the button and keys, and the tick
// count on quelmo-sim's clock, all as the recording drives them (a headless desktop),
// so that it plays exactly as it was played; it is shown in the real window, at the
// real clock's pace.  The player's own pointer and keys never reach it.
//
// Taken over, the player plays on from there: the game reads the player's pointer
// (where it lies over the real window, as if that stood where the recorded one does),
// button and keys, a drag moves the real window with the recorded one, and the tick
// count runs on from the recorded clock, frame by frame, without a jump.  The game's
// random generator goes on as it was.
#include <cstdint>

#include "platform/headless/headless_backend.h"
#include "platform/platform.h"
#include "programs/common/options.h"
#include "runtime/frame_pace.h"

namespace programs {

class ReplayBackend final : public platform::Backend {
 public:
  // `recorded`: the recording's options (its desktop's size, its tick count at start).
  ReplayBackend(platform::Backend& real, const Settings& recorded);

  platform::HeadlessBackend& Recorded() { return recorded_; }
  void TakeOver() { live_ = true; }
  bool Live() const { return live_; }

  // The frame loop's waits, carried out on the recorded clock as quelmo-sim's loop
  // carries them out: a frame's sleep, its pacing wait, and frames left out while
  // nothing moved.
  void Slept(std::uint32_t ms);
  void Shown();
  void Passed(std::uint64_t frames);

  // --- Backend --------------------------------------------------------------------
  int DesktopWidth() override { return recorded_.DesktopWidth(); }
  int DesktopHeight() override { return recorded_.DesktopHeight(); }
  bool OpenWindow(int x, int y, int width, int height, std::string_view title,
                  std::span<const std::uint8_t> iconBmp) override;
  // The real window stays, showing the last frame, until the player closes it.
  void CloseWindow() override { recorded_.CloseWindow(); }
  void SetDragStrip(int left, int top, int right, int bottom) override {
    real_.SetDragStrip(left, top, right, bottom);
  }
  int WindowLeft() override { return recorded_.WindowLeft(); }
  int WindowTop() override { return recorded_.WindowTop(); }
  void MoveWindow(int x, int y) override;
  int PointerX() override;
  int PointerY() override;
  bool LeftButtonDown() override { return live_ ? real_.LeftButtonDown() : recorded_.LeftButtonDown(); }
  int PollEvent() override;
  void TakeKeys(std::vector<platform::KeyEvent>& out) override;
  void PlacePointer(int x, int y) override {
    if (live_) real_.PlacePointer(x, y);
  }
  void KeyButton(bool down) override {
    if (live_) real_.KeyButton(down);
  }
  void Present(const std::uint32_t* pixels, int width, int height, platform::RowSpan changed) override {
    real_.Present(pixels, width, height, changed);
  }
  std::uint32_t TickCount() override { return recorded_.TickCount(); }
  // The recorded clock stands at the frame's time: the pacing wait's end.
  std::uint32_t TickCountAt(std::uint64_t) override { return recorded_.TickCount(); }
  std::uint64_t Counter() override { return real_.Counter(); }
  std::uint64_t CounterFrequency() override { return real_.CounterFrequency(); }

 private:
  platform::Backend& real_;
  platform::HeadlessBackend recorded_;
  rt::FramePace recordedPace_;
  bool live_ = false;
};

}  // namespace programs
