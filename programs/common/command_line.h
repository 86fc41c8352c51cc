#pragma once
// The desktop game's command line, the same on every platform: the options of the one
// table (options.h) that quelmo takes.  The game itself reads no settings; the options
// are there to reproduce a game (a bug report, a test), to choose its look, and to
// answer the questions every program answers.
#include <span>
#include <string>
#include <string_view>

#include "game/game.h"
#include "platform/scaling.h"
#include "programs/common/options.h"

namespace programs {

struct CommandLine {
  enum class Action { kPlay, kHelp, kVersion, kError };
  Action action = Action::kPlay;
  Settings settings;
  std::string error;  // kError: one line saying what is wrong
};

// What the game starts with, and the enlargement it asks of its window.
game::StartOptions StartOptionsOf(const Settings& settings);
platform::ScaleRequest ScaleRequestOf(const Settings& settings);

// `args` are the arguments after the program name.
CommandLine ParseCommandLine(std::span<const std::string_view> args);

// The texts for --help and --version, each ending in a newline.
std::string HelpText();
std::string VersionText();

}  // namespace programs
