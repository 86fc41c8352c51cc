#pragma once
// A recording read whole, to be watched: the options it was made with (its head) and
// its commands.  A recording holds only what a player did at the game's desktop (the
// pointer, the button, keys, the tick count, the window's place, frames) and the
// states it was checked by; a script that writes the game's state behind a player's
// back (set, tile, ...) or writes files is no recording, and is refused.
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "programs/common/options.h"
#include "programs/common/script.h"

namespace programs {

struct Recording {
  Settings settings;              // from its head; the rest as the program chooses
  std::vector<Command> commands;  // in order, `click` and `press` taken apart
};

// Reads the recording in `text`.  Nothing, with `error` saying what is wrong in one
// line that names the line ("line 7: ..."), for a recording that cannot be watched
// exactly.
std::optional<Recording> ReadRecording(std::string_view text, std::string& error);

// What an input command of a script does to the desktop the game reads: the pointer,
// the button, a key, the tick count, the window's place.  False for any other command.
// quelmo-sim and a watched recording drive the game's desktop alike through this.
bool ApplyInput(const Command& command, platform::HeadlessBackend& desktop);

// A recording's commands frame by frame.
class RecordingPlayer {
 public:
  explicit RecordingPlayer(std::vector<Command> commands) : commands_(std::move(commands)) {}
  // Gives `desktop` the input of the next frame; false when no frame is left.
  bool NextFrame(platform::HeadlessBackend& desktop);
  std::uint64_t FramesPlayed() const { return played_; }

 private:
  std::vector<Command> commands_;
  std::size_t next_ = 0;
  std::int64_t framesLeft_ = 0;  // of the `frames` command under way
  std::uint64_t played_ = 0;
};

}  // namespace programs
