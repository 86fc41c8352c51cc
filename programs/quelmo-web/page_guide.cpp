#include "programs/quelmo-web/page_guide.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "game/texts.h"
#include "platform/keys.h"
#include "runtime/cp1252.h"

namespace page_guide {
namespace {

// The game's words a line of the guide may name, in braces, by these names.
struct Word {
  std::string_view name;
  std::string_view game::texts::Table::*text;
};
constexpr Word kWords[] = {
    {"menuButton", &game::texts::Table::menuButton}, {"newGame", &game::texts::Table::newGame},
    {"startLevel", &game::texts::Table::startLevel}, {"pause", &game::texts::Table::pause},
    {"resume", &game::texts::Table::resume},         {"pleaseWait", &game::texts::Table::pleaseWait},
    {"failed", &game::texts::Table::failed},         {"cleared", &game::texts::Table::cleared},
    {"fast", &game::texts::Table::fast},
};
// The countdown's label, whose two lines the game shows one above the other.
constexpr std::string_view kCountdown = "countdown";

constexpr bool Known(std::string_view name) {
  if (name == kCountdown) return true;
  for (const Word& word : kWords) {
    if (word.name == name) return true;
  }
  return false;
}

// Every name in braces in `line` is one of the game's words.
constexpr bool NamesKnown(std::string_view line) {
  for (std::size_t open = line.find('{'); open != std::string_view::npos; open = line.find('{', open + 1)) {
    const std::size_t close = line.find('}', open);
    if (close == std::string_view::npos || !Known(line.substr(open + 1, close - open - 1))) return false;
  }
  return true;
}

constexpr bool NamesKnown(const page_texts::Guide& guide) {
  for (const std::string_view step : guide.steps) {
    if (!NamesKnown(step)) return false;
  }
  return true;
}
static_assert(NamesKnown(page_texts::kGerman.guide) && NamesKnown(page_texts::kEnglish.guide),
              "the guide names a word the game does not have");

// The game's word `name`, in UTF-8.
std::string GameWord(std::string_view name, const game::texts::Table& texts) {
  if (name == kCountdown) return rt::Cp1252ToUtf8(std::string(texts.countdown1) + " " + std::string(texts.countdown2));
  for (const Word& word : kWords) {
    if (word.name == name) return rt::Cp1252ToUtf8(texts.*word.text);
  }
  return std::string(name);
}

std::string Filled(std::string_view line, const game::texts::Table& texts) {
  std::string filled;
  for (std::size_t open = line.find('{'); open != std::string_view::npos; open = line.find('{')) {
    const std::size_t close = line.find('}', open);
    filled.append(line.substr(0, open)).append(GameWord(line.substr(open + 1, close - open - 1), texts));
    line.remove_prefix(close + 1);
  }
  return filled.append(line);
}

// The guide's groups of keys, in the order of its lines of what they do.
using platform::Key;
const std::vector<std::vector<Key>> kKeyGroups = {
    {Key::kLeft, Key::kRight, Key::kUp, Key::kDown},
    {Key::kTab, Key::kBackTab},
    {Key::kSpace, Key::kReturn},
    {Key::kEscape},
};

bool IsPad(platform::Input input) { return input >= platform::Input::kPadLeft; }

// The page's name of `input`, or nothing for one it does not show.
std::string_view NameOf(platform::Input input, const page_texts::Guide& lines) {
  using platform::Input;
  switch (input) {
    case Input::kArrowLeft: return "←";
    case Input::kArrowRight: return "→";
    case Input::kArrowUp: return "↑";
    case Input::kArrowDown: return "↓";
    case Input::kTab: return "Tab";
    case Input::kSpace: return lines.space;
    case Input::kEnter: return "↵";
    case Input::kEscape: return "Esc";
    case Input::kPadLeft:
    case Input::kPadRight:
    case Input::kPadUp:
    case Input::kPadDown: return lines.dpad;
    case Input::kPadA: return "A";
    case Input::kPadB: return "B";
    case Input::kPadStart: return "Start";
    case Input::kPadRightShoulder: return lines.rightShoulder;
    case Input::kPadLeftShoulder: return lines.leftShoulder;
    case Input::kF:
    case Input::kT:
    case Input::kF11:
    case Input::kPadX:
    case Input::kPadY:
    case Input::kPadBack:
      break;  // no key of the guide's
  }
  return {};
}

// The inputs the binding table gives the keys of `group`, those of the keyboard
// first, then the pad's after a dot: "Tab, ⇧ Tab · right shoulder, left shoulder".
std::string InputsOf(const std::vector<Key>& group, const page_texts::Guide& lines) {
  std::vector<std::string> keyboard, pad;
  for (const Key key : group) {
    for (const platform::Binding& b : platform::kBindings) {
      if (b.key != key || NameOf(b.input, lines).empty()) continue;
      const std::string name = std::string(b.shift ? "⇧ " : "") + std::string(NameOf(b.input, lines));
      std::vector<std::string>& names = IsPad(b.input) ? pad : keyboard;
      if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    }
  }
  const auto joined = [](const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names) list += (list.empty() ? "" : ", ") + name;
    return list;
  };
  return pad.empty() ? joined(keyboard) : joined(keyboard) + " · " + joined(pad);
}

}  // namespace

platform::PageGuide GuideIn(const page_texts::Language& language) {
  const page_texts::Guide& lines = language.page->guide;
  const game::texts::Table& texts = *language.game;
  platform::PageGuide guide{std::string(game::texts::kWindowTitle), std::string(lines.what), {},
                            std::string(lines.open), std::string(lines.close)};
  platform::PageGuide::Section& steps = guide.sections.emplace_back();
  steps.heading = lines.howTo;
  steps.numbered = true;
  for (const std::string_view step : lines.steps) steps.lines.push_back({{}, Filled(step, texts)});
  platform::PageGuide::Section& keys = guide.sections.emplace_back();
  keys.heading = lines.keysHeading;
  for (std::size_t i = 0; i < kKeyGroups.size(); ++i) {
    keys.lines.push_back({InputsOf(kKeyGroups[i], lines), std::string(lines.keysDo[i])});
  }
  keys.lines.push_back({std::string(lines.touchScreen), std::string(lines.touchDoes)});
  return guide;
}

}  // namespace page_guide
