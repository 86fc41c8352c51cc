#include "programs/common/watch.h"

#include "game/layout.h"
#include "programs/common/command_line.h"
#include "runtime/screen.h"
#include "runtime/window.h"

namespace programs {
namespace {

// The pace of the recording's frames at `speed` times the game's: SetFramePace's rate
// gives a period of 1 / (rate + 1) seconds.
int RateAt(int speed) { return (game::kFramePaceRate + 1) * speed - 1; }

}  // namespace

bool WatchLoop::CloseClick::Clicked(platform::Backend& real) {
  const bool down = real.LeftButtonDown();
  const int x = real.PointerX() - real.WindowLeft();
  const int y = real.PointerY() - real.WindowTop();
  if (down) {
    held = true;
    return false;
  }
  const bool released = held;
  held = false;
  return released && game::kCloseButton.Contains(x, y);
}

WatchLoop::WatchLoop(game::Game& game, platform::Backend& real, const Recording& recording)
    : game_(game),
      real_(real),
      backend_(real, recording.settings),
      settings_(recording.settings),
      player_(recording.commands) {}

std::optional<NextWake> WatchLoop::Start() {
  platform::SetBackend(&backend_);
  game::StartOptions start = StartOptionsOf(settings_);
  start.seed = settings_.seed.value_or(0);  // quelmo-sim's seed for a bare script
  const rt::FrameWait first = game_.Start(start);
  if (rt::MainWindowHandle(1) == 0) return std::nullopt;
  backend_.Slept(first.ms);
  due_ = first.until;
  return NextWake{NextWake::Kind::kAt, due_, 0};
}

NextWake WatchLoop::Step() {
  if (!backend_.Live()) {
    pressed_.clear();
    real_.TakeKeys(pressed_);
    for (const platform::KeyEvent& e : pressed_) controls_.Key(e);
    if (controls_.TakeOverAsked() && !over_) backend_.TakeOver();
    if (close_.Clicked(real_)) return NextWake{NextWake::Kind::kOver, 0, 0};
    if (controls_.Speed() != speed_) {
      speed_ = controls_.Speed();
      rt::SetFramePace(RateAt(speed_));
    }
  }
  if (over_ || !controls_.TakeFrame()) {
    // Paused, or at the end: the picture holds until the player does something; a
    // button held down is looked at again a frame later, for its release.
    if (!close_.held) return NextWake{NextWake::Kind::kInput, 0, 0};
    return NextWake{NextWake::Kind::kAt,
                    real_.Counter() + real_.CounterFrequency() / (game::kFramePaceRate + 1), 0};
  }
  if (!backend_.Live() && !player_.NextFrame(backend_.Recorded())) {
    controls_.End();
    return NextWake{NextWake::Kind::kInput, 0, 0};
  }
  if (backend_.Live()) keys_.BeforeFrame(backend_, game_.State());
  game::FrameStop stop = game_.Run();
  if (stop.kind == game::FrameStop::Kind::kGameOver) {
    if (backend_.Live()) return NextWake{NextWake::Kind::kOver, 0, 0};  // the player's own close
    over_ = true;
    controls_.End();
    return NextWake{NextWake::Kind::kInput, 0, 0};
  }
  backend_.Shown();
  const std::uint64_t deadline = stop.wait.until;
  end_ = game_.Run();
  backend_.Slept(end_.wait.ms);
  // Faster than the game's pace, a frame has no time to sleep before its first step:
  // it goes on at the last one's deadline.
  due_ = controls_.Speed() > 1 ? deadline : end_.wait.until;
  // Played on, the game stands still as it does when played.
  if (backend_.Live() && end_.still) return NextWake{NextWake::Kind::kInput, 0, 0};
  return NextWake{NextWake::Kind::kAt, due_, 0};
}

NextWake WatchLoop::InputCame(std::uint64_t now) {
  if (backend_.Live() && end_.still && !over_) {
    backend_.Passed(game_.PassStillFrames(end_, now));
    return NextWake{NextWake::Kind::kAt, end_.wait.until, 0};
  }
  // No frame runs meanwhile to take the window's events: taken here.
  (void)real_.PollEvent();
  return NextWake{NextWake::Kind::kAt, now, 0};
}

int WatchRecording(platform::BlockingBackend& real, const Recording& recording) {
  static game::Game game;  // lives for the whole run
  static std::optional<WatchLoop> loop;
  loop.emplace(game, real, recording);
  std::optional<NextWake> next = loop->Start();
  if (!next) return 1;
  // How long a still window may wait at most between looks at a gamepad.
  const std::uint64_t framePeriod =
      rt::FramePace(real.CounterFrequency(), game::kFramePaceRate).Period();
  for (;;) {
    switch (next->kind) {
      case NextWake::Kind::kAt:
        real.WaitUntil(next->at);
        next = loop->Step();
        break;
      case NextWake::Kind::kInput:
        real.WaitForInput(framePeriod);
        next = loop->InputCame(real.Counter());
        break;
      case NextWake::Kind::kOver:
        return next->status;
    }
  }
}

}  // namespace programs
