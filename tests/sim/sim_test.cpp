// quelmo-sim run as a program, the way tests, benchmarks and bug reports use it.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/wait.h>
#endif

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "game/layout.h"
#include "game/level_list.h"
#include "programs/common/recording_head.h"
#include "runtime/bmp_reader.h"

namespace {

namespace fs = std::filesystem;

// A window point as a script writes it, "X Y"; and a click at a control's centre.
std::string At(game::Point p) { return std::to_string(p.x) + " " + std::to_string(p.y); }
std::string ClickOn(const game::Rect& control) { return "click " + At(game::CentreOf(control)) + "\n"; }

struct Result {
  int status = -1;
  std::string out;
  std::vector<std::string> outLines;
  std::string err;
};

std::string ReadAll(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

class Sim : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("quelmo-sim-test-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs quelmo-sim with `args` and the script text on standard input.
  Result Run(const std::string& args, const std::string& script) {
    const fs::path in = dir_ / "script.txt";
    std::ofstream(in) << script;
    std::string command = ShellWord(SimProgram()) + " " + args + " < " + ShellWord(in) + " > " +
                          ShellWord(dir_ / "out") + " 2> " + ShellWord(dir_ / "err");
#ifdef _WIN32
    command.insert(0, 1, '"');  // cmd.exe drops the outermost pair of quotes
    command.push_back('"');
#endif
    Result r;
    const int raw = std::system(command.c_str());
#ifdef _WIN32
    r.status = raw;
#else
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
    r.out = ReadAll(dir_ / "out");
    r.err = ReadAll(dir_ / "err");
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);) r.outLines.push_back(line);
    return r;
  }

  // A path as the shell takes it: in single quotes, or on Windows in double quotes.
  static std::string ShellWord(const fs::path& path) {
#ifdef _WIN32
    const char quote = '"';
#else
    const char quote = '\'';
#endif
    std::string word(1, quote);
    word += path.string();
    word.push_back(quote);
    return word;
  }
  // The program, with a drive on Windows (a path that starts with a slash would be
  // taken for an option there).
  static fs::path SimProgram() { return fs::absolute(fs::path(QUELMO_SIM)).make_preferred(); }

  fs::path dir_;
};

// "key": as it appears in a state line.
std::string Quoted(const std::string& key) {
  std::string q;
  q.reserve(key.size() + 3);
  q.push_back('"');
  q.append(key);
  q.append("\":");
  return q;
}

// The integer after "key": in one state line.
long long Field(const std::string& json, const std::string& key) {
  const std::string needle = Quoted(key);
  const std::size_t at = json.find(needle);
  if (at == std::string::npos) {
    ADD_FAILURE() << "no key " << key;
    return 0;
  }
  return std::stoll(json.substr(at + needle.size()));
}

TEST_F(Sim, StateReportHasEveryKey) {
  const Result r = Run("--desktop 1000 800", "state\n");
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(r.outLines.size(), 1u);
  const std::string& s = r.outLines[0];
  for (const char* key :
       {"frame", "tick", "window", "Level", "LastLevel", "StartLevel", "PhaseCounter",
        "FlowCountdown", "CountdownTick", "FlowStep", "FlowSpeed", "LevelFailed",
        "LevelCleared", "Paused", "MenuOpen", "LevelListOpen", "TotalScore", "LevelScore",
        "QueueSlide", "ButtonHeld", "DragActive", "DragStartX", "DragStartY", "FrameMouseX",
        "FrameMouseY", "HoverColumn", "HoverRow", "TileGrid", "LockGrid", "PieceQueue",
        "Streams"}) {
    EXPECT_NE(s.find(Quoted(key)), std::string::npos) << key;
  }
  EXPECT_NE(s.find("\"window\":[180,160]"), std::string::npos) << s;
  EXPECT_EQ(s.front(), '{');
  EXPECT_EQ(s.back(), '}');
}

TEST_F(Sim, ClockAndTickStartAreVirtualAndWrap) {
  const Result r = Run("--tick-start 4294967290", "state\nframes 51\nstate\n");
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(r.outLines.size(), 2u);
  EXPECT_EQ(Field(r.outLines[0], "tick"), 4294967290LL);
  EXPECT_EQ(Field(r.outLines[1], "frame"), 51);
  // Frame k ends at k * 19607844 ns: 51 frames end at 1000.0 ms, after the wrap.
  EXPECT_EQ(Field(r.outLines[1], "tick"), (4294967290LL + 1000) % 4294967296LL);
}

