#include "game/control_table.h"

#include <array>

#include "game/level_list.h"

namespace game {
namespace {

using Condition = bool (*)(const GameState&);

bool Always(const GameState&) { return true; }
bool OutsideSetup(const GameState& s) { return !InSetup(s); }
bool MenuOpen(const GameState& s) { return s.MenuOpen != 0; }
bool LevelListOpen(const GameState& s) { return s.LevelListOpen != 0; }

struct Row {
  ControlId id;
  Rect hit;  // the list's row stands for all its entries, each at LevelListEntry(n)
  Condition shown;
  Condition acts;
};

// One row per control, in reading order.
constexpr std::array<Row, 8> kControlRows = {{
    {ControlId::kMenu, kMenuButton, Always, OutsideSetup},
    {ControlId::kClose, kCloseButton, Always, Always},
    {ControlId::kNewGame, kNewGameEntry, MenuOpen, MenuOpen},
    {ControlId::kStartLevel, kStartLevelEntry, MenuOpen, MenuOpen},
    {ControlId::kPause, kPauseEntry, MenuOpen, MenuOpen},
    {ControlId::kListEntry, {}, LevelListOpen, LevelListOpen},
    {ControlId::kFast, kFastButton, Always, WaterFlowing},
    {ControlId::kOk, kOkButton, ResultShown, ResultShown},
}};

const Row& RowOf(ControlId id) {
  for (const Row& row : kControlRows) {
    if (row.id == id) return row;
  }
  return kControlRows.front();  // not reached: every id has its row
}

// The list's entries whose centre lies in the window, top to bottom; of entries that
// share a row, the last, which a click there chooses.
void AddListEntries(const GameState& s, std::vector<Control>& out) {
  constexpr int kHalf = kListEntryHeight / 2;
  std::array<std::int32_t, kWindowHeight / kListEntryHeight> byRow{};  // 0: no entry
  ForEachListEntry(s.LastLevel, -kHalf, kWindowHeight - kHalf - 1, [&byRow](std::int32_t n) {
    // Tops are multiples of the row height, the first at or below the window's top.
    byRow[static_cast<std::size_t>(ListEntryTop(n) / kListEntryHeight)] = n;
  });
  for (const std::int32_t n : byRow) {
    if (n != 0) out.push_back(Control{ControlId::kListEntry, n, LevelListEntry(n)});
  }
}

}  // namespace

bool Shown(ControlId id, const GameState& s) { return RowOf(id).shown(s); }
bool ActsNow(ControlId id, const GameState& s) { return RowOf(id).acts(s); }

std::vector<Control> AllControls(const GameState& s) {
  std::vector<Control> out;
  for (const Row& row : kControlRows) {
    if (row.id == ControlId::kListEntry) {
      AddListEntries(s, out);
    } else {
      out.push_back(Control{row.id, 0, row.hit});
    }
  }
  return out;
}

std::vector<Control> ControlsActingNow(const GameState& s) {
  std::vector<Control> out;
  for (const Control& c : AllControls(s)) {
    if (ActsNow(c.id, s)) out.push_back(c);
  }
  return out;
}

}  // namespace game
