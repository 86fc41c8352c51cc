#pragma once
// The browser page: the platform seam on Emscripten.  The page's viewport is the
// desktop, a 640 x 480 canvas placed absolutely in it is the window, the pointer is
// read from Pointer Events in page coordinates, and the clocks are the page's
// performance clock.
//
// The game keeps its own blocking frame loop: the two waits of every frame (the sleep
// at its start and the pacing wait after presenting) hand the browser back its main
// thread until they end, so the page keeps drawing and taking input in between.
//
// Diagnostics, off unless asked for: with `framelog` in the page's query, every
// presented frame (shown, or left out because nothing changed) appends
// [time in ms, pointer x, pointer y, left button as the frame read it, window left,
// window top] to the page's global array `quelmoFrameLog`.  The first shown frame
// is marked on the page's performance timeline as "quelmo-first-frame".
#include <memory>
#include <optional>
#include <string>

#include "platform/platform.h"

namespace platform {

std::unique_ptr<Backend> MakeWebBackend();

// The value of a parameter of the page's query (`?name=value`), if it is there.
std::optional<std::string> PageParameter(const char* name);

// Shows one line of text in place of the game (a page that cannot start).
void ShowPageMessage(const std::string& text);

}  // namespace platform
