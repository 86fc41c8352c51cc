#pragma once
// The sprite catalogue: loading the built-in images and composing the water layer,
// the frame, the panels, the colour squares and the special tiles at start-up; and
// DrawLabel, the game's one way of drawing text.
#include <string_view>

#include "game/layout.h"
#include "game/state.h"

namespace game {

// Loads every image and composes every sprite, in the game's fixed order.  Needs the
// fonts (the frame's score labels are drawn with SmallFont) and the language.  With
// `marks`, the special tiles carry their streams' marks.
void BuildSprites(const GameState& s, bool marks);

// Draws text as a shadow at (x - 1, y - 1) and the face at (x, y) on the open canvas.
// Style 1: light grey on dark grey; style 2: pale green on dark green; any other
// style draws nothing.
void DrawLabel(int x, int y, std::string_view text, int style);
inline void DrawLabel(Point at, std::string_view text, int style) { DrawLabel(at.x, at.y, text, style); }

}  // namespace game
