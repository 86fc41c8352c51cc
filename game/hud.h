#pragma once
// The texts of each frame: title bar, menu, panels, countdown, scores, level list
// and the credit line, drawn on the back buffer.
#include "game/state.h"

namespace game {

// Frame step 17: opens the screen canvas, draws every label of the frame in its
// order, closes the canvas.  Rebuilds TotalScoreText and LevelScoreText.
void DrawFrameTexts(GameState& s);

}  // namespace game
