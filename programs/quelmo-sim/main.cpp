// quelmo-sim: runs the real game on the headless backend from a script, for tests,
// benchmarks and reproducing a game exactly.
//
//   quelmo-sim [--seed N] [--tick-start MS] [--desktop W H] [--bench N] [SCRIPT]
#include <cstdio>
#include <fstream>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "platform/headless/headless_backend.h"
#include "programs/quelmo-sim/script.h"
#include "programs/quelmo-sim/simulator.h"

namespace {

constexpr std::string_view kUsage =
    "usage: quelmo-sim [--seed N] [--tick-start MS] [--desktop W H] [--bench N] [SCRIPT]\n";

std::optional<std::uint32_t> ParseUnsigned32(std::string_view word) {
  if (word.empty() || word.size() > 10) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : word) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (value > 0xFFFFFFFFu) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

struct CommandLine {
  sim::Options options;
  std::int64_t benchFrames = -1;  // -1: no bench
  std::string script = "-";
};

int BadCommandLine(const std::string& reason) {
  std::cerr << "quelmo-sim: " << reason << '\n' << kUsage;
  return 2;
}

// Returns 0 when the command line is good, else the exit status after the message.
int ParseCommandLine(int argc, char** argv, CommandLine& cl) {
  bool haveScript = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    auto value = [&](int k) -> std::optional<std::uint32_t> {
      if (i + k >= argc) return std::nullopt;
      return ParseUnsigned32(argv[i + k]);
    };
    if (arg == "--seed" || arg == "--tick-start" || arg == "--bench") {
      const std::optional<std::uint32_t> v = value(1);
      if (!v) return BadCommandLine(std::string(arg) + " needs an unsigned 32-bit number");
      if (arg == "--seed") cl.options.seed = *v;
      if (arg == "--tick-start") cl.options.tickStart = *v;
      if (arg == "--bench") cl.benchFrames = *v;
      i += 1;
    } else if (arg == "--desktop") {
      const std::optional<std::uint32_t> w = value(1), h = value(2);
      if (!w || !h || *w == 0 || *h == 0 || *w > 1'000'000 || *h > 1'000'000) {
        return BadCommandLine("--desktop needs a width and a height of 1 to 1000000");
      }
      cl.options.desktopWidth = static_cast<int>(*w);
      cl.options.desktopHeight = static_cast<int>(*h);
      i += 2;
    } else if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return -1;
    } else if (arg.size() > 1 && arg.front() == '-') {
      return BadCommandLine("unknown option " + std::string(arg));
    } else if (haveScript) {
      return BadCommandLine("more than one script given");
    } else {
      cl.script = std::string(arg);
      haveScript = true;
    }
  }
  return 0;
}

int Run(const CommandLine& cl, std::istream& in) {
  sim::Simulator simulator(cl.options);
  std::string line;
  long lineNumber = 0;
  while (std::getline(in, line)) {
    ++lineNumber;
    const sim::ParsedLine parsed = sim::ParseLine(line);
    std::string error;
    if (const auto* bad = std::get_if<sim::ParseError>(&parsed)) {
      error = bad->reason;
    } else if (const auto* command = std::get_if<sim::Command>(&parsed)) {
      if (simulator.Execute(*command, std::cout, error)) continue;
    } else {
      continue;
    }
    std::cout.flush();
    std::cerr << "quelmo-sim: script line " << lineNumber << ": " << error << '\n';
    return 2;
  }
  if (in.bad()) {
    std::cerr << "quelmo-sim: cannot read script '" << cl.script << "'\n";
    return 2;
  }
  if (cl.benchFrames >= 0) {
    const sim::BenchResult r = simulator.Bench(cl.benchFrames);
    std::cout << "{\"frames\":" << cl.benchFrames << ",\"median_us\":" << r.medianMicros
              << ",\"p99_us\":" << r.p99Micros << ",\"max_us\":" << r.maxMicros
              << ",\"frames_per_second\":" << r.framesPerSecond << "}\n";
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // Lines end in "\n" alone on every platform, so that reports compare byte for byte.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
  CommandLine cl;
  if (const int status = ParseCommandLine(argc, argv, cl); status != 0) {
    return status < 0 ? 0 : status;
  }
  std::ifstream file;
  std::istream* in = &std::cin;
  if (cl.script != "-") {
    file.open(cl.script);
    if (!file) {
      std::cerr << "quelmo-sim: cannot read script '" << cl.script << "'\n";
      return 2;
    }
    in = &file;
  }
  try {
    return Run(cl, *in);
  } catch (const platform::ProgramExit& exit) {
    // The game's close button: the program ends with the game's own exit code.
    std::cout.flush();
    return exit.code;
  }
}
