// The table of controls agrees with the game: in each of a handful of states, a click
// at the centre of every control the table says acts changes what that control owns,
// and a click at the centre of any other control changes none of it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <set>
#include <vector>

#include "game/control_table.h"
#include "game/level_list.h"
#include "tests/driver/played_game.h"

namespace {

using game::ControlId;
using testing_game::Game;

void OpenLevelList(Game& g) {
  g.Click(game::CentreOf(game::kMenuButton));
  g.Click(game::CentreOf(game::kStartLevelEntry));
}

// The water `frames` frames on from a start tile along a pipe onto `next`: onto grass
// it fails the level, into its goal it wins it.
void Flow(Game& g, int next, int frames) {
  g.PlayOnCustomBoard();
  g.Tile(4, 9) = game::SpecialTile(2, game::kKindStart);
  g.Tile(5, 9) = game::kHorizontalPipe;
  g.Tile(6, 9) = next;
  g.Frames(frames);
}

struct Situation {
  const char* name;
  std::function<void(Game&)> reach;
  std::size_t listed;  // the list's entries in the table: those a click can choose
};
const Situation kSituations[] = {
    {"idle", [](Game&) {}, 10},
    {"menu open", [](Game& g) { g.Click(game::CentreOf(game::kMenuButton)); }, 10},
    {"level list open", OpenLevelList, 10},
    // Entries wrap round every 2^28 levels: every row of the window holds some.
    {"a list longer than the window", [](Game& g) { OpenLevelList(g), g.s.LastLevel = INT32_MAX; },
     game::kWindowHeight / game::kListEntryHeight},
    {"setup", [](Game& g) { g.NewGame(); }, 10},
    {"water flowing", [](Game& g) { Flow(g, game::kGrass, 2); }, 10},
    {"lost", [](Game& g) { Flow(g, game::kGrass, 3 * game::kCellSteps); }, 10},
    {"won", [](Game& g) { Flow(g, game::SpecialTile(2, game::kKindGoal), 3 * game::kCellSteps); }, 10},
};

// Before a list entry's click StartLevel is 0, a level no entry chooses.
void Reach(Game& g, const Situation& situation, bool listEntry) {
  situation.reach(g);
  if (listEntry) g.s.StartLevel = 0;
}

// What a click on control c changes, and in these states nothing else does.
std::vector<int> Owned(const game::Control& c, const game::GameState& s, bool over) {
  switch (c.id) {
    case ControlId::kMenu: return {s.MenuOpen};
    case ControlId::kClose: return {over};
    case ControlId::kNewGame: return {s.Level, s.PhaseCounter, s.TotalScore};
    case ControlId::kStartLevel: return {s.LevelListOpen};
    case ControlId::kPause: return {s.Paused};
    case ControlId::kListEntry: return {s.StartLevel == c.level};
    case ControlId::kFast: return {s.FlowSpeed};
    case ControlId::kOk: return {s.LevelFailed, s.LevelCleared};
  }
  return {};
}

TEST(ControlTable, AClickAtEachCentreActsExactlyWhenTheTableSays) {
  std::set<ControlId> acted;
  for (const Situation& situation : kSituations) {
    SCOPED_TRACE(situation.name);
    game::GameState unclicked[2];  // the same frames without a click
    for (const bool listEntry : {false, true}) {
      Game g;
      Reach(g, situation, listEntry);
      g.Frames(2);
      unclicked[listEntry ? 1 : 0] = g.s;
    }
    const std::vector<game::Control> all = game::AllControls(unclicked[0]);
    const auto entries = std::count_if(all.begin(), all.end(),
                                       [](const game::Control& c) { return c.id == ControlId::kListEntry; });
    EXPECT_EQ(static_cast<std::size_t>(entries), situation.listed);
    for (const game::Control& c : all) {
      SCOPED_TRACE(testing::Message() << "control " << static_cast<int>(c.id) << ", level " << c.level);
      const bool listEntry = c.id == ControlId::kListEntry;
      Game g;
      Reach(g, situation, listEntry);
      g.Mouse(game::CentreOf(c.hit));
      g.Down();
      g.Frames(1);
      // The release acts on the state its frame begins with.
      const std::vector<game::Control> acting = game::ControlsActingNow(g.s);
      const bool acts = std::any_of(acting.begin(), acting.end(), [&c](const game::Control& a) {
        return a.id == c.id && a.level == c.level;
      });
      g.Up();
      g.Frames(1);
      EXPECT_EQ(Owned(c, g.s, g.GameOver()) != Owned(c, unclicked[listEntry ? 1 : 0], false), acts);
      if (acts) acted.insert(c.id);
    }
  }
  EXPECT_EQ(acted.size(), 8u);  // every control acted somewhere
}

}  // namespace
