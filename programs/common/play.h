#pragma once
// What every desktop entry does once its backend is made: hands the backend to the
// game and runs the frame loop, through the recorder when the command line asked for
// a recording.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "game/game.h"
#include "platform/platform.h"
#include "programs/common/command_line.h"
#include "programs/common/recorder.h"
#include "programs/common/recording.h"

namespace programs {

// How an entry tells the player something: the help and version texts (each ending in
// a newline), or one error line starting "quelmo: " (without a newline).
using Say = void (*)(const std::string& text, bool error);

// What a desktop entry does before it makes its backend: answers --help, --version and
// a bad command line through `say`, and opens the recording the command line asks for
// (before any window, so that a recording that cannot be written stops the game from
// starting).  Returns the exit status when the program ends here, nothing when the
// game is to be played.
std::optional<int> BeforePlaying(const CommandLine& cl, Say say,
                                 std::unique_ptr<Recorder>& recorder,
                                 std::optional<Recording>& watched);

// What an entry does once its backend is made: watches the recording read before, or
// plays the game.
int PlayOrWatch(platform::BlockingBackend& backend, const CommandLine& cl, Recorder* recorder,
                const std::optional<Recording>& watched, std::string_view platformName);

// Plays the game on `backend` until its close button ends it, waiting between the
// stretches of every frame on the backend's own timer, and returns the exit status:
// 0, or 1 when the window could not be opened (the backend has said why) or when the
// recording could not be written to its end (the recorder has said so).
// `platformName` names the desktop in a recording's first lines ("linux", "windows").
int PlayGame(platform::BlockingBackend& backend, const game::StartOptions& options,
             Recorder* recorder, std::string_view platformName);

}  // namespace programs
