#pragma once
// The piece queue: filling and advancing it, the strip that shows the next seven
// pieces with its slide, the dotted preview under the mouse, and placing a piece.
#include "game/state.h"

namespace game {

// Entries 0..20, in index order, each a random pipe 1..7.
void RefillQueue(GameState& s);
// Drops the head: entries 2..20 move up one place and entry 20 gets a random pipe.
// Callers set QueueSlide themselves.
void AdvanceQueue(GameState& s);
// Frame step 6: the strip with entries 1..7 at their slide offset, between its ends.
void DrawQueueStrip(const GameState& s);
// Frame step 10: the outline of the next piece on the hovered cell while in play.
void DrawPiecePreview(const GameState& s);
// Frame step 13: the strip slides back towards rest by 4 pixels per frame.
void SlideQueue(GameState& s);
// The first held step: drops the head of the queue on the hovered cell if the press
// is on the field, the strip is at rest, the level is in play, the cell is not
// locked and neither the pause nor the menu is on.
void PlacePiece(GameState& s);

}  // namespace game
