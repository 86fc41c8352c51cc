#pragma once
// What every desktop entry does once its backend is made: hands the backend to the
// game and plays, through the recorder when the command line asked for a recording.
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/platform.h"
#include "programs/common/recorder.h"

namespace programs {

// `platformName` names the desktop in a recording's first lines ("linux", "windows").
[[noreturn]] void PlayGame(platform::Backend& backend, std::optional<std::uint32_t> seed,
                           Recorder* recorder, std::string_view platformName);

}  // namespace programs
