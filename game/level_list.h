#pragma once
// The start-level list: entry n (1..LastLevel) is a row of 16 pixels whose top is at
// 16n + 16, a 32-bit position that wraps like every integer of the game.  LastLevel may
// be anything a driver sets, up to 2^31 - 1 entries, so the list is never walked
// whole: only the entries whose tops lie in the band of rows asked for are visited.
// Because the positions wrap every 2^28 entries, one row can hold several entries;
// they are visited in ascending order, the order in which they would be drawn.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "game/board.h"
#include "game/layout.h"

namespace game {

constexpr int kListEntryHeight = 16;
// The list opens right of the menu; its entries are bars as wide as the menu's.
constexpr int kListLeft = kStartLevelEntry.right;
constexpr int kListRight = kListLeft + kStartLevelEntry.Width();

// The top edge of list entry n.
constexpr std::int32_t ListEntryTop(std::int64_t n) {
  return Add32(std::int64_t{kListEntryHeight} * n, kListEntryHeight);
}
// Entry n's place, and its hit rectangle.
constexpr Rect LevelListEntry(std::int64_t n) {
  const std::int32_t top = ListEntryTop(n);
  return Rect{kListLeft, top, kListRight, Add32(top, kListEntryHeight)};
}

// Calls visit(n) for every n in 1..lastLevel, ascending, whose ListEntryTop(n) lies in
// from..to (inclusive).
template <typename Visit>
void ForEachListEntry(std::int32_t lastLevel, std::int64_t from, std::int64_t to, Visit visit) {
  constexpr std::int64_t kWrap = std::int64_t{1} << 32;
  from = std::max<std::int64_t>(from, std::numeric_limits<std::int32_t>::min());
  to = std::min<std::int64_t>(to, std::numeric_limits<std::int32_t>::max());
  // Tops are multiples of the row height: start at the first one in the band.
  const std::int64_t first = from + (((-from) % kListEntryHeight) + kListEntryHeight) % kListEntryHeight;
  const std::int64_t lastUnwrapped = std::int64_t{kListEntryHeight} * lastLevel + kListEntryHeight;
  // Entry n's unwrapped top is 16n + 16; it shows at that value less a multiple of 2^32.
  for (std::int64_t lap = 0; lap * kWrap + first <= lastUnwrapped; ++lap) {
    for (std::int64_t top = first; top <= to; top += kListEntryHeight) {
      const std::int64_t n = (lap * kWrap + top - kListEntryHeight) / kListEntryHeight;
      if (n < 1) continue;
      if (n > lastLevel) return;
      visit(static_cast<std::int32_t>(n));
    }
  }
}

// The band of tops of the entries that can show in the rows of the window: an entry's
// label starts a row above its own top, so one more row on either side.
constexpr std::int64_t kFirstVisibleListTop = -kListEntryHeight;
constexpr std::int64_t kLastVisibleListTop = kWindowHeight;

}  // namespace game
