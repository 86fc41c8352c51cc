#include "game/levels.h"

#include <array>

#include "game/board.h"
#include "game/queue.h"
#include "runtime/random.h"
#include "runtime/screen.h"

namespace game {
namespace {

// The special tiles of colour c, and the stone.
constexpr std::int32_t Start(int c) { return SpecialTile(c, kKindStart); }
constexpr std::int32_t Pass(int c) { return SpecialTile(c, kKindPass); }
constexpr std::int32_t Goal(int c) { return SpecialTile(c, kKindGoal); }
constexpr std::int32_t S = kStone;

constexpr std::array<std::int32_t, 3> kLevel1 = {Start(1), Goal(1), S};
constexpr std::array<std::int32_t, 5> kLevel2 = {Start(1), Pass(1), Goal(1), S, S};
constexpr std::array<std::int32_t, 7> kLevel3 = {Start(1), Goal(1), Start(2), Goal(2), S, S, S};
constexpr std::array<std::int32_t, 9> kLevel4 = {Start(1), Pass(1), Goal(1), Start(2), Goal(2),
                                                 S,        S,       S,       S};
constexpr std::array<std::int32_t, 11> kLevel5 = {Start(1), Pass(1), Goal(1), Start(2),
                                                  Pass(2),  Goal(2), S,       S,
                                                  S,        S,       S};
constexpr std::array<std::int32_t, 11> kLevel6 = {Start(1), Goal(1), Start(2), Goal(2),
                                                  Start(3), Goal(3), S,        S,
                                                  S,        S,       S};
constexpr std::array<std::int32_t, 12> kLevel7 = {Start(1), Pass(1), Goal(1), Start(2),
                                                  Goal(2),  Start(3), Goal(3), S,
                                                  S,        S,       S,       S};
constexpr std::array<std::int32_t, 13> kLevel8 = {Start(1), Pass(1), Goal(1), Start(2), Pass(2),
                                                  Goal(2),  Start(3), Goal(3), S,       S,
                                                  S,        S,       S};
constexpr std::array<std::int32_t, 14> kLevel9 = {Start(1), Pass(1), Goal(1), Start(2), Pass(2),
                                                  Goal(2),  Start(3), Pass(3), Goal(3), S,
                                                  S,        S,       S,       S};
constexpr std::array<std::int32_t, 13> kLevel10 = {Start(1), Goal(1), Start(2), Goal(2), Start(3),
                                                   Goal(3),  Start(4), Goal(4), S,       S,
                                                   S,        S,       S};

const std::array<std::span<const std::int32_t>, 11> kLevelTable = {
    std::span<const std::int32_t>{}, kLevel1, kLevel2, kLevel3, kLevel4, kLevel5,
    kLevel6,                         kLevel7, kLevel8, kLevel9, kLevel10};

std::uint32_t Ticks() { return rt::TickCount(); }

// Stones and special tiles are what the setup phase places; the pipes 1..7 are not.
constexpr bool IsSetupPiece(std::int32_t code) { return code > 10; }

// The placement rules of the setup phase for the piece `code` at (column, row).
bool Suits(const GameState& s, std::int32_t code, int column, int row) {
  // No other piece in the same row within three columns; the span may reach past the
  // arrays, where there are no pieces.
  for (int c = column - 3; c <= column + 3; ++c) {
    if (CellAt(s, c, row) != kGrass) return false;
  }
  if (IsStartTile(code) && column > 17) return false;
  if (IsGoalTile(code) && column < 3) return false;
  if (IsPassTile(code) && (column < 3 || column > 17)) return false;
  return true;
}

bool AnyCellSuits(const GameState& s, std::int32_t code) {
  for (int c = kFirstColumn; c <= kLastColumn; ++c) {
    for (int r = kFirstRow; r <= kLastRow; ++r) {
      if (Suits(s, code, c, r)) return true;
    }
  }
  return false;
}

}  // namespace

std::span<const std::int32_t> LevelPieces(std::int32_t level) {
  if (level < 1 || level >= static_cast<std::int32_t>(kLevelTable.size())) return {};
  return kLevelTable[static_cast<std::size_t>(level)];
}

std::int32_t LevelCountdown(std::int32_t level) {
  if (level >= 1 && level <= 2) return 30;
  if (level >= 3 && level <= 5) return 50;
  if (level >= 6 && level <= 9) return 70;
  if (level >= 10 && level <= 14) return 90;
  return 0;
}

void BeginLevel(GameState& s) {
  ClearField(s);
  RefillQueue(s);
  int entry = 1;
  for (std::int32_t code : LevelPieces(s.Level)) s.PieceQueue[entry++] = code;
}

void AdvancePhase(GameState& s) {
  if (InSetup(s)) ++s.PhaseCounter;
  if (s.PhaseCounter != kPhaseCountdownSet) return;
  s.FlowCountdown = LevelCountdown(s.Level);
  s.CountdownTick = static_cast<std::int32_t>(Ticks());
}

void RunCountdown(GameState& s) {
  if (s.Paused != 0) s.CountdownTick = static_cast<std::int32_t>(Ticks());
  // The tick count wraps; the unsigned difference does not mind.
  const std::uint32_t passed = Ticks() - static_cast<std::uint32_t>(s.CountdownTick);
  if (passed > 1000 && s.FlowCountdown > 0) {
    s.CountdownTick = static_cast<std::int32_t>(Ticks());
    --s.FlowCountdown;
  }
}

void PlaceSetupPiece(GameState& s) {
  s.QueueSlide = 32;
  const std::int32_t code = s.PieceQueue[1];
  // A board without any suitable cell (only a driver writing the board by hand can
  // make one) would keep the search below going for ever: the piece is dropped instead.
  if (AnyCellSuits(s, code)) {
    int column = 0;
    int row = 0;
    do {
      column = rt::RandomUpTo(18) + 1;
      row = rt::RandomUpTo(11) + 3;
    } while (!Suits(s, code, column, row));
    s.TileGrid[column][row] = code;
    s.LockGrid[column][row] = 1;
  }
  AdvanceQueue(s);
  if (IsSetupPiece(s.PieceQueue[1])) s.PhaseCounter = kPhaseSetupPiece - kSetupPieceGap;
}

}  // namespace game
