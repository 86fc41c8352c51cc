#pragma once
// The real window: the platform seam on SDL2.
//
// With QUELMO_FRAME_LOG set, the backend logs its frames (platform/frame_log.h).
#include <memory>

#include "platform/platform.h"
#include "platform/scaling.h"

namespace platform {

// Starts SDL's video and returns the backend, or null (with a message on standard
// error) when there is no display to open a window on.  The window is shown at the
// factor asked for, or else the desktop's own scale setting, made smaller while the
// game's window would not fit the display.  F11 and Alt+Enter switch full screen on
// and off, as does the window manager's own full-screen command.
std::unique_ptr<BlockingBackend> MakeSdlBackend(const ScaleRequest& scale);

}  // namespace platform
