#pragma once
// The keyboard pointer: before each frame, the keys a backend handed over (keys.h)
// move the pointer the game reads and press its button, as a player's hand would.
// The game itself reads no key, so every rule, picture and recording stays as it is:
// a recording holds the pointer and the button the keys moved.
//
// - the arrows step the pointer: a cell on the board (to the cell's centre), an entry
//   in the open menu and the level list, and between controls where the pointer is on
//   none of the board's cells (game/navigation.h);
// - Tab and Shift+Tab: the next and the previous control that acts now;
// - Space and Return: the button, down while the key is down (a held key repeats no
//   click: the system's repeats of it are let go);
// - Escape: the pointer on the menu button, and a click there.
#include <vector>

#include "game/state.h"
#include "platform/keys.h"
#include "platform/platform.h"

namespace programs {

class KeyboardPointer {
 public:
  // Before a frame: takes the backend's keys and does what each stands for in the
  // state `s` the game is in.
  void BeforeFrame(platform::Backend& backend, const game::GameState& s);

 private:
  std::vector<platform::KeyEvent> keys_;
  int buttonKeys_ = 0;  // the keys holding the button down (Space, Return)
};

}  // namespace programs
