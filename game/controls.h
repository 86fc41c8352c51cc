#pragma once
// The controls of the title bar, the menu, the level list, "Schnell" and the result
// panel: where they are, how they look while pressed or open, what a click on them
// does, and dragging the window by its title bar.
#include "game/state.h"

namespace game {

// A control's hit rectangle: the mouse is inside when left < x < right and
// top < y < bottom (strict on all four sides).
struct HitRect {
  int left, top, right, bottom;
  bool Contains(int x, int y) const { return left < x && x < right && top < y && y < bottom; }
};

constexpr HitRect kMenuButton{16, 0, 144, 16};
constexpr HitRect kDragHandle{144, 0, 624, 16};
constexpr HitRect kCloseButton{624, 0, 640, 16};
constexpr HitRect kFastButton{560, 48, 624, 80};
constexpr HitRect kNewGameEntry{16, 16, 144, 32};
constexpr HitRect kStartLevelEntry{16, 32, 144, 48};
constexpr HitRect kPauseEntry{16, 48, 144, 64};
constexpr HitRect kOkButton{288, 224, 352, 256};
// Entry n (1..LastLevel) of the start-level list.
HitRect LevelListEntry(int n);

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
