#pragma once
// The frame loop of a game being played, the same on every platform.  The platform's
// loop runs a frame when the last one said it is due, and waits as it says: until a
// time, or, where the game stands still, until input comes (then it says so, and the
// frames due meanwhile count as shown).  Before each frame the keys move the pointer
// (keyboard_pointer.h); a recorder, if there is one, hears of every frame.
#include <cstdint>
#include <optional>
#include <string_view>

#include "game/game.h"
#include "platform/platform.h"
#include "programs/common/keyboard_pointer.h"
#include "programs/common/recorder.h"

namespace programs {

// What the platform's loop does next.
struct NextWake {
  enum class Kind {
    kAt,     // run the next frame once the counter reaches `at` (at once if it has)
    kInput,  // nothing moves: wait for input, then tell InputCame
    kOver,   // the game is over: `status` is the program's exit status
  };
  Kind kind = Kind::kAt;
  std::uint64_t at = 0;
  int status = 0;
};

// Records `game`, played on `real` with `options`, into `recorder`, and makes the
// recorder the game's backend: the recording gets the options, what every frame read,
// and, when the close button ends the game, its state at the end of the last whole
// frame.  One game is recorded in a program's life.
void StartRecording(Recorder& recorder, game::Game& game, platform::Backend& real,
                    const game::StartOptions& options, std::string_view platformName);

class PlayLoop {
 public:
  // The game, played on `backend` (the recorder itself, when there is one).
  PlayLoop(game::Game& game, platform::Backend& backend, Recorder* recorder)
      : game_(game), backend_(backend), recorder_(recorder) {}

  // The game's start-up: nothing when its window could not be opened (the game
  // cannot be played, and nothing would show that it runs).
  std::optional<NextWake> Start(const game::StartOptions& options);
  // Runs the frame that is due, from its first step to its last.
  NextWake Frame();
  // Input came at counter time `now` while the game stood still.
  NextWake InputCame(std::uint64_t now);

 private:
  game::Game& game_;
  platform::Backend& backend_;
  Recorder* recorder_;
  KeyboardPointer keys_;
  game::FrameStop end_;  // how the last frame ended
};

}  // namespace programs
