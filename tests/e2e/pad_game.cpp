// The desktop game with a gamepad made in software beside it, for the window tests:
//   quelmo-pad-game LINES [quelmo's options]
// Each line of the file (or pipe) LINES handles the pad, by SDL's names for its
// buttons and axes; a line it cannot follow is named on standard error:
//   plug | unplug | hold BUTTON 1|0 | push AXIS AMOUNT      (hold a 1, push leftx -1)
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "game/game.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/virtual_pad.h"
#include "programs/common/command_line.h"
#include "programs/common/play.h"

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const std::string lines = argv[1];
  const std::vector<std::string_view> args(argv + 2, argv + argc);
  const programs::CommandLine cl = programs::ParseCommandLine(args);
  if (cl.action != programs::CommandLine::Action::kPlay) return 2;
  auto backend = platform::MakeSdlBackend(programs::ScaleRequestOf(cl.settings));
  if (!backend) return 1;
  // The pad is handled beside the game, as a player's hands are.
  std::thread([lines] {
    static platform::VirtualPad pad;
    std::ifstream in(lines);
    for (std::string line; std::getline(in, line);) {
      std::istringstream words(line);
      std::string command, name;
      double value = 0;
      words >> command >> name >> value;
      const bool followed = command == "plug"     ? pad.Plug()
                            : command == "unplug" ? (pad.Unplug(), true)
                            : command == "hold"   ? pad.Hold(name, value != 0)
                                                  : command == "push" && pad.Push(name, value);
      if (!followed) std::fprintf(stderr, "pad: cannot follow '%s'\n", line.c_str());
    }
  }).detach();
  const int status = programs::PlayGame(*backend, programs::StartOptionsOf(cl.settings), nullptr, "linux");
  // The pad's thread may still be reading: the process ends here, with it.
  std::fflush(stdout);
  std::fflush(stderr);
  std::_Exit(status);
}