TEST_F(Sim, SeedDecidesTheQueue) {
  auto queue = [](const std::string& s) { return s.substr(s.find("\"PieceQueue\"")); };
  const Result a = Run("--seed 7", "state\n");
  const Result b = Run("--seed 7", "state\n");
  const Result c = Run("--seed 8", "state\n");
  ASSERT_EQ(a.status, 0);
  EXPECT_EQ(queue(a.outLines[0]), queue(b.outLines[0]));
  EXPECT_NE(queue(a.outLines[0]), queue(c.outLines[0]));
}

TEST_F(Sim, ScriptedWorkedExample) {
  const Result r = Run("",
                       "# the straight run of row 5\n"
                       "set Level 1\nset PhaseCounter 200\n"
                       "tile 5 5 311\ntile 6 5 2\ntile 7 5 2\ntile 8 5 2\ntile 9 5 313\n"
                       "\n"
                       "frames 639\nstate\nframes 1\nstate\n");
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(r.outLines.size(), 2u);
  EXPECT_EQ(Field(r.outLines[0], "LevelCleared"), 0);
  EXPECT_EQ(Field(r.outLines[1], "LevelCleared"), 1);
  EXPECT_EQ(Field(r.outLines[1], "TotalScore"), 55);
  EXPECT_EQ(Field(r.outLines[1], "LevelScore"), 55);
  EXPECT_NE(r.outLines[1].find("\"Streams\":[[0,0,0,0,0,0],[9,5,0,0,1,0]"), std::string::npos);
}

TEST_F(Sim, ClickAndDownUpWithoutAFrameBetween) {
  const std::string menu = At(game::CentreOf(game::kMenuButton));
  const Result r =
      Run("", "click " + menu + "\nstate\nmouse " + menu + "\ndown\nup\nframes 1\nstate\nframes 1\nstate\n");
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(r.outLines.size(), 3u);
  EXPECT_EQ(Field(r.outLines[0], "MenuOpen"), 1);
  EXPECT_EQ(Field(r.outLines[0], "frame"), 2);
  EXPECT_EQ(Field(r.outLines[1], "MenuOpen"), 1);  // seen down in this frame
  EXPECT_EQ(Field(r.outLines[1], "ButtonHeld"), 1);
  EXPECT_EQ(Field(r.outLines[2], "MenuOpen"), 0);  // and up in the next
}

TEST_F(Sim, MousePointIsInTheWindowAsItStandsNow) {
  // Drag the window by 50, 30; afterwards "mouse" is relative to the moved window.
  const game::Point grab = game::CentreOf(game::kDragHandle);
  const Result r = Run("", "mouse " + At(grab) + "\ndown\nframes 1\nmouse " + At({grab.x + 50, grab.y + 30}) +
                               "\nframes 1\nup\nframes 1\nmouse 10 20\nframes 1\nstate\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.outLines[0].find("\"window\":[690,330]"), std::string::npos) << r.outLines[0];
  EXPECT_EQ(Field(r.outLines[0], "FrameMouseX"), 10);
  EXPECT_EQ(Field(r.outLines[0], "FrameMouseY"), 20);
}

TEST_F(Sim, WritesTheCellsQueueAndStreams) {
  const Result r = Run("", "tile 19 14 7\nlock 0 0 1\nqueue 21 5\nstream 5 1 2 3 4 5 6\n"
                           "set FlowSpeed -3\nstate\n");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string& s = r.outLines[0];
  EXPECT_EQ(Field(s, "FlowSpeed"), -3);
  EXPECT_NE(s.find(",7]],\"LockGrid\":[[1,"), std::string::npos);
  EXPECT_NE(s.find(",5],\"Streams\""), std::string::npos);
  EXPECT_NE(s.find("[1,2,3,4,5,6]]}"), std::string::npos);
}

