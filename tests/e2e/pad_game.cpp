// The desktop game with a gamepad made in software beside it, for the window tests:
// the game plays as `quelmo` does (the same options), and each line on standard input
// handles the pad, by SDL's names for its buttons and axes:
//
//   plug | unplug | hold BUTTON 1|0 | push AXIS AMOUNT      (hold a 1, push leftx -1)
//
// A line it cannot follow is named on standard error.
#include <cstdio>
#include <cstdlib>
#include <iostream>
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

namespace {

bool Follow(platform::VirtualPad& pad, const std::string& line) {
  std::istringstream words(line);
  std::string command, name;
  double value = 0;
  words >> command;
  if (command == "plug") return pad.Plug();
  if (command == "unplug") {
    pad.Unplug();
    return true;
  }
  if (!(words >> name >> value)) return false;
  if (command == "hold") return pad.Hold(name, value != 0);
  if (command == "push") return pad.Push(name, value);
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const programs::CommandLine cl = programs::ParseCommandLine(args);
  if (cl.action != programs::CommandLine::Action::kPlay) return 2;
  auto backend = platform::MakeSdlBackend({cl.scale, game::kWindowWidth, game::kWindowHeight});
  if (!backend) return 1;
  // The pad is handled beside the game, as a player's hands are: its thread lives as
  // long as the process.
  std::thread([] {
    static platform::VirtualPad pad;
    for (std::string line; std::getline(std::cin, line);) {
      if (!Follow(pad, line)) std::fprintf(stderr, "pad: cannot follow '%s'\n", line.c_str());
    }
  }).detach();
  const int status = programs::PlayGame(*backend, programs::StartOptionsOf(cl), nullptr, "linux");
  // The pad's thread may still be reading (and holds standard input's lock): the
  // process ends here, with it.
  std::fflush(stdout);
  std::fflush(stderr);
  std::_Exit(status);
}
