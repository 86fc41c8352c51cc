// The game in a web page: `index.html?seed=N&scale=N` as `quelmo --seed N --scale N`,
// the page's backend, then the game, whose frames run from the browser's event loop.
#include <string>
#include <string_view>
#include <vector>

#include "game/game.h"
#include "platform/scaling.h"
#include "platform/web/web_backend.h"
#include "programs/common/command_line.h"

namespace {

// A parameter of the page's query and the command-line option it stands for, with the
// line the page shows instead of the game when its value is bad.
struct PageOption {
  const char* parameter;
  std::string_view option;
  std::string problem;
};

game::Game g_game;  // lives as long as the page

// Runs the frame on to its next wait and has the page call back when that is over;
// whole frames follow one another at once.
void RunFrame() {
  for (;;) {
    const game::FrameStop stop = g_game.Run();
    switch (stop.kind) {
      case game::FrameStop::Kind::kWait:
        platform::WakeAt(stop.wait.until, &RunFrame);
        return;
      case game::FrameStop::Kind::kFrameEnd:
        break;
      case game::FrameStop::Kind::kGameOver:
        platform::EndPage();
        return;
    }
  }
}

}  // namespace

int main() {
  const PageOption options[] = {
      {"seed", "--seed", "Quelmo: ?seed= braucht eine Zahl von 0 bis 4294967295."},
      {"scale", "--scale",
       "Quelmo: ?scale= braucht eine ganze Zahl von " + std::to_string(platform::kMinScale) +
           " bis " + std::to_string(platform::kMaxScale) + "."},
  };
  // Each parameter is read on its own first, so that the line names the bad one.
  std::vector<std::string> words;
  for (const PageOption& option : options) {
    const auto value = platform::PageParameter(option.parameter);
    if (!value) continue;
    const std::string_view pair[] = {option.option, *value};
    if (programs::ParseCommandLine(pair).action != programs::CommandLine::Action::kPlay) {
      platform::ShowPageMessage(option.problem);
      return 2;
    }
    words.emplace_back(option.option);
    words.push_back(*value);
  }
  const std::vector<std::string_view> args(words.begin(), words.end());
  const programs::CommandLine cl = programs::ParseCommandLine(args);
  static auto backend =
      platform::MakeWebBackend({cl.scale, game::kWindowWidth, game::kWindowHeight});
  platform::SetBackend(backend.get());
  g_game.Start(programs::StartOptionsOf(cl));
  RunFrame();
  // The page goes on: its frames are the browser's to run from here.
  return 0;
}
