#pragma once
// The real window on Windows, straight on the Win32 API.  Nothing of Windows shows
// through this header: the program entry sees the seam and two functions.
//
// With QUELMO_FRAME_LOG set, the backend logs its frames (platform/frame_log.h).
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
std::unique_ptr<BlockingBackend> MakeWin32Backend(const ScaleRequest& scale);

// A message box titled "Quelmo": the way a program without a console tells the player
// something.  The text is in the system's ANSI code page, as the program's arguments are.
enum class MessageKind { kInformation, kError };
void ShowMessage(std::string_view text, MessageKind kind);

}  // namespace platform
