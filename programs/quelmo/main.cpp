// The Linux desktop game: the command line, the recording file when one is asked for,
// the SDL2 window backend, the icon, then the game.
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "assets/images.h"
#include "game/game.h"
#include "platform/sdl/sdl_backend.h"
#include "programs/common/command_line.h"
#include "programs/common/play.h"
#include "programs/common/recorder.h"
#include "runtime/window.h"

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const programs::CommandLine cl = programs::ParseCommandLine(args);
  switch (cl.action) {
    case programs::CommandLine::Action::kHelp:
      std::fputs(programs::HelpText().c_str(), stdout);
      return 0;
    case programs::CommandLine::Action::kVersion:
      std::fputs(programs::VersionText().c_str(), stdout);
      return 0;
    case programs::CommandLine::Action::kError:
      std::fprintf(stderr, "quelmo: %s\n", cl.error.c_str());
      return 2;
    case programs::CommandLine::Action::kPlay:
      break;
  }
  std::unique_ptr<programs::Recorder> recorder;
  if (cl.record) {
    std::string error;
    recorder = programs::Recorder::Open(*cl.record, error);
    if (!recorder) {
      std::fprintf(stderr, "quelmo: %s\n", error.c_str());
      return 1;
    }
  }
  auto backend =
      platform::MakeSdlBackend({cl.scale, game::kWindowWidth, game::kWindowHeight});
  if (!backend) return 1;  // no display: the reason is already on standard error
  rt::SetWindowIcon(assets::Icon());
  programs::PlayGame(*backend, cl.seed, recorder.get(), "linux");
}
