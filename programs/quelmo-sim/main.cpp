// quelmo-sim: runs the real game on the headless backend from a script, for tests,
// benchmarks and reproducing a game exactly.  Its options are those of the one table
// (programs/common/options.h) that quelmo-sim takes; a recording's head gives options
// too, and those of the command line win.
#include <cstdio>
#include <deque>
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

#include "platform/keys.h"
#include "programs/common/options.h"
#include "programs/common/recording_head.h"
#include "programs/common/script.h"
#include "programs/quelmo-sim/simulator.h"
#include "programs/quelmo-sim/state_check.h"

namespace {

constexpr std::string_view kProgram = "quelmo-sim";

// --help: the usage, then what the options and the script's commands do.
constexpr std::string_view kIntroduction =
    "\n"
    "Runs the real game on a virtual clock and screen from SCRIPT, one command per\n"
    "line; lines starting with # hold none.\n"
    "\n";
constexpr std::string_view kCommands =
    "A recording's first lines ('# options: ...', '# recording format ...') give its\n"
    "options; the command line wins.\n"
    "\n"
    "  mouse X Y         pointer to window point (X, Y)\n"
    "  down | up         the left button, from the next frame on\n"
    "  click X Y         mouse X Y, down, frames 1, up, frames 1\n"
    "  key NAME down|up  a key, from the next frame on: it moves the pointer and\n"
    "                    presses the button as on the desktop\n"
    "  press NAME        key NAME down, frames 1, key NAME up, frames 1\n"
    "  frames N          run N frames\n"
    "  state             print the state as one line of JSON\n"
    "  shot FILE         the last frame shown, as a BMP\n"
    "  sprite N FILE     sprite N, as a BMP\n"
    "  tile C R CODE | lock C R V | queue I CODE | set NAME VALUE |\n"
    "  stream N C R DX DY G P      write the game's state\n"
    "  tick MS           the next read of the tick count returns MS (0 to 4294967295);\n"
    "                    from there it runs on with the virtual clock.  Several before a\n"
    "                    frame give its reads in order\n"
    "  window X Y        the desktop puts the window at desktop point (X, Y)\n"
    "\n"
    "A key's NAME is one of";

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

int BadCommandLine(const std::string& reason) {
  std::cerr << kProgram << ": " << reason << '\n' << programs::UsageText(kProgram, programs::kSim);
  return 2;
}

// What the game runs with: the options given, else quelmo-sim's own defaults.
sim::Options SimOptionsOf(const programs::Settings& settings) {
  sim::Options options;
  options.seed = settings.seed.value_or(options.seed);
  options.tickStart = settings.tickStart.value_or(options.tickStart);
  if (settings.desktop) {
    options.desktopWidth = static_cast<int>(settings.desktop->width);
    options.desktopHeight = static_cast<int>(settings.desktop->height);
  }
  if (settings.scale) options.scale = static_cast<int>(*settings.scale);
  options.texts = settings.texts;
  options.marks = settings.marks;
  return options;
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

// Runs the script `name`: the lines main has read ahead (a recording's head), then the
// rest of `in`.
int Run(const programs::Settings& settings, const std::string& name, std::istream& in,
        std::deque<std::string> readAhead, long& printedLine) {
  sim::Simulator simulator(SimOptionsOf(settings));
  std::string line;
  long lineNumber = 0;
  const auto nextLine = [&] {
    if (readAhead.empty()) return static_cast<bool>(programs::ReadLine(in, line));
    line = std::move(readAhead.front());
    readAhead.pop_front();
    return true;
  };
  while (nextLine()) {
    ++lineNumber;
    if (settings.check && line.compare(0, kRecordedState.size(), kRecordedState) == 0) {
      if (const int status = CheckState(simulator, std::string_view(line).substr(kRecordedState.size()), lineNumber)) {
        return status;
      }
      continue;
    }
    const programs::ParsedLine parsed = programs::ParseLine(line);
    std::string error;
    if (const auto* bad = std::get_if<programs::ParseError>(&parsed)) {
      error = bad->reason;
    } else if (const auto* command = std::get_if<programs::Command>(&parsed)) {
      if (command->op == programs::Op::kState) printedLine = lineNumber;
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
    std::cerr << "quelmo-sim: cannot read script " << programs::Quote(name) << '\n';
    return 2;
  }
  if (settings.bench) {
    const sim::BenchResult r = simulator.Bench(*settings.bench);
    printedLine = 0;
    std::cout << "{\"frames\":" << *settings.bench << ",\"median_us\":" << r.medianMicros
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
  const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  programs::Settings given;
  if (const auto problem = programs::ReadOptions(args, programs::kSim, given)) {
    return BadCommandLine(*problem);
  }
  if (given.help) {
    std::cout << programs::UsageText(kProgram, programs::kSim) << kIntroduction
              << programs::OptionsHelp(programs::kSim) << '\n'
              << kCommands;
    for (const platform::KeyName& key : platform::kKeyNames) std::cout << ' ' << key.name;
    std::cout << '\n';
    return 0;
  }
  const std::string script = given.script.value_or("-");
  std::ifstream file;
  std::istream* in = &std::cin;
  if (script != "-") {
    file.open(script);
    if (!file) {
      std::cerr << "quelmo-sim: cannot read script " << programs::Quote(script) << '\n';
      return 2;
    }
    in = &file;
  }
  // A recording's head, its options line and the line after it, is read before
  // anything runs: a recording that cannot be replayed exactly runs not at all.
  std::deque<std::string> head;
  if (std::string line; programs::ReadLine(*in, line)) {
    // A byte-order mark, as some editors put at the start of a UTF-8 file.
    if (line.rfind(kByteOrderMark, 0) == 0) line.erase(0, kByteOrderMark.size());
    head.push_back(std::move(line));
    if (programs::IsOptionsLine(head[0]) && programs::ReadLine(*in, line)) head.push_back(line);
  }
  programs::Settings settings;
  if (!head.empty() && programs::IsOptionsLine(head[0])) {
    std::optional<std::string_view> second;
    if (head.size() > 1) second = head[1];
    if (const auto problem = programs::ReadRecordingHead(head[0], second, settings)) {
      std::cerr << "quelmo-sim: script line " << problem->line << ": " << problem->reason << '\n';
      return 2;
    }
  }
  // The command line's options over the recording's: they win.  They were read
  // without fault above.
  programs::ReadOptions(args, programs::kSim, settings);
  long printedLine = 0;  // the last script line that printed a report
  const int status = Run(settings, script, *in, std::move(head), printedLine);
  if (StandardOutputFailed()) return CannotWriteOutput(printedLine);
  return status;
}
