// quelmo-sim: runs the real game on the headless backend from a script, for tests,
// benchmarks and reproducing a game exactly.
//
//   quelmo-sim [--seed N] [--tick-start MS] [--desktop W H] [--scale N] [--lang de|en]
//              [--marks] [--bench N] [--check] [SCRIPT]
#include <cstdio>
#include <fstream>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/scaling.h"
#include "programs/quelmo-sim/script.h"
#include "programs/quelmo-sim/simulator.h"
#include "programs/quelmo-sim/state_check.h"

namespace {

constexpr std::string_view kUsage =
    "usage: quelmo-sim [--seed N] [--tick-start MS] [--desktop W H] [--scale N]\n"
    "                  [--lang de|en] [--marks] [--bench N] [--check] [SCRIPT]\n";

// --help: the usage, then what the options and the script's commands do.
constexpr std::string_view kHelp =
    "\n"
    "Runs the real game on a virtual clock and screen from SCRIPT (standard input when\n"
    "absent or -), one command per line; lines starting with # hold none.\n"
    "\n"
    "  --seed N          seed of the random generator (default 0)\n"
    "  --tick-start MS   the tick count at start (default 0)\n"
    "  --desktop W H     the desktop's size (default 1920 1080)\n"
    "  --scale N         show the game N times enlarged (1 to 8, default 1), as a desktop\n"
    "                    at that scale does: the desktop, the window and the pointer are\n"
    "                    N times as far in physical pixels, screenshots N times as big;\n"
    "                    the game and its states are the same at every scale\n"
    "  --lang de|en      the language of the game's texts (default de, German)\n"
    "  --marks           the streams' marks (one to four dots) on their special tiles\n"
    "  --bench N         after the script, time N more frames without waits\n"
    "  --check           compare every '# state {...}' line (a recording made with\n"
    "                    quelmo --record) with the state at that point; exit 1 at the\n"
    "                    first difference\n"
    "A first line '# options: ...' (a recording's) gives options; the command line wins.\n"
    "\n"
    "  mouse X Y         pointer to window point (X, Y)\n"
    "  down | up         the left button, from the next frame on\n"
    "  click X Y         mouse X Y, down, frames 1, up, frames 1\n"
    "  frames N          run N frames\n"
    "  state             print the state as one line of JSON\n"
    "  shot FILE         the last frame shown, as a BMP\n"
    "  sprite N FILE     sprite N, as a BMP\n"
    "  tile C R CODE | lock C R V | queue I CODE | set NAME VALUE |\n"
    "  stream N C R DX DY G P      write the game's state\n"
    "  tick MS           the next read of the tick count returns MS (0 to 4294967295);\n"
    "                    from there it runs on with the virtual clock.  Several before a\n"
    "                    frame give its reads in order\n"
    "  window X Y        the desktop puts the window at desktop point (X, Y)\n";

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

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
  bool check = false;             // --check: compare the recorded states
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
    } else if (arg == "--scale") {
      const std::optional<std::uint32_t> v = value(1);
      if (!v || *v < platform::kMinScale || *v > platform::kMaxScale) {
        return BadCommandLine("--scale needs a whole number from 1 to 8");
      }
      cl.options.scale = static_cast<int>(*v);
      i += 1;
    } else if (arg == "--lang") {
      cl.options.texts = i + 1 < argc ? game::texts::Language(argv[i + 1]) : nullptr;
      if (cl.options.texts == nullptr) {
        return BadCommandLine("--lang needs de (German) or en (English)");
      }
      i += 1;
    } else if (arg == "--marks") {
      cl.options.marks = true;
    } else if (arg == "--check") {
      cl.check = true;
    } else if (arg == "--help" || arg == "-h") {
      std::cout << kUsage << kHelp;
      return -1;
    } else if (arg.size() > 1 && arg.front() == '-') {
      return BadCommandLine("unknown option " + sim::Quote(arg));
    } else if (haveScript) {
      return BadCommandLine("more than one script given");
    } else {
      cl.script = std::string(arg);
      haveScript = true;
    }
  }
  return 0;
}

// Standard output taken all the way to the file: a full disk or a closed pipe shows
// only when the buffered reports are handed over.
bool StandardOutputFailed() {
  std::cout.flush();
  return !std::cout;
}

int CannotWriteOutput(long lineNumber) {
  std::cerr << "quelmo-sim: ";
  if (lineNumber > 0) std::cerr << "script line " << lineNumber << ": ";
  std::cerr << "cannot write the standard output\n";
  return 2;
}

