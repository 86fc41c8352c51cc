#include "programs/common/options.h"

#include <algorithm>
#include <array>
#include <vector>

#include "platform/scaling.h"
#include "programs/common/words.h"

namespace programs {
namespace {

constexpr unsigned kEverywhere = kGame | kSim | kPage | kRecording;

// A number's range in a help text stands where "{}" is.
constexpr std::string_view kRangeHere = "{}";

// name, argument, what it sets, range, who takes it, help, quelmo-sim's help, whether
// it answers at once, short name.
constexpr std::array<Option, 13> kOptions = {{
    {"--seed", "N", &Settings::seed, 0, kAnyNumber, kEverywhere,
     "seed the random order of pieces and tiles with N ({}), to play the same game again; "
     "by default it is seeded from the clock",
     "seed of the random generator ({}, default 0)", false, ""},
    {"--tick-start", "MS", &Settings::tickStart, 0, kAnyNumber, kSim | kRecording,
     "the tick count at start ({}, default 0)", "", false, ""},
    {"--desktop", "W H", &Settings::desktop, 1, 1'000'000, kSim | kRecording,
     "the desktop's size ({} each, default 1920 1080)", "", false, ""},
    {"--scale", "N", &Settings::scale, platform::kMinScale, platform::kMaxScale,
     kGame | kSim | kPage,
     "show every pixel of the game as N x N pixels of the screen ({}); by default the "
     "desktop's own scale setting, rounded down.  A window too big for the screen is shown "
     "at the largest scale that fits.  F11 or Alt+Enter switches full screen on and off",
     "show the game N times enlarged ({}, default 1), as a desktop at that scale does: the "
     "desktop, the window and the pointer are N times as far in physical pixels, "
     "screenshots N times as big; the game and its states are the same at every scale",
     false, ""},
    {"--lang", "", &Settings::texts, 0, 0, kEverywhere,
     "the language of the game's texts: de, German (the default), or en, English", "", false,
     ""},
    {"--marks", "", &Settings::marks, 0, 0, kEverywhere,
     "mark the start, pass and goal tiles of each stream with one to four dots, for "
     "players who cannot tell their colours apart",
     "the streams' marks (one to four dots) on their special tiles", false, ""},
    {"--record", "FILE", &Settings::record, 0, 0, kGame,
     "write the game as it is played to FILE, a script that quelmo-sim replays exactly "
     "(quelmo-sim FILE): attach it to a bug report",
     "", false, ""},
    {"--replay", "FILE", &Settings::replay, 0, 0, kGame | kPage,
     "watch the game recorded in FILE (quelmo --record FILE, or the page's saved one) "
     "frame for frame as it was played: Space pauses and goes on, Right steps a frame "
     "while paused, F plays faster (x1, x4, x16), T takes over and plays on from there; "
     "the close button ends it",
     "", false, ""},
    {"--bench", "N", &Settings::bench, 0, kAnyNumber, kSim,
     "after the script, time N more frames without waits", "", false, ""},
    {"--check", "", &Settings::check, 0, 0, kSim,
     "compare every '# state {...}' line (a recording made with quelmo --record) with the "
     "state at that point; exit 1 at the first difference",
     "", false, ""},
    {"--help", "", &Settings::help, 0, 0, kGame | kSim, "show this text and exit", "", true,
     "-h"},
    {"--version", "", &Settings::version, 0, 0, kGame, "show the version and exit", "", true,
     ""},
    {"", "SCRIPT", &Settings::script, 0, 0, kSim,
     "the script: a file, or standard input when absent or -", "", false, ""},
}};

// Help texts are wrapped at this width, each option's text starting in this column.
constexpr std::size_t kTextWidth = 80;
constexpr std::size_t kHelpColumn = 21;

bool Takes(const Option& option, Taker taker) { return (option.takers & taker) != 0; }

// How a message names the option: its name, or for the word that is none, its argument.
std::string_view Label(const Option& option) {
  return option.name.empty() ? option.argument : option.name;
}

// The argument as the usage shows it; a language's is every code the game has.
std::string ArgumentText(const Option& option) {
  if (ArgumentOf(option) != Argument::kLanguage) return std::string(option.argument);
  return LanguageCodes("|");
}

std::size_t WordsTaken(const Option& option) {
  switch (ArgumentOf(option)) {
    case Argument::kNone:
      return 0;
    case Argument::kSize:
      return 2;
    default:
      return 1;
  }
}

std::string RangeText(const Option& option) {
  return std::to_string(option.min) + " to " + std::to_string(option.max);
}

// What is wrong with an argument the option refused.
std::string Refused(const Option& option) {
  const std::string label(Label(option));
  switch (ArgumentOf(option)) {
    case Argument::kNumber:
      return label + " needs a whole number from " + RangeText(option);
    case Argument::kSize:
      return label + " needs a width and a height from " + RangeText(option);
    case Argument::kLanguage:
      return label + " needs " + LanguageCodes(" or ");
    case Argument::kFile:
      return label + " needs a file name";
    case Argument::kNone:
      break;
  }
  return label + " takes no value";
}

const char* TakerName(Taker taker) {
  switch (taker) {
    case kGame:
      return "quelmo";
    case kSim:
      return "quelmo-sim";
    case kPage:
      return "the page";
    case kRecording:
      return "a recording";
  }
  return "";
}

// How usage and help show the option: "--seed N", "--marks", "SCRIPT".
std::string Spelled(const Option& option) {
  std::string spelled(option.name);
  const std::string argument = ArgumentText(option);
  if (!spelled.empty() && !argument.empty()) spelled += ' ';
  return spelled + argument;
}

// Appends `words` to `out`, whose last line is `column` long, a space between each
// two, in lines of at most kTextWidth, each line after the first starting with
// `indent` spaces.
void Wrap(std::span<const std::string_view> words, std::size_t column, std::size_t indent,
          std::string& out) {
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (i > 0 && column + 1 + words[i].size() > kTextWidth) {
      out += '\n';
      out.append(indent, ' ');
      column = indent;
    } else if (i > 0) {
      out += ' ';
      ++column;
    }
    out += words[i];
    column += words[i].size();
  }
  out += '\n';
}

}  // namespace

