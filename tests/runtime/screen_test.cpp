// The screen: sprite table, clipping of copies, keyed copies, ClearBuffer's target,
// drawing targets handed to the canvas, and frame pacing on the virtual clock.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>

#include "runtime/canvas.h"
#include "runtime/screen.h"
#include "tests/runtime/screen_fixture.h"

namespace {

using testing_screen::ScreenTest;

// A pixel that tells which sprite pixel it came from (never 0, never white).
std::uint32_t Marker(int x, int y) { return 0x00010000u + static_cast<std::uint32_t>(y * 64 + x + 1); }

// Counts the back buffer's pixels that are not black, and checks that each of them
// is the sprite pixel that belongs there for a sprite drawn at (x, y).
int CheckSpriteDrawnAt(int x, int y) {
  int drawn = 0;
  const rt::Surface& back = *rt::BackBuffer();
  for (int py = 0; py < back.height; ++py) {
    for (int px = 0; px < back.width; ++px) {
      const std::uint32_t p = back.At(px, py);
      const int sx = px - x, sy = py - y;
      const bool inside = sx >= 0 && sx < 32 && sy >= 0 && sy < 32;
      if (inside) {
        EXPECT_EQ(p, Marker(sx, sy)) << "at " << px << "," << py;
        ++drawn;
      } else if (p != 0) {
        ADD_FAILURE() << "stray pixel at " << px << "," << py;
      }
    }
  }
  return drawn;
}

TEST_F(ScreenTest, CopiesAreClippedAtEveryEdgeOfTheBackBuffer) {
  MakeSprite(1, 32, 32, Marker);
  struct Case {
    int x, y, pixels;
  };
  const Case cases[] = {
      {-32, 100, 0},       {-31, 100, 32},      {608, 100, 1024},   {620, 100, 20 * 32},
      {640, 100, 0},       {639, 100, 32},      {100, -32, 0},      {100, -31, 32},
      {100, 448, 1024},    {100, 460, 20 * 32}, {100, 480, 0},      {100, 479, 32},
      {-31, -31, 1},       {620, 460, 400},     {-1000, -1000, 0},  {0, 0, 1024},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "x=" << c.x << " y=" << c.y);
    for (bool keyed : {false, true}) {
      rt::ClearBuffer(0, 0, 0);
      if (keyed) {
        rt::DrawSpriteKeyed(1, c.x, c.y);
      } else {
        rt::DrawSprite(1, c.x, c.y);
      }
      EXPECT_EQ(CheckSpriteDrawnAt(c.x, c.y), c.pixels);
    }
  }
  // At x = -31 only the rightmost column lands, in column 0.
  rt::ClearBuffer(0, 0, 0);
  rt::DrawSprite(1, -31, 0);
  EXPECT_EQ(Back(0, 0), Marker(31, 0));
  EXPECT_EQ(Back(0, 31), Marker(31, 31));
  EXPECT_EQ(Back(1, 0), 0u);
}

TEST_F(ScreenTest, ClipBoundsAreThoseOfTheSelectedSprite) {
  MakeSprite(1, 32, 32, Marker);
  MakeSprite(2, 20, 10, [](int, int) { return 0x00123456u; });
  rt::SelectBuffer(2);
  rt::DrawSprite(1, -5, -3);
  const rt::Surface& target = *rt::FindSprite(2);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 20; ++x) EXPECT_EQ(target.At(x, y), Marker(x + 5, y + 3));
  }
  EXPECT_EQ(rt::BackBuffer()->At(0, 0), 0u);
}

