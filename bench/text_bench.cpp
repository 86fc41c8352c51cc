// Text drawing: our glyph renderer against a plain SDL2 program that keeps one
// colour-keyed surface per character and blits them one after another (as a program
// without SDL_ttf would), on the same 640 x 480 target and the same glyph shapes.
// Pixels are counted as the text cell: advance width x cell height.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "game/texts.h"
#include "runtime/canvas.h"
#include "runtime/glyphs.h"
#include "runtime/surface.h"
#include "runtime/text.h"

namespace {

constexpr int kWidth = 640, kHeight = 480;
constexpr std::uint32_t kBackground = 0x00808080;
constexpr std::uint32_t kInk = 0x00C0C0C0;
constexpr std::string_view kLine60 = "Zeit bis das Quelmo flie\xDFt: Level geschafft! Neues Spiel 123";
static_assert(kLine60.size() == 60);

const rt::Font* Small() {
  static const rt::Font* font = rt::LoadFontFace(1, game::texts::kFontFace, 8);
  return font;
}
const rt::Font* Large() {
  static const rt::Font* font = rt::LoadFontFace(2, game::texts::kFontFace, 12);
  return font;
}
const rt::Font* BySize(std::int64_t large) { return large != 0 ? Large() : Small(); }

rt::Surface& Target() {
  static rt::Surface surface = [] {
    rt::Surface s;
    s.width = kWidth;
    s.height = kHeight;
    s.pixels.assign(static_cast<std::size_t>(kWidth * kHeight), kBackground);
    return s;
  }();
  return surface;
}

void OpenTarget(const rt::Font* font, int mode) {
  static rt::CanvasRecord record;
  record = rt::CanvasRecord{};
  record.type = 7;
  record.surface = &Target();
  record.width = kWidth;
  record.height = kHeight;
  rt::OpenCanvas(&record);
  rt::SetDrawColour(192, 192, 192);
  rt::SetDrawMode(mode);
  rt::SetDrawFont(font);
}

void DrawAt(int x, int y, std::string_view text) {
  rt::MoveTextCursor(x, y);
  rt::DrawTextHere(text);
}

// The game's label: a dark shadow one pixel up-left, then the light face.
void Label(int x, int y, std::string_view text) {
  rt::SetDrawColour(64, 64, 64);
  DrawAt(x - 1, y - 1, text);
  rt::SetDrawColour(192, 192, 192);
  DrawAt(x, y, text);
}

void SetPixelRate(benchmark::State& state, long long pixelsPerIteration) {
  state.counters["pixels"] = benchmark::Counter(
      static_cast<double>(pixelsPerIteration) * static_cast<double>(state.iterations()),
      benchmark::Counter::kIsRate);
}

long long CellPixels(const rt::Font& font, std::string_view text) {
  return font.Advance(text) * font.cellHeight;
}

// The short texts the game draws most.
constexpr const game::texts::Table& kTexts = game::texts::kGerman;
const std::array<std::string_view, 6> kLabels = {kTexts.newGame, kTexts.points, kTexts.ok,
                                                 kTexts.fast, kTexts.countdown2, "12345"};

// ---- ours ----

void BM_Text_Line60(benchmark::State& state) {
  const rt::Font* font = BySize(state.range(0));
  const int mode = static_cast<int>(state.range(1));
  OpenTarget(font, mode);
  for (auto _ : state) {
    DrawAt(10, 100, kLine60);
    benchmark::ClobberMemory();
  }
  SetPixelRate(state, CellPixels(*font, kLine60));
}
BENCHMARK(BM_Text_Line60)->ArgNames({"large", "mode"})->Args({0, 1})->Args({1, 1})->Args({1, 0});

void BM_Text_Labels(benchmark::State& state) {
  const rt::Font* font = BySize(state.range(0));
  OpenTarget(font, 1);
  long long pixels = 0;
  for (std::string_view text : kLabels) pixels += 2 * CellPixels(*font, text);
  for (auto _ : state) {
    int y = 20;
    for (std::string_view text : kLabels) {
      Label(100, y, text);
      y += 20;
    }
    benchmark::ClobberMemory();
  }
  SetPixelRate(state, pixels);
}
BENCHMARK(BM_Text_Labels)->ArgName("large")->Arg(0)->Arg(1);

// Every label the game can show in one frame, and then some: the menu and the level
// list open, both result panels, both notices, the countdown and the two scores
// (changing every frame), each label drawn as shadow and face.
void BM_Text_BusyFrame(benchmark::State& state) {
  OpenTarget(Small(), 1);
  constexpr const game::texts::Table& t = kTexts;
  std::array<std::string, 11> levelNames;
  for (int n = 1; n <= 10; ++n) levelNames[static_cast<std::size_t>(n)] = std::string(t.levelPrefix) + rt::FormatNumber(n);
  std::int32_t score = 1000;
  for (auto _ : state) {
    auto centred = [](std::string_view text) { return 320 - rt::TextWidth(text) / 2; };
    rt::SetDrawFont(Small());
    Label(20, 0, t.menuButton);
    Label(20, 16, t.newGame);
    Label(20, 32, t.startLevel);
    Label(20, 48, t.resume);
    Label(centred(t.failed), 200, t.failed);
    rt::SetDrawFont(Large());
    Label(centred(t.ok), 228, t.ok);
    rt::SetDrawFont(Small());
    Label(centred(t.cleared), 200, t.cleared);
    rt::SetDrawFont(Large());
    Label(centred(t.ok), 228, t.ok);
    rt::SetDrawFont(Small());
    Label(centred(t.pleaseWait), 232, t.pleaseWait);
    Label(centred(t.paused), 232, t.paused);
    Label(570, 56, t.fast);
    Label(500, 18, t.countdown1);
    Label(500, 30, t.countdown2);
    rt::SetDrawFont(Large());
    Label(595, 20, rt::FormatNumber(score % 91));
    const std::string total = rt::FormatNumber(score);
    Label(364 - rt::TextWidth(total), 52, total);
    const std::string level = rt::FormatNumber(score / 7);
    Label(524 - rt::TextWidth(level), 52, level);
    rt::SetDrawFont(Small());
    for (int n = 1; n <= 10; ++n) Label(148, 16 * n + 16, levelNames[static_cast<std::size_t>(n)]);
    Label(500, 464, t.credit);
    ++score;
    benchmark::ClobberMemory();
  }
  state.counters["labels/frame"] = 28;
}
BENCHMARK(BM_Text_BusyFrame)->Unit(benchmark::kMicrosecond);

// ---- plain SDL2: one colour-keyed surface per character ----

constexpr Uint32 kKey = 0x00FF00FF;

struct SdlGlyphs {
  std::array<SDL_Surface*, 256> surfaces{};
  const rt::Font* font = nullptr;
};

// Each character of `font` as its own surface: ink where the glyph covers at least
// half a pixel, the key colour elsewhere (a colour key cannot blend).
SdlGlyphs MakeSdlGlyphs(const rt::Font* font, bool rle) {
  SdlGlyphs glyphs;
  glyphs.font = font;
  for (std::size_t c = 0; c < 256; ++c) {
    const rt::Glyph& g = font->glyphs[c];
    if (g.width == 0) continue;
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, g.width, g.height, 32, SDL_PIXELFORMAT_RGB888);
    for (int y = 0; y < g.height; ++y) {
      auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch);
      for (int x = 0; x < g.width; ++x) {
        const std::uint8_t weight = font->weights[g.offset + static_cast<std::size_t>(y * g.stride + x)];
        row[x] = weight >= rt::kFullInk / 2 ? kInk : kKey;
      }
    }
    SDL_SetColorKey(s, SDL_TRUE, kKey);
    if (rle) SDL_SetSurfaceRLE(s, 1);
    glyphs.surfaces[c] = s;
  }
  return glyphs;
}

