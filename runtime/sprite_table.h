#pragma once
// The table of numbered sprites.  Numbers are any non-negative integers chosen by the
// game; the table starts with room for 50 and, when a number at or beyond its size is
// used, grows to that number + 50, keeping every sprite it holds.  Numbers so large
// that such a table would waste memory (the game stays below 600) are kept aside in a
// map, so that every non-negative number works.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "runtime/keyed_runs.h"
#include "runtime/surface.h"

namespace rt {

struct Sprite {
  std::unique_ptr<Surface> surface;  // null = no sprite under this number
  int sourceDepth = 0;               // bits per pixel of the image it was made from
  int flags = 0;                     // creation flags
  KeyedRuns runs;                    // non-key runs for keyed copies
};

class SpriteTable {
 public:
  static constexpr int kInitialCount = 50;
  static constexpr int kGrowth = 50;
  static constexpr int kLargestDense = 1 << 16;

  SpriteTable() { Reset(); }

  // Back to 50 empty records.
  void Reset();
  // The sprite under `number`, or null if there is none (or the number is negative).
  Sprite* Find(int number);
  // Makes room for `number` (growing the table if needed) and returns its record,
  // which may still hold a sprite.  `number` must be non-negative.
  Sprite& Slot(int number);
  // Calls f(sprite) for every record that holds a sprite.
  template <class F>
  void ForEach(F f) {
    for (Sprite& sprite : dense_) {
      if (sprite.surface) f(sprite);
    }
    for (auto& [number, sprite] : sparse_) {
      if (sprite.surface) f(sprite);
    }
  }
  // Number of records of the table.
  std::size_t Count() const { return dense_.size(); }

 private:
  std::vector<Sprite> dense_;
  std::map<int, Sprite> sparse_;
};

}  // namespace rt
