#pragma once
// A headless screen for the screen, canvas and BMP tests: the window and the 640 x 480
// screen opened as the game opens them, on a virtual clock.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "runtime/canvas.h"
#include "platform/headless/headless_backend.h"
#include "runtime/screen.h"
#include "runtime/window.h"

namespace testing_screen {

class ScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetBackend(&backend_);
    rt::StartDrawingModule();
    rt::StartWindowModule();
    rt::StartScreenModule();
    const int window = rt::OpenMainWindow(1, 640, 300, 640, 480, rt::kPopupStyle, "Quelmo");
    ASSERT_EQ(rt::OpenWindowScreen(rt::MainWindowHandle(1), 0, 0, 640, 480, 0, 0, 0), 1);
    ASSERT_NE(window, 0);
  }
  void TearDown() override {
    rt::CloseCanvas();
    rt::EndScreenModule();
    rt::EndWindowModule();
  }

  // Makes a sprite of the given size whose pixels are given by f(x, y).
  template <class F>
  rt::Surface* MakeSprite(int number, int width, int height, F f) {
    rt::Surface* s = rt::NewBlankSprite(number, width, height, 0);
    if (s == nullptr) return nullptr;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) s->Row(y)[x] = f(x, y);
    }
    s->Touch();
    return s;
  }

  static std::uint32_t Back(int x, int y) { return rt::BackBuffer()->At(x, y); }

  platform::HeadlessBackend backend_;
};

// A whole BMP file: pixels given top row first as 0x00RRGGBB, stored with the given
// bits per pixel (16 = 5-5-5, 24, 32), rows bottom-up and padded to four bytes.
inline std::vector<std::uint8_t> MakeBmp(int width, int height, int bits,
                                         const std::vector<std::uint32_t>& pixels,
                                         std::uint32_t fourthByte = 0) {
  const std::size_t rowBytes = static_cast<std::size_t>(width) * (bits / 8);
  const std::size_t stride = (rowBytes + 3) & ~std::size_t{3};
  std::vector<std::uint8_t> out(54 + stride * height, 0);
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  out[0] = 'B';
  out[1] = 'M';
  put32(2, static_cast<std::uint32_t>(out.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(width));
  put32(22, static_cast<std::uint32_t>(height));
  out[26] = 1;
  out[28] = static_cast<std::uint8_t>(bits);
  for (int row = 0; row < height; ++row) {
    std::uint8_t* dst = out.data() + 54 + stride * row;
    const std::uint32_t* src = pixels.data() + static_cast<std::size_t>(height - 1 - row) * width;
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = src[x];
      const std::uint8_t r = static_cast<std::uint8_t>(p >> 16), g = static_cast<std::uint8_t>(p >> 8),
                         b = static_cast<std::uint8_t>(p);
      if (bits == 16) {
        const std::uint32_t v = ((r >> 3u) << 10) | ((g >> 3u) << 5) | (b >> 3u);
        *dst++ = static_cast<std::uint8_t>(v);
        *dst++ = static_cast<std::uint8_t>(v >> 8);
      } else {
        *dst++ = b;
        *dst++ = g;
        *dst++ = r;
        if (bits == 32) *dst++ = static_cast<std::uint8_t>(fourthByte);
      }
    }
  }
  return out;
}

}  // namespace testing_screen
