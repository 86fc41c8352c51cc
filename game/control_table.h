#pragma once
// The game's controls as one table, in the reading order of the window: which controls
// there are, where each one takes a click, whether it shows and whether a click on it
// acts in a given state.  A pointer moved from control to control (by keys, by a
// gamepad) walks this table and clicks at a control's centre; the game itself reads
// the mouse as always, and its release steps (controls.cpp) do what the click does.
//
// The reading order: the title bar left to right (the menu button, the close button),
// then the open menu's entries top to bottom, the open level list's entries top to
// bottom, "Schnell", and the result panel's "O K".
#include <cstdint>
#include <vector>

#include "game/layout.h"
#include "game/state.h"

namespace game {

enum class ControlId {
  kMenu,
  kClose,
  kNewGame,
  kStartLevel,
  kPause,
  kListEntry,
  kFast,
  kOk,
};

struct Control {
  ControlId id;
  std::int32_t level;  // the level a list entry chooses; 0 for every other control
  Rect hit;            // the hit rectangle
};

// Whether the control shows in state s: the title bar and "Schnell" always, the menu's
// entries while the menu is open, the list's while the list is, "O K" with a result.
bool Shown(ControlId id, const GameState& s);
// Whether a release over the control acts in state s: the menu button outside the
// setup phase, "Schnell" while the water flows, the close button always, the others
// while they show.
bool ActsNow(ControlId id, const GameState& s);

// Every control in reading order, shown or not.  The level list holds LastLevel
// entries, any number: only those whose centre lies in the window are listed, and
// where entries share a row (their places wrap, level_list.h), the one a click there
// chooses, the last.
std::vector<Control> AllControls(const GameState& s);
// The controls a click acts on in state s, in reading order.
std::vector<Control> ControlsActingNow(const GameState& s);

}  // namespace game
