// The game in a web page: `index.html?seed=N&scale=N&lang=en&marks=1` as
// `quelmo --seed N --scale N --lang en --marks`, and `index.html?replay=NAME` as
// `quelmo --replay NAME`: the page's backend, then the game, whose frames run from the
// browser's event loop.  Every game played in the page is recorded, in memory, for the
// player to save.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "game/game.h"
#include "platform/web/page_files.h"
#include "platform/web/web_backend.h"
#include "programs/common/command_line.h"
#include "programs/common/play_loop.h"
#include "programs/common/recorder.h"
#include "programs/common/recording.h"
#include "programs/common/recording_sink.h"
#include "programs/common/watch.h"
#include "programs/quelmo-web/page_guide.h"
#include "programs/quelmo-web/page_options.h"
#include "programs/quelmo-web/page_texts.h"
#include "runtime/frame_pace.h"

namespace {

// The name a recording made in the page gives its desktop.
constexpr std::string_view kPlatformName = "web";

game::Game g_game;  // lives as long as the page
const page_texts::Table* g_texts = &page_texts::kGerman;
std::uint64_t g_framePeriod = 0;  // the game's pace, on the page's counter

// The game played, or a recording watched.
std::optional<programs::PlayLoop> g_play;
std::optional<programs::WatchLoop> g_watch;
programs::MemorySink* g_sink = nullptr;  // the played game's recording

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

// The line that says how the watched recording plays, shown when it changes.
void ShowHowItPlays() {
  using State = programs::WatchControls::State;
  const programs::WatchControls& controls = g_watch->Controls();
  // The line is made only when what it says changes, not in every frame.
  static std::optional<std::pair<State, int>> shown;
  const std::pair<State, int> now{controls.Now(), controls.Speed()};
  if (shown == now) return;
  shown = now;
  switch (now.first) {
    case State::kPlaying:
      platform::ShowWatchState(std::string(g_texts->running) + std::to_string(now.second));
      break;
    case State::kPaused:
      platform::ShowWatchState(std::string(g_texts->paused) + std::to_string(now.second));
      break;
    case State::kEnded:
      platform::ShowWatchState(std::string(g_texts->over));
      break;
    case State::kLive:
      platform::ShowWatchState(std::string(g_texts->live));
      break;
  }
}

void RunFrame() {
  if (g_play) {
    Schedule(g_play->Frame());
    return;
  }
  const programs::NextWake next = g_watch->Step();
  ShowHowItPlays();
  Schedule(next);
}

void GoOn() {
  const std::uint64_t now = platform::Current().Counter();
  Schedule(g_play ? g_play->InputCame(now) : g_watch->InputCame(now));
}

// Beside the game: the languages, each in its own words, and, for a game played, the
// marks on or off.
void ShowChoices(const page_texts::Language& language, const programs::Settings& settings,
                 bool playing) {
  std::vector<platform::PageChoice> choices;
  for (const page_texts::Language& offered : page_texts::kLanguages) {
    const bool isDefault = &offered == &page_texts::kLanguages[0];
    choices.push_back({std::string(offered.name), "lang", isDefault ? "" : std::string(offered.game->code),
                       &offered == &language});
  }
  if (playing) {
    const bool marks = settings.marks;
    choices.push_back({std::string(language.page->marks), "marks",
                       marks ? "" : std::string(page_options::kOn), marks});
  } else {
    choices.push_back({std::string(language.page->play), "replay", "", false});
  }
  platform::ShowPageChoices(choices, std::string(language.game->code));
}

// For thumbs: the arrows, the button and the menu key, as a gamepad's.
void ShowThumbs(const page_texts::Table& words) {
  using platform::Input;
  const auto key = [](Input input, std::string_view name, std::string_view letter = {}) {
    return platform::ThumbKey{input, std::string(name), std::string(letter)};
  };
  platform::ShowThumbKeys(std::string(words.thumbs),
                          {key(Input::kPadUp, words.up), key(Input::kPadLeft, words.left),
                           key(Input::kPadRight, words.right), key(Input::kPadDown, words.down),
                           key(Input::kPadStart, words.menu),
                           key(Input::kPadA, words.button, words.buttonLetter)});
}

// The recording asked for by ?replay= has come: watched, or refused in one line.
void Watch(const std::string& text, bool failed) {
  if (failed) {
    platform::ShowPageMessage(std::string(g_texts->cannotLoad) + text);
    return;
  }
  std::string error;
  std::optional<programs::Recording> recording = programs::ReadRecording(text, error);
  if (!recording) {
    platform::ShowPageMessage(std::string(g_texts->cannotWatch) + error);
    return;
  }
  using platform::Key;
  const page_texts::Table& words = *g_texts;
  platform::ShowWatchControls(std::string(words.watching),
                              {{Key::kSpace, std::string(words.pause)},
                               {Key::kRight, std::string(words.step)},
                               {Key::kF, std::string(words.faster)},
                               {Key::kT, std::string(words.takeOver)}});
  g_watch.emplace(g_game, platform::Current(), *recording);
  if (const std::optional<programs::NextWake> first = g_watch->Start()) {
    ShowHowItPlays();
    Schedule(*first);
  }
}

std::string_view RecordingText() { return g_sink->Text(); }

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
  g_framePeriod = rt::FramePace(backend->CounterFrequency(), game::kFramePaceRate).Period();

  const bool playing = !settings.replay;
  ShowChoices(language, settings, playing);
  platform::ShowPageGuide(page_guide::GuideIn(language));
  ShowThumbs(*language.page);
  if (!playing) {
    platform::OfferRecordings({}, nullptr, std::string(language.page->open));
    platform::LoadRecording(*settings.replay, &Watch);
    return 0;
  }

  auto sink = std::make_unique<programs::MemorySink>();
  g_sink = sink.get();
  static programs::Recorder recorder(std::move(sink));
  const game::StartOptions options = programs::StartOptionsOf(settings);
  programs::StartRecording(recorder, g_game, *backend, options, kPlatformName);
  platform::OfferRecordings(std::string(language.page->save), &RecordingText,
                            std::string(language.page->open));
  g_play.emplace(g_game, platform::Current(), &recorder);
  if (const std::optional<programs::NextWake> first = g_play->Start(options)) {
    Schedule(*first);
  }
  // The page goes on: its frames are the browser's to run from here.
  return 0;
}
