#pragma once
// Watching a recording in the real window (quelmo --replay FILE): the recorded game
// plays frame for frame as it was played, at the game's pace, on the recorded desktop
// (replay_backend.h), with the player's controls (watch_controls.h); the window's
// close button ends it.  At the end the last frame stays until then.
#include "platform/platform.h"
#include "programs/common/recording.h"

namespace programs {

// Plays `recording` in a window of `real` until the player closes it: exit status 0,
// or 1 when the window cannot be opened.
int WatchRecording(platform::BlockingBackend& real, const Recording& recording);

}  // namespace programs
