// The desktop game's frame loop with a recording, on the headless backend: a recording
// that could not be written to its end ends the game with exit status 1, after the
// game has played on to its close button and said so once.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "game/layout.h"
#include "platform/headless/headless_backend.h"
#include "programs/common/play.h"
#include "programs/common/recorder.h"

namespace {

struct Played {
  int status = -1;
  std::string said;  // on standard error
};

// Plays a game recorded to `path` whose player clicks the close button at once.
Played PlayRecordedTo(const std::string& path) {
  std::string error;
  const std::unique_ptr<programs::Recorder> recorder = programs::Recorder::Open(path, error);
  EXPECT_NE(recorder, nullptr) << error;
  if (!recorder) return {};
  platform::HeadlessBackend backend;
  // A click: pressed in one frame, released in the next, which ends the game.
  backend.AtNextEventStep([&backend] {
    const game::Point close = game::CentreOf(game::kCloseButton);
    backend.SetPointerInWindow(close.x, close.y);
    backend.SetButton(true);
    backend.AtNextEventStep([&backend] { backend.SetButton(false); });
  });
  testing::internal::CaptureStderr();
  Played played;
  played.status = programs::PlayGame(backend, game::StartOptions{3}, recorder.get(), "linux");
  played.said = testing::internal::GetCapturedStderr();
  return played;
}

TEST(Recording, OneThatCannotBeWrittenEndsTheGameWithStatus1) {
  const Played lost = PlayRecordedTo("/dev/full");
  EXPECT_EQ(lost.status, 1);
  EXPECT_EQ(lost.said.rfind("quelmo: the recording stopped: cannot write '/dev/full': ", 0), 0u)
      << lost.said;
  EXPECT_EQ(std::count(lost.said.begin(), lost.said.end(), '\n'), 1) << lost.said;

  // The same game recorded to a file: status 0, not a word, and the whole recording.
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("quelmo-recording-" + std::to_string(::getpid()));
  const Played kept = PlayRecordedTo(file.string());
  std::ostringstream recording;
  recording << std::ifstream(file).rdbuf();
  std::filesystem::remove(file);
  EXPECT_EQ(kept.status, 0);
  EXPECT_EQ(kept.said, "");
  EXPECT_EQ(recording.str().rfind("# options: --seed 3 ", 0), 0u) << recording.str();
}

}  // namespace