TEST_F(ScreenTest, KeyedCopyLeavesOutExactlyTheKeyColour) {
  // Sprite 301-like: white is the key; black and near-white are drawn.
  const std::uint32_t colours[] = {0x00FFFFFF, 0x00000000, 0x00FFFFFE, 0x00070307, 0x00FF0000};
  auto pattern = [&](int x, int y) { return colours[(x + 2 * y) % 5]; };
  MakeSprite(301, 32, 32, pattern);
  MakeSprite(5, 32, 32, pattern);
  rt::SetSpriteKeyColour(301, 255, 255, 255);
  rt::ClearBuffer(10, 20, 30);
  rt::DrawSpriteKeyed(301, 0, 0);
  rt::DrawSpriteKeyed(5, 100, 0);  // never given a key: black is left out
  const std::uint32_t background = rt::PixelRGB(10, 20, 30);
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const std::uint32_t p = pattern(x, y);
      EXPECT_EQ(Back(x, y), p == 0x00FFFFFF ? background : p);
      EXPECT_EQ(Back(100 + x, y), p == 0 ? background : p);
    }
  }
}

TEST_F(ScreenTest, KeyedCopyFollowsChangesOfKeyAndPixels) {
  MakeSprite(3, 16, 16, [](int x, int) { return x < 8 ? 0u : 0x00FFFFFFu; });
  rt::ClearBuffer(1, 2, 3);
  rt::DrawSpriteKeyed(3, 0, 0);
  EXPECT_EQ(Back(0, 0), rt::PixelRGB(1, 2, 3));
  EXPECT_EQ(Back(8, 0), 0x00FFFFFFu);

  // New key: now white is left out and black drawn.
  rt::SetSpriteKeyColour(3, 255, 255, 255);
  rt::ClearBuffer(1, 2, 3);
  rt::DrawSpriteKeyed(3, 0, 0);
  EXPECT_EQ(Back(0, 0), 0u);
  EXPECT_EQ(Back(8, 0), rt::PixelRGB(1, 2, 3));

  // New pixels drawn through a canvas: the keyed copy shows them.
  rt::OpenCanvas(rt::SpriteCanvas(3));
  rt::FillBox(0, 0, 4, 4, rt::PackColour(0, 255, 0));
  rt::CloseCanvas();
  rt::ClearBuffer(1, 2, 3);
  rt::DrawSpriteKeyed(3, 0, 0);
  EXPECT_EQ(Back(0, 0), 0x0000FF00u);
  EXPECT_EQ(Back(5, 0), 0u);

  // A negative number changes the key of sprites made later only.
  rt::SetSpriteKeyColour(-1, 0, 255, 0);
  MakeSprite(4, 16, 16, [](int x, int) { return x < 8 ? 0x0000FF00u : 0u; });
  rt::ClearBuffer(1, 2, 3);
  rt::DrawSpriteKeyed(4, 0, 0);
  rt::DrawSpriteKeyed(3, 100, 0);
  EXPECT_EQ(Back(0, 0), rt::PixelRGB(1, 2, 3));
  EXPECT_EQ(Back(8, 0), 0u);
  EXPECT_EQ(Back(100, 0), 0x0000FF00u);  // sprite 3 keeps its white key
}

TEST_F(ScreenTest, KeyedCopiesMatchAPixelByPixelModelAtRandomPositions) {
  std::mt19937 rng(7);
  for (int round = 0; round < 40; ++round) {
    const int w = 1 + static_cast<int>(rng() % 70), h = 1 + static_cast<int>(rng() % 40);
    std::vector<std::uint32_t> pix(static_cast<std::size_t>(w) * h);
    for (auto& p : pix) p = (rng() % 3 == 0) ? 0u : (rng() & 0x00FFFFFFu) | 1u;
    MakeSprite(9, w, h, [&](int x, int y) { return pix[static_cast<std::size_t>(y) * w + x]; });
    const int x = static_cast<int>(rng() % 760) - 80, y = static_cast<int>(rng() % 560) - 40;
    rt::ClearBuffer(0, 0, 9);
    rt::DrawSpriteKeyed(9, x, y);
    for (int py = std::max(0, y - 1); py < std::min(480, y + h + 1); ++py) {
      for (int px = std::max(0, x - 1); px < std::min(640, x + w + 1); ++px) {
        const int sx = px - x, sy = py - y;
        std::uint32_t want = 9;
        if (sx >= 0 && sx < w && sy >= 0 && sy < h && pix[static_cast<std::size_t>(sy) * w + sx] != 0) {
          want = pix[static_cast<std::size_t>(sy) * w + sx];
        }
        ASSERT_EQ(Back(px, py), want) << "round " << round << " at " << px << "," << py;
      }
    }
  }
}

