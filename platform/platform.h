#pragma once
// The platform seam: everything the runtime needs from the operating system, and
// nothing more.  Each backend lives in a folder of its own beside this file: the
// headless backend of the tests and of quelmo-sim, and one per desktop or browser.
// No platform type appears here.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/keys.h"

namespace platform {

// A span of frame rows, top-down: rows first .. first + count - 1.
struct RowSpan {
  int first = 0;
  int count = 0;
  bool Empty() const { return count <= 0; }
};

// Window events the runtime hands to the game, one per frame at most.
enum EventCode : int {
  kNoEvent = 0,
  kEventResize = 5,
  kEventClose = 16,   // a close request from the desktop; the game swallows it
};

class Backend {
 public:
  virtual ~Backend() = default;

  // Size of the primary display in pixels.
  virtual int DesktopWidth() = 0;
  virtual int DesktopHeight() = 0;

  // Opens the one borderless window at desktop position (x, y).  The title is UTF-8;
  // the icon is a whole BMP file in memory (may be empty).  Returns false (after
  // telling the player why) if it cannot be made.
  virtual bool OpenWindow(int x, int y, int width, int height, std::string_view title,
                          std::span<const std::uint8_t> iconBmp) = 0;
  virtual void CloseWindow() = 0;
  // The strip of the window, in window coordinates (left < x < right, top < y <
  // bottom), that the game drags the window by.  A desktop that could let the window
  // out of reach keeps part of it reachable; the others need not care.
  virtual void SetDragStrip(int left, int top, int right, int bottom) {
    (void)left, (void)top, (void)right, (void)bottom;
  }

  // Outer top-left corner of the window in desktop coordinates, and moving it.
  virtual int WindowLeft() = 0;
  virtual int WindowTop() = 0;
  virtual void MoveWindow(int x, int y) = 0;

  // Pointer position in desktop coordinates (not clamped to the window).
  virtual int PointerX() = 0;
  virtual int PointerY() = 0;
  // True while the left button is down, and also in the first query after a press
  // that was released before that query: a click shorter than a frame counts once.
  // Every backend answers through a ButtonLatch (button_latch.h).
  virtual bool LeftButtonDown() = 0;

  // Takes at most one pending window event without waiting.
  virtual int PollEvent() = 0;

  // The keys (and gamepad buttons, as the keys they stand for) pressed or let go of
  // since the last call, in the order they came (keys.h).
  virtual void TakeKeys(std::vector<KeyEvent>& out) = 0;
  // The keyboard puts the pointer at window point (x, y): a desktop moves its own
  // pointer there, the page shows one of its own; the next reads of the pointer give
  // that point.
  virtual void PlacePointer(int x, int y) = 0;
  // A key stands in for the left button, down or up, through the same latch as the
  // mouse's.
  virtual void KeyButton(bool down) = 0;

  // Shows a finished frame of 32-bit 0x00RRGGBB pixels, rows top-down.  `changed` is
  // the span of rows that may differ from the frame presented before; it lies within
  // the frame and covers every row the first time.  Outside it the frame is exactly
  // the one already shown.  An empty span means nothing changed, and the backend need
  // not send anything to the screen.
  virtual void Present(const std::uint32_t* pixels, int width, int height, RowSpan changed) = 0;

  // Millisecond tick count: unsigned 32 bits, wrapping.
  virtual std::uint32_t TickCount() = 0;
  // The tick count at counter time `when`, now or a little ahead of it (the end of a
  // frame's pacing wait, which the frame's last steps may run before): what
  // TickCount() will return then.  Reads it now and adds the time still to go.
  virtual std::uint32_t TickCountAt(std::uint64_t when);
  // High-resolution counter (64 bits on every backend) and its ticks per second.
  virtual std::uint64_t Counter() = 0;
  virtual std::uint64_t CounterFrequency() = 0;
};

// A backend whose platform lets the program's thread block: the desktops and the
// headless backend.  Their entries run the frame loop and wait with these between two
// frames (the page, which must give its thread back to the browser, schedules its
// frames instead).
class BlockingBackend : public Backend {
 public:
  // Returns once Counter() >= target, the thread suspended meanwhile.
  virtual void WaitUntil(std::uint64_t target) = 0;
  // Returns once something arrives for the window that a frame could see: the
  // pointer moved over it, a button or a key, the window uncovered, moved or given or
  // denied the focus.  The thread is suspended meanwhile, with no timer of the game's.
  // Gamepads are read, not heard: while one is connected the backend wakes once every
  // `framePeriod` (the game's, in counter ticks) to read it, and without one, once a
  // second to look for one plugged in (gamepad.h); it returns only for input.
  virtual void WaitForInput(std::uint64_t framePeriod) = 0;
};

// The backend the runtime talks to.  Set once before the game starts.
void SetBackend(Backend* backend);
Backend& Current();

}  // namespace platform
