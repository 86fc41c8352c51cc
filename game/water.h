#pragma once
// The water: streams leaving their start tiles, advancing cell by cell along the
// pipes, turning in bends, scoring, and the judgement of every cell a stream enters.
#include <cstdint>

#include "game/sprites.h"
#include "game/state.h"

namespace game {

// Puts every stream on its start tile heading right, marks the pass tiles still to be
// crossed, and sets the water flowing (FlowStep 0).
void StartStreams(GameState& s);
// The water start test: the countdown has run out in a level in play without water.
void StartWaterIfDue(GameState& s);
// One flow frame: the streams' progress, their fronts in the water layer, the end of
// their cells, the cell step and the test for a won level.  Does nothing unless
// water flows and the level has not failed.
void AdvanceFlow(GameState& s);
// The end-of-cell action of stream n: pass and goal points, turning in bends.
void FinishCell(GameState& s, int n);
// Moves every stream into its next cell, gives the step points and judges the entry.
void StepStreams(GameState& s);
// No stream still has its goal or its pass tile ahead.
bool StreamsHome(const GameState& s);
// Won once the streams are home (never a failed level).
void CheckLevelCleared(GameState& s);

// How the flow treats a cell code: the code itself, a special tile of kind k as
// kFlowSpecialBase + k: 11 start, 12 pass, 13 goal.
std::int32_t FlowKind(std::int32_t code);
constexpr std::int32_t kFlowSpecialBase = 10;
constexpr std::int32_t kFlowStart = kFlowSpecialBase + kKindStart;
constexpr std::int32_t kFlowPass = kFlowSpecialBase + kKindPass;
constexpr std::int32_t kFlowGoal = kFlowSpecialBase + kKindGoal;
// Points go to the whole game and to the level alike.
void AddPoints(GameState& s, std::int32_t points);

}  // namespace game
