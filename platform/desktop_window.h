#pragma once
// What the two desktop backends (the SDL window on Linux, the Win32 one) do alike with
// their one window, written once: the game's pixels against the desktop's, the keys
// and gamepads handed to the program and the left button they share with the mouse,
// full screen as the player asks for it, the desktop's close requests and the frame
// log.  Each backend owns one and tells it what its desktop reports.
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/button_latch.h"
#include "platform/desktop_pointer.h"
#include "platform/frame_log.h"
#include "platform/gamepad.h"
#include "platform/keys.h"
#include "platform/scaling.h"
#include "platform/wrap32.h"

namespace platform {

// The modifier keys held with a key: Shift, Alt, and the others (Ctrl, the system key).
struct Modifiers {
  bool shift = false;
  bool alt = false;
  bool other = false;
};

class DesktopWindow {
 public:
  // --- the game's pixels and the desktop's (scaling.h) ------------------------------
  // Physical pixels per game pixel while the game has a window.
  int Scale() const { return scale_; }
  void SetScale(int scale) { scale_ = scale; }
  // A desktop length or place in game pixels, and a game one on the desktop (whose
  // coordinates wrap at 32 bits, wrap32.h).
  std::int32_t ToGame(std::int64_t physical) const { return FloorDiv(physical, scale_); }
  std::int32_t ToPhysical(std::int64_t game) const { return Wrap32(game * scale_); }
  // The game's pointer on one axis: the window's place in game pixels plus the frame's
  // pixel under the desktop's pointer, the frame shown through `view`.
  static std::int32_t PointerX(std::int32_t windowLeft, const FrameView& view, DesktopPoint at) {
    return Wrap32(std::int64_t{windowLeft} + view.FrameX(at.x));
  }
  static std::int32_t PointerY(std::int32_t windowTop, const FrameView& view, DesktopPoint at) {
    return Wrap32(std::int64_t{windowTop} + view.FrameY(at.y));
  }
  // The desktop point in the middle of the frame's pixel (x, y): where the keyboard
  // puts the desktop's pointer, so that the player sees it there.
  static DesktopPoint OnDesktop(const FrameView& view, int x, int y) {
    return DesktopPoint{Wrap32(view.PhysicalX(x)), Wrap32(view.PhysicalY(y))};
  }

  // --- keys, gamepads and the button ------------------------------------------------
  // A key of the keyboard went down or up (`repeat`: the desktop repeats a held key).
  // F11, and Enter with Alt, ask for full screen or back; with Alt, Ctrl or the system
  // key held, a key is the desktop's shortcut and left alone; the others are handed
  // over as the keys they are bound to.  True when the key was the program's.
  bool FromKeyboard(Input input, Modifiers held, bool down, bool repeat);
  // Whether the backend looks at its pads now: every frame while one is connected,
  // and for one plugged in meanwhile once every kPadPlugCheckNs.
  bool PadLookDue(std::uint64_t nowNs) const;
  // What a look found: the inputs all pads hold together, and whether any is
  // connected.  Their keys join the keyboard's (gamepad.h).
  void PadsLooked(HeldInputs held, bool connected, std::uint64_t nowNs);
  // While the game stands still: when to look at the pads next, at most once a frame
  // period (sooner for a held direction's repeat), or for one plugged in.
  std::uint64_t NextPadLook(std::uint64_t framePeriodNs) const;
  // The whole milliseconds from `nowNs` to `untilNs`, rounded up (none once it has
  // passed): a desktop's wait with a timeout never ends before it.
  static std::uint32_t MillisecondsTo(std::uint64_t untilNs, std::uint64_t nowNs) {
    constexpr std::uint64_t kNsPerMs = 1'000'000;
    if (untilNs <= nowNs) return 0;
    return static_cast<std::uint32_t>((untilNs - nowNs + kNsPerMs - 1) / kNsPerMs);
  }
  bool KeysWaiting() const { return !keys_.empty(); }
  void TakeKeys(std::vector<KeyEvent>& out);
  // The left button, held by the mouse or a key (button_latch.h).
  ButtonLatch& Button() { return button_; }
  void KeyButton(bool down);

  // --- full screen --------------------------------------------------------------------
  bool FullScreen() const { return fullScreen_; }
  void SetFullScreen(bool on) { fullScreen_ = on; }
  // F11 or Alt+Enter was pressed since the last call: switch.
  bool TakeFullScreenAsk();

  // --- the desktop's close requests and the frame log (frame_log.h) ------------------
  void CloseRequested() { ++pendingClose_; }
  // The window event for the game: a close request, if any came since the last call.
  int TakeEvent();
  void Still() { log_.Still(); }
  void Woke(std::uint64_t nowNs) { log_.Wake(nowNs); }
  // A frame presented at `nowNs` of the backend's clock.
  void Presented(std::uint64_t nowNs) { log_.Frame(nowNs); }
  // The picture reached the window; the first time, the wall clock's time is logged.
  template <typename WallClockNs>
  void PictureShown(WallClockNs wallClockNs) {
    if (pictureShown_) return;
    pictureShown_ = true;
    log_.FirstPresent(wallClockNs());
  }

 private:
  int scale_ = kMinScale;
  std::vector<KeyEvent> keys_;  // keys not taken yet
  PadKeys pads_;
  bool padConnected_ = false;
  bool padLooked_ = false;
  std::uint64_t padLookNs_ = 0;  // the last look at the pads
  ButtonLatch button_;
  bool fullScreen_ = false;
  bool fullScreenAsked_ = false;
  int pendingClose_ = 0;  // close requests not told to the game yet
  bool pictureShown_ = false;
  FrameLog log_;
};

}  // namespace platform
