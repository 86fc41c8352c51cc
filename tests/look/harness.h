#pragma once
// A whole game on the headless backend, for tests that look at the pixels the player
// sees: the presented frames and the water layer beneath the board.
#include <cstdint>
#include <vector>

#include "game/game.h"
#include "game/sprites.h"
#include "game/state.h"
#include "platform/platform.h"
#include "runtime/canvas.h"
#include "platform/headless/headless_backend.h"
#include "runtime/screen.h"
#include "runtime/surface.h"

namespace looktest {

constexpr std::uint32_t Rgb(int r, int g, int b) { return rt::PixelRGB(r, g, b); }

// The colour of stream n (1..4) as a pixel value.
constexpr std::uint32_t StreamPixel(int n) {
  const game::StreamRgb& c = game::kStreamColours[static_cast<std::size_t>(n)];
  return Rgb(c.red, c.green, c.blue);
}
constexpr std::uint32_t kCyan = StreamPixel(1);
constexpr std::uint32_t kLightRed = StreamPixel(2);
constexpr std::uint32_t kBlack = 0;

class Game {
 public:
  Game() {
    platform::SetBackend(&backend_);
    game::GameStartup(s);
  }
  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  void Frames(int n) {
    for (int i = 0; i < n; ++i) game::GameFrame(s);
  }
  // A press and release at window point (x, y): one frame held, one frame released.
  void Click(int x, int y) {
    backend_.SetPointerInWindow(x, y);
    backend_.SetButton(true);
    Frames(1);
    backend_.SetButton(false);
    Frames(1);
  }
  void MouseAt(int x, int y) { backend_.SetPointerInWindow(x, y); }
  void Button(bool down) { backend_.SetButton(down); }

  // A pixel of the last presented frame.
  std::uint32_t Pixel(int x, int y) const {
    return backend_.LastFrame().at(static_cast<std::size_t>(y) * 640 + static_cast<std::size_t>(x));
  }
  const std::vector<std::uint32_t>& Frame() const { return backend_.LastFrame(); }
  platform::HeadlessBackend& Backend() { return backend_; }
  // A pixel of the water layer, which the board shows through its channels.
  static const rt::Surface& WaterLayer() { return *rt::FindSprite(game::sprite::kWaterLayer); }
  static std::uint32_t Water(int x, int y) { return WaterLayer().At(x, y); }

  // A level in play without set-up: the board is grass, the water layer black, no
  // countdown, no water flowing until a stream is given.
  void ReadyToPlay() {
    for (int c = game::kFirstColumn; c <= game::kLastColumn; ++c)
      for (int r = game::kFirstRow; r <= game::kLastRow; ++r) {
        s.TileGrid[c][r] = 0;
        s.LockGrid[c][r] = 0;
      }
    for (auto& st : s.Streams) st = game::StreamRecord{};
    s.Level = 1;
    s.PhaseCounter = 200;
    s.FlowCountdown = 5;
    s.FlowStep = -1;
    s.QueueSlide = 0;
    FillWater(kBlack);
  }
  // Fills the whole water layer with one colour, as if water had flowed everywhere.
  static void FillWater(std::uint32_t pixel) {
    rt::OpenCanvas(rt::SpriteCanvas(game::sprite::kWaterLayer));
    const int r = static_cast<int>((pixel >> 16) & 255), g = static_cast<int>((pixel >> 8) & 255),
              b = static_cast<int>(pixel & 255);
    rt::FillBox(0, 0, 640, 480, rt::PackColour(r, g, b));
    rt::CloseCanvas();
  }

  game::GameState s;

 private:
  platform::HeadlessBackend backend_;
};

}  // namespace looktest
