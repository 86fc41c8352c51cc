#include "programs/common/play.h"

#include "game/game.h"
#include "game/state_report.h"
#include "programs/common/keyboard_pointer.h"
#include "runtime/frame_pace.h"
#include "runtime/screen.h"
#include "runtime/window.h"

namespace programs {

std::optional<int> BeforePlaying(const CommandLine& cl, Say say,
                                 std::unique_ptr<Recorder>& recorder) {
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
  if (cl.record) {
    std::string error;
    recorder = Recorder::Open(*cl.record, error);
    if (!recorder) {
      say("quelmo: " + error, true);
      return 1;
    }
  }
  return std::nullopt;
}

int PlayGame(platform::BlockingBackend& backend, const game::StartOptions& options,
             Recorder* recorder, std::string_view platformName) {
  static game::Game game;       // lives for the whole run
  static game::GameState kept;  // the state at the end of the last whole frame
  if (recorder == nullptr) {
    platform::SetBackend(&backend);
  } else {
    recorder->Start(backend, options, platformName);
    recorder->SetStateHooks([] { kept = game.State(); },
                            [](std::ostream& out, const game::ReportHeader& header) {
                              game::WriteStateReport(out, header, kept);
                            });
    platform::SetBackend(recorder);
  }
  const rt::FrameWait firstSleep = game.Start(options);
  // Without its window the game cannot be played, and nothing would show it runs.
  if (rt::MainWindowHandle(1) == 0) return 1;
  if (recorder != nullptr) recorder->FramesBegin(firstSleep);
  const std::uint64_t framePeriod =
      rt::FramePace(backend.CounterFrequency(), rt::FramePaceRate()).Period();
  backend.WaitUntil(firstSleep.until);
  KeyboardPointer keys;
  keys.BeforeFrame(platform::Current(), game.State());
  for (;;) {
    const game::FrameStop stop = game.Run();
    switch (stop.kind) {
      case game::FrameStop::Kind::kShown:
        // The frame's last steps run at once, with the tick count of its deadline:
        // the frame wakes the thread once, after its sleep.
        if (recorder != nullptr) recorder->Shown();
        break;
      case game::FrameStop::Kind::kFrameEnd:
        if (recorder != nullptr) recorder->FrameEnded(stop.wait);
        if (stop.still) {
          // Nothing moves: no frame runs until something comes for the window, and
          // the frames due meanwhile count as shown.
          backend.WaitForInput(framePeriod);
          const std::uint64_t passed = game.PassStillFrames(stop, backend.Counter());
          if (recorder != nullptr) recorder->StillFrames(passed);
        }
        // After a still stretch the frame due next runs at once, unless the input came
        // before the next frame was due.
        backend.WaitUntil(stop.wait.until);
        keys.BeforeFrame(platform::Current(), game.State());
        break;
      case game::FrameStop::Kind::kGameOver:
        if (recorder != nullptr) recorder->GameOver();
        return 0;
    }
  }
}

}  // namespace programs
