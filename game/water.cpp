#include "game/water.h"

#include <string>

#include "game/board.h"
#include "game/flow_draw.h"
#include "runtime/canvas.h"
#include "runtime/text.h"

namespace game {
namespace {

// The colour digit (second character) and the kind digit (third character) of a
// special tile's decimal text.
std::string ColourDigit(std::int32_t code) { return rt::SubText(rt::FormatNumber(code), 2, 1); }
std::string KindDigit(std::int32_t code) { return rt::SubText(rt::FormatNumber(code), 3, 1); }

// The eleven entry rules for stream n that has just moved into a cell holding `code`.
// Every rule that holds fails the level; several may hold at once.
void JudgeEntry(GameState& s, int n, std::int32_t code) {
  const StreamRecord& st = s.Streams[n];
  bool fails = false;
  if (code == kGrass && st.GoalState == -1) fails = true;
  if (code == kVerticalPipe && st.DirX != 0) fails = true;
  if (code == kHorizontalPipe && st.DirY != 0) fails = true;
  if (code == kBendTopRight && (st.DirY < 0 || st.DirX > 0)) fails = true;
  if (code == kBendBottomRight && (st.DirY > 0 || st.DirX > 0)) fails = true;
  if (code == kBendLeftBottom && (st.DirY > 0 || st.DirX < 0)) fails = true;
  if (code == kBendTopLeft && (st.DirY < 0 || st.DirX < 0)) fails = true;
  if (code > kSpecialBase) {
    const std::string kind = KindDigit(code);
    if (rt::TextEquals(ColourDigit(code), rt::FormatNumber(n)) == 0) fails = true;
    if (rt::TextEquals(kind, "3") != 0 && (st.DirX < 0 || st.DirY != 0)) fails = true;
    if (rt::TextEquals(kind, "2") != 0 && st.DirY != 0) fails = true;
    if (rt::TextEquals(kind, "1") != 0) fails = true;
  }
  if (fails) s.LevelFailed = 1;
}

}  // namespace

std::int32_t FlowKind(std::int32_t code) {
  if (code > kSpecialBase) return kFlowSpecialBase + rt::ParseNumber(KindDigit(code));
  return code;
}

void AddPoints(GameState& s, std::int32_t points) {
  s.TotalScore = Add32(s.TotalScore, points);
  s.LevelScore = Add32(s.LevelScore, points);
}

void StartStreams(GameState& s) {
  for (int n = 1; n <= 4; ++n) s.Streams[n] = StreamRecord{};
  for (int c = kFirstColumn; c <= kLastColumn; ++c) {
    for (int r = kFirstRow; r <= kLastRow; ++r) {
      const std::int32_t code = s.TileGrid[c][r];
      // The colour digit of these codes is 1..4, the number of the stream.
      if (IsStartTile(code)) {
        StreamRecord& st = s.Streams[rt::ParseNumber(ColourDigit(code))];
        st.Column = c;
        st.Row = r;
        st.DirX = 1;
        st.DirY = 0;
        st.GoalState = -1;
      }
      if (IsPassTile(code)) s.Streams[rt::ParseNumber(ColourDigit(code))].PassState = -1;
    }
  }
  s.FlowStep = 0;
}

void StartWaterIfDue(GameState& s) {
  if (s.FlowCountdown == 0 && InPlay(s) && s.FlowStep == kNoFlow) StartStreams(s);
}

void AdvanceFlow(GameState& s) {
  if (!WaterFlowing(s) || s.LevelFailed != 0) return;
  if (s.Paused == 0) s.FlowStep = Add32(s.FlowStep, s.FlowSpeed);
  if (s.FlowStep > kCellSteps) s.FlowStep = kCellSteps;
  OpenWaterLayer();
  for (int n = 1; n <= 4; ++n) {
    const StreamRgb& rgb = kStreamColours[static_cast<std::size_t>(n)];
    const rt::Colour colour = rt::PackColour(rgb.red, rgb.green, rgb.blue);
    const StreamRecord& st = s.Streams[n];
    const std::int32_t code = CellAt(s, st.Column, st.Row);
    if (InGrid(st.Column, st.Row)) s.LockGrid[st.Column][st.Row] = 1;
    DrawFlowFront(st, FlowKind(code), colour, s.FlowStep);
    if (s.FlowStep == kCellSteps) FinishCell(s, n);
  }
  CloseWaterLayer();
  if (s.FlowStep == kCellSteps) StepStreams(s);
  CheckLevelCleared(s);
}

void FinishCell(GameState& s, int n) {
  StreamRecord& st = s.Streams[n];
  switch (FlowKind(CellAt(s, st.Column, st.Row))) {
    case kFlowPass:
      if (st.PassState != 1) AddPoints(s, 25);
      st.PassState = 1;
      break;
    case kFlowGoal:
      if (st.GoalState != 1) AddPoints(s, 50);
      st.GoalState = 1;
      st.DirX = 0;
      st.DirY = 0;
      break;
    case kBendTopRight:
      if (st.DirX != 0) {
        st.DirY = -1;
        st.DirX = 0;
      } else if (st.DirY != 0) {
        st.DirY = 0;
        st.DirX = 1;
      }
      break;
    case kBendBottomRight:
      if (st.DirX != 0) {
        st.DirY = 1;
        st.DirX = 0;
      } else if (st.DirY != 0) {
        st.DirY = 0;
        st.DirX = 1;
      }
      break;
    case kBendLeftBottom:
      if (st.DirX != 0) {
        st.DirY = 1;
        st.DirX = 0;
      } else if (st.DirY != 0) {
        st.DirY = 0;
        st.DirX = -1;
      }
      break;
    case kBendTopLeft:
      if (st.DirX != 0) {
        st.DirY = -1;
        st.DirX = 0;
      } else if (st.DirY != 0) {
        st.DirY = 0;
        st.DirX = -1;
      }
      break;
    default:
      break;  // straight pipes, the crossing, start tiles, grass and stones go straight on
  }
}

void StepStreams(GameState& s) {
  s.FlowStep = 0;
  for (int n = 1; n <= 4; ++n) {
    StreamRecord& st = s.Streams[n];
    st.Column = Add32(st.Column, st.DirX);
    st.Row = Add32(st.Row, st.DirY);
    if (st.GoalState != 0) AddPoints(s, 1);
    JudgeEntry(s, n, CellAt(s, st.Column, st.Row));
  }
  if (s.LevelFailed != 0) s.FlowStep = kNoFlow;
}

bool StreamsHome(const GameState& s) {
  for (int n = 1; n <= 4; ++n) {
    if (s.Streams[n].GoalState == -1 || s.Streams[n].PassState == -1) return false;
  }
  return true;
}

void CheckLevelCleared(GameState& s) {
  // A failed level is never also won.  In play the two cannot meet anyway; the guard
  // keeps hand-made stream records (a driver's) from showing both panels at once.
  if (s.LevelFailed != 0 || !StreamsHome(s)) return;
  s.LevelCleared = 1;
  s.FlowSpeed = kNormalSpeed;
  s.PhaseCounter = kPhaseIdle;
  s.MenuOpen = 0;
  s.FlowCountdown = 0;
  s.FlowStep = kNoFlow;
}

}  // namespace game
