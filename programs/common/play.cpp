#include "programs/common/play.h"

#include "game/game.h"
#include "game/state_report.h"

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

void PlayGame(platform::Backend& backend, std::optional<std::uint32_t> seed, Recorder* recorder,
              std::string_view platformName) {
  static game::GameState state;  // lives for the whole run
  static game::GameState kept;   // the state at the end of the last whole frame
  if (recorder == nullptr) {
    platform::SetBackend(&backend);
  } else {
    seed = recorder->Start(backend, seed, platformName);
    recorder->SetStateHooks([] { kept = state; },
                            [](std::ostream& out, const game::ReportHeader& header) {
                              game::WriteStateReport(out, header, kept);
                            });
    platform::SetBackend(recorder);
  }
  game::GameMain(state, seed);
}

}  // namespace programs
