#pragma once
// The whole state of the game in one struct, every variable under its own name with
// its initial value.  The Game (game.h) owns the one instance.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "game/texts.h"
#include "runtime/arrays.h"
#include "runtime/canvas.h"

namespace game {

// One stream of water; streams 1..4 are numbered by colour.
struct StreamRecord {
  std::int32_t Column = 0;
  std::int32_t Row = 0;
  std::int32_t DirX = 0;
  std::int32_t DirY = 0;
  std::int32_t GoalState = 0;  // 0 no such stream, -1 flowing, 1 goal reached
  std::int32_t PassState = 0;  // 0 no pass tile, -1 still to cross, 1 crossed
};

// Board geometry: columns 0..19 and rows 0..14 exist, columns 1..19 and rows 3..14
// are the field.
constexpr int kColumns = 20;
constexpr int kRows = 15;
constexpr int kFirstColumn = 1, kLastColumn = 19;
constexpr int kFirstRow = 3, kLastRow = 14;

// PhaseCounter: idle, then the setup frames 0..199 of a level, then the level in play.
constexpr std::int32_t kPhaseIdle = -1;
constexpr std::int32_t kPhaseSetupStart = 0;
constexpr std::int32_t kPhaseSetupPiece = 100;   // a setup piece drops at this count
constexpr std::int32_t kSetupPieceGap = 50;      // frames between two setup pieces
constexpr std::int32_t kPhaseCountdownSet = 199;  // the countdown is set at this count
constexpr std::int32_t kPhasePlaying = 200;
// FlowStep: no water flowing, or the progress of the streams through their current
// cells, which they leave after kCellSteps.
constexpr std::int32_t kNoFlow = -1;
constexpr std::int32_t kCellSteps = 128;
// FlowSpeed: added to FlowStep in every frame; fast after "Schnell".
constexpr std::int32_t kNormalSpeed = 1;
constexpr std::int32_t kFastSpeed = 4;

struct GameState {
  std::int32_t Level = 0;
  std::int32_t LastLevel = 10;
  std::int32_t StartLevel = 1;
  std::int32_t PhaseCounter = kPhaseIdle;
  std::int32_t FlowCountdown = 0;
  std::int32_t CountdownTick = 0;  // tick count of the last countdown step (bits of a uint32)
  std::int32_t FlowStep = kNoFlow;
  std::int32_t FlowSpeed = kNormalSpeed;
  std::int32_t LevelFailed = 0;
  std::int32_t LevelCleared = 0;
  std::int32_t Paused = 0;
  std::int32_t MenuOpen = 0;
  std::int32_t LevelListOpen = 0;
  std::int32_t TotalScore = 0;
  std::int32_t LevelScore = 0;
  std::int32_t QueueSlide = 0;
  std::int32_t ButtonHeld = 0;
  std::int32_t DragActive = 0;
  std::int32_t DragStartX = 0;
  std::int32_t DragStartY = 0;
  std::int32_t FrameMouseX = 0;
  std::int32_t FrameMouseY = 0;
  std::int32_t HoverColumn = 0;
  std::int32_t HoverRow = 0;
  const texts::Table* Texts = &texts::kGerman;  // the language the texts are drawn in
  const rt::Font* SmallFont = nullptr;
  const rt::Font* LargeFont = nullptr;
  std::string TotalScoreText;
  std::string LevelScoreText;

  rt::Array2<std::int32_t, kColumns, kRows> TileGrid{};  // [column][row], cell codes
  rt::Array2<std::int32_t, kColumns, kRows> LockGrid{};  // [column][row], 0 free, 1 locked
  rt::Array1<std::int32_t, 21> PieceQueue{};              // 1 = next piece
  rt::Array1<StreamRecord, 5> Streams{};                  // 1..4 used
};

// The setup frames of a level: "Bitte warten", and the menu does not open.
constexpr bool InSetup(const GameState& s) {
  return s.PhaseCounter >= kPhaseSetupStart && s.PhaseCounter < kPhasePlaying;
}
// The level is in play: pieces may be placed, the countdown and the water run.
constexpr bool InPlay(const GameState& s) { return s.PhaseCounter == kPhasePlaying; }
constexpr bool WaterFlowing(const GameState& s) { return s.FlowStep >= 0; }
// A won or lost level shows the result panel with its OK button.
constexpr bool ResultShown(const GameState& s) { return s.LevelFailed != 0 || s.LevelCleared != 0; }

// The integers of the state by name, in the order a state report lists them; a driver
// reads and writes them through this table.
struct NamedInteger {
  std::string_view name;
  std::int32_t GameState::*member;
};
std::span<const NamedInteger> NamedIntegers();
// The integer called `name`, or null if the state has none of that name.
std::int32_t* FindInteger(GameState& s, std::string_view name);

}  // namespace game
