#include "programs/common/command_line.h"

#include "platform/scaling.h"

namespace programs {
namespace {

// A decimal number from 0 to 2^32 - 1, digits only.
std::optional<std::uint32_t> ParseNumber(std::string_view word) {
  if (word.empty() || word.size() > 10) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : word) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (value > 0xFFFFFFFFu) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

// The value of an option given as "--name VALUE" or "--name=VALUE", advancing `i` past
// it; null when `arg` is another option.  An empty value is returned as such.
std::optional<std::string_view> OptionValue(std::span<const std::string_view> args,
                                            std::size_t& i, std::string_view name,
                                            bool& missing) {
  const std::string_view arg = args[i];
  missing = false;
  if (arg == name) {
    if (i + 1 == args.size()) {
      missing = true;
      return std::string_view{};
    }
    return args[++i];
  }
  if (arg.size() > name.size() && arg.substr(0, name.size()) == name && arg[name.size()] == '=') {
    return arg.substr(name.size() + 1);
  }
  return std::nullopt;
}

CommandLine Error(std::string message) {
  CommandLine result;
  result.action = CommandLine::Action::kError;
  result.error = std::move(message) + " (see quelmo --help)";
  return result;
}

}  // namespace

game::StartOptions StartOptionsOf(const CommandLine& cl) {
  return game::StartOptions{cl.seed, cl.texts, cl.marks};
}

CommandLine ParseCommandLine(std::span<const std::string_view> args) {
  CommandLine result;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--help" || arg == "-h") {
      result.action = CommandLine::Action::kHelp;
      return result;
    }
    if (arg == "--version") {
      result.action = CommandLine::Action::kVersion;
      return result;
    }
    bool missing = false;
    if (const auto value = OptionValue(args, i, "--seed", missing)) {
      if (missing) return Error("--seed needs a number");
      result.seed = ParseNumber(*value);
      if (!result.seed) return Error("--seed needs a number from 0 to 4294967295");
      continue;
    }
    if (const auto value = OptionValue(args, i, "--record", missing)) {
      if (missing || value->empty()) return Error("--record needs a file name");
      result.record = std::string(*value);
      continue;
    }
    if (const auto value = OptionValue(args, i, "--scale", missing)) {
      const auto number = missing ? std::nullopt : ParseNumber(*value);
      if (!number || *number < platform::kMinScale || *number > platform::kMaxScale) {
        return Error("--scale needs a whole number from 1 to 8");
      }
      result.scale = static_cast<int>(*number);
      continue;
    }
    if (const auto value = OptionValue(args, i, "--lang", missing)) {
      result.texts = missing ? nullptr : game::texts::Language(*value);
      if (result.texts == nullptr) return Error("--lang needs de (German) or en (English)");
      continue;
    }
    if (arg == "--marks") {
      result.marks = true;
      continue;
    }
    if (!arg.empty() && arg.front() == '-') return Error("unknown option " + std::string(arg));
    return Error("unexpected argument " + std::string(arg));
  }
  return result;
}

std::string HelpText() {
  return "usage: quelmo [--seed N] [--scale N] [--lang de|en] [--marks] [--record FILE]\n"
         "\n"
         "Quelmo, a pipe-laying puzzle. Lay the pieces from the queue before the water\n"
         "flows; the game is played with the mouse alone.\n"
         "\n"
         "  --seed N    seed the random order of pieces and tiles with N (0 to 4294967295),\n"
         "              to play the same game again; by default it is seeded from the clock\n"
         "  --scale N   show every pixel of the game as N x N pixels of the screen (1 to 8);\n"
         "              by default the desktop's own scale setting, rounded down.  A\n"
         "              window too big for the screen is shown at the largest scale\n"
         "              that fits.  F11 or Alt+Enter switches full screen on and off\n"
         "  --lang de|en\n"
         "              the language of the game's texts: de, German (the default), or\n"
         "              en, English\n"
         "  --marks     mark the start, pass and goal tiles of each stream with one to\n"
         "              four dots, for players who cannot tell their colours apart\n"
         "  --record FILE\n"
         "              write the game as it is played to FILE, a script that quelmo-sim\n"
         "              replays exactly (quelmo-sim FILE): attach it to a bug report\n"
         "  --help      show this text and exit\n"
         "  --version   show the version and exit\n";
}

std::string VersionText() { return "quelmo " QUELMO_VERSION "\n"; }

}  // namespace programs