SDL_Surface* SdlTarget() {
  static SDL_Surface* s = [] {
    SDL_Surface* made = SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 32, SDL_PIXELFORMAT_RGB888);
    SDL_FillRect(made, nullptr, kBackground);
    return made;
  }();
  return s;
}

const SdlGlyphs& SdlGlyphsFor(std::int64_t large, std::int64_t rle) {
  static std::array<SdlGlyphs, 4> sets = {MakeSdlGlyphs(Small(), false), MakeSdlGlyphs(Large(), false),
                                          MakeSdlGlyphs(Small(), true), MakeSdlGlyphs(Large(), true)};
  return sets[static_cast<std::size_t>(large + 2 * rle)];
}

void SdlDrawText(const SdlGlyphs& glyphs, int x, int y, std::string_view text) {
  int pen = x;
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    const rt::Glyph& g = glyphs.font->glyphs[c];
    if (glyphs.surfaces[c] != nullptr) {
      SDL_Rect dst{pen + g.left, y + g.top, g.width, g.height};
      SDL_BlitSurface(glyphs.surfaces[c], nullptr, SdlTarget(), &dst);
    }
    pen += g.advance;
  }
}

void BM_Sdl_Line60(benchmark::State& state) {
  const SdlGlyphs& glyphs = SdlGlyphsFor(state.range(0), state.range(1));
  SdlDrawText(glyphs, 10, 100, kLine60);  // lets SDL encode the runs before timing
  for (auto _ : state) {
    SdlDrawText(glyphs, 10, 100, kLine60);
    benchmark::ClobberMemory();
  }
  SetPixelRate(state, CellPixels(*glyphs.font, kLine60));
}
BENCHMARK(BM_Sdl_Line60)->ArgNames({"large", "rle"})->Args({0, 0})->Args({0, 1})->Args({1, 0})->Args({1, 1});

void BM_Sdl_Labels(benchmark::State& state) {
  const SdlGlyphs& glyphs = SdlGlyphsFor(state.range(0), state.range(1));
  long long pixels = 0;
  for (std::string_view text : kLabels) pixels += 2 * CellPixels(*glyphs.font, text);
  SdlDrawText(glyphs, 100, 20, kLine60);
  for (auto _ : state) {
    int y = 20;
    for (std::string_view text : kLabels) {
      // Shadow and face (a second set of surfaces in the shadow colour would cost the same).
      SdlDrawText(glyphs, 99, y - 1, text);
      SdlDrawText(glyphs, 100, y, text);
      y += 20;
    }
    benchmark::ClobberMemory();
  }
  SetPixelRate(state, pixels);
}
BENCHMARK(BM_Sdl_Labels)->ArgNames({"large", "rle"})->Args({0, 0})->Args({0, 1})->Args({1, 0})->Args({1, 1});

}  // namespace
