// What reaches the screen: a still picture is sent once, and a changed one as the
// span of rows that changed.  The headless screen is built from those spans alone,
// so every pixel test also checks that no changed row is left out.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/look/pixels.h"

namespace {

TEST(Present, StillFramesAreNotSentAndChangesSendOnlyTheirRows) {
  looktest::Game g;
  platform::HeadlessBackend& screen = g.Backend();
  g.Mouse(-100, -100);  // the pointer off the window: nothing hovers
  g.Frames(60);
  const int sent = screen.ChangedPresentCount();
  g.Frames(100);
  EXPECT_EQ(screen.PresentCount(), 160);
  EXPECT_EQ(screen.ChangedPresentCount(), sent) << "an idle screen sends nothing";

  // Opening the menu (its button pressed, then the list below it) changes rows near
  // the top of the window only.
  g.MouseOn(game::kMenuButton);
  g.Down();
  g.Frames(1);
  EXPECT_EQ(screen.LastChange().first, 0);
  g.Up();
  g.Frames(1);
  const platform::RowSpan menu = screen.LastChange();
  EXPECT_FALSE(menu.Empty());
  EXPECT_LT(menu.first + menu.count, 200);
  g.Mouse(-100, -100);
  g.Frames(1);
  const int withMenu = screen.ChangedPresentCount();
  g.Frames(50);
  EXPECT_EQ(screen.ChangedPresentCount(), withMenu) << "the open menu, held still, sends nothing";

  // A level's set-up changes the picture every few frames; whatever was sent, the
  // screen shows exactly the frame the game drew.
  g.ClickOn(game::kNewGameEntry);
  g.Frames(120);
  EXPECT_GT(screen.ChangedPresentCount(), withMenu + 2);
  const rt::Surface* back = rt::BackBuffer();
  ASSERT_NE(back, nullptr);
  EXPECT_TRUE(std::equal(back->pixels.begin(), back->pixels.end(), g.Frame().begin()));
}

}  // namespace
