#include "programs/common/recording_head.h"

#include <vector>

#include "programs/common/version.h"
#include "programs/common/words.h"

namespace programs {
namespace {

constexpr std::string_view kOptionsLine = "# options:";
constexpr std::string_view kFormatLine = "# recording format ";

std::string Formats() {
  const std::string oldest = std::to_string(kOldestRecordingFormat);
  if (kOldestRecordingFormat == kRecordingFormat) return "format " + oldest;
  return "formats " + oldest + " to " + std::to_string(kRecordingFormat);
}

}  // namespace

std::string RecordingHead(const Settings& settings, std::string_view platformName) {
  return std::string(kOptionsLine) + ' ' + OptionWords(settings, kRecording) + '\n' +
         std::string(kFormatLine) + std::to_string(kRecordingFormat) + ", quelmo " +
         std::string(GameVersion()) + ' ' + std::string(platformName) + '\n';
}

bool IsOptionsLine(std::string_view line) {
  return line.substr(0, kOptionsLine.size()) == kOptionsLine;
}

std::optional<HeadProblem> ReadRecordingHead(std::string_view optionsLine,
                                             std::optional<std::string_view> secondLine,
                                             Settings& settings) {
  // The format first: a format this game does not know may hold options it does not.
  if (secondLine && secondLine->substr(0, kFormatLine.size()) == kFormatLine) {
    const std::string_view rest = secondLine->substr(kFormatLine.size());
    const std::size_t comma = rest.find(',');
    const std::string_view word = rest.substr(0, comma);
    const std::optional<std::uint32_t> format = ParseNumber(word, 1, kAnyNumber);
    if (!format) return HeadProblem{2, Quote(word) + " is not a recording format"};
    if (*format < kOldestRecordingFormat || *format > kRecordingFormat) {
      std::string made;
      if (comma != std::string_view::npos) made = " (made by" + std::string(rest.substr(comma + 1)) + ")";
      return HeadProblem{2, "a recording of format " + std::to_string(*format) + made +
                                " cannot be replayed exactly: this game replays " + Formats()};
    }
  } else if (kOldestRecordingFormat > 1) {
    return HeadProblem{1, "a recording that names no format is of format 1 and cannot be "
                          "replayed exactly: this game replays " + Formats()};
  }
  const std::vector<std::string_view> words = SplitWords(optionsLine.substr(kOptionsLine.size()));
  if (auto problem = ReadOptions(words, kRecording, settings)) {
    return HeadProblem{1, std::move(*problem)};
  }
  return std::nullopt;
}

}  // namespace programs
