#pragma once
// Every option of Quelmo's programs in one table: the desktop game (quelmo), quelmo-sim,
// the page (whose address gives `?seed=N` for `--seed N`) and the first line of a
// recording (`# options: ...`).  A row names the option, the argument it takes and its
// range, what it sets, who takes it and what --help says of it; reading a command line,
// the page's address and a recording, writing a recording's options and the usage and
// help texts all go through the table, so no two of them can spell, bound or explain an
// option differently.
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "game/texts.h"

namespace programs {

// Who takes an option: a set of these.
enum Taker : unsigned {
  kGame = 1u << 0,       // quelmo, on Linux and on Windows
  kSim = 1u << 1,        // quelmo-sim
  kPage = 1u << 2,       // the page's address: ?name=value, a flag as ?name=1 or ?name=0
  kRecording = 1u << 3,  // a recording's options line
};

struct DesktopSize {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
};

// What the options set.  What no option gave is left for each program to choose.
struct Settings {
  std::optional<std::uint32_t> seed;       // the random generator's seed
  std::optional<std::uint32_t> tickStart;  // the tick count at start
  std::optional<DesktopSize> desktop;      // the virtual desktop's size
  std::optional<std::uint32_t> scale;      // each game pixel shown as N x N pixels
  const game::texts::Table* texts = game::texts::kLanguages[0];  // the game's language
  bool marks = false;                      // the streams' marks on their tiles
  std::optional<std::string> record;       // the file the game is recorded to
  std::optional<std::string> replay;       // the recording to watch
  std::optional<std::uint32_t> bench;      // frames timed after the script
  bool check = false;                      // compare the recorded states
  bool help = false;                       // show the help and end
  bool version = false;                    // show the version and end
  std::optional<std::string> script;       // the script to run
};

// What an option sets, which is also the argument it takes: none (a flag), a whole
// number in the option's range, a width and a height in it, a language's code, a file.
using Target =
    std::variant<bool Settings::*, std::optional<std::uint32_t> Settings::*,
                 std::optional<DesktopSize> Settings::*, const game::texts::Table* Settings::*,
                 std::optional<std::string> Settings::*>;
enum class Argument { kNone, kNumber, kSize, kLanguage, kFile };  // in Target's order

struct Option {
  std::string_view name;      // "--seed"; empty for the word that is no option (SCRIPT)
  std::string_view argument;  // as the usage shows it: "N", "W H", "de|en", "FILE"
  Target target;
  std::uint32_t min = 0;  // a number's range
  std::uint32_t max = 0;
  unsigned takers = 0;
  // What --help says of it, each line after the first after a '\n'; quelmo-sim's own
  // words where they differ (empty: the same).
  std::string_view help;
  std::string_view simHelp;
  // --help and --version answer at once: what follows them is not read.
  bool answers = false;
  std::string_view alias;  // a short name ("-h")
};

constexpr std::uint32_t kAnyNumber = std::numeric_limits<std::uint32_t>::max();

// Every option, in the order usage, help and a recording's options line give them.
std::span<const Option> AllOptions();

constexpr Argument ArgumentOf(const Option& option) {
  return static_cast<Argument>(option.target.index());
}

// The codes a language option takes, `between` each two: "de|en", "de or en".
std::string LanguageCodes(std::string_view between);

// The one reading of a number: decimal digits alone, from `min` to `max`.
std::optional<std::uint32_t> ParseNumber(std::string_view word, std::uint32_t min,
                                         std::uint32_t max);

// Sets `option` in `settings` from its argument's words (none for a flag, two for a
// size).  Returns what is wrong with them, as one line, or nothing.
std::optional<std::string> SetOption(const Option& option,
                                     std::span<const std::string_view> words,
                                     Settings& settings);

// Reads `args` (the words after the program's name) as `taker` takes them, into
// `settings` over what it holds: an option given twice, or over an earlier reading,
// has its last value.  Stops after an option that answers at once.  Returns what is
// wrong, as one line without the program's name, or nothing.
std::optional<std::string> ReadOptions(std::span<const std::string_view> args, Taker taker,
                                       Settings& settings);

// The options that give `settings` to `taker`, in the table's order, each with its
// argument: "--seed 3 --lang en --marks".  An option at the value a program has without
// it (no number, the first language, no flag) is left out.
std::string OptionWords(const Settings& settings, Taker taker);

// The usage line of `program`, taken by `taker`, wrapped at 80 columns; and the help's
// list of the options, one to a paragraph.  Both end in a newline.
std::string UsageText(std::string_view program, Taker taker);
std::string OptionsHelp(Taker taker);

}  // namespace programs
