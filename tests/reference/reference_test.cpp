// Reference screenshots: each scene is a quelmo-sim script run on the headless game;
// its last presented frame must match the committed PNG exactly, except inside the
// boxes that hold text, whose pixels the PNGs keep only to the nearest palette colour:
// there the text has to cover the same extent with about the same ink.
//
// QUELMO_UPDATE_REFERENCES=1 writes the frames as the new references instead.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "game/board.h"
#include "game/layout.h"
#include "game/level_list.h"
#include "game/sprites.h"
#include "tests/reference/png_frame.h"
#include "programs/common/script.h"
#include "programs/quelmo-sim/simulator.h"
#ifdef QUELMO_REFERENCE_BMP_DIR
#include "runtime/bmp_reader.h"
#include "runtime/bmp_writer.h"
#endif

namespace {

using game::kWindowHeight;
using game::kWindowWidth;

struct Rect {
  int x0, y0, x1, y1;  // inclusive
  bool Contains(int x, int y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};

// The pixels of the game's rectangles from `first` to `last` (the same or further down).
Rect Pixels(const game::Rect& first, const game::Rect& last) {
  return {first.left, first.top, last.right - 1, last.bottom - 1};
}
Rect Pixels(const game::Rect& r) { return Pixels(r, r); }

// Boxes that hold text in every frame: menu button, countdown, scores (with their
// labels), "Schnell" and the credit bar.
const std::vector<Rect> kAlwaysText = {
    Pixels(game::kMenuButton),    Pixels(game::kCountdownBox), Pixels(game::kTotalScoreBox),
    Pixels(game::kLevelScoreBox), Pixels(game::kFastButton),   Pixels(game::kCreditBarPlace)};
const Rect kMenuText = Pixels(game::kNewGameEntry, game::kPauseEntry);
const Rect kLevelListText = Pixels(game::LevelListEntry(1), game::LevelListEntry(10));
// The list's column from the top to the bottom of the window, for a list longer than it.
const Rect kLongLevelListText{game::kListLeft, 0, game::kListRight - 1, kWindowHeight - 1};
const Rect kResultText = Pixels(game::PanelTextBox(game::kResultPanelPlace));
const Rect kOkText = Pixels(game::kOkButton);
const Rect kNoticeText = Pixels(game::PanelTextBox(game::kNoticePanelPlace));

struct Scene {
  const char* name;
  std::vector<Rect> extraText;
  sim::Options options{};  // the look asked for on the command line
};

sim::Options English() {
  sim::Options options;
  options.texts = &game::texts::kEnglish;
  return options;
}
sim::Options Marks() {
  sim::Options options;
  options.marks = true;
  return options;
}

const Scene kScenes[] = {
    {"idle", {}},
    {"setup", {kNoticeText}},
    {"preview", {}},
    {"bend", {}},
    {"failed", {kResultText, kOkText}},
    {"cleared", {kResultText, kOkText}},
    {"menu", {kMenuText, kLevelListText}},
    {"busy", {kMenuText, kLevelListText, kResultText, kOkText, kNoticeText}},
    {"longlist", {kMenuText, kLongLevelListText}},
    {"english", {kMenuText}, English()},
    {"marks", {}, Marks()},
};

std::string SourcePath(const std::string& file) {
  return std::string(QUELMO_REFERENCE_DIR) + "/" + file;
}
std::string OutputPath(const std::string& file) {
  return std::string(QUELMO_REFERENCE_OUT) + "/" + file;
}

#ifdef QUELMO_REFERENCE_BMP_DIR
// The Windows build has no PNG library: it reads the references as 24-bit BMP files
// converted from the PNGs when it was built, with the game's own BMP reader, and
// writes a differing frame as BMP.
bool ReadReference(const std::string& name, reftest::Frame& frame, std::string& error) {
  const std::string path = std::string(QUELMO_REFERENCE_BMP_DIR) + "/" + name + ".bmp";
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
  rt::Surface surface;
  if (rt::DecodeBmp(bytes.data(), bytes.size(), surface) == 0) {
    error = path + ": not a readable BMP";
    return false;
  }
  frame.width = surface.width;
  frame.height = surface.height;
  frame.pixels = std::move(surface.pixels);
  return true;
}
std::string WriteActual(const std::string& name, const reftest::Frame& frame) {
  rt::Surface surface;
  surface.width = frame.width;
  surface.height = frame.height;
  surface.pixels = frame.pixels;
  const std::string path = OutputPath(name + ".actual.bmp");
  rt::WriteBmp24(surface, path);
  return path;
}
#else
bool ReadReference(const std::string& name, reftest::Frame& frame, std::string& error) {
  const std::string png = SourcePath(name + ".png");
  if (reftest::ReadPng(png, frame, error)) return true;
  error = png + ": " + error;
  return false;
}
std::string WriteActual(const std::string& name, const reftest::Frame& frame) {
  const std::string path = OutputPath(name + ".actual.png");
  std::string error;
  reftest::WritePng(path, frame, error);
  return path;
}
#endif

// What a scene ends in: the last presented frame, the state report, and the board.
struct SceneEnd {
  reftest::Frame frame;
  std::string state;
  game::GameState game;
};

// Runs the scene's script with `options`.
SceneEnd RunScene(const std::string& name, const sim::Options& options = {}) {
  std::ifstream in(SourcePath("scenes/" + name + ".sim"));
  EXPECT_TRUE(in) << "missing script for " << name;
  sim::Simulator simulator(options);
  std::string line, error;
  std::ostringstream ignored;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    const programs::ParsedLine parsed = programs::ParseLine(line);
    if (const auto* bad = std::get_if<programs::ParseError>(&parsed)) {
      ADD_FAILURE() << name << ".sim:" << number << ": " << bad->reason;
      break;
    }
    if (const auto* command = std::get_if<programs::Command>(&parsed)) {
      if (!simulator.Execute(*command, ignored, error)) {
        ADD_FAILURE() << name << ".sim:" << number << ": " << error;
        break;
      }
    }
  }
  SceneEnd end;
  end.frame.width = simulator.Backend().LastFrameWidth();
  end.frame.height = simulator.Backend().LastFrameHeight();
  end.frame.pixels = simulator.Backend().LastFrame();
  std::ostringstream state;
  simulator.WriteState(state);
  end.state = state.str();
  end.game = simulator.State();
  return end;
}

struct Ink {
  int count = 0;
  int x0 = 1 << 20, y0 = 1 << 20, x1 = -1, y1 = -1;
};

// Pixels of `f` inside `r` that differ from `background`.
Ink InkOf(const reftest::Frame& f, const Rect& r, std::uint32_t background) {
  Ink ink;
  for (int y = r.y0; y <= r.y1; ++y)
    for (int x = r.x0; x <= r.x1; ++x)
      if (f.pixels[static_cast<std::size_t>(y * f.width + x)] != background) {
        ++ink.count;
        ink.x0 = std::min(ink.x0, x), ink.y0 = std::min(ink.y0, y);
        ink.x1 = std::max(ink.x1, x), ink.y1 = std::max(ink.y1, y);
      }
  return ink;
}

std::uint32_t MostFrequent(const reftest::Frame& f, const Rect& r) {
  std::map<std::uint32_t, int> counts;
  for (int y = r.y0; y <= r.y1; ++y)
    for (int x = r.x0; x <= r.x1; ++x) ++counts[f.pixels[static_cast<std::size_t>(y * f.width + x)]];
  return std::max_element(counts.begin(), counts.end(),
                          [](const auto& a, const auto& b) { return a.second < b.second; })
      ->first;
}

// A text box matches when, inside its bevels, the text covers the same extent
// within 3 pixels and about as many pixels as in the reference.
void ExpectTextBoxMatches(const reftest::Frame& ref, const reftest::Frame& got, const Rect& box,
                          const std::string& scene) {
  const Rect inside{box.x0 + 2, box.y0 + 2, box.x1 - 2, box.y1 - 2};
  const std::uint32_t background = MostFrequent(ref, inside);
  const Ink want = InkOf(ref, inside, background);
  const Ink have = InkOf(got, inside, background);
  SCOPED_TRACE(testing::Message() << scene << ": text box " << box.x0 << "," << box.y0 << " .. "
                                  << box.x1 << "," << box.y1);
  EXPECT_NEAR(have.count, want.count, want.count / 4 + 8);
  if (want.count == 0 || have.count == 0) {
    EXPECT_EQ(have.count, want.count);
    return;
  }
  EXPECT_NEAR(have.x0, want.x0, 3);
  EXPECT_NEAR(have.x1, want.x1, 3);
  EXPECT_NEAR(have.y0, want.y0, 3);
  EXPECT_NEAR(have.y1, want.y1, 3);
}

// The boxes of a scene that hold text.
std::vector<Rect> TextBoxes(const Scene& scene) {
  std::vector<Rect> text = kAlwaysText;
  text.insert(text.end(), scene.extraText.begin(), scene.extraText.end());
  return text;
}
bool InAny(const std::vector<Rect>& rects, int x, int y) {
  return std::any_of(rects.begin(), rects.end(), [&](const Rect& r) { return r.Contains(x, y); });
}

// Names the scene in test output.
void PrintTo(const Scene& scene, std::ostream* os) { *os << scene.name; }

class Reference : public testing::TestWithParam<Scene> {};

TEST_P(Reference, FrameMatchesItsScreenshot) {
  const Scene& scene = GetParam();
  const reftest::Frame got = RunScene(scene.name, scene.options).frame;
  ASSERT_EQ(got.width, kWindowWidth);
  ASSERT_EQ(got.height, kWindowHeight);
  std::string error;
  const std::vector<Rect> text = TextBoxes(scene);
  const auto inText = [&](int x, int y) { return InAny(text, x, y); };
#ifndef QUELMO_REFERENCE_BMP_DIR
  if (const char* update = std::getenv("QUELMO_UPDATE_REFERENCES"); update && *update == '1') {
    std::vector<bool> approximate(got.pixels.size());
    for (int y = 0; y < kWindowHeight; ++y)
      for (int x = 0; x < kWindowWidth; ++x)
        approximate[static_cast<std::size_t>(y * kWindowWidth + x)] = inText(x, y);
    const std::string png = SourcePath(std::string(scene.name) + ".png");
    ASSERT_TRUE(reftest::WriteReferencePng(png, got, approximate, error)) << error;
    return;
  }
#endif
  reftest::Frame ref;
  ASSERT_TRUE(ReadReference(scene.name, ref, error)) << error;
  ASSERT_EQ(ref.width, kWindowWidth);
  ASSERT_EQ(ref.height, kWindowHeight);
  // Exact everywhere outside the text boxes.
  int mismatches = 0;
  std::ostringstream first;
  for (int y = 0; y < kWindowHeight; ++y)
    for (int x = 0; x < kWindowWidth; ++x) {
      const std::size_t i = static_cast<std::size_t>(y * kWindowWidth + x);
      if (ref.pixels[i] != got.pixels[i] && !inText(x, y)) {
        if (mismatches++ < 8) first << " (" << x << "," << y << ")";
      }
    }
  for (const Rect& box : text) ExpectTextBoxMatches(ref, got, box, scene.name);
  if (mismatches > 0 || HasFailure()) {
    const std::string actual = WriteActual(scene.name, got);
    ADD_FAILURE() << mismatches << " pixels differ outside text, first at" << first.str()
                  << "; this frame is in " << actual;
  }
}

// The looks on request leave the game as it is: every scene played in English or with
// the streams' marks ends in the same state, and its frame differs only inside the
// boxes that hold text and in the goal tiles' word (their rows 2 to 6), or only on the
// special tiles.
class LooksOnRequest : public testing::TestWithParam<Scene> {};

TEST_P(LooksOnRequest, ChangeOnlyTheirOwnPixels) {
  const Scene& scene = GetParam();
  const SceneEnd german = RunScene(scene.name, scene.options);
  // Cells that hold a special tile; the word along the top of those that hold a goal.
  std::vector<Rect> special, english = TextBoxes(scene);
  for (int c = 0; c < game::kColumns; ++c)
    for (int r = 0; r < game::kRows; ++r) {
      const std::int32_t code = german.game.TileGrid[c][r];
      const int left = 32 * c - 16, top = 32 * r - 16;
      if (code > game::kSpecialBase) special.push_back({left, top, left + 31, top + 31});
      if (game::IsGoalTile(code)) english.push_back({left, top + 2, left + 31, top + 6});
    }
  const std::pair<sim::Options, std::vector<Rect>> looks[] = {{English(), english},
                                                              {Marks(), special}};
  for (const auto& [options, allowed] : looks) {
    SCOPED_TRACE(options.marks ? "--marks" : "--lang en");
    const SceneEnd other = RunScene(scene.name, options);
    EXPECT_EQ(other.state, german.state);
    int changed = 0, outside = 0;
    for (int y = 0; y < kWindowHeight; ++y)
      for (int x = 0; x < kWindowWidth; ++x) {
        const std::size_t i = static_cast<std::size_t>(y * kWindowWidth + x);
        if (other.frame.pixels[i] == german.frame.pixels[i]) continue;
        ++changed;
        if (!InAny(allowed, x, y)) ++outside;
      }
    EXPECT_EQ(outside, 0) << "pixels changed outside their boxes";
    // Every scene shows texts; a scene with special tiles shows their marks.
    if (!allowed.empty()) {
      EXPECT_GT(changed, 0);
    }
  }
}

std::vector<Scene> GermanScenes() {
  std::vector<Scene> scenes;
  for (const Scene& scene : kScenes)
    if (scene.options.texts == &game::texts::kGerman && !scene.options.marks) scenes.push_back(scene);
  return scenes;
}

INSTANTIATE_TEST_SUITE_P(Scenes, LooksOnRequest, testing::ValuesIn(GermanScenes()),
                         [](const testing::TestParamInfo<Scene>& param) {
                           return std::string(param.param.name);
                         });

INSTANTIATE_TEST_SUITE_P(Scenes, Reference, testing::ValuesIn(kScenes),
                         [](const testing::TestParamInfo<Scene>& param) {
                           return std::string(param.param.name);
                         });

}  // namespace
