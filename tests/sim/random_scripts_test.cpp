// quelmo-sim fed random scripts: mostly well-formed commands with extreme and
// out-of-range values, now and then a malformed line.  Whatever a script holds, the
// program ends with status 0 (or the game's own close) or 2 with one short error line;
// under the sanitizers anything else (a report, a crash, a hang) fails the test.
//
// A few dozen scripts run with the tests.  A long run, best in the sanitizer build:
//
//   QUELMO_RANDOM_SCRIPTS=5000 QUELMO_RANDOM_SEED=1 build/asan/tests/sim/sim_tests
//       --gtest_filter='RandomScripts.*'
//
// A failing script is kept in the temporary folder the test names.
// The scripts run through a POSIX shell (/dev/full, exit statuses): Linux only.
#ifndef _WIN32
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "game/layout.h"
#include "game/state.h"

namespace {

namespace fs = std::filesystem;

std::uint64_t EnvNumber(const char* name, std::uint64_t fallback) {
  const char* text = std::getenv(name);
  return text != nullptr && *text != '\0' ? std::strtoull(text, nullptr, 10) : fallback;
}

// A small generator of its own (splitmix64), so that a seed gives the same scripts
// with every standard library.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // 0 .. n - 1
  std::int64_t Below(std::int64_t n) { return static_cast<std::int64_t>(Next() % static_cast<std::uint64_t>(n)); }
  bool OneIn(std::int64_t n) { return Below(n) == 0; }

 private:
  std::uint64_t state_;
};

// Numbers that matter to the game: small ones near its rectangles and grids, the
// edges of 32 bits, and anything at all.
std::string Number(Random& r) {
  static const std::int64_t kEdges[] = {0,          1,           -1,          2,
                                        3,          4,           10,          199,
                                        200,        268435456,   268435457,   1000000000,
                                        2147483647, -2147483647, -2147483648, 2147483646};
  switch (r.Below(4)) {
    case 0:
      return std::to_string(kEdges[r.Below(std::size(kEdges))]);
    case 1:
      return std::to_string(r.Below(700) - 30);  // around the window
    case 2:
      return std::to_string(r.Below(25) - 2);  // around the grids and the queue
    default:
      return std::to_string(static_cast<std::int32_t>(static_cast<std::uint32_t>(r.Next())));
  }
}

// An index that is mostly inside first..last, and now and then any number.
std::string Index(Random& r, std::int64_t first, std::int64_t last) {
  return r.OneIn(48) ? Number(r) : std::to_string(first + r.Below(last - first + 1));
}

// The command followed by `count` numbers.
std::string WithNumbers(std::string command, Random& r, int count) {
  for (int i = 0; i < count; ++i) {
    command += ' ';
    command += Number(r);
  }
  return command;
}

// A line the program must refuse: random bytes, a long word, a bad number or a bad
// name.
std::string BadLine(Random& r, const fs::path& dir) {
  switch (r.Below(6)) {
    case 0: {
      std::string bytes;
      for (std::int64_t i = r.Below(40); i > 0; --i) {
        char c = static_cast<char>(r.Below(256));
        if (c == '\n' || c == '\r') c = 'x';
        bytes += c;
      }
      return "mouse" + bytes;
    }
    case 1:
      return "set " + std::string(static_cast<std::size_t>(r.Below(5000)), 'L') + " 1";
    case 2:
      return "frames " + std::to_string(r.Below(1000) + 4294967296ll);
    case 3:
      return "tile +1 2 3";
    case 4:
      return "sprite 100 " + (dir / "n").string() + std::string(1, '\0') + "ul";
    default:
      return "click 1 2 3";
  }
}

// Some of the sprites the game makes: images, composed panels and the water layer.
constexpr int kSprites[] = {1, 7, 20, 100, 104, 105, 111, 123, 200, 201, 202, 311, 343, 500};

