// The game in a web page: `index.html?seed=N&scale=N&lang=en&marks=1` as
// `quelmo --seed N --scale N --lang en --marks`,
// the page's backend, then the game, whose frames run from the browser's event loop.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/game.h"
#include "platform/web/web_backend.h"
#include "programs/common/command_line.h"
#include "programs/common/play_loop.h"
#include "programs/quelmo-web/page_options.h"
#include "programs/quelmo-web/page_texts.h"
#include "runtime/frame_pace.h"
#include "runtime/screen.h"

namespace {

game::Game g_game;  // lives as long as the page
const page_texts::Table* g_texts = &page_texts::kGerman;

std::optional<programs::PlayLoop> g_loop;
std::uint64_t g_framePeriod = 0;  // the game's pace, on the page's counter

void RunFrame();
void GoOn();

// Has the page run the loop on when it says: at a time, or when input comes.
void Schedule(const programs::NextWake& next) {
  switch (next.kind) {
    case programs::NextWake::Kind::kAt:
      platform::WakeAt(next.at, &RunFrame);
      break;
    case programs::NextWake::Kind::kInput:
      platform::WakeOnInput(&GoOn, g_framePeriod);
      break;
    case programs::NextWake::Kind::kOver:
      platform::EndPage(std::string(g_texts->ended), std::string(g_texts->again));
      break;
  }
}

void RunFrame() { Schedule(g_loop->Frame()); }
void GoOn() { Schedule(g_loop->InputCame(platform::Current().Counter())); }

}  // namespace

int main() {
  programs::Settings settings;
  if (const auto problem = page_options::ReadPageOptions(settings)) {
    platform::ShowPageMessage(*problem);
    return 2;
  }
  const page_texts::Language& language = page_texts::Of(settings.texts);
  static auto backend = platform::MakeWebBackend(programs::ScaleRequestOf(settings));
  platform::SetBackend(backend.get());
  g_texts = language.page;

  // Beside the game: the languages, each in its own words, and the marks on or off.
  std::vector<platform::PageChoice> choices;
  for (const page_texts::Language& offered : page_texts::kLanguages) {
    const bool isDefault = &offered == &page_texts::kLanguages[0];
    choices.push_back({std::string(offered.name), "lang", isDefault ? "" : std::string(offered.game->code),
                       &offered == &language});
  }
  const bool marks = settings.marks;
  choices.push_back({std::string(language.page->marks), "marks",
                     marks ? "" : std::string(page_options::kOn), marks});
  platform::ShowPageChoices(choices, std::string(language.game->code));

  // For thumbs: the arrows, the button and the menu key, as a gamepad's.
  using platform::Input;
  const page_texts::Table& words = *language.page;
  const auto key = [](Input input, std::string_view name, std::string_view letter = {}) {
    return platform::ThumbKey{input, std::string(name), std::string(letter)};
  };
  platform::ShowThumbKeys(std::string(words.thumbs),
                          {key(Input::kPadUp, words.up), key(Input::kPadLeft, words.left),
                           key(Input::kPadRight, words.right), key(Input::kPadDown, words.down),
                           key(Input::kPadStart, words.menu),
                           key(Input::kPadA, words.button, words.buttonLetter)});

  g_framePeriod = rt::FramePace(backend->CounterFrequency(), rt::FramePaceRate()).Period();
  g_loop.emplace(g_game, platform::Current(), nullptr);
  if (const std::optional<programs::NextWake> first = g_loop->Start(programs::StartOptionsOf(settings))) {
    Schedule(*first);
  }
  // The page goes on: its frames are the browser's to run from here.
  return 0;
}
