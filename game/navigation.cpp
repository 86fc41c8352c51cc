// The pointer's steps between controls and over the board.
#include "game/navigation.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

#include "game/board.h"
#include "game/control_table.h"

namespace game {
namespace {

// The control acting now that the pointer at `at` is on, by its index in `controls`.
std::optional<std::size_t> ControlAt(const std::vector<Control>& controls, Point at) {
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].hit.Contains(at.x, at.y)) return i;
  }
  return std::nullopt;
}

// The board's cell under `at` (its square, edges included), if any.
struct Cell {
  std::int32_t column, row;
};
std::optional<Cell> CellAt(Point at) {
  const Point first = CellCentre(kFirstColumn, kFirstRow);
  const Point last = CellCentre(kLastColumn, kLastRow);
  constexpr int kHalf = 16;
  if (at.x < first.x - kHalf || at.x >= last.x + kHalf || at.y < first.y - kHalf ||
      at.y >= last.y + kHalf) {
    return std::nullopt;
  }
  return Cell{(at.x + kHalf) / 32, (at.y + kHalf) / 32};
}

// How far `to` lies from `from` the way of `step`: along it, and twice the distance
// beside it, so that a target in line wins over a nearer one off to the side.  None
// for a target not that way at all.
std::optional<std::int64_t> Distance(Point from, Point to, Step step) {
  std::int64_t along = 0, beside = 0;
  switch (step) {
    case Step::kLeft: along = from.x - to.x, beside = to.y - from.y; break;
    case Step::kRight: along = to.x - from.x, beside = to.y - from.y; break;
    case Step::kUp: along = from.y - to.y, beside = to.x - from.x; break;
    default: along = to.y - from.y, beside = to.x - from.x; break;  // kDown
  }
  if (along <= 0) return std::nullopt;
  return along + 2 * std::llabs(beside);
}

// The nearest centre the way of `step`: of the controls acting now and the cells.
Point Nearest(const std::vector<Control>& controls, Point at, Step step) {
  std::optional<std::int64_t> best;
  Point chosen = at;
  const auto consider = [&](Point p) {
    const std::optional<std::int64_t> d = Distance(at, p, step);
    if (d && (!best || *d < *best)) {
      best = d;
      chosen = p;
    }
  };
  for (const Control& c : controls) consider(CentreOf(c.hit));
  for (std::int32_t column = kFirstColumn; column <= kLastColumn; ++column) {
    for (std::int32_t row = kFirstRow; row <= kLastRow; ++row) consider(CellCentre(column, row));
  }
  return chosen;
}

}  // namespace

Point StepPointer(const GameState& s, Point at, Step step) {
  const std::vector<Control> controls = ControlsActingNow(s);
  const std::optional<std::size_t> on = ControlAt(controls, at);
  if (step == Step::kNext || step == Step::kPrevious) {
    if (controls.empty()) return at;
    const std::size_t n = controls.size();
    std::size_t i = 0;
    if (step == Step::kNext) {
      i = on ? (*on + 1) % n : 0;
    } else {
      i = on ? (*on + n - 1) % n : n - 1;
    }
    return CentreOf(controls[i].hit);
  }
  if (const std::optional<Cell> cell = on ? std::nullopt : CellAt(at)) {
    Cell next = *cell;
    switch (step) {
      case Step::kLeft: next.column = std::max(next.column - 1, kFirstColumn); break;
      case Step::kRight: next.column = std::min(next.column + 1, kLastColumn); break;
      case Step::kDown: next.row = std::min(next.row + 1, kLastRow); break;
      default:  // kUp: from the top row on to the controls above
        if (next.row == kFirstRow) return Nearest(controls, CellCentre(next.column, next.row), step);
        --next.row;
        break;
    }
    return CellCentre(next.column, next.row);
  }
  return Nearest(controls, at, step);
}

Point MenuKeyPoint() { return CentreOf(kMenuButton); }

}  // namespace game
