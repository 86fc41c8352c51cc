#include "programs/common/keyboard_pointer.h"

#include <algorithm>
#include <optional>

#include "game/navigation.h"

namespace programs {
namespace {

using platform::Key;

std::optional<game::Step> StepOf(Key key) {
  switch (key) {
    case Key::kLeft: return game::Step::kLeft;
    case Key::kRight: return game::Step::kRight;
    case Key::kUp: return game::Step::kUp;
    case Key::kDown: return game::Step::kDown;
    case Key::kTab: return game::Step::kNext;
    case Key::kBackTab: return game::Step::kPrevious;
    default: return std::nullopt;
  }
}

}  // namespace

void KeyboardPointer::BeforeFrame(platform::Backend& backend, const game::GameState& s) {
  keys_.clear();
  backend.TakeKeys(keys_);
  if (keys_.empty()) return;
  // The pointer as the last frame read it; keys before this frame step on from there.
  game::Point at{s.FrameMouseX, s.FrameMouseY};
  const auto place = [&](game::Point to) {
    at = to;
    backend.PlacePointer(at.x, at.y);
  };
  for (const platform::KeyEvent& e : keys_) {
    if (const std::optional<game::Step> step = StepOf(e.key)) {
      if (e.down) place(game::StepPointer(s, at, *step));
      continue;
    }
    switch (e.key) {
      case Key::kSpace:
      case Key::kReturn:
        // The button follows the keys that hold it, not the system's repeats of them.
        if (e.repeat) break;
        buttonKeys_ = e.down ? buttonKeys_ + 1 : std::max(buttonKeys_ - 1, 0);
        backend.KeyButton(buttonKeys_ > 0);
        break;
      case Key::kEscape:
        if (!e.down || e.repeat) break;
        place(game::MenuKeyPoint());
        backend.KeyButton(true);  // a click shorter than a frame
        backend.KeyButton(buttonKeys_ > 0);
        break;
      default:
        break;
    }
  }
}

}  // namespace programs