TEST_F(Sim, CloseButtonEndsWithStatusZero) {
  const Result r = Run("", "state\n" + ClickOn(game::kCloseButton) + "state\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.outLines.size(), 1u);  // nothing after the close button runs
  EXPECT_TRUE(r.err.empty()) << r.err;
}

TEST_F(Sim, BadLinesNameTheLineAndExitWith2) {
  struct Case {
    std::string line;
    std::string says;
  };
  const std::string nulPath = std::string("cut\0.bmp", 8);
  const std::string longWord(1'000'000, 'w');
  const std::vector<Case> cases = {
      {"jump 3", "unknown command 'jump'"},
      {"frames", "argument"},
      {"frames 1 2", "argument"},
      {"mouse 10 x", "'x' is not a decimal"},
      {"mouse 10 +4", "not a decimal"},
      {"frames 4294967296", "not a decimal"},
      {"frames -1", "0 or more"},
      {"tile 20 3 1", "outside"},
      {"lock 1 15 1", "outside"},
      {"tile -1 3 1", "outside"},
      {"queue 22 1", "outside"},
      {"stream 6 0 0 0 0 0 0", "outside"},
      {"set NoSuchThing 1", "'NoSuchThing'"},
      {"set Level", "argument"},
      {"sprite 999 x.bmp", "no sprite"},
      {"shot /nonexistent-dir/x.bmp", ""},
      // A write that fails only when the buffered bytes reach the disk.
      {"sprite 100 /dev/full", "cannot write '/dev/full'"},
      // Words are quoted with unprintable bytes escaped and long ones cut.
      {"sprite 100 " + nulPath, "'cut\\x00.bmp' holds a NUL byte"},
      {"jump\x1b[2J\xff\x7f", "'jump\\x1b[2J\\xff\\x7f'"},
      {"set " + longWord + " 1", std::string(1, '\'') + std::string(60, 'w') + "'\xE2\x80\xA6\n"},
      {"tick -1", "tick count"},
      {"tick 4294967296", "tick count"},
      {"window 1", "argument"},
      {"press Foo", "unknown key 'Foo'"},
      {"key Space sideways", "'sideways'"},
      {"key Space", "argument"},
  };
  for (const Case& c : cases) {
    const Result r = Run("", std::string("state\n# fine\n\n") + c.line + "\nstate\n");
    const std::string shown = c.line.substr(0, 40);
    EXPECT_EQ(r.status, 2) << shown;
    EXPECT_EQ(r.outLines.size(), 1u) << shown;  // the report before stays printed
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_LT(r.err.size(), 200u) << shown;
    EXPECT_NE(r.err.find("line 4"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
  }
  EXPECT_FALSE(fs::exists("cut"));  // not the file up to the NUL either
}

TEST_F(Sim, FailedOutputIsAnError) {
#ifdef _WIN32
  GTEST_SKIP() << "needs a POSIX shell and /dev/full";
#else
  // Reports that wait in the output buffer until the end, and a close that ends the game.
  const std::string close = "state\n" + ClickOn(game::kCloseButton);
  for (const std::string& script : {std::string("frames 1\nstate\n"), close}) {
    const std::string command = "printf '" + script + "' | '" + QUELMO_SIM +
                                "' > /dev/full 2> '" + (dir_ / "err").string() + "'";
    const int raw = std::system(command.c_str());
    EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, 2) << script;
    EXPECT_NE(ReadAll(dir_ / "err").find("cannot write the standard output"), std::string::npos);
  }
#endif
}

TEST_F(Sim, LineEndsAndByteOrderMark) {
  for (const std::string& script : {std::string("\xEF\xBB\xBF" "frames 1\r\nstate\r\nframes 2\r\nstate"),
                                   std::string("frames 1\rstate\r\rframes 2\n\rstate\r")}) {
    const Result r = Run("", script);
    ASSERT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.outLines.size(), 2u);
    EXPECT_EQ(Field(r.outLines[0], "frame"), 1);
    EXPECT_EQ(Field(r.outLines[1], "frame"), 3);
  }
}

TEST_F(Sim, LevelListOfAnyLength) {
  // Entry n's row is at 16n + 16, wrapping every 2^28 entries; a click picks the last
  // entry under the mouse, also one whose row lies above the window.
  struct Case {
    const char* lastLevel;
    int y;
    long long startLevel;
  };
  for (const Case& c : {Case{"1000000000", 40, 805306369}, Case{"2147483647", 40, 1879048193},
                        Case{"2147483647", -8, 2147483646}, Case{"2147483647", 48, 1},
                        Case{"0", 40, 1}, Case{"-2147483648", 40, 1}}) {
    const int x = game::CentreOf(game::LevelListEntry(1)).x;
    const Result r = Run("", ClickOn(game::kMenuButton) + ClickOn(game::kStartLevelEntry) + "set LastLevel " +
                                 c.lastLevel + "\nclick " + At({x, c.y}) +
                                 "\nframes 1\nstate\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Field(r.outLines[0], "StartLevel"), c.startLevel) << c.lastLevel << " " << c.y;
    EXPECT_EQ(Field(r.outLines[0], "LevelListOpen"), 1);
  }
}

TEST_F(Sim, ExtremePointerPositionsStayWindowPoints) {
  // The pointer is kept on the desktop; any window point survives the way there and back.
  for (const char* point : {"2147483647 0", "0 2147483647", "-2147483648 -2147483648",
                            "2147483647 -2147483648"}) {
    const Result r = Run("", std::string("mouse ") + point + "\nframes 1\nstate\n");
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream xy(point);
    long long x = 0, y = 0;
    xy >> x >> y;
    EXPECT_EQ(Field(r.outLines[0], "FrameMouseX"), x) << point;
    EXPECT_EQ(Field(r.outLines[0], "FrameMouseY"), y) << point;
  }
}

TEST_F(Sim, TickAndWindowSetWhatTheNextFrameReads) {
  // The level's countdown starts in the frame that reads the given tick count; the
  // count then runs on with the virtual clock and wraps.
  const Result r = Run("", "set Level 1\nset PhaseCounter 198\ntick 4294967000\nwindow -5 7\n"
                           "frames 1\nstate\nframes 51\nstate\n");
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(r.outLines.size(), 2u);
  EXPECT_EQ(Field(r.outLines[0], "CountdownTick"), 4294967000LL - 4294967296LL);
  EXPECT_EQ(Field(r.outLines[0], "tick"), 4294967000LL);
  EXPECT_NE(r.outLines[0].find("\"window\":[-5,7]"), std::string::npos) << r.outLines[0];
  EXPECT_EQ(Field(r.outLines[1], "tick"), (4294967000LL + 1000) % 4294967296LL);
}

TEST_F(Sim, CheckComparesTheRecordedStates) {
  // A recording's first line gives its options; --check holds the replay to every
  // "# state" line and names the first value that differs.
  const std::string head = "# options: --seed 5 --tick-start 70 --desktop 800 600\nframes 2\nstate\n";
  const Result plain = Run("", head);
  ASSERT_EQ(plain.status, 0) << plain.err;
  const std::string report = plain.outLines.at(0);
  EXPECT_NE(report.find("\"window\":[80,60]"), std::string::npos) << report;
  EXPECT_EQ(Field(report, "tick"), 70 + 39);
  const std::string seeded = Run("--seed 5", "frames 2\nstate\n").outLines.at(0);
  EXPECT_EQ(report.substr(report.find("PieceQueue")), seeded.substr(seeded.find("PieceQueue")));

  EXPECT_EQ(Run("--check", head + "# state " + report + "\n").status, 0);
  std::string changed = report;
  const std::size_t tiles = changed.find("\"TileGrid\":[");
  changed.replace(changed.find("[0,0,0,0,0,0,0,0,0,0,0,0,0,0,0]", tiles + 32 * 3), 16,
                  "[0,0,0,0,0,0,0,9");  // column 3, row 7
  const Result r = Run("--check", head + "# state " + changed + "\nframes 1\n");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("frame 2: TileGrid[3][7] is 9 in the recording but 0 in the replay"),
            std::string::npos)
      << r.err;
  EXPECT_EQ(Run("--check", head + "# state {\"frame\":2,\n").status, 2);
  EXPECT_EQ(Run("--check", head + "# state " + std::string(100000, '[') + "\n").status, 2);
}

// A recording's head is read before anything runs: what cannot be replayed exactly (a
// bad or unknown option, a format this build does not know) is refused in one line
// naming its script line.  A head that can be is read like the command line, which
// wins over it.
TEST_F(Sim, RecordingHeadsRefusedOrReadUnderTheCommandLine) {
  // A format line naming `format`, and the game that made it.
  const auto formatLine = [](std::uint32_t format) {
    std::string line = "# recording format ";
    line += std::to_string(format);
    line += ", quelmo 9.0.0 linux\n";
    return line;
  };
  std::string newer = "script line 2: a recording of format ";
  newer += std::to_string(programs::kRecordingFormat + 1);
  newer += " (made by quelmo 9.0.0 linux)";
  const std::string refused[][2] = {
      {"# options: --seed abc\n", "script line 1: --seed needs a whole number"},
      {"# options: --seed 1 --check\n", "script line 1: a recording takes no option '--check'"},
      {"# options: --seed 1 --frobnicate\n", "script line 1: unknown option '--frobnicate'"},
      {"# options: --seed 1\n" + formatLine(programs::kRecordingFormat + 1), newer},
      {"# options: --seed 1\n# recording format x\n", "script line 2: 'x' is not a recording format"},
  };
  for (const auto& [head, line] : refused) {
    const Result r = Run("--check", head + "state\n");
    EXPECT_EQ(r.status, 2) << head;
    EXPECT_EQ(r.out, "") << head;
    EXPECT_EQ(r.err.find(line), std::string("quelmo-sim: ").size()) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }

  const std::string head =
      "# options: --seed 5\n" + formatLine(programs::kRecordingFormat) + "frames 2\nstate\n";
  const Result recorded = Run("", head);
  const Result overridden = Run("--seed 7", head);
  ASSERT_EQ(recorded.status, 0) << recorded.err;
  EXPECT_EQ(recorded.out, Run("--seed 5", "frames 2\nstate\n").out);
  EXPECT_EQ(overridden.out, Run("--seed 7", "frames 2\nstate\n").out);
  EXPECT_NE(recorded.out, overridden.out);
}

TEST_F(Sim, BadCommandLineAndUnreadableScript) {
  EXPECT_EQ(Run("--seed", "").status, 2);
  EXPECT_EQ(Run("--seed -1", "").status, 2);
  EXPECT_EQ(Run("--desktop 100", "").status, 2);
  EXPECT_EQ(Run("--frobnicate", "").status, 2);
  const Result r = Run("/nonexistent-dir/script.txt", "");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("cannot read"), std::string::npos);
}

