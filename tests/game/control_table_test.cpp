// The table of controls agrees with the game: in each of a handful of states, a click
// at the centre of a control the table says acts changes what that control owns, and
// a click at the centre of any other control changes none of it, compared with the
// same frames without the click.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <set>
#include <utility>
#include <vector>

#include "game/control_table.h"
#include "game/level_list.h"
#include "tests/driver/played_game.h"

namespace {

using game::ControlId;
using testing_game::Game;

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

void OpenLevelList(Game& g) {
  g.ClickOn(game::kMenuButton);
  g.ClickOn(game::kStartLevelEntry);
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

TEST(ControlTable, AClickAtEachCentreActsExactlyWhenTheTableSays) {
  const int goal = game::SpecialTile(2, game::kKindGoal), late = 3 * game::kCellSteps;
  // Each state, with the number of list entries the table lists: those a click can choose.
  const std::pair<std::function<void(Game&)>, std::size_t> states[] = {
      {[](Game&) {}, 10},                                       // idle
      {[](Game& g) { g.ClickOn(game::kMenuButton); }, 10},      // the menu open
      {OpenLevelList, 10},                                      // the list open
      {[](Game& g) { OpenLevelList(g), g.s.LastLevel = INT32_MAX; },  // wrapped round: one
       game::kWindowHeight / game::kListEntryHeight},                 // entry on every row
      {[](Game& g) { g.NewGame(); }, 10},                       // the setup
      {[](Game& g) { g.ReadyToPlay(); }, 10},                   // the countdown running
      {[](Game& g) { Flow(g, game::kGrass, 2); }, 10},          // the water flowing
      {[late](Game& g) { Flow(g, game::kGrass, late); }, 10},   // lost
      {[=](Game& g) { Flow(g, goal, late); }, 10},              // won
  };
  std::set<ControlId> acted;
  int state = 0;
  for (const auto& [reach, listed] : states) {
    SCOPED_TRACE(testing::Message() << "state " << state++);
    // Before a list entry's click StartLevel is 0, a level no entry chooses.
    const auto start = [&reach = reach](Game& g, bool entry) {
      reach(g);
      if (entry) g.s.StartLevel = 0;
    };
    game::GameState unclicked[2];
    for (const bool entry : {false, true}) {
      Game g;
      start(g, entry);
      g.Frames(2);
      unclicked[entry ? 1 : 0] = g.s;
    }
    const std::vector<game::Control> all = game::AllControls(unclicked[0]);
    std::size_t entries = 0;
    for (const game::Control& c : all) entries += c.id == ControlId::kListEntry ? 1 : 0;
    EXPECT_EQ(entries, listed);
    for (const game::Control& c : all) {
      const bool entry = c.id == ControlId::kListEntry;
      Game g;
      start(g, entry);
      g.MouseOn(c.hit);
      g.Down();
      g.Frames(1);
      // The release acts on the state its frame begins with.
      const std::vector<game::Control> acting = game::ControlsActingNow(g.s);
      const bool acts = std::any_of(acting.begin(), acting.end(), [&c](const game::Control& a) {
        return a.id == c.id && a.level == c.level;
      });
      g.Up();
      g.Frames(1);
      EXPECT_EQ(Owned(c, g.s, g.GameOver()) != Owned(c, unclicked[entry ? 1 : 0], false), acts)
          << "control " << static_cast<int>(c.id) << ", level " << c.level;
      if (acts) acted.insert(c.id);
    }
  }
  EXPECT_EQ(acted.size(), 8u);  // every control acted somewhere
}

}  // namespace
