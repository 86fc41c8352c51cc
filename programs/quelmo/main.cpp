// The Linux desktop game: the command line, the recording file when one is asked for,
// the SDL2 window backend, the icon, then the game.
#include <cstdio>
#include <memory>
#include <optional>
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

namespace {

void Say(const std::string& text, bool error) {
  if (error) {
    std::fprintf(stderr, "%s\n", text.c_str());
  } else {
    std::fputs(text.c_str(), stdout);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const programs::CommandLine cl = programs::ParseCommandLine(args);
  std::unique_ptr<programs::Recorder> recorder;
  std::optional<programs::Recording> watched;
  if (const auto status = programs::BeforePlaying(cl, Say, recorder, watched)) return *status;
  auto backend =
      platform::MakeSdlBackend(programs::ScaleRequestOf(cl.settings));
  if (!backend) return 1;  // no display: the reason is already on standard error
  rt::SetWindowIcon(assets::Icon());
  return programs::PlayOrWatch(*backend, cl, recorder.get(), watched, "linux");
}
