#pragma once
// Watching a recording: the recorded game plays frame for frame as it was played, at
// the game's pace, on the recorded desktop (replay_backend.h), with the player's
// controls (watch_controls.h); the window's close button ends it, and at the end the
// last frame stays until then.  The same loop runs in the window (quelmo --replay
// FILE) and in the page.
#include <cstdint>
#include <optional>
#include <vector>

#include "game/game.h"
#include "platform/platform.h"
#include "programs/common/keyboard_pointer.h"
#include "programs/common/play_loop.h"
#include "programs/common/recording.h"
#include "programs/common/replay_backend.h"
#include "programs/common/watch_controls.h"

namespace programs {

class WatchLoop {
 public:
  // `real`: the window the game is shown in and the player's hand.
  WatchLoop(game::Game& game, platform::Backend& real, const Recording& recording);

  // The game's start-up on the recorded desktop (set as the game's backend): nothing
  // when its window could not be opened.
  std::optional<NextWake> Start();
  // Looks at the player's keys and button, and runs the frame that is due, if any.
  NextWake Step();
  // Input came at counter time `now` while the loop waited for it.
  NextWake InputCame(std::uint64_t now);

  // The player's controls: how the recording plays.
  const WatchControls& Controls() const { return controls_; }

 private:
  // The player's click on the close button, while the game reads the recorded button:
  // it acts where it is let go of, as the game's controls do.
  struct CloseClick {
    bool held = false;
    bool Clicked(platform::Backend& real);
  };

  game::Game& game_;
  platform::Backend& real_;
  ReplayBackend backend_;
  Settings settings_;
  RecordingPlayer player_;
  WatchControls controls_;
  KeyboardPointer keys_;
  CloseClick close_;
  std::vector<platform::KeyEvent> pressed_;
  bool over_ = false;  // the recorded game ended itself through its close button
  int speed_ = 1;
  std::uint64_t due_ = 0;  // when the next frame may begin
  game::FrameStop end_;    // how the last frame ended
};

// Plays `recording` in a window of `real` until the player closes it: exit status 0,
// or 1 when the window cannot be opened.
int WatchRecording(platform::BlockingBackend& real, const Recording& recording);

}  // namespace programs
