#pragma once
// Levels: the level table, the start of a level, the setup phase with its random
// placements of special tiles and stones, and the countdown before the water starts.
#include <cstdint>
#include <span>

#include "game/state.h"

namespace game {

// The cell codes a level writes over the head of the queue: its special tiles, then
// its stones.  Empty for a level number without a table row.
std::span<const std::int32_t> LevelPieces(std::int32_t level);
// Seconds of countdown for a level: 30, 50, 70 or 90 by ranges of the level number;
// 0 for a number outside those ranges.
std::int32_t LevelCountdown(std::int32_t level);

// Clears the field, refills the queue and writes the level's pieces at its head.
void BeginLevel(GameState& s);
// Counts the setup frames (they go on while paused), and sets the countdown in the
// frame in which the counter reaches 199.
void AdvancePhase(GameState& s);
// While paused the countdown's current second starts again in every frame; otherwise
// one second is counted once more than 1000 ms have passed.
void RunCountdown(GameState& s);
// Drops the head of the queue on a random free cell that suits it, locks the cell
// and, if another setup piece follows, sets the counter back by 50 frames.
void PlaceSetupPiece(GameState& s);

}  // namespace game
