// The mouse: hovering, placing pieces, the title bar, menu, "Schnell", the panels'
// "O K", dragging the window and the close button.
#include <gtest/gtest.h>

#include <vector>

#include "game/layout.h"
#include "tests/driver/played_game.h"

namespace {

using game::CentreOf;
using testing_game::CellX;
using testing_game::CellY;
using testing_game::Game;

constexpr game::Point kMenu = CentreOf(game::kMenuButton);
constexpr game::Point kFast = CentreOf(game::kFastButton);
// A point well inside the field, away from every control.
constexpr game::Point kOnTheField{300, 300};

TEST(Hover, RoundsHalvesToEvenAndClampsToTheField) {
  struct Case {
    int x, y, column, row;
  };
  const std::vector<Case> cases = {
      {48, 112, 2, 4},     // 1.5 -> 2, 3.5 -> 4
      {80, 144, 2, 4},     // 2.5 -> 2, 4.5 -> 4
      {47, 111, 1, 3},     // just below the halves
      {49, 113, 2, 4},     // just above
      {16, 96, 1, 3},      // 0.5 -> 0, clamped to 1; 3.0
      {-500, -500, 1, 3},  // left of and above the window
      {5000, 5000, 19, 14},
      {623, 463, 19, 14},
      {624, 464, 19, 14},  // 19.5 -> 20 clamped; 14.5 -> 14
  };
  Game g;
  for (const Case& c : cases) {
    g.Mouse(c.x, c.y);
    g.Frames(1);
    EXPECT_EQ(g.s.FrameMouseX, c.x);
    EXPECT_EQ(g.s.HoverColumn, c.column) << c.x;
    EXPECT_EQ(g.s.HoverRow, c.row) << c.y;
  }
}

// A level in play with the countdown far from running out.
void InPlay(Game& g) {
  g.NewGame();
  g.RunUntilPlay();
}

// A placement sets the strip sliding (32) after the frame's own slide step, so a
// frame ends with QueueSlide 32 exactly when it placed a piece.
bool PlacedThisFrame(const game::GameState& s) { return s.QueueSlide == 32; }

TEST(Placement, HeldButtonPlacesEveryEighthFrameWithTheStripSliding) {
  Game g(21);
  InPlay(g);
  g.Mouse(CellX(10), CellY(10));
  g.Down();
  std::vector<int> placedAt;
  std::vector<int> slide;
  for (int f = 1; f <= 25; ++f) {
    const int next = g.s.PieceQueue[1];
    const int tileBefore = g.Tile(10, 10);
    const auto before = g.s.PieceQueue;
    g.Frames(1);
    slide.push_back(g.s.QueueSlide);
    if (PlacedThisFrame(g.s)) {
      for (int i = 1; i <= 19; ++i) EXPECT_EQ(g.s.PieceQueue[i], before[i + 1]);
      placedAt.push_back(f);
      EXPECT_EQ(g.Tile(10, 10), next);  // replaces the piece laid before
    } else {
      EXPECT_EQ(g.Tile(10, 10), tileBefore);
    }
  }
  EXPECT_EQ(placedAt, (std::vector<int>{1, 9, 17, 25}));
  EXPECT_EQ(std::vector<int>(slide.begin(), slide.begin() + 9),
            (std::vector<int>{32, 28, 24, 20, 16, 12, 8, 4, 32}));
  EXPECT_EQ(g.Lock(10, 10), 0);  // the player's pieces are never locked
}

TEST(Placement, HeldButtonLaysATrailOverTheHoveredCells) {
  Game g(22);
  InPlay(g);
  std::vector<int> expected;
  g.Down();
  for (int i = 0; i < 4; ++i) {
    g.Mouse(CellX(4 + i), CellY(12));
    expected.push_back(g.s.PieceQueue[1]);
    g.Frames(8);
  }
  for (int i = 0; i < 4; ++i) EXPECT_EQ(g.Tile(4 + i, 12), expected[i]) << i;
}

TEST(Placement, EdgesOfTheFieldAndTheBlockingConditions) {
  Game g(23);
  InPlay(g);
  auto pressAt = [&](int x, int y) {
    g.Mouse(x, y);
    g.Down();
    g.Frames(1);
    const bool placed = PlacedThisFrame(g.s);
    g.Up();
    g.Frames(9);  // released, and the strip is at rest again
    return placed;
  };
  // Find a free cell in column 1 and one inside the field.
  int row = 3;
  while (g.Lock(1, row) != 0) ++row;
  EXPECT_FALSE(pressAt(16, CellY(row)));  // the field's first pixel column
  EXPECT_TRUE(pressAt(17, CellY(row)));
  EXPECT_NE(g.Tile(1, row), 0);
  int column = 1;
  while (g.Lock(column, 3) != 0) ++column;
  EXPECT_FALSE(pressAt(CellX(column), 80));  // the field's first pixel row
  EXPECT_TRUE(pressAt(CellX(column), 81));
  EXPECT_FALSE(pressAt(624, 200));
  EXPECT_FALSE(pressAt(300, 464));
  // A locked cell: the start tile the setup placed.
  for (int c = 1; c <= 19; ++c) {
    for (int r = 3; r <= 14; ++r) {
      if (g.Tile(c, r) == 311) {
        EXPECT_FALSE(pressAt(CellX(c), CellY(r)));
        EXPECT_EQ(g.Tile(c, r), 311);
      }
    }
  }
  g.s.Paused = 1;
  EXPECT_FALSE(pressAt(CellX(10), CellY(12)));
  g.s.Paused = 0;
  g.s.MenuOpen = 1;
  EXPECT_FALSE(pressAt(CellX(10), CellY(12)));
  g.s.MenuOpen = 0;
  EXPECT_TRUE(pressAt(CellX(10), CellY(12)));
}

TEST(Placement, NothingIsPlacedOutsidePlay) {
  Game g(24);
  const auto queue = g.s.PieceQueue;
  g.Mouse(CellX(10), CellY(10));
  g.Down();
  g.Frames(40);  // idle
  g.Up();
  g.Frames(1);
  EXPECT_EQ(g.s.PieceQueue, queue);
  g.NewGame();
  g.Down();
  g.Frames(40);  // setup phase
  g.Up();
  EXPECT_EQ(g.Tile(10, 10), 0);
}

TEST(Controls, MenuActsOnReleaseAtTheReleasePosition) {
  Game g;
  g.Mouse(kMenu);
  g.Down();
  g.Frames(5);
  EXPECT_EQ(g.s.MenuOpen, 0);  // held: nothing yet
  g.Mouse(kOnTheField);
  g.Up();
  g.Frames(1);  // released elsewhere
  EXPECT_EQ(g.s.MenuOpen, 0);
  g.Mouse(kOnTheField);
  g.Down();
  g.Frames(1);
  g.Mouse(kMenu);
  g.Up();
  g.Frames(1);  // pressed elsewhere, released on the button
  EXPECT_EQ(g.s.MenuOpen, 1);
}

TEST(Controls, ReleaseOnABorderPixelDoesNotAct) {
  struct Point {
    int x, y;
    bool acts;
  };
  const game::Rect& m = game::kMenuButton;
  const std::vector<Point> points = {{m.left, kMenu.y, false},       {m.right, kMenu.y, false},
                                     {kMenu.x, m.top, false},        {kMenu.x, m.bottom, false},
                                     {m.left + 1, m.top + 1, true}, {m.right - 1, m.bottom - 1, true}};
  for (const Point& p : points) {
    Game g;
    g.Click(p.x, p.y);
    EXPECT_EQ(g.s.MenuOpen, p.acts ? 1 : 0) << p.x << "," << p.y;
  }
  // The same for "Schnell" while the water flows.
  const game::Rect& f = game::kFastButton;
  Game g;
  g.PlayOnCustomBoard();
  g.Tile(5, 5) = 311;
  g.Tile(6, 5) = 2;
  g.Frames(2);
  g.Click(f.left, kFast.y);
  g.Click(kFast.x, f.bottom);
  EXPECT_EQ(g.s.FlowSpeed, 1);
  g.Click(f.left + 1, f.bottom - 1);
  EXPECT_EQ(g.s.FlowSpeed, 4);
}

TEST(Controls, ClickShorterThanAFrameActsOnce) {
  Game g;
  g.Mouse(kMenu);
  g.Down();
  g.Up();  // pressed and released between two frames
  g.Frames(1);
  EXPECT_EQ(g.s.ButtonHeld, 1);
  EXPECT_EQ(g.s.MenuOpen, 0);
  g.Frames(1);
  EXPECT_EQ(g.s.MenuOpen, 1);
  g.Frames(10);
  EXPECT_EQ(g.s.MenuOpen, 1);

  Game h(30);
  InPlay(h);
  const int head = h.s.PieceQueue[1];
  h.Mouse(CellX(10), CellY(13));
  h.Down();
  h.Up();
  h.Frames(20);
  EXPECT_EQ(h.Tile(10, 13), head);  // exactly one piece
  EXPECT_EQ(h.s.QueueSlide, 0);
}

// Input reaches the desktop at any time, also between two steps of a frame: a press
// that comes after the frame took its window events belongs to that frame's read of
// the button, and its release to the next frame, not to the one after.
TEST(Controls, PressWithinAFrameIsReadByThatFrameAndReleasedInTheNext) {
  for (const bool releasedBeforeTheRead : {false, true}) {
    Game g;
    g.Mouse(kMenu);
    g.backend.AtNextEventStep([&] {
      g.Down();
      if (releasedBeforeTheRead) g.Up();
    });
    g.Frames(1);
    EXPECT_EQ(g.s.ButtonHeld, 1) << releasedBeforeTheRead;
    g.Up();
    g.Frames(1);
    EXPECT_EQ(g.s.ButtonHeld, 0) << releasedBeforeTheRead;
    EXPECT_EQ(g.s.MenuOpen, 1) << releasedBeforeTheRead;
  }
}

TEST(Controls, MenuButtonIsDeadDuringTheSetup) {
  Game g;
  g.NewGame();
  g.Click(kMenu);
  EXPECT_EQ(g.s.MenuOpen, 0);
  g.RunUntilPlay();
  g.Click(kMenu);
  EXPECT_EQ(g.s.MenuOpen, 1);
  g.Click(kMenu);
  EXPECT_EQ(g.s.MenuOpen, 0);
}

TEST(Controls, SchnellDoesNothingBeforeTheWaterFlows) {
  Game g;
  g.NewGame();
  g.RunUntilPlay();
  g.Click(kFast);
  EXPECT_EQ(g.s.FlowSpeed, 1);
}

TEST(Controls, PauseAndWeiterToggleAndCloseTheMenu) {
  Game g;
  g.Click(kMenu);
  g.Click(CentreOf(game::kStartLevelEntry));  // the level list opens with the menu
  g.Click(CentreOf(game::kPauseEntry));
  EXPECT_EQ(g.s.Paused, 1);
  EXPECT_EQ(g.s.MenuOpen, 0);
  EXPECT_EQ(g.s.LevelListOpen, 1);  // the list stays
  g.Click(kMenu);                   // the menu button closes the list
  EXPECT_EQ(g.s.LevelListOpen, 0);
  g.Click(CentreOf(game::kPauseEntry));  // "Weiter"
  EXPECT_EQ(g.s.Paused, 0);
}

TEST(Controls, OkOnTheFailedPanelAlsoPlacesAPieceBelowIt) {
  Game g;
  g.PlayOnCustomBoard();
  g.Tile(5, 5) = 311;
  g.Frames(128);
  ASSERT_EQ(g.s.LevelFailed, 1);
  const int head = g.s.PieceQueue[1];
  ASSERT_TRUE(game::kOkButton.Contains(300, 230));
  g.Click(300, 230);  // over board cell (9, 7)
  EXPECT_EQ(g.Tile(9, 7), head);
  EXPECT_EQ(g.s.LevelFailed, 0);
  EXPECT_EQ(g.s.PhaseCounter, -1);
}

TEST(Controls, DragMovesTheWindowWithThePointer) {
  Game g;
  const int left = g.backend.WindowLeft();
  const int top = g.backend.WindowTop();
  const game::Point grab = CentreOf(game::kDragHandle);
  g.Mouse(grab);
  g.Down();
  g.Frames(1);
  EXPECT_EQ(g.s.DragActive, 1);
  EXPECT_EQ(g.s.DragStartX, grab.x);
  EXPECT_EQ(g.s.DragStartY, grab.y);
  // The pointer moves in desktop coordinates; the window follows a frame at a time.
  for (int i = 1; i <= 10; ++i) {
    g.backend.SetPointerOnDesktop(left + grab.x + 5 * i, top + grab.y + 3 * i);
    g.Frames(1);
    EXPECT_EQ(g.backend.WindowLeft(), left + 5 * i);
    EXPECT_EQ(g.backend.WindowTop(), top + 3 * i);
  }
  // The frame that sees the release still follows the pointer, then the drag ends.
  g.backend.SetPointerOnDesktop(left + grab.x + 60, top + grab.y + 40);
  g.Up();
  g.Frames(1);
  EXPECT_EQ(g.backend.WindowLeft(), left + 60);
  EXPECT_EQ(g.backend.WindowTop(), top + 40);
  EXPECT_EQ(g.s.DragActive, 0);
  g.backend.SetPointerOnDesktop(0, 0);
  g.Frames(3);
  EXPECT_EQ(g.backend.WindowLeft(), left + 60);
}

TEST(Controls, DragStartsOnlyInTheFirstFrameOfAPressOnTheHandle) {
  Game g;
  const game::Point grab = CentreOf(game::kDragHandle);
  g.Mouse(kOnTheField);
  g.Down();
  g.Frames(1);
  g.Mouse(grab);  // moved onto the title bar while held
  g.Frames(5);
  EXPECT_EQ(g.s.DragActive, 0);
  g.Up();
  g.Frames(1);
  g.Click(game::kDragHandle.left, grab.y);  // the handle's border pixel
  EXPECT_EQ(g.s.DragActive, 0);
}

TEST(Controls, CloseButtonEndsTheGameInTheReleaseFrame) {
  Game g;
  g.Mouse(CentreOf(game::kCloseButton));
  g.Down();
  g.Frames(3);  // held: nothing happens
  EXPECT_FALSE(g.GameOver());
  const int shown = g.backend.PresentCount();
  g.Up();
  g.Frames(5);
  // The release ends the game: that frame shows nothing, and no frame runs after it.
  EXPECT_TRUE(g.GameOver());
  EXPECT_EQ(g.FramesRun(), 3u);
  EXPECT_EQ(g.backend.PresentCount(), shown);
  EXPECT_FALSE(g.backend.WindowOpen());
}

TEST(Controls, DesktopCloseRequestIsIgnored) {
  Game g;
  g.backend.QueueEvent(platform::kEventClose);
  g.Frames(5);
  EXPECT_TRUE(g.backend.WindowOpen());
}

}  // namespace