std::span<const Option> AllOptions() { return kOptions; }

std::string LanguageCodes(std::string_view between) {
  std::string codes;
  for (const game::texts::Table* table : game::texts::kLanguages) {
    if (!codes.empty()) codes += between;
    codes += table->code;
  }
  return codes;
}

std::optional<std::uint32_t> ParseNumber(std::string_view word, std::uint32_t min,
                                         std::uint32_t max) {
  constexpr std::size_t kMostDigits = 10;  // 4294967295
  if (word.empty() || word.size() > kMostDigits) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : word) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint64_t>(c - '0');
  }
  if (value < min || value > max) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

std::optional<std::string> SetOption(const Option& option,
                                     std::span<const std::string_view> words,
                                     Settings& settings) {
  if (words.size() != WordsTaken(option)) return Refused(option);
  switch (ArgumentOf(option)) {
    case Argument::kNone:
      settings.*std::get<bool Settings::*>(option.target) = true;
      return std::nullopt;
    case Argument::kNumber:
      if (const auto number = ParseNumber(words[0], option.min, option.max)) {
        settings.*std::get<std::optional<std::uint32_t> Settings::*>(option.target) = number;
        return std::nullopt;
      }
      break;
    case Argument::kSize: {
      const auto width = ParseNumber(words[0], option.min, option.max);
      const auto height = ParseNumber(words[1], option.min, option.max);
      if (width && height) {
        settings.*std::get<std::optional<DesktopSize> Settings::*>(option.target) =
            DesktopSize{*width, *height};
        return std::nullopt;
      }
      break;
    }
    case Argument::kLanguage:
      if (const game::texts::Table* texts = game::texts::Language(words[0])) {
        settings.*std::get<const game::texts::Table* Settings::*>(option.target) = texts;
        return std::nullopt;
      }
      break;
    case Argument::kFile:
      if (!words[0].empty()) {
        settings.*std::get<std::optional<std::string> Settings::*>(option.target) =
            std::string(words[0]);
        return std::nullopt;
      }
      break;
  }
  return Refused(option);
}

