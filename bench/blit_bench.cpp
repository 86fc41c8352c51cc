// Sprite copies of the runtime against SDL2's own blitter on the same pixels: opaque
// and keyed copies of a 32 x 32 pipe tile and of a 640 x 480 frame-like sprite, in
// pixels per second, plus one busy frame of the game's drawing.
//
//   build/release/bench/quelmo-bench --benchmark_filter='Blit|BusyFrame'
//       --benchmark_repetitions=5 --benchmark_report_aggregates_only=true  (one line)
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "runtime/screen.h"
#include "runtime/surface.h"
#include "runtime/window.h"

namespace {

constexpr int kTile = 1;     // 32 x 32 pipe tile
constexpr int kFrame = 200;  // 640 x 480 frame around a black field
constexpr int kWater = 500;  // 640 x 480 water layer, copied opaque

// A straight pipe: a metallic body with a 12-pixel black channel through its middle.
std::uint32_t PipePixel(int x, int y) {
  if (y >= 10 && y < 22) return 0;
  const int shade = 120 + ((x * 7 + y * 13) % 40) + (y < 10 ? y * 6 : (31 - y) * 6);
  return rt::PixelRGB(shade, shade, shade + 20);
}

// The window frame: title bar, queue strip and borders in colour, the field black.
std::uint32_t FramePixel(int x, int y) {
  const bool field = x >= 16 && x < 624 && y >= 80 && y < 464;
  if (field) return 0;
  if (y >= 40 && y < 72 && x >= 16 && x < 240 && (x - 16) % 32 >= 2 && (x - 16) % 32 < 30) {
    return 0;  // the queue strip's slots
  }
  return rt::PixelRGB(40 + (x % 64), 60 + (y % 32), 90 + ((x + y) % 50));
}

struct Setup {
  platform::HeadlessBackend backend;
  Setup() {
    platform::SetBackend(&backend);
    rt::StartWindowModule();
    rt::StartScreenModule();
    rt::OpenMainWindow(1, 0, 0, 640, 480, rt::kPopupStyle, "Quelmo");
    rt::OpenWindowScreen(rt::MainWindowHandle(1), 0, 0, 640, 480, 0, 0, 0);
    Fill(rt::NewBlankSprite(kTile, 32, 32, 0), PipePixel);
    Fill(rt::NewBlankSprite(kFrame, 640, 480, 0), FramePixel);
    Fill(rt::NewBlankSprite(kWater, 640, 480, 0),
         [](int x, int y) { return (x / 16 + y / 16) % 7 == 0 ? rt::PixelRGB(0, 255, 255) : 0u; });
  }
  template <class F>
  static void Fill(rt::Surface* s, F f) {
    for (int y = 0; y < s->height; ++y) {
      for (int x = 0; x < s->width; ++x) s->Row(y)[x] = f(x, y);
    }
    s->Touch();
  }
};

Setup& Screen() {
  static Setup setup;
  return setup;
}

// Cell positions of the board: 19 x 12 cells, top-left at (32c - 16, 32r - 16).
std::vector<SDL_Point> Cells() {
  std::vector<SDL_Point> cells;
  for (int c = 1; c <= 19; ++c) {
    for (int r = 3; r <= 14; ++r) cells.push_back({32 * c - 16, 32 * r - 16});
  }
  return cells;
}

void SetRate(benchmark::State& state, int w, int h) {
  state.counters["pixels"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * w * h, benchmark::Counter::kIsRate);
}

// --- the runtime ---------------------------------------------------------------------

void BM_Blit_Ours(benchmark::State& state, int number, bool keyed) {
  Screen();
  const rt::Surface& s = *rt::FindSprite(number);
  const auto cells = Cells();
  rt::SelectBuffer(-1);
  std::size_t i = 0;
  for (auto _ : state) {
    const SDL_Point p = s.width == 32 ? cells[i++ % cells.size()] : SDL_Point{0, 0};
    if (keyed) {
      rt::DrawSpriteKeyed(number, p.x, p.y);
    } else {
      rt::DrawSprite(number, p.x, p.y);
    }
    benchmark::DoNotOptimize(rt::BackBuffer()->pixels.data());
  }
  SetRate(state, s.width, s.height);
}

// --- SDL2 ------------------------------------------------------------------------------

SDL_Surface* SdlCopyOf(const rt::Surface& s) {
  SDL_Surface* out = SDL_CreateRGBSurfaceWithFormat(0, s.width, s.height, 32, SDL_PIXELFORMAT_RGB888);
  for (int y = 0; y < s.height; ++y) {
    std::memcpy(static_cast<std::uint8_t*>(out->pixels) + static_cast<std::ptrdiff_t>(y) * out->pitch,
                s.Row(y), static_cast<std::size_t>(s.width) * 4);
  }
  return out;
}

enum class SdlMode { kOpaque, kKeyed, kKeyedRle };

void BM_Blit_Sdl(benchmark::State& state, int number, SdlMode mode) {
  Screen();
  const rt::Surface& s = *rt::FindSprite(number);
  SDL_Surface* src = SdlCopyOf(s);
  SDL_Surface* dst = SDL_CreateRGBSurfaceWithFormat(0, 640, 480, 32, SDL_PIXELFORMAT_RGB888);
  if (mode != SdlMode::kOpaque) {
    SDL_SetColorKey(src, SDL_TRUE, 0);
    if (mode == SdlMode::kKeyedRle) SDL_SetSurfaceRLE(src, 1);
  }
  const auto cells = Cells();
  SDL_Rect warm{0, 0, 0, 0};
  SDL_BlitSurface(src, nullptr, dst, &warm);  // lets SDL encode its runs before timing
  std::size_t i = 0;
  for (auto _ : state) {
    const SDL_Point p = s.width == 32 ? cells[i++ % cells.size()] : SDL_Point{0, 0};
    SDL_Rect at{p.x, p.y, 0, 0};
    SDL_BlitSurface(src, nullptr, dst, &at);
    benchmark::DoNotOptimize(dst->pixels);
  }
  SetRate(state, s.width, s.height);
  SDL_FreeSurface(src);
  SDL_FreeSurface(dst);
}

BENCHMARK_CAPTURE(BM_Blit_Ours, Opaque32, kTile, false);
BENCHMARK_CAPTURE(BM_Blit_Sdl, Opaque32, kTile, SdlMode::kOpaque);
BENCHMARK_CAPTURE(BM_Blit_Ours, Keyed32, kTile, true);
BENCHMARK_CAPTURE(BM_Blit_Sdl, Keyed32, kTile, SdlMode::kKeyed);
BENCHMARK_CAPTURE(BM_Blit_Sdl, Keyed32Rle, kTile, SdlMode::kKeyedRle);
BENCHMARK_CAPTURE(BM_Blit_Ours, Opaque640, kFrame, false);
BENCHMARK_CAPTURE(BM_Blit_Sdl, Opaque640, kFrame, SdlMode::kOpaque);
BENCHMARK_CAPTURE(BM_Blit_Ours, Keyed640, kFrame, true);
BENCHMARK_CAPTURE(BM_Blit_Sdl, Keyed640, kFrame, SdlMode::kKeyed);
BENCHMARK_CAPTURE(BM_Blit_Sdl, Keyed640Rle, kFrame, SdlMode::kKeyedRle);

// The sprite work of one busy frame: clear, the water layer opaque, the frame keyed,
// and every board cell keyed.
void BM_BusyFrame(benchmark::State& state) {
  Screen();
  const auto cells = Cells();
  for (auto _ : state) {
    rt::SelectBuffer(-1);
    rt::ClearBuffer(0, 0, 0);
    rt::DrawSprite(kWater, 0, 0);
    rt::DrawSpriteKeyed(kFrame, 0, 0);
    for (const SDL_Point& p : cells) rt::DrawSpriteKeyed(kTile, p.x, p.y);
    benchmark::DoNotOptimize(rt::BackBuffer()->pixels.data());
  }
}
BENCHMARK(BM_BusyFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
