// Pressed looks of the controls while the button is held, and the lasting looks.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <utility>

#include "game/control_table.h"
#include "game/level_list.h"
#include "runtime/screen.h"
#include "tests/look/pixels.h"

namespace {

using game::ControlId;
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
// The same at the top-left corner of a control or a panel.
bool Shows(const Game& g, int number, const game::Rect& place) {
  return Shows(g, number, place.left, place.top);
}

// Away from every control, where nothing shows pressed.
constexpr game::Point kAway{700, 500};

TEST(ControlsLook, SchnellShowsPressedOnlyWhileHeldBeforeTheWaterFlows) {
  Game g;
  g.Mouse(game::CentreOf(game::kFastButton));
  g.Down();
  g.Frames(1);
  EXPECT_TRUE(Shows(g, 123, game::kFastButton));
  g.Up();
  g.Frames(2);
  EXPECT_EQ(g.s.FlowSpeed, 1);
  EXPECT_TRUE(Shows(g, 122, game::kFastButton));
  // Once fast, it stays pressed.
  g.s.FlowStep = 0;
  g.s.PhaseCounter = 200;
  g.s.TileGrid[3][5] = 2;
  g.s.Streams[1] = game::StreamRecord{3, 5, 1, 0, -1, 0};
  g.s.Paused = 1;  // the stream stays in its pipe
  g.Click(game::CentreOf(game::kFastButton));
  g.Mouse(kAway);
  g.Frames(1);
  EXPECT_EQ(g.s.FlowSpeed, 4);
  EXPECT_TRUE(Shows(g, 123, game::kFastButton));
}

TEST(ControlsLook, MenuAndLevelListShowTheirEntriesAndTheChosenLevelPressed) {
  Game g;
  g.Click(game::CentreOf(game::kMenuButton));
  g.Click(game::CentreOf(game::kStartLevelEntry));
  g.Click(game::CentreOf(game::LevelListEntry(6)));
  g.Mouse(kAway);
  g.Frames(1);
  ASSERT_EQ(g.s.StartLevel, 6);
  EXPECT_TRUE(Shows(g, 105, game::kMenuButton));  // pressed while the menu is open
  for (const game::Rect& entry : {game::kNewGameEntry, game::kStartLevelEntry, game::kPauseEntry})
    EXPECT_TRUE(Shows(g, 104, entry)) << entry.top;
  for (int n = 1; n <= 10; ++n) EXPECT_TRUE(Shows(g, n == 6 ? 105 : 104, game::LevelListEntry(n))) << n;
  // Held over an entry, it shows pressed; the close button likewise.
  g.Mouse(game::CentreOf(game::kStartLevelEntry));
  g.Down();
  g.Frames(1);
  EXPECT_TRUE(Shows(g, 105, game::kStartLevelEntry));
  EXPECT_FALSE(Shows(g, 105, game::kNewGameEntry));
  g.Mouse(game::CentreOf(game::kCloseButton));
  g.Frames(1);
  EXPECT_TRUE(Shows(g, 111, game::kCloseButton));
}

// Held at its centre, a control shows pressed where it shows: the title bar and
// "Schnell" always (the menu button also during the setup, when a release there does
// nothing), the menu's and the list's entries while open, "O K" with a result.
TEST(ControlsLook, HeldControlsShowPressedWhereTheyShow) {
  using Id = ControlId;
  const auto openList = [](Game& g) { g.ClickOn(game::kMenuButton), g.ClickOn(game::kStartLevelEntry); };
  const std::pair<std::function<void(Game&)>, std::set<Id>> states[] = {
      {[](Game& g) { g.NewGame(); }, {Id::kMenu, Id::kClose, Id::kFast}},
      {openList, {Id::kMenu, Id::kClose, Id::kFast, Id::kNewGame, Id::kStartLevel, Id::kPause, Id::kListEntry}},
      {[=](Game& g) { openList(g), g.ClickOn(game::kPauseEntry); },  // the list without the menu
       {Id::kMenu, Id::kClose, Id::kFast, Id::kListEntry}},
      {[](Game& g) { g.s.LevelFailed = 1; }, {Id::kMenu, Id::kClose, Id::kFast, Id::kOk}},
  };
  for (const auto& [reach, shown] : states) {
    Game probe;
    reach(probe);
    for (const game::Control& c : game::AllControls(probe.s)) {
      Game g;
      reach(g);
      g.MouseOn(c.hit);
      g.Down();
      g.Frames(1);
      const int pressed = c.id == Id::kClose ? 111 : c.id == Id::kFast || c.id == Id::kOk ? 123 : 105;
      EXPECT_EQ(Shows(g, pressed, c.hit), shown.count(c.id) == 1) << static_cast<int>(c.id) << " " << c.level;
    }
  }
}

TEST(ControlsLook, PanelsShowForSetupPauseAndTheResult) {
  Game g;
  g.s.PhaseCounter = 50;
  g.s.Level = 1;
  g.Frames(1);
  EXPECT_TRUE(Shows(g, 202, game::kNoticePanelPlace));
  g.s.PhaseCounter = -1;
  g.s.LevelFailed = 1;
  g.Frames(1);
  EXPECT_FALSE(Shows(g, 202, game::kNoticePanelPlace));
  EXPECT_TRUE(Shows(g, 201, game::kResultPanelPlace));
  g.Mouse(game::CentreOf(game::kOkButton));
  g.Down();
  g.Frames(1);
  EXPECT_TRUE(Shows(g, 123, game::kOkButton));
}

}  // namespace