TEST_F(Sim, ScriptFromAFileArgument) {
  const fs::path script = dir_ / "file.txt";
  std::ofstream(script) << "frames 3\nstate\n";
  const Result r = Run(ShellWord(script), "this is not read\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Field(r.outLines[0], "frame"), 3);
}

TEST_F(Sim, ShotAndSpriteWrite24BitBmps) {
  const fs::path frame = dir_ / "frame.bmp";
  const fs::path water = dir_ / "water.bmp";
  std::string script = "frames 2\nshot ";
  script += frame.string();
  script += "\nsprite 500 ";
  script += water.string();
  script += "\n";
  const Result r = Run("", script);
  ASSERT_EQ(r.status, 0) << r.err;
  for (const fs::path& bmp : {frame, water}) {
    const std::string file = ReadAll(bmp);
    ASSERT_EQ(file.size(), 54u + 640u * 480u * 3u) << bmp;
    EXPECT_EQ(file.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(file[28]), 24);  // bits per pixel
  }
}

TEST_F(Sim, BenchPrintsOneLineOfFrameTimes) {
  const Result r = Run("--bench 200", "frames 2\n");
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(r.outLines.size(), 1u);
  for (const char* key : {"frames", "median_us", "p99_us", "max_us", "frames_per_second"}) {
    EXPECT_NE(r.outLines[0].find(Quoted(key)), std::string::npos) << key;
  }
  EXPECT_EQ(Field(r.outLines[0], "frames"), 200);
}

// A recorded game with a drag, a level and a pause, replayed on a screen enlarged 2 and
// 3 times: the game must not notice.  Every state is the same, and the last frame is
// the same picture with each pixel an S x S block.
TEST_F(Sim, SameGameAndPictureAtEveryScale) {
  const std::string game = ReadAll(fs::path(QUELMO_SOURCE_DIR) / "tests/replays/drag-level-pause.sim");
  ASSERT_FALSE(game.empty());
  std::vector<rt::Surface> shots;
  std::vector<std::string> states;
  for (int scale = 1; scale <= 3; ++scale) {
    const fs::path shot = dir_ / ("scale" + std::to_string(scale) + ".bmp");
    const Result r = Run("--check --scale " + std::to_string(scale),
                         game + "\nmouse 200 300\nstate\nshot " + shot.string() + "\n");
    ASSERT_EQ(r.status, 0) << r.err;
    states.push_back(r.out);
    const std::string bytes = ReadAll(shot);
    rt::Surface& picture = shots.emplace_back();
    ASSERT_EQ(rt::DecodeBmp(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), picture), 24);
    ASSERT_EQ(picture.width, 640 * scale);
    ASSERT_EQ(picture.height, 480 * scale);
  }
  for (int scale = 2; scale <= 3; ++scale) {
    EXPECT_EQ(states[scale - 1], states[0]) << "scale " << scale;
    const rt::Surface& big = shots[scale - 1];
    int wrong = 0;
    for (int y = 0; y < big.height; ++y) {
      for (int x = 0; x < big.width; ++x) {
        const std::uint32_t want = shots[0].pixels[(y / scale) * 640 + x / scale];
        wrong += big.pixels[static_cast<std::size_t>(y) * big.width + x] != want;
      }
    }
    EXPECT_EQ(wrong, 0) << "pixels that are not their game pixel's at scale " << scale;
  }
}

}  // namespace
