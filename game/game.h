#pragma once
// The game's main routine and its two halves, so that a driver (quelmo-sim, the
// tests) can run the frame loop one frame at a time.
#include "game/state.h"

namespace game {

// Start-up: runtime services, arrays, fonts, window, screen, sprites, initial state.
void GameStartup(GameState& s);
// One whole frame, steps 1 to 26.
void GameFrame(GameState& s);
// Start-up, then frames for ever.  Leaves only through the close button.
[[noreturn]] void GameMain();

}  // namespace game
