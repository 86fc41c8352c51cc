#include "programs/common/keys_help.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "platform/keys.h"

namespace programs {
namespace {

using platform::Input;
using platform::Key;

std::string_view InputName(Input input) {
  switch (input) {
    case Input::kArrowLeft: return "Left";
    case Input::kArrowRight: return "Right";
    case Input::kArrowUp: return "Up";
    case Input::kArrowDown: return "Down";
    case Input::kTab: return "Tab";
    case Input::kSpace: return "Space";
    case Input::kEnter: return "Return";
    case Input::kEscape: return "Escape";
    case Input::kF: return "F";
    case Input::kT: return "T";
    case Input::kF11: return "F11";
    case Input::kPadLeft: return "pad left";
    case Input::kPadRight: return "pad right";
    case Input::kPadUp: return "pad up";
    case Input::kPadDown: return "pad down";
    case Input::kPadA: return "pad A";
    case Input::kPadB: return "pad B";
    case Input::kPadX: return "pad X";
    case Input::kPadY: return "pad Y";
    case Input::kPadStart: return "pad Start";
    case Input::kPadBack: return "pad Back";
    case Input::kPadLeftShoulder: return "left shoulder";
    case Input::kPadRightShoulder: return "right shoulder";
  }
  return "";
}

// The inputs bound to `key`, "Tab, right shoulder".
std::string InputsOf(Key key) {
  std::string inputs;
  for (const platform::Binding& b : platform::kBindings) {
    if (b.key != key) continue;
    if (!inputs.empty()) inputs += ", ";
    if (b.shift) inputs += "Shift+";
    inputs.append(InputName(b.input));
  }
  return inputs;
}

struct KeyUse {
  Key key;
  std::string_view does;
};

// The keyboard pointer's keys (keyboard_pointer.h) ...
constexpr KeyUse kPlaying[] = {
    {Key::kLeft, "the pointer a step left: a cell on the board, else the nearest control"},
    {Key::kRight, "a step right"},
    {Key::kUp, "a step up: a cell, an entry of the menu or the level list"},
    {Key::kDown, "a step down"},
    {Key::kTab, "the pointer to the next control that acts now"},
    {Key::kBackTab, "to the control before"},
    {Key::kSpace, "the mouse button, held while the key is"},
    {Key::kReturn, "the same"},
    {Key::kEscape, "a click on the menu button"},
};
// ... and those of a recording being watched (watch_controls.h).
constexpr KeyUse kWatching[] = {
    {Key::kSpace, "pause, and go on"},
    {Key::kRight, "one frame on, while paused"},
    {Key::kF, "faster: x1, x4, x16, and x1 again"},
    {Key::kT, "take over: play on from this frame"},
};

// Each key's inputs, and what it does from column kColumn on, wrapped at 80 columns.
void List(const KeyUse* uses, std::size_t count, std::string& out) {
  constexpr std::size_t kColumn = 28, kWidth = 80;
  for (std::size_t i = 0; i < count; ++i) {
    std::string line = "  " + InputsOf(uses[i].key);
    std::string_view does = uses[i].does;
    while (!does.empty()) {
      if (line.size() + 2 > kColumn) {
        out += line + '\n';
        line.clear();
      }
      line.resize(kColumn, ' ');
      std::size_t take = does.size();
      if (kColumn + take > kWidth) take = does.rfind(' ', kWidth - kColumn);
      line.append(does.substr(0, take));
      does.remove_prefix(std::min(does.size(), take + 1));
      out += line + '\n';
      line.clear();
    }
  }
}

}  // namespace

std::string KeysHelp() {
  std::string help = "Keys and gamepads move the pointer and press its button:\n";
  List(kPlaying, std::size(kPlaying), help);
  help += "Watching a recording (--replay; the close button ends it):\n";
  List(kWatching, std::size(kWatching), help);
  return help;
}

}  // namespace programs
