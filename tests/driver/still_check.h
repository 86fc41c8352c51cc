#pragma once
// The still rule as a property: where the game says that the next frame, seeing the
// same input, would change nothing, one more frame runs and is compared with the one
// before.  Nothing a later frame reads may change: the state's integers, the board,
// the queue, the streams, the window's place, the water layer, and the picture shown.
// One field is exempt: CountdownTick while paused, which the held countdown rewrites
// from the tick count in every frame, and which no frame reads before the one after
// the pause's end (that frame and the one before it run: the click is input).  The
// random generator is not looked at: every draw of it changes the queue or the board.
#include <cstdint>
#include <string>
#include <vector>

#include "game/sprites.h"
#include "game/state.h"
#include "programs/quelmo-sim/simulator.h"
#include "runtime/screen.h"

namespace testing_game {

struct StillLook {
  game::GameState state;
  int left = 0, top = 0;
  std::vector<std::uint32_t> water, picture;

  explicit StillLook(sim::Simulator& game)
      : state(game.State()),
        left(game.Backend().WindowLeft()),
        top(game.Backend().WindowTop()),
        water(rt::FindSprite(game::sprite::kWaterLayer)->pixels),
        picture(game.Backend().LastFrame()) {}
};

// What one more frame changed, or nothing.
inline std::string ChangedByAStillFrame(sim::Simulator& game) {
  const StillLook before(game);
  game.RunFrames(1);
  const StillLook after(game);
  const game::GameState& a = before.state;
  const game::GameState& b = after.state;
  for (const game::NamedInteger& field : game::NamedIntegers()) {
    if (field.name == "CountdownTick" && a.Paused != 0) continue;
    if (a.*field.member != b.*field.member) {
      return std::string(field.name) + " went from " + std::to_string(a.*field.member) + " to " +
             std::to_string(b.*field.member);
    }
  }
  if (a.TileGrid != b.TileGrid || a.LockGrid != b.LockGrid) return "the board changed";
  if (a.PieceQueue != b.PieceQueue) return "the queue changed";
  for (std::size_t n = 0; n < a.Streams.size(); ++n) {
    const game::StreamRecord& x = a.Streams[n];
    const game::StreamRecord& y = b.Streams[n];
    if (x.Column != y.Column || x.Row != y.Row || x.DirX != y.DirX || x.DirY != y.DirY ||
        x.GoalState != y.GoalState || x.PassState != y.PassState) {
      return "stream " + std::to_string(n) + " changed";
    }
  }
  if (before.left != after.left || before.top != after.top) return "the window moved";
  if (before.water != after.water) return "the water layer changed";
  if (before.picture != after.picture) return "the picture changed";
  return {};
}

}  // namespace testing_game
