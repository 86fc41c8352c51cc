#pragma once
// The browser page: the platform seam on Emscripten.  The page's viewport is the
// desktop, a 640 x 480 canvas placed absolutely in it is the window, the pointer is
// read from Pointer Events in page coordinates, the keys from the page's key events
// and the gamepads from the Gamepad API (web_pads.h), and the clocks are the page's
// performance clock.
//
// The page shows the game enlarged by a whole factor S of CSS pixels: the canvas keeps
// its 640 x 480 pixels and is stretched to 640S x 480S CSS pixels without smoothing.
// Towards the game everything is in game pixels: the desktop is the viewport divided
// by S, the pointer its page position divided by S (both rounded down), and the
// window at (x, y) is the canvas at (xS, yS).  S is the largest factor at which the
// canvas fits the viewport, or the one the page asked for (`?scale=N`) when that
// fits; it is chosen again whenever the viewport changes size.
//
// The page never blocks: the page's entry runs each frame from the browser's event
// loop when it is due (WakeAt), or, where the game stands still, when input comes
// (WakeOnInput), so the page keeps drawing and taking input while the game waits.
//
// Diagnostics, off unless asked for: with `framelog` in the page's query, every
// presented frame (shown, or left out because nothing changed) appends
// [time in ms, pointer x, pointer y, left button as the frame read it, window left,
// window top, the game's tick count, the keys the frame took] (positions in game
// pixels; each key as quelmo-sim names it, then "down", "up" or "repeat") to the
// page's global
// array `quelmoFrameLog`, and `quelmoStillSince` is the page's time at which the game
// began to wait for input (null while its frames run).
// The first shown frame is marked on the page's performance timeline as
// "quelmo-first-frame".
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/keys.h"
#include "platform/platform.h"
#include "platform/scaling.h"

namespace platform {

// `scale.factor`: the factor the page asked for; without it the largest that fits.
// There is one page: one backend.
std::unique_ptr<Backend> MakeWebBackend(const ScaleRequest& scale);

// Calls `call` from the browser's event loop once the page's counter (the backend's
// Counter) has reached `count`, at once if it has; the page's thread is the
// browser's until then.  A later wake replaces an earlier one not yet due.
void WakeAt(std::uint64_t count, void (*call)());
// Calls `call` from the browser's event loop once something comes for the game (the
// pointer moves or a button or key goes, the page changes size, a gamepad's button or
// direction brings a key).  No timer runs meanwhile, but while a gamepad is connected
// one looks at the pads, once every `framePeriod` (sooner when a held direction
// repeats), and goes on only when they bring a key.
void WakeOnInput(void (*call)(), std::uint64_t framePeriod);
// While the page is hidden (a background tab, a minimised browser) no wake comes and
// the page's counter and tick count stand still: shown again, the game goes on where
// it was, as if no time had passed.

// A key pressed and let go at once, as by a hand on the keyboard (a button of the
// page's that stands for it): the game takes both in its next frame.
void PressKey(Key key);

// The game has ended: the line `text` in place of the canvas, and after it a link
// `again` that starts the game again.
void EndPage(const std::string& text, const std::string& again);

// The value of a parameter of the page's query (`?name=value`), if it is there.
std::optional<std::string> PageParameter(const char* name);

// Shows one line of text in place of the game (a page that cannot start).
void ShowPageMessage(const std::string& text);

// A choice the page offers beside the game: following it reloads the page with its
// query parameter set to `value` (removed when `value` is empty), the other
// parameters kept.  A `chosen` one is shown as the one in force.
struct PageChoice {
  std::string label;
  std::string parameter;
  std::string value;
  bool chosen = false;
};
// Shows the choices in a corner of the page, outside the game's window (which, like
// any window on a desktop, covers them when it is dragged over them); `language` is
// the page's language, its two letters.
void ShowPageChoices(const std::vector<PageChoice>& choices, const std::string& language);

// The keys the page shows for thumbs, beside or below the game where a touch screen
// leaves room for them (never over the canvas): each stands for an input of a
// gamepad, and holding it is holding that input (web_pads.h).  `name` is what a screen
// reader says, `letter` what the key shows (empty: the page draws the arrow or the
// menu's bars).
struct ThumbKey {
  Input input;
  std::string name;
  std::string letter;
};
void ShowThumbKeys(const std::string& groupName, const std::vector<ThumbKey>& keys);

// The page's guide to the game: its name as the page's heading, a line of what it is,
// and sections of lines, each line with the term it explains, if any.  The page shows
// it beside the game or below it where the viewport leaves room for it as the game
// opens (under the window, like the choices); elsewhere the button `open` beside the
// choices shows it over the game until the player closes it (`close`).
struct PageGuide {
  struct Line {
    std::string term;
    std::string text;
  };
  struct Section {
    std::string heading;
    bool numbered = false;
    std::vector<Line> lines;
  };
  std::string heading;
  std::string what;
  std::vector<Section> sections;
  std::string open;
  std::string close;
};
void ShowPageGuide(const PageGuide& guide);

}  // namespace platform