std::optional<std::string> ReadOptions(std::span<const std::string_view> args, Taker taker,
                                       Settings& settings) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    // "-" alone is a file: standard input.
    const bool named = arg.size() > 1 && arg.front() == '-';
    const std::size_t equals = named ? arg.find('=') : std::string_view::npos;
    const std::string_view name = named ? arg.substr(0, equals) : std::string_view();
    const Option* option = nullptr;
    for (const Option& candidate : kOptions) {
      if (candidate.name == name || (named && candidate.alias == name)) option = &candidate;
    }
    if (option == nullptr) return "unknown option " + Quote(name);
    if (!Takes(*option, taker)) {
      if (!named) return "unexpected argument " + Quote(arg);
      return std::string(TakerName(taker)) + " takes no option " + Quote(name);
    }
    std::string_view value;  // of "--name=value"
    std::span<const std::string_view> words;
    if (!named) {
      if (settings.*std::get<std::optional<std::string> Settings::*>(option->target)) {
        return "more than one " + std::string(option->argument) + " given";
      }
      words = args.subspan(i, 1);
    } else if (equals != std::string_view::npos) {
      if (WordsTaken(*option) != 1) return Refused(*option);
      value = arg.substr(equals + 1);
      words = std::span(&value, 1);
    } else {
      words = args.subspan(i + 1, std::min(WordsTaken(*option), args.size() - i - 1));
      i += words.size();
    }
    if (auto problem = SetOption(*option, words, settings)) return problem;
    if (option->answers) return std::nullopt;
  }
  return std::nullopt;
}

std::string OptionWords(const Settings& settings, Taker taker) {
  std::string words;
  const auto add = [&words](std::string_view name, const std::string& argument) {
    if (!words.empty()) words += ' ';
    words += name;
    if (!argument.empty()) words += ' ' + argument;
  };
  for (const Option& option : kOptions) {
    if (!Takes(option, taker) || option.name.empty()) continue;
    switch (ArgumentOf(option)) {
      case Argument::kNone:
        if (settings.*std::get<bool Settings::*>(option.target)) add(option.name, "");
        break;
      case Argument::kNumber:
        if (const auto& number =
                settings.*std::get<std::optional<std::uint32_t> Settings::*>(option.target)) {
          add(option.name, std::to_string(*number));
        }
        break;
      case Argument::kSize:
        if (const auto& size =
                settings.*std::get<std::optional<DesktopSize> Settings::*>(option.target)) {
          add(option.name, std::to_string(size->width) + ' ' + std::to_string(size->height));
        }
        break;
      case Argument::kLanguage:
        if (const auto* texts = settings.*std::get<const game::texts::Table* Settings::*>(option.target);
            texts != game::texts::kLanguages[0]) {
          add(option.name, std::string(texts->code));
        }
        break;
      case Argument::kFile:
        if (const auto& file =
                settings.*std::get<std::optional<std::string> Settings::*>(option.target)) {
          add(option.name, *file);
        }
        break;
    }
  }
  return words;
}

std::string UsageText(std::string_view program, Taker taker) {
  std::vector<std::string> items;
  for (const Option& option : kOptions) {
    if (Takes(option, taker) && !option.answers) items.push_back('[' + Spelled(option) + ']');
  }
  std::string usage = "usage: " + std::string(program) + ' ';
  Wrap(std::vector<std::string_view>(items.begin(), items.end()), usage.size(), usage.size(),
       usage);
  return usage;
}

std::string OptionsHelp(Taker taker) {
  std::string help;
  for (const Option& option : kOptions) {
    if (!Takes(option, taker)) continue;
    const std::string label = "  " + Spelled(option);
    help += label;
    if (label.size() + 2 > kHelpColumn) {
      help += '\n';
      help.append(kHelpColumn, ' ');
    } else {
      help.append(kHelpColumn - label.size(), ' ');
    }
    std::string text(taker == kSim && !option.simHelp.empty() ? option.simHelp : option.help);
    if (const std::size_t at = text.find(kRangeHere); at != std::string::npos) {
      text.replace(at, kRangeHere.size(), RangeText(option));
    }
    Wrap(SplitWords(text), kHelpColumn, kHelpColumn, help);
  }
  return help;
}

}  // namespace programs
