#pragma once
// Drawing the water: each flow frame adds only the newest front of every stream to
// the persistent water layer (sprite 500).
#include <cstdint>

#include "game/state.h"
#include "runtime/canvas.h"

namespace game {

// Opens the water layer for the fronts of one flow frame, and closes it again.
void OpenWaterLayer();
void CloseWaterLayer();
// Fills the whole water layer black (a new game, the next level).
void ClearWaterLayer();

// Draws the front of `stream` for `flowStep`, according to `flowKind` (the cell code,
// special tiles as 11, 12, 13), in `colour`.  The water layer must be open.
void DrawFlowFront(const StreamRecord& stream, int flowKind, rt::Colour colour, int flowStep);
// A line three pixels thick: five one-pixel lines with a plus-shaped brush.  Returns 0.
int DrawThickLine(int x, int y, int w, int h, rt::Colour colour);

}  // namespace game