constexpr std::string_view kRecordedState = "# state ";

// --check: a recorded state against the one the replay has now.  0 when they agree,
// else the exit status after the message.
int CheckState(sim::Simulator& simulator, std::string_view recorded, long lineNumber) {
  std::ostringstream replayed;
  simulator.WriteState(replayed);
  std::optional<sim::StateDifference> difference;
  if (!sim::CompareStateReports(recorded, replayed.str(), difference)) {
    std::cerr << "quelmo-sim: script line " << lineNumber << ": the recorded state is not a state report\n";
    return 2;
  }
  if (!difference) return 0;
  std::cout.flush();
  std::cerr << "quelmo-sim: frame " << simulator.FramesRun() << ": " << difference->key << " is "
            << difference->recorded << " in the recording but " << difference->replayed
            << " in the replay (script line " << lineNumber << ")\n";
  return 1;
}

// `firstLine` is the script's first line when main has already read it.
int Run(const CommandLine& cl, std::istream& in, std::optional<std::string> firstLine,
        long& printedLine) {
  sim::Simulator simulator(cl.options);
  std::string line;
  long lineNumber = 0;
  const auto nextLine = [&] {
    if (!firstLine) return static_cast<bool>(sim::ReadLine(in, line));
    line = std::move(*firstLine);
    firstLine.reset();
    return true;
  };
  while (nextLine()) {
    ++lineNumber;
    // A byte-order mark, as some editors put at the start of a UTF-8 file.
    if (lineNumber == 1 && line.rfind(kByteOrderMark, 0) == 0) line.erase(0, kByteOrderMark.size());
    if (cl.check && line.compare(0, kRecordedState.size(), kRecordedState) == 0) {
      if (const int status = CheckState(simulator, std::string_view(line).substr(kRecordedState.size()), lineNumber)) {
        return status;
      }
      continue;
    }
    const sim::ParsedLine parsed = sim::ParseLine(line);
    std::string error;
    if (const auto* bad = std::get_if<sim::ParseError>(&parsed)) {
      error = bad->reason;
    } else if (const auto* command = std::get_if<sim::Command>(&parsed)) {
      if (command->op == sim::Op::kState) printedLine = lineNumber;
      if (simulator.Execute(*command, std::cout, error)) {
        if (!std::cout) return CannotWriteOutput(lineNumber);
        // The game's close button ends the program, with the game's exit status 0.
        if (simulator.GameOver()) return 0;
        continue;
      }
    } else {
      continue;
    }
    if (StandardOutputFailed()) return CannotWriteOutput(printedLine);
    std::cerr << "quelmo-sim: script line " << lineNumber << ": " << error << '\n';
    return 2;
  }
  if (in.bad()) {
    std::cerr << "quelmo-sim: cannot read script " << sim::Quote(cl.script) << '\n';
    return 2;
  }
  if (cl.benchFrames >= 0) {
    const sim::BenchResult r = simulator.Bench(cl.benchFrames);
    printedLine = 0;
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
      std::cerr << "quelmo-sim: cannot read script " << sim::Quote(cl.script) << '\n';
      return 2;
    }
    in = &file;
  }
  // A recording's first line holds the options it was made with; options given on the
  // command line come after them and so win.
  std::optional<std::string> firstLine;
  if (std::string line; sim::ReadLine(*in, line)) firstLine = line;
  constexpr std::string_view kOptions = "# options:";
  std::string_view head = firstLine ? std::string_view(*firstLine) : std::string_view();
  if (head.substr(0, kByteOrderMark.size()) == kByteOrderMark) head.remove_prefix(kByteOrderMark.size());
  if (head.substr(0, kOptions.size()) == kOptions) {
    std::istringstream words{std::string(head.substr(kOptions.size()))};
    std::vector<std::string> args{argv[0]};
    for (std::string word; words >> word;) args.push_back(word);
    args.insert(args.end(), argv + 1, argv + argc);
    std::vector<char*> pointers;
    for (std::string& arg : args) pointers.push_back(arg.data());
    const std::string script = cl.script;
    cl = CommandLine{};
    if (const int status = ParseCommandLine(static_cast<int>(pointers.size()), pointers.data(), cl);
        status != 0) {
      return status < 0 ? 0 : status;
    }
    cl.script = script;
  }
  long printedLine = 0;  // the last script line that printed a report
  const int status = Run(cl, *in, firstLine, printedLine);
  if (StandardOutputFailed()) return CannotWriteOutput(printedLine);
  return status;
}