TEST_F(ScreenTest, ClearBufferClearsTheSelectedSprite) {
  MakeSprite(200, 640, 480, [](int, int) { return 0u; });
  rt::ClearBuffer(0, 0, 255);
  rt::SelectBuffer(200);
  rt::ClearBuffer(255, 0, 0);
  EXPECT_EQ(rt::FindSprite(200)->At(639, 479), 0x00FF0000u);
  EXPECT_EQ(Back(0, 0), 0x000000FFu);
  // A number without a sprite keeps the target; -1 returns to the back buffer.
  EXPECT_EQ(rt::SelectBuffer(77), rt::FindSprite(200));
  EXPECT_EQ(rt::SelectBuffer(-1), rt::BackBuffer());
  rt::ClearBuffer(0, 255, 0);
  EXPECT_EQ(Back(0, 0), 0x0000FF00u);
  EXPECT_EQ(rt::FindSprite(200)->At(0, 0), 0x00FF0000u);
}

TEST_F(ScreenTest, TableGrowsAndKeepsItsSprites) {
  EXPECT_EQ(rt::SpriteTableCount(), 50u);
  for (int n = 0; n < 50; ++n) MakeSprite(n, 2, 2, [n](int, int) { return static_cast<std::uint32_t>(n + 1); });
  MakeSprite(164, 3, 3, [](int, int) { return 164u; });
  EXPECT_EQ(rt::SpriteTableCount(), 214u);
  ASSERT_NE(rt::NewBlankSprite(500, 640, 480, 0), nullptr);
  EXPECT_EQ(rt::SpriteTableCount(), 550u);
  for (int n = 0; n < 50; ++n) {
    ASSERT_NE(rt::FindSprite(n), nullptr);
    EXPECT_EQ(rt::FindSprite(n)->At(1, 1), static_cast<std::uint32_t>(n + 1));
  }
  EXPECT_EQ(rt::FindSprite(164)->At(2, 2), 164u);
  EXPECT_EQ(rt::FindSprite(500)->At(639, 479), 0u);
  EXPECT_EQ(rt::FindSprite(499), nullptr);

  // Very large numbers work too, without a table of that size.
  ASSERT_NE(rt::NewBlankSprite(2'000'000'000, 4, 4, 0), nullptr);
  EXPECT_NE(rt::FindSprite(2'000'000'000), nullptr);
  EXPECT_EQ(rt::FindSprite(1'999'999'999), nullptr);
  // Negative numbers make nothing.
  EXPECT_EQ(rt::NewBlankSprite(-1, 4, 4, 0), nullptr);
  EXPECT_EQ(rt::FindSprite(-1), nullptr);
}

TEST_F(ScreenTest, CreatingUnderAUsedNumberReplacesTheSprite) {
  MakeSprite(7, 8, 8, [](int, int) { return 0x00ABCDEFu; });
  rt::SetSpriteKeyColour(7, 255, 255, 255);
  rt::Surface* again = rt::NewBlankSprite(7, 4, 6, 0);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(rt::FindSprite(7), again);
  EXPECT_EQ(again->width, 4);
  EXPECT_EQ(again->height, 6);
  EXPECT_EQ(again->At(3, 5), 0u);
  EXPECT_EQ(again->key, 0u);  // the default key, not the old sprite's

  // A failed creation leaves the number empty.
  EXPECT_EQ(rt::NewBlankSprite(7, 0, 6, 0), nullptr);
  EXPECT_EQ(rt::FindSprite(7), nullptr);
  MakeSprite(7, 8, 8, [](int, int) { return 1u; });
  EXPECT_EQ(rt::NewBlankSprite(7, 100000, 4, 0), nullptr);
  EXPECT_EQ(rt::FindSprite(7), nullptr);
  rt::DrawSprite(7, 0, 0);  // nothing there: nothing drawn
  EXPECT_EQ(Back(0, 0), 0u);
}

TEST_F(ScreenTest, ReplacingTheSelectedSpriteLeavesNoStaleTarget) {
  MakeSprite(8, 8, 8, [](int, int) { return 0u; });
  rt::SelectBuffer(8);
  rt::OpenCanvas(rt::SpriteCanvas(8));
  rt::NewBlankSprite(8, 8, 8, 0);
  // The canvas on the old sprite was closed and the back buffer is the target again.
  rt::FillBox(0, 0, 1, 1, 0xFF);  // nothing open: draws nowhere
  EXPECT_EQ(Back(0, 0), 0u);
  rt::ClearBuffer(9, 9, 9);
  EXPECT_EQ(Back(0, 0), rt::PixelRGB(9, 9, 9));
  EXPECT_EQ(rt::FindSprite(8)->At(0, 0), 0u);
  EXPECT_NE(rt::SpriteCanvas(8), nullptr);
}

TEST_F(ScreenTest, DrawingTargetsAreHandedOutOneOfEachKindAtATime) {
  MakeSprite(5, 4, 4, [](int, int) { return 0u; });
  MakeSprite(6, 4, 4, [](int, int) { return 0u; });
  EXPECT_EQ(rt::SpriteCanvas(99), nullptr);  // no such sprite
  rt::CanvasRecord* first = rt::SpriteCanvas(5);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->type, 7);
  EXPECT_EQ(first->surface, rt::FindSprite(5));
  EXPECT_EQ(rt::SpriteCanvas(6), nullptr);
  rt::CanvasRecord* screen = rt::ScreenCanvas();
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(screen->surface, rt::BackBuffer());
  EXPECT_EQ(rt::ScreenCanvas(), nullptr);

  rt::OpenCanvas(first);
  rt::CloseCanvas();  // gives sprite 5 back
  EXPECT_NE(rt::SpriteCanvas(6), nullptr);
  rt::PresentFrame();  // gives the screen back
  EXPECT_NE(rt::ScreenCanvas(), nullptr);
}

TEST_F(ScreenTest, PresentShowsTheBackBufferAndSelectsIt) {
  MakeSprite(200, 4, 4, [](int, int) { return 0u; });
  rt::ClearBuffer(1, 2, 3);
  rt::SelectBuffer(200);
  rt::PresentFrame();
  EXPECT_EQ(backend_.PresentCount(), 1);
  ASSERT_EQ(backend_.LastFrame().size(), 640u * 480u);
  EXPECT_EQ(backend_.LastFrame()[640 * 480 - 1], rt::PixelRGB(1, 2, 3));
  rt::ClearBuffer(4, 5, 6);  // the back buffer is the target again
  EXPECT_EQ(Back(0, 0), rt::PixelRGB(4, 5, 6));
}

TEST_F(ScreenTest, PacingHoldsEachFrameToThePeriodWithoutCatchingUp) {
  ASSERT_EQ(rt::SetFramePace(50), 1);
  constexpr std::uint64_t kFrame = 19'607'844;  // 1e9 / 51 counts, plus the one past it
  // The frame loop's part: the platform waits as long as the runtime says.
  for (std::uint64_t k = 1; k <= 5; ++k) {
    backend_.WaitUntil(rt::WaitMilliseconds(10).until);
    backend_.WaitUntil(rt::PresentFrame().until);
    EXPECT_EQ(backend_.Nanoseconds(), k * kFrame);
  }
  // A frame whose work takes 30 ms is shown at once ...
  backend_.WaitUntil(rt::WaitMilliseconds(30).until);
  const std::uint64_t overrun = 5 * kFrame + 30'000'000;
  const rt::FrameWait late = rt::PresentFrame();
  EXPECT_EQ(late.kind, rt::FrameWait::Kind::kPace);
  EXPECT_EQ(late.until, overrun);
  // ... and the next period starts from there.
  backend_.WaitUntil(rt::WaitMilliseconds(10).until);
  backend_.WaitUntil(rt::PresentFrame().until);
  EXPECT_EQ(backend_.Nanoseconds(), overrun + kFrame);
  EXPECT_EQ(backend_.PresentCount(), 7);

  // A rate of 0 stops pacing; a negative one is refused.  A negative sleep is not an
  // endless one: no wait at all.
  ASSERT_EQ(rt::SetFramePace(0), 1);
  EXPECT_EQ(rt::PresentFrame().until, backend_.Nanoseconds());
  EXPECT_EQ(rt::SetFramePace(-1), 0);
  EXPECT_EQ(rt::WaitMilliseconds(-1).until, backend_.Nanoseconds());
}

// A platform may run the steps after the showing before the pacing wait is over: they
// are at the wait's end all the same, and so is the sleep that follows.  Frames left
// out while nothing moved keep the deadlines on their grid.
TEST_F(ScreenTest, TheFrameIsAtItsDeadlineBeforeItsWaitAndStillFramesKeepTheGrid) {
  ASSERT_EQ(rt::SetFramePace(50), 1);
  constexpr std::uint64_t kFrame = 19'607'844;
  backend_.WaitUntil(rt::WaitMilliseconds(10).until);
  const rt::FrameWait shown = rt::PresentFrame();
  ASSERT_EQ(shown.until, kFrame);
  EXPECT_EQ(backend_.Nanoseconds(), 10'000'000u);
  EXPECT_EQ(rt::FrameTime(), kFrame);
  EXPECT_EQ(rt::TickCount(), kFrame / 1'000'000);
  EXPECT_EQ(backend_.CurrentTickCount(), 10u);  // the clock itself has not moved
  const rt::FrameWait sleep = rt::WaitMilliseconds(10);
  EXPECT_EQ(sleep.until, kFrame + 10'000'000);

  // Still from the frame due then until 3.5 frames later: the frames due at the
  // sleep's end and one, two and three frames after it count as shown ...
  EXPECT_EQ(rt::PassStillFrames(sleep.until, sleep.until), 0u);
  EXPECT_EQ(rt::PassStillFrames(sleep.until, sleep.until + 3 * kFrame + kFrame / 2), 4u);
  backend_.WaitUntil(sleep.until + 3 * kFrame + kFrame / 2);
  // ... and the frame that runs now has the deadline after theirs.
  EXPECT_EQ(rt::PresentFrame().until, 6 * kFrame);
}

TEST_F(ScreenTest, NothingIsDrawnOrMadeWhileTheScreenIsClosed) {
  MakeSprite(1, 4, 4, [](int, int) { return 5u; });
  rt::EndScreenModule();
  EXPECT_EQ(rt::FindSprite(1), nullptr);
  EXPECT_EQ(rt::BackBuffer(), nullptr);
  EXPECT_EQ(rt::NewBlankSprite(1, 4, 4, 0), nullptr);
  EXPECT_EQ(rt::ScreenCanvas(), nullptr);
  rt::ClearBuffer(1, 1, 1);
  rt::DrawSprite(1, 0, 0);
  rt::PresentFrame();
  EXPECT_EQ(backend_.PresentCount(), 0);
  // Opening needs a window.
  EXPECT_EQ(rt::OpenWindowScreen(0, 0, 0, 640, 480, 0, 0, 0), 0);
}

}  // namespace
