#include "programs/common/watch_controls.h"

#include <iterator>

namespace programs {

void WatchControls::Key(const platform::KeyEvent& e) {
  if (!e.down || state_ == State::kLive) return;
  switch (e.key) {
    case platform::Key::kSpace:
      if (e.repeat) break;
      if (state_ == State::kPlaying) {
        state_ = State::kPaused;
      } else if (state_ == State::kPaused) {
        state_ = State::kPlaying;
      }
      break;
    case platform::Key::kRight:
      if (state_ == State::kPaused) step_ = true;  // held, it steps on frame by frame
      break;
    case platform::Key::kF:
      if (!e.repeat) speed_ = (speed_ + 1) % static_cast<int>(std::size(kSpeeds));
      break;
    case platform::Key::kT:
      if (!e.repeat) takeOver_ = true;
      break;
    default:
      break;
  }
}

bool WatchControls::TakeFrame() {
  if (state_ == State::kPlaying || state_ == State::kLive) return true;
  const bool step = step_;
  step_ = false;
  return step && state_ == State::kPaused;
}

bool WatchControls::TakeOverAsked() {
  if (!takeOver_) return false;
  takeOver_ = false;
  state_ = State::kLive;
  speed_ = 0;
  return true;
}

}  // namespace programs
