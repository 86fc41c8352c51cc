#include "programs/common/play.h"

#include "game/game.h"
#include "game/state_report.h"

namespace programs {

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
