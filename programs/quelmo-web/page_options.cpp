#include "programs/quelmo-web/page_options.h"

#include <vector>

#include "platform/web/web_backend.h"
#include "programs/quelmo-web/page_texts.h"

namespace page_options {
namespace {

using programs::Argument;
using programs::Option;

// "--seed" is the parameter "seed".
constexpr std::string_view kOptionPrefix = "--";

bool Take(const Option& option, std::string_view value, programs::Settings& settings) {
  if (programs::ArgumentOf(option) != Argument::kNone) {
    return !programs::SetOption(option, std::span(&value, 1), settings);
  }
  if (value == kOff) return true;
  return value == kOn && !programs::SetOption(option, {}, settings);
}

std::string Refusal(const Option& option, std::string_view parameter,
                    const page_texts::Table& texts) {
  std::string line = "Quelmo: ?" + std::string(parameter) + "= " + std::string(texts.needs);
  switch (programs::ArgumentOf(option)) {
    case Argument::kNumber:
      line += std::string(texts.wholeNumber) + std::to_string(option.min) +
              std::string(texts.to) + std::to_string(option.max);
      break;
    case Argument::kNone:
      line += std::string(kOn) + std::string(texts.either) + std::string(kOff);
      break;
    case Argument::kLanguage:
      line += programs::LanguageCodes(texts.either);
      break;
    case Argument::kFile:
      line += texts.fileName;
      break;
    case Argument::kSize:
      break;  // no option the page takes
  }
  return line + ".";
}

}  // namespace

std::optional<std::string> ReadPageOptions(programs::Settings& settings) {
  // The language first, so that a bad value after it is named in it.
  std::vector<const Option*> order;
  for (const bool language : {true, false}) {
    for (const Option& option : programs::AllOptions()) {
      if ((option.takers & programs::kPage) != 0 &&
          (programs::ArgumentOf(option) == Argument::kLanguage) == language) {
        order.push_back(&option);
      }
    }
  }
  for (const Option* option : order) {
    const std::string parameter(option->name.substr(kOptionPrefix.size()));
    const std::optional<std::string> value = platform::PageParameter(parameter.c_str());
    if (!value || Take(*option, *value, settings)) continue;
    return Refusal(*option, parameter, *page_texts::Of(settings.texts).page);
  }
  return std::nullopt;
}

}  // namespace page_options
