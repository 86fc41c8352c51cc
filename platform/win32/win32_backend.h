#pragma once
// The real window on Windows, straight on the Win32 API.  Nothing of Windows shows
// through this header: the program entry sees the seam and two functions.
//
// Diagnostics, off unless asked for: with the environment variable QUELMO_FRAME_LOG
// set to a file name, the backend writes one line per event of interest to that file
// (the game itself never reads it):
//   first-present <ns>   wall-clock time (nanoseconds since 1970) of the first shown frame
//   frame <ns>           performance-counter time at which a frame was presented (sent to
//                        the desktop, or left out because nothing changed)
//   close-request        the desktop asked the window to close (it stays open)
#include <memory>
#include <string_view>

#include "platform/platform.h"
#include "platform/scaling.h"

namespace platform {

// Sets up the clocks and the window class and returns the backend, or null after a
// message box has said why not.  Each game pixel is shown as a block of screen pixels:
// the factor asked for, or else the desktop's own scale setting rounded down, made
// smaller while the game's window would not fit the desktop.  F11 and Alt+Enter
// switch between the window and full screen.
std::unique_ptr<Backend> MakeWin32Backend(const ScaleRequest& scale);

// A message box titled "Quelmo": the way a program without a console tells the player
// something.  The text is in the system's ANSI code page, as the program's arguments are.
enum class MessageKind { kInformation, kError };
void ShowMessage(std::string_view text, MessageKind kind);

}  // namespace platform
