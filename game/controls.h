#pragma once
// The controls of the title bar, the menu, the level list, "Schnell" and the result
// panel: how they look while pressed or open, what a click on them does, and dragging
// the window by its title bar.  Their places are in layout.h and level_list.h.
#include "game/layout.h"
#include "game/state.h"

namespace game {

// Frame step 8: the raised menu entries and the list entries with the chosen one
// pressed, while open.
void DrawMenuBackgrounds(const GameState& s);
// Frame step 11: the notice panel during the setup phase or the pause, then the
// result panel after a won or lost level.
void DrawPanels(const GameState& s);
// Frame step 12: while dragging, the window follows the pointer.
void FollowDrag(GameState& s);
// Frame step 14: "Schnell" shows pressed while the water runs fast.
void DrawFastButtonPressed(const GameState& s);
// Frame step 15: the held steps while the left button is down, the release steps in
// the first frame in which it is up again.  A release on the close button ends the
// game: nothing after it runs.
enum class ButtonOutcome { kPlayOn, kClose };
ButtonOutcome HandleMouseButton(GameState& s);
// Frame step 16: the menu button shows pressed while the menu is open.
void DrawMenuButtonPressed(const GameState& s);

}  // namespace game
