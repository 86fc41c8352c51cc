#pragma once
// The desktop game's command line, the same on every platform.  The game itself reads
// no settings; the options are there to reproduce a game (a bug report, a test) and to
// answer the questions every program answers.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "game/game.h"

namespace programs {

struct CommandLine {
  enum class Action { kPlay, kHelp, kVersion, kError };
  Action action = Action::kPlay;
  std::optional<std::uint32_t> seed;  // --seed N: the random generator's seed
  std::optional<std::string> record;  // --record FILE: write the game as a quelmo-sim script
  std::optional<int> scale;           // --scale N: show each game pixel as N x N pixels
  const game::texts::Table* texts = &game::texts::kGerman;  // --lang de|en
  bool marks = false;                 // --marks: the streams' marks on their tiles
  std::string error;                  // kError: one line saying what is wrong
};

// What the game starts with.
game::StartOptions StartOptionsOf(const CommandLine& cl);

// `args` are the arguments after the program name.
CommandLine ParseCommandLine(std::span<const std::string_view> args);

// The texts for --help and --version, each ending in a newline.
std::string HelpText();
std::string VersionText();

}  // namespace programs
