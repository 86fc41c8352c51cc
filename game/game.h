#pragma once
// The game's main routine and its two halves, so that a driver (quelmo-sim, the
// tests) can run the frame loop one frame at a time.
#include <cstdint>
#include <optional>

#include "game/state.h"

namespace game {

// The game's window, in game pixels: a backend that enlarges it needs the size before
// the window opens, to choose a factor at which it fits the desktop.
constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 480;

// Start-up: runtime services, arrays, fonts, window, screen, sprites, initial state.
// The random generator is seeded from the tick count, or from `seed` when given.
void GameStartup(GameState& s, std::optional<std::uint32_t> seed = std::nullopt);
// One whole frame, steps 1 to 26.
void GameFrame(GameState& s);
// Start-up, then frames for ever.  Leaves only through the close button.  A seed
// given on the command line replaces the tick count as the random generator's seed.
[[noreturn]] void GameMain(std::optional<std::uint32_t> seed = std::nullopt);
// The same on a state the caller owns, for an entry that looks at it (a recording).
[[noreturn]] void GameMain(GameState& s, std::optional<std::uint32_t> seed);

}  // namespace game
