#pragma once
// Where keys take the pointer: the game's own rules for stepping a pointer between its
// controls and over its board, from the game's table of controls (control_table.h).
// The game never reads a key; the keyboard pointer (programs/common/keyboard_pointer.h)
// moves the pointer it reads to the points these rules give.
#include "game/layout.h"
#include "game/state.h"

namespace game {

enum class Step { kLeft, kRight, kUp, kDown, kNext, kPrevious };

// The window point the pointer goes to from `at` for `step`, in state s:
// - an arrow on the board (the pointer over one of its cells and on no control that
//   acts now) goes to the centre of the next cell that way, and stays at the edge;
//   Up from the top row, like an arrow anywhere else, goes to the nearest control that
//   acts now, or board cell, whose centre lies that way (the nearer it lies to the
//   line of the arrow, the better), or stays where no such one is;
// - the next and the previous step go to the centre of the next and the previous
//   control that acts now in reading order, round and round; from no control, to the
//   first or the last.
Point StepPointer(const GameState& s, Point at, Step step);

// Where the menu key clicks: the menu button's centre.
Point MenuKeyPoint();

}  // namespace game
