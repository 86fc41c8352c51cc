#include "programs/common/watch.h"

#include <vector>

#include "game/game.h"
#include "game/layout.h"
#include "programs/common/command_line.h"
#include "programs/common/keyboard_pointer.h"
#include "programs/common/replay_backend.h"
#include "programs/common/watch_controls.h"
#include "runtime/screen.h"
#include "runtime/window.h"

namespace programs {
namespace {

// The player's click on the window's close button, while the game reads the recorded
// button: it acts where it is let go of, as the game's controls do.
class CloseClick {
 public:
  bool Clicked(platform::Backend& real) {
    const bool down = real.LeftButtonDown();
    const int x = real.PointerX() - real.WindowLeft();
    const int y = real.PointerY() - real.WindowTop();
    if (down) {
      held_ = true;
      return false;
    }
    const bool released = held_;
    held_ = false;
    return released && game::kCloseButton.Contains(x, y);
  }
  // The button is down: its release is to be looked for.
  bool Held() const { return held_; }

 private:
  bool held_ = false;
};

// The pace of the recording's frames at `speed` times the game's: SetFramePace's rate
// gives a period of 1 / (rate + 1) seconds.
int RateAt(int speed) { return (game::kFramePaceRate + 1) * speed - 1; }

}  // namespace

int WatchRecording(platform::BlockingBackend& real, const Recording& recording) {
  static game::Game game;  // lives for the whole run
  ReplayBackend backend(real, recording.settings);
  platform::SetBackend(&backend);
  game::StartOptions start = StartOptionsOf(recording.settings);
  start.seed = recording.settings.seed.value_or(0);  // quelmo-sim's seed for a bare script
  const rt::FrameWait first = game.Start(start);
  if (rt::MainWindowHandle(1) == 0) return 1;
  backend.Slept(first.ms);

  RecordingPlayer player(recording.commands);
  WatchControls controls;
  KeyboardPointer keys;
  CloseClick close;
  std::vector<platform::KeyEvent> pressed;
  bool over = false;  // the recorded game ended itself through its close button
  int speed = controls.Speed();
  std::uint64_t due = first.until;  // when the next frame may begin
  for (;;) {
    if (!backend.Live()) {
      pressed.clear();
      real.TakeKeys(pressed);
      for (const platform::KeyEvent& e : pressed) controls.Key(e);
      if (controls.TakeOverAsked() && !over) backend.TakeOver();
      if (close.Clicked(real)) return 0;
      if (controls.Speed() != speed) {
        speed = controls.Speed();
        rt::SetFramePace(RateAt(speed));
      }
    }
    if (over || !controls.TakeFrame()) {
      // Paused, or at the end: the picture holds until the player does something; a
      // button held down is looked at again a frame later, for its release.
      if (close.Held()) {
        real.WaitUntil(real.Counter() + real.CounterFrequency() / (game::kFramePaceRate + 1));
      } else {
        real.WaitForInput();
      }
      (void)real.PollEvent();
      continue;
    }
    if (!backend.Live() && !player.NextFrame(backend.Recorded())) {
      controls.End();
      continue;
    }
    if (backend.Live()) keys.BeforeFrame(backend, game.State());
    real.WaitUntil(due);
    game::FrameStop stop = game.Run();
    if (stop.kind == game::FrameStop::Kind::kGameOver) {
      if (backend.Live()) return 0;  // the player's own close button
      over = true;
      controls.End();
      continue;
    }
    backend.Shown();
    const std::uint64_t deadline = stop.wait.until;
    stop = game.Run();
    backend.Slept(stop.wait.ms);
    // Faster than the game's pace, a frame has no time to sleep before its first step:
    // it goes on at the last one's deadline.
    due = controls.Speed() > 1 ? deadline : stop.wait.until;
    if (backend.Live() && stop.still) {
      // Played on, the game stands still as it does when played.
      real.WaitForInput();
      backend.Passed(game.PassStillFrames(stop, real.Counter()));
    }
  }
}

}  // namespace programs
