#include "programs/common/script.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "platform/keys.h"

namespace programs {
namespace {

// How a command's arguments are read: N numbers, optionally preceded or followed by
// one word (a file or a name).
enum class Word { kNone, kFirst, kLast };
struct Syntax {
  std::string_view name;
  Op op;
  int numbers;
  Word word;
};
constexpr std::array<Syntax, 15> kSyntax = {{
    {"mouse", Op::kMouse, 2, Word::kNone},
    {"down", Op::kDown, 0, Word::kNone},
    {"up", Op::kUp, 0, Word::kNone},
    {"click", Op::kClick, 2, Word::kNone},
    {"frames", Op::kFrames, 1, Word::kNone},
    {"state", Op::kState, 0, Word::kNone},
    {"shot", Op::kShot, 0, Word::kLast},
    {"sprite", Op::kSprite, 1, Word::kLast},
    {"tile", Op::kTile, 3, Word::kNone},
    {"lock", Op::kLock, 3, Word::kNone},
    {"queue", Op::kQueue, 2, Word::kNone},
    {"set", Op::kSet, 1, Word::kFirst},
    {"stream", Op::kStream, 7, Word::kNone},
    {"tick", Op::kTick, 1, Word::kNone},
    {"window", Op::kWindow, 2, Word::kNone},
}};

// A tick count: 0 to 2^32 - 1, kept in an argument as its 32 bits.
std::optional<std::int32_t> ParseTickCount(std::string_view word) {
  std::uint32_t value = 0;
  const char* end = word.data() + word.size();
  const auto [ptr, ec] = std::from_chars(word.data(), end, value, 10);
  if (word.empty() || ec != std::errc{} || ptr != end) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

// `key NAME down|up` and `press NAME`: the key by its name, and whether it goes down.
ParsedLine ParseKey(const std::vector<std::string_view>& words, Op op) {
  const std::size_t expected = op == Op::kKey ? 2 : 1;
  if (words.size() - 1 != expected) {
    return ParseError{std::string(words.front()) + " takes " + std::to_string(expected) +
                      " argument(s), got " + std::to_string(words.size() - 1)};
  }
  const std::optional<platform::Key> key = platform::KeyNamed(words[1]);
  if (!key) {
    std::string names;
    for (const platform::KeyName& k : platform::kKeyNames) {
      if (!names.empty()) names += ' ';
      names.append(k.name);
    }
    return ParseError{"unknown key " + Quote(words[1]) + " (the keys are " + names + ")"};
  }
  Command command;
  command.op = op;
  command.numbers.push_back(static_cast<std::int32_t>(*key));
  if (op == Op::kKey) {
    if (words[2] != "down" && words[2] != "up") {
      return ParseError{"a key goes down or up, not " + Quote(words[2])};
    }
    command.numbers.push_back(words[2] == "down" ? 1 : 0);
  }
  return command;
}

}  // namespace

std::optional<std::int32_t> ParseInt32(std::string_view word) {
  if (word.empty() || word.front() == '+') return std::nullopt;
  std::int32_t value = 0;
  const char* end = word.data() + word.size();
  const auto [ptr, ec] = std::from_chars(word.data(), end, value, 10);
  if (ec != std::errc{} || ptr != end) return std::nullopt;
  return value;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t begin = 0;
  while (begin < text.size()) {
    const std::size_t end = std::min(text.find_first_of("\r\n", begin), text.size());
    lines.emplace_back(text.substr(begin, end - begin));
    begin = end + 1;
    if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++begin;
  }
  return lines;
}

bool ReadLine(std::istream& in, std::string& line) {
  line.clear();
  char c = 0;
  bool any = false;
  while (in.get(c)) {
    any = true;
    if (c == '\n') return true;
    if (c == '\r') {
      if (in.peek() == '\n') in.get(c);
      return true;
    }
    line.push_back(c);
  }
  return any;
}

ParsedLine ParseLine(std::string_view line) {
  const std::vector<std::string_view> words = programs::SplitWords(line);
  if (words.empty() || words.front().front() == '#') return std::monostate{};
  const std::string_view name = words.front();
  if (name == "key") return ParseKey(words, Op::kKey);
  if (name == "press") return ParseKey(words, Op::kPress);
  for (const Syntax& syntax : kSyntax) {
    if (syntax.name != name) continue;
    const std::size_t expected =
        static_cast<std::size_t>(syntax.numbers) + (syntax.word == Word::kNone ? 0 : 1);
    if (words.size() - 1 != expected) {
      return ParseError{std::string(name) + " takes " + std::to_string(expected) +
                        " argument(s), got " + std::to_string(words.size() - 1)};
    }
    Command command;
    command.op = syntax.op;
    std::size_t next = 1;
    if (syntax.word == Word::kFirst) command.text = std::string(words[next++]);
    for (int i = 0; i < syntax.numbers; ++i, ++next) {
      const bool tick = syntax.op == Op::kTick;
      const std::optional<std::int32_t> value =
          tick ? ParseTickCount(words[next]) : ParseInt32(words[next]);
      if (!value) {
        return ParseError{Quote(words[next]) + (tick ? " is not a tick count (0 to 4294967295)"
                                                     : " is not a decimal 32-bit integer")};
      }
      command.numbers.push_back(*value);
    }
    if (syntax.word == Word::kLast) command.text = std::string(words[next]);
    return command;
  }
  return ParseError{"unknown command " + Quote(name)};
}

}  // namespace programs
