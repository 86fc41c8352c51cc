// Every recorded game, frame by frame: wherever the game says that it stands still,
// one more frame with the same input changes nothing (tests/driver/still_check.h).
// Random play over many seeds checks the same in the soak.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "programs/common/script.h"
#include "tests/driver/played_game.h"
#include "tests/driver/still_check.h"

namespace {

namespace fs = std::filesystem;

// Plays the recording with quelmo-sim's commands, one frame at a time, and checks the
// still frames; returns how many there were.
int CheckStillFrames(const fs::path& recording) {
  testing_game::Game g;
  std::ifstream in(recording, std::ios::binary);
  std::ostringstream ignored;
  int still = 0;
  const auto frame = [&] {
    g.Frames(1);
    if (!g.Still() || g.GameOver()) return;
    ++still;
    const std::string change = testing_game::ChangedByAStillFrame(g);
    EXPECT_EQ(change, "") << recording.filename() << ", after frame " << g.FramesRun() - 1;
  };
  for (std::string line; programs::ReadLine(in, line);) {
    const programs::ParsedLine parsed = programs::ParseLine(line);
    const auto* command = std::get_if<programs::Command>(&parsed);
    if (command == nullptr) continue;
    if (command->op == programs::Op::kFrames) {
      for (std::int32_t i = 0; i < command->numbers[0]; ++i) frame();
    } else if (command->op == programs::Op::kClick) {
      g.Mouse(command->numbers[0], command->numbers[1]);
      g.Down();
      frame();
      g.Up();
      frame();
    } else {
      std::string error;
      EXPECT_TRUE(g.Execute(*command, ignored, error)) << error;
    }
  }
  return still;
}

TEST(Still, OneMoreFrameChangesNothingInAnyRecordedGame) {
  int recordings = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(fs::path(QUELMO_SOURCE_DIR) / "tests" / "replays")) {
    if (entry.path().extension() != ".sim") continue;
    ++recordings;
    EXPECT_GT(CheckStillFrames(entry.path()), 0) << entry.path().filename() << " never stands still";
  }
  EXPECT_GT(recordings, 0);
}

}  // namespace
