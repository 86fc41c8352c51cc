// The game in a web page: `index.html?seed=N` as `quelmo --seed N`, the page's
// backend, then the game.
#include <string>
#include <string_view>
#include <vector>

#include "game/game.h"
#include "platform/web/web_backend.h"
#include "programs/common/command_line.h"

int main() {
  std::vector<std::string> words;
  if (const auto seed = platform::PageParameter("seed")) words = {"--seed", *seed};
  const std::vector<std::string_view> args(words.begin(), words.end());
  const programs::CommandLine cl = programs::ParseCommandLine(args);
  if (cl.action != programs::CommandLine::Action::kPlay) {
    platform::ShowPageMessage("Quelmo: ?seed= braucht eine Zahl von 0 bis 4294967295.");
    return 2;
  }
  static auto backend = platform::MakeWebBackend();
  platform::SetBackend(backend.get());
  game::GameMain(cl.seed);
}
