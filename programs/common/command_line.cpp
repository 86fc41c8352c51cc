#include "programs/common/command_line.h"

#include "programs/common/keys_help.h"
#include "programs/common/version.h"

namespace programs {

game::StartOptions StartOptionsOf(const Settings& settings) {
  return game::StartOptions{settings.seed, settings.texts, settings.marks};
}

platform::ScaleRequest ScaleRequestOf(const Settings& settings) {
  std::optional<int> factor;
  if (settings.scale) factor = static_cast<int>(*settings.scale);
  return platform::ScaleRequest{factor, game::kWindowWidth, game::kWindowHeight};
}

CommandLine ParseCommandLine(std::span<const std::string_view> args) {
  CommandLine result;
  if (const auto problem = ReadOptions(args, kGame, result.settings)) {
    result.action = CommandLine::Action::kError;
    result.error = *problem + " (see quelmo --help)";
  } else if (result.settings.help) {
    result.action = CommandLine::Action::kHelp;
  } else if (result.settings.version) {
    result.action = CommandLine::Action::kVersion;
  } else if (result.settings.replay && result.settings.record) {
    // A game watched is the recording's, already written down.
    result.action = CommandLine::Action::kError;
    result.error = "--replay and --record cannot go together (see quelmo --help)";
  }
  return result;
}

std::string HelpText() {
  return UsageText("quelmo", kGame) +
         "\n"
         "Quelmo, a pipe-laying puzzle. Lay the pieces from the queue before the water\n"
         "flows; the game is played with the mouse, or with the keys below.\n"
         "\n" +
         OptionsHelp(kGame) + "\n" + KeysHelp();
}

std::string VersionText() { return "quelmo " + std::string(GameVersion()) + "\n"; }

}  // namespace programs
