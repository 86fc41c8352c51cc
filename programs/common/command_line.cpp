#include "programs/common/command_line.h"

namespace programs {
namespace {

// A decimal number from 0 to 2^32 - 1, digits only.
std::optional<std::uint32_t> ParseSeed(std::string_view word) {
  if (word.empty() || word.size() > 10) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : word) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (value > 0xFFFFFFFFu) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

CommandLine Error(std::string message) {
  CommandLine result;
  result.action = CommandLine::Action::kError;
  result.error = std::move(message) + " (see quelmo --help)";
  return result;
}

}  // namespace

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
    constexpr std::string_view kSeedEq = "--seed=";
    if (arg == "--seed" || arg.substr(0, kSeedEq.size()) == kSeedEq) {
      std::string_view value;
      if (arg == "--seed") {
        if (i + 1 == args.size()) return Error("--seed needs a number");
        value = args[++i];
      } else {
        value = arg.substr(kSeedEq.size());
      }
      result.seed = ParseSeed(value);
      if (!result.seed) return Error("--seed needs a number from 0 to 4294967295");
      continue;
    }
    constexpr std::string_view kRecordEq = "--record=";
    if (arg == "--record" || arg.substr(0, kRecordEq.size()) == kRecordEq) {
      if (arg == "--record") {
        if (i + 1 == args.size()) return Error("--record needs a file name");
        result.record = std::string(args[++i]);
      } else {
        result.record = std::string(arg.substr(kRecordEq.size()));
      }
      if (result.record->empty()) return Error("--record needs a file name");
      continue;
    }
    if (!arg.empty() && arg.front() == '-') return Error("unknown option " + std::string(arg));
    return Error("unexpected argument " + std::string(arg));
  }
  return result;
}

std::string HelpText() {
  return "usage: quelmo [--seed N] [--record FILE]\n"
         "\n"
         "Quelmo, a pipe-laying puzzle. Lay the pieces from the queue before the water\n"
         "flows; the game is played with the mouse alone.\n"
         "\n"
         "  --seed N    seed the random order of pieces and tiles with N (0 to 4294967295),\n"
         "              to play the same game again; by default it is seeded from the clock\n"
         "  --record FILE\n"
         "              write the game as it is played to FILE, a script that quelmo-sim\n"
         "              replays exactly (quelmo-sim FILE): attach it to a bug report\n"
         "  --help      show this text and exit\n"
         "  --version   show the version and exit\n";
}

std::string VersionText() { return "quelmo " QUELMO_VERSION "\n"; }

}  // namespace programs
