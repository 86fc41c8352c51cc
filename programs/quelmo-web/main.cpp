// The game in a web page: `index.html?seed=N&scale=N&lang=en&marks=1` as
// `quelmo --seed N --scale N --lang en --marks`,
// the page's backend, then the game, whose frames run from the browser's event loop.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/game.h"
#include "platform/scaling.h"
#include "platform/web/web_backend.h"
#include "programs/common/command_line.h"
#include "programs/common/keyboard_pointer.h"
#include "programs/quelmo-web/page_texts.h"

namespace {

// A parameter of the page's query and the command-line option it stands for, with the
// line the page shows instead of the game when its value is bad.
struct PageOption {
  const char* parameter;
  std::string_view option;
  std::string problem;
};

// Adds the page's `?parameter=value` to `words` as the command line's `option value`.
// When the command line refuses it, the page shows the option's problem instead of the
// game, and the answer is false.  Each parameter is read on its own, so that the line
// names the bad one.
bool TakeParameter(const PageOption& option, std::vector<std::string>& words) {
  const auto value = platform::PageParameter(option.parameter);
  if (!value) return true;
  const std::string_view pair[] = {option.option, *value};
  if (programs::ParseCommandLine(pair).action != programs::CommandLine::Action::kPlay) {
    platform::ShowPageMessage(option.problem);
    return false;
  }
  words.emplace_back(option.option);
  words.push_back(*value);
  return true;
}

programs::CommandLine Parse(const std::vector<std::string>& words) {
  const std::vector<std::string_view> args(words.begin(), words.end());
  return programs::ParseCommandLine(args);
}

game::Game g_game;  // lives as long as the page
const page_texts::Table* g_texts = &page_texts::kGerman;

game::FrameStop g_end;  // how the last frame ended
programs::KeyboardPointer g_keys;

void RunFrame();

// Input came while the game stood still: the frames due meanwhile count as shown, and
// the one due next runs (at once, unless the input came before it was due).
void GoOn() {
  g_game.PassStillFrames(g_end, platform::Current().Counter());
  platform::WakeAt(g_end.wait.until, &RunFrame);
}

// Runs a frame and has the page call back when the next one is due, or, where the
// game stands still, when input comes.  A frame's last steps run at once after its
// showing, with the tick count of its deadline: one wake a frame.
void RunFrame() {
  g_keys.BeforeFrame(platform::Current(), g_game.State());
  for (;;) {
    const game::FrameStop stop = g_game.Run();
    switch (stop.kind) {
      case game::FrameStop::Kind::kShown:
        break;
      case game::FrameStop::Kind::kFrameEnd:
        g_end = stop;
        if (stop.still) {
          platform::WakeOnInput(&GoOn);
        } else {
          platform::WakeAt(stop.wait.until, &RunFrame);
        }
        return;
      case game::FrameStop::Kind::kGameOver:
        platform::EndPage(std::string(g_texts->ended), std::string(g_texts->again));
        return;
    }
  }
}

}  // namespace

int main() {
  // The language first: the page's lines are in it too.  A bad ?lang= is named in
  // the game's own language.
  std::vector<std::string> words;
  if (!TakeParameter({"lang", "--lang", std::string(page_texts::kBadLanguage)}, words)) return 2;
  const page_texts::Language& language = page_texts::Of(Parse(words).texts);
  const page_texts::Table& texts = *language.page;
  const std::string scaleProblem = std::string(texts.badScale) + std::to_string(platform::kMinScale) +
                                   std::string(texts.to) + std::to_string(platform::kMaxScale) + ".";
  const PageOption options[] = {
      {"seed", "--seed", std::string(texts.badSeed)},
      {"scale", "--scale", scaleProblem},
  };
  for (const PageOption& option : options) {
    if (!TakeParameter(option, words)) return 2;
  }
  // ?marks=1 asks for the marks; any other value, or none, for the tiles as they are.
  const bool marks = platform::PageParameter("marks") == std::optional<std::string>("1");
  if (marks) words.emplace_back("--marks");
  const programs::CommandLine cl = Parse(words);
  static auto backend =
      platform::MakeWebBackend({cl.scale, game::kWindowWidth, game::kWindowHeight});
  platform::SetBackend(backend.get());
  g_texts = &texts;

  // Beside the game: the languages, each in its own words, and the marks on or off.
  std::vector<platform::PageChoice> choices;
  for (const page_texts::Language& offered : page_texts::kLanguages) {
    const bool isDefault = &offered == &page_texts::kLanguages[0];
    choices.push_back({std::string(offered.name), "lang", isDefault ? "" : std::string(offered.game->code),
                       &offered == &language});
  }
  choices.push_back({std::string(texts.marks), "marks", marks ? "" : "1", marks});
  platform::ShowPageChoices(choices, std::string(language.game->code));

  platform::WakeAt(g_game.Start(programs::StartOptionsOf(cl)).until, &RunFrame);
  // The page goes on: its frames are the browser's to run from here.
  return 0;
}
