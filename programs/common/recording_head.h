#pragma once
// The head of a recording, the first two lines of the quelmo-sim script that
// `quelmo --record` writes:
//
//   # options: --seed N --tick-start MS --desktop W H [--lang CODE] [--marks]
//   # recording format F, quelmo VERSION PLATFORM
//
// The first gives the options the game was played with, written and read through the
// one table of options (options.h).  The second names the recording's format, which
// says what its lines mean, and for people the game that made it.  A recording without
// that line (one made before formats were named) is of format 1.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "programs/common/options.h"

namespace programs {

// The format recordings are written in.  It is raised whenever a recording made now
// would not replay exactly in the game as it was: a command or an option that
// recordings use is added, or one changes what it means.  The oldest format replayed
// is raised with it when a change plays the same lines differently (a rule, a timing,
// the random order): such recordings are then refused, never replayed wrong.
constexpr std::uint32_t kRecordingFormat = 1;
constexpr std::uint32_t kOldestRecordingFormat = 1;

// The head of a recording of a game played with `settings` on `platformName`
// ("linux", "windows"), each line ending in a newline.
std::string RecordingHead(const Settings& settings, std::string_view platformName);

// Whether a script's first line is a recording's options line.
bool IsOptionsLine(std::string_view line);

// What is wrong with a recording's head, and on which of its lines.
struct HeadProblem {
  long line = 0;
  std::string reason;
};

// Reads a recording's head into `settings`: its options line (line 1) and the line
// after it, if there is one.  A recording of a format that this game cannot replay
// exactly, or with an option that no recording holds, is refused.
std::optional<HeadProblem> ReadRecordingHead(std::string_view optionsLine,
                                             std::optional<std::string_view> secondLine,
                                             Settings& settings);

}  // namespace programs
