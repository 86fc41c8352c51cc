#include "programs/common/play.h"

#include "game/game.h"
#include "game/state_report.h"
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
  game::StartOptions start = options;
  if (recorder == nullptr) {
    platform::SetBackend(&backend);
  } else {
    start.seed = recorder->Start(backend, options, platformName);
    recorder->SetStateHooks([] { kept = game.State(); },
                            [](std::ostream& out, const game::ReportHeader& header) {
                              game::WriteStateReport(out, header, kept);
                            });
    platform::SetBackend(recorder);
  }
  game.Start(start);
  // Without its window the game cannot be played, and nothing would show it runs.
  if (rt::MainWindowHandle(1) == 0) return 1;
  if (recorder != nullptr) recorder->FramesBegin();
  for (;;) {
    const game::FrameStop stop = game.Run();
    switch (stop.kind) {
      case game::FrameStop::Kind::kWait:
        backend.WaitUntil(stop.wait.until);
        if (recorder != nullptr) recorder->Waited(stop.wait);
        break;
      case game::FrameStop::Kind::kFrameEnd:
        if (recorder != nullptr) recorder->FrameEnded();
        break;
      case game::FrameStop::Kind::kGameOver:
        if (recorder != nullptr) recorder->GameOver();
        return 0;
    }
  }
}

}  // namespace programs
