// A level played by keys alone, as the keyboard pointer plays it: the menu, a new
// game, steps over the board, pieces laid with a tap and with a held key, and Tab
// round the title bar to the close button, which ends the game.
#include <gtest/gtest.h>

#include "game/layout.h"
#include "platform/keys.h"
#include "tests/driver/played_game.h"

namespace {

using platform::Key;
using testing_game::CellX;
using testing_game::CellY;

TEST(Keyboard, PlaysALevelByKeysAlone) {
  testing_game::Game g(7);
  const auto pointerAt = [&](game::Point p) { return g.s.FrameMouseX == p.x && g.s.FrameMouseY == p.y; };

  g.Press(Key::kEscape);  // the menu button, clicked
  EXPECT_EQ(g.s.MenuOpen, 1);
  EXPECT_TRUE(pointerAt(game::CentreOf(game::kMenuButton)));
  g.Press(Key::kDown);
  EXPECT_TRUE(pointerAt(game::CentreOf(game::kNewGameEntry)));
  g.Press(Key::kReturn);  // "Neues Spiel"
  EXPECT_EQ(g.s.Level, 1);
  g.RunUntilPlay();

  // Down from the menu reaches the board; the arrows step one cell to its centre.
  g.Press(Key::kDown);
  EXPECT_EQ(g.s.FrameMouseY, CellY(game::kFirstRow));
  const int column = g.s.FrameMouseX / 32;
  g.Press(Key::kDown);
  g.Press(Key::kDown);
  g.Press(Key::kRight);
  EXPECT_TRUE(pointerAt({CellX(column + 1), CellY(game::kFirstRow + 2)}));

  // A tap lays the next piece; a held key lays one every time the strip has slid.
  while (g.s.LockGrid[column + 1][game::kFirstRow + 2] != 0) g.Press(Key::kRight);
  const std::int32_t next = g.s.PieceQueue[1];
  g.Press(Key::kSpace);
  EXPECT_EQ(g.s.TileGrid[g.s.HoverColumn][g.s.HoverRow], next);
  g.Frames(10);  // the strip comes to rest
  const std::int32_t fourth = g.s.PieceQueue[4];
  g.Key(Key::kSpace, true);
  g.Frames(17);  // pieces in frames 1, 9 and 17
  g.Key(Key::kSpace, false);
  g.Frames(1);
  EXPECT_EQ(g.s.PieceQueue[1], fourth) << "a held key lays a piece every eight frames";
  EXPECT_EQ(g.s.ButtonHeld, 0);

  // Tab goes round the controls that act now, from the board to the first of them;
  // Shift+Tab from the menu button back to the close button, which ends the game.
  g.Press(Key::kTab);
  EXPECT_TRUE(pointerAt(game::CentreOf(game::kMenuButton)));
  g.Press(Key::kBackTab);
  g.Press(Key::kBackTab);
  g.Press(Key::kTab);
  EXPECT_TRUE(pointerAt(game::CentreOf(game::kCloseButton)));
  g.Press(Key::kSpace);
  EXPECT_TRUE(g.GameOver());
}

}  // namespace
