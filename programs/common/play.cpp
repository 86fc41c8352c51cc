#include "programs/common/play.h"

#include <fstream>
#include <sstream>

#include "game/game.h"
#include "programs/common/play_loop.h"
#include "programs/common/watch.h"
#include "programs/common/words.h"
#include "runtime/frame_pace.h"
#include "runtime/screen.h"
#include "runtime/window.h"

namespace programs {

std::optional<int> BeforePlaying(const CommandLine& cl, Say say,
                                 std::unique_ptr<Recorder>& recorder,
                                 std::optional<Recording>& watched) {
  switch (cl.action) {
    case CommandLine::Action::kHelp:
      say(HelpText(), false);
      return 0;
    case CommandLine::Action::kVersion:
      say(VersionText(), false);
      return 0;
    case CommandLine::Action::kError:
      say("quelmo: " + cl.error, true);
      return 2;
    case CommandLine::Action::kPlay:
      break;
  }
  if (cl.settings.replay) {
    // Read whole before any window opens: a recording that cannot be watched exactly
    // is refused in one line.
    const std::string& path = *cl.settings.replay;
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    if (!file) {
      say("quelmo: cannot read the recording " + Quote(path), true);
      return 2;
    }
    std::string error;
    watched = ReadRecording(text.str(), error);
    if (!watched) {
      say("quelmo: " + Quote(path) + ", " + error, true);
      return 2;
    }
  }
  if (cl.settings.record) {
    std::string error;
    recorder = Recorder::Open(*cl.settings.record, error);
    if (!recorder) {
      say("quelmo: " + error, true);
      return 1;
    }
  }
  return std::nullopt;
}

int PlayOrWatch(platform::BlockingBackend& backend, const CommandLine& cl, Recorder* recorder,
                const std::optional<Recording>& watched, std::string_view platformName) {
  if (watched) return WatchRecording(backend, *watched);
  return PlayGame(backend, StartOptionsOf(cl.settings), recorder, platformName);
}

int PlayGame(platform::BlockingBackend& backend, const game::StartOptions& options,
             Recorder* recorder, std::string_view platformName) {
  static game::Game game;  // lives for the whole run
  if (recorder == nullptr) {
    platform::SetBackend(&backend);
  } else {
    StartRecording(*recorder, game, backend, options, platformName);
  }
  PlayLoop loop(game, platform::Current(), recorder);
  std::optional<NextWake> next = loop.Start(options);
  if (!next) return 1;
  // How long a still game may wait at most between looks at a gamepad.
  const std::uint64_t framePeriod =
      rt::FramePace(backend.CounterFrequency(), rt::FramePaceRate()).Period();
  for (;;) {
    switch (next->kind) {
      case NextWake::Kind::kAt:
        backend.WaitUntil(next->at);
        next = loop.Frame();
        break;
      case NextWake::Kind::kInput:
        backend.WaitForInput(framePeriod);
        next = loop.InputCame(backend.Counter());
        break;
      case NextWake::Kind::kOver:
        return next->status;
    }
  }
}

}  // namespace programs