std::string Line(Random& r, const fs::path& dir, std::int64_t& framesLeft) {
  if (r.OneIn(300)) return BadLine(r, dir);
  const std::span<const game::NamedInteger> names = game::NamedIntegers();
  switch (r.Below(14)) {
    case 0:
    case 1:
      return WithNumbers("mouse", r, 2);
    case 2:
      return r.OneIn(2) ? "down" : "up";
    case 3:
      return WithNumbers("click", r, 2);
    case 4:
    case 5: {
      const std::int64_t n = std::min<std::int64_t>(framesLeft, r.Below(30));
      framesLeft -= n;
      return "frames " + std::to_string(n);
    }
    case 6:
      return "state";
    case 7:
      if (r.OneIn(3)) return "frames 1\nshot " + (dir / "shot.bmp").string();
      return "sprite " + (r.OneIn(48) ? Number(r) : std::to_string(kSprites[r.Below(std::size(kSprites))])) +
             " " + (r.OneIn(20) ? std::string("/dev/full") : (dir / "s.bmp").string());
    case 8:
    case 9:
      return WithNumbers((r.OneIn(2) ? "tile " : "lock ") + Index(r, 0, 19) + " " + Index(r, 0, 14), r, 1);
    case 10:
      return WithNumbers("queue " + Index(r, 0, 21), r, 1);
    case 11:
      return WithNumbers("stream " + Index(r, 0, 5), r, 6);
    default: {
      std::string set = "set ";
      set += names[static_cast<std::size_t>(r.Below(static_cast<std::int64_t>(names.size())))].name;
      return WithNumbers(set, r, 1);
    }
  }
}

// A script of up to 60 lines and about 300 frames, with mixed line ends and at times
// a byte-order mark or a comment.
std::string Script(Random& r, const fs::path& dir) {
  static const char* const kEnds[] = {"\n", "\r\n", "\r"};
  std::string script = r.OneIn(10) ? "\xEF\xBB\xBF" : "";
  std::int64_t framesLeft = 300;
  // Most scripts begin a game or open the level list, so that the rules run.
  const auto clickOn = [](const game::Rect& control) {
    const game::Point p = game::CentreOf(control);
    return "click " + std::to_string(p.x) + " " + std::to_string(p.y) + "\n";
  };
  if (r.OneIn(2)) script += clickOn(game::kMenuButton) + clickOn(game::kNewGameEntry);
  if (r.OneIn(4)) script += clickOn(game::kMenuButton) + clickOn(game::kStartLevelEntry);
  for (std::int64_t i = r.Below(60); i > 0; --i) {
    script += r.OneIn(30) ? "# note" : Line(r, dir, framesLeft);
    script += kEnds[r.OneIn(5) ? r.Below(3) : 0];
  }
  return script;
}

TEST(RandomScripts, EndCleanlyOrWithOneErrorLine) {
  const std::uint64_t seed = EnvNumber("QUELMO_RANDOM_SEED", 20261208);
  const std::uint64_t count = EnvNumber("QUELMO_RANDOM_SCRIPTS", 24);
  const fs::path dir = fs::temp_directory_path() / ("quelmo-random-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  Random r(seed);
  std::uint64_t failures = 0, completed = 0, refused = 0;
  for (std::uint64_t i = 0; i < count && failures < 3; ++i) {
    const std::string script = Script(r, dir);
    const fs::path file = dir / ("script-" + std::to_string(i) + ".txt");
    std::ofstream(file, std::ios::binary) << script;
    const std::string command = std::string("'") + QUELMO_SIM + "' --seed " + std::to_string(i) +
                                " < '" + file.string() + "' > /dev/null 2> '" +
                                (dir / "err").string() + "'";
    const int raw = std::system(command.c_str());
    const int status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream errFile(dir / "err", std::ios::binary);
    std::stringstream err;
    err << errFile.rdbuf();
    const std::string e = err.str();
    const bool good =
        status == 0 ? e.empty()
                    : status == 2 && e.rfind("quelmo-sim: script line ", 0) == 0 &&
                          e.find('\n') == e.size() - 1 && e.size() < 200;
    if (good) {
      ++(status == 2 ? refused : completed);
      fs::remove(file);
      continue;
    }
    ++failures;
    ADD_FAILURE() << "seed " << seed << ", script " << i << " (kept as " << file
                  << "): status " << status << ", standard error:\n"
                  << e.substr(0, 2000);
  }
  std::cout << "seed " << seed << ": " << completed << " scripts ran to the end or the close button, "
            << refused << " stopped at a line they refused\n";
  if (failures == 0) fs::remove_all(dir);
}

}  // namespace

#endif  // _WIN32
