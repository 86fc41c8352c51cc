// Pressed looks of the controls while the button is held, and the lasting looks.
#include <gtest/gtest.h>

#include "runtime/screen.h"
#include "tests/look/pixels.h"

namespace {

using looktest::Game;

// True if the presented frame shows sprite `number` at (x, y), judged by its outer
// ring of pixels (the labels drawn over controls never reach it; raised and pressed
// controls differ there, their light and dark rings being swapped).
bool Shows(const Game& g, int number, int x, int y) {
  const rt::Surface* sprite = rt::FindSprite(number);
  const int w = sprite->width, h = sprite->height;
  for (int sy = 0; sy < h; ++sy)
    for (int sx = 0; sx < w; ++sx) {
      if (sx != 0 && sy != 0 && sx != w - 1 && sy != h - 1) continue;
      const std::uint32_t p = sprite->At(sx, sy);
      if (p != sprite->key && g.Pixel(x + sx, y + sy) != p) return false;
    }
  return true;
}

TEST(ControlsLook, SchnellShowsPressedOnlyWhileHeldBeforeTheWaterFlows) {
  Game g;
  g.Mouse(590, 64);
  g.Down();
  g.Frames(1);
  EXPECT_TRUE(Shows(g, 123, 560, 48));
  g.Up();
  g.Frames(2);
  EXPECT_EQ(g.s.FlowSpeed, 1);
  EXPECT_TRUE(Shows(g, 122, 560, 48));
  // Once fast, it stays pressed.
  g.s.FlowStep = 0;
  g.s.PhaseCounter = 200;
  g.s.TileGrid[3][5] = 2;
  g.s.Streams[1] = game::StreamRecord{3, 5, 1, 0, -1, 0};
  g.s.Paused = 1;  // the stream stays in its pipe
  g.Click(590, 64);
  g.Mouse(700, 500);
  g.Frames(1);
  EXPECT_EQ(g.s.FlowSpeed, 4);
  EXPECT_TRUE(Shows(g, 123, 560, 48));
}

TEST(ControlsLook, MenuAndLevelListShowTheirEntriesAndTheChosenLevelPressed) {
  Game g;
  g.Click(60, 8);
  g.Click(60, 40);
  g.Click(200, 16 * 6 + 24);  // level 6
  g.Mouse(700, 500);
  g.Frames(1);
  ASSERT_EQ(g.s.StartLevel, 6);
  EXPECT_TRUE(Shows(g, 105, 16, 0));  // the menu button, pressed while the menu is open
  for (int y : {16, 32, 48}) EXPECT_TRUE(Shows(g, 104, 16, y)) << y;
  for (int n = 1; n <= 10; ++n)
    EXPECT_TRUE(Shows(g, n == 6 ? 105 : 104, 144, 16 * n + 16)) << n;
  // Held over an entry, it shows pressed; the close button likewise.
  g.Mouse(60, 40);
  g.Down();
  g.Frames(1);
  EXPECT_TRUE(Shows(g, 105, 16, 32));
  EXPECT_FALSE(Shows(g, 105, 16, 16));
  g.Mouse(630, 8);
  g.Frames(1);
  EXPECT_TRUE(Shows(g, 111, 624, 0));
}

TEST(ControlsLook, PanelsShowForSetupPauseAndTheResult) {
  Game g;
  g.s.PhaseCounter = 50;
  g.s.Level = 1;
  g.Frames(1);
  EXPECT_TRUE(Shows(g, 202, 240, 208));
  g.s.PhaseCounter = -1;
  g.s.LevelFailed = 1;
  g.Frames(1);
  EXPECT_FALSE(Shows(g, 202, 240, 208));
  EXPECT_TRUE(Shows(g, 201, 240, 176));
  g.Mouse(320, 240);
  g.Down();
  g.Frames(1);
  EXPECT_TRUE(Shows(g, 123, 288, 224));
}

}  // namespace
