#include "game/controls.h"

#include "game/board.h"
#include "game/control_table.h"
#include "game/flow_draw.h"
#include "game/level_list.h"
#include "game/queue.h"
#include "game/sprites.h"
#include "runtime/screen.h"
#include "runtime/window.h"

namespace game {
namespace {

using namespace sprite;

bool Inside(const GameState& s, const Rect& r) {
  return r.Contains(s.FrameMouseX, s.FrameMouseY);
}

// Calls act(n) for every level-list entry under the mouse.  Only the entries whose
// rows reach the mouse's row are looked at.
template <typename Act>
void ForEachListEntryUnderMouse(const GameState& s, Act act) {
  const std::int64_t y = s.FrameMouseY;
  ForEachListEntry(s.LastLevel, y - (kListEntryHeight - 1), y - 1, [&](std::int32_t n) {
    if (Inside(s, LevelListEntry(n))) act(n);
  });
}

void StartDragIfOnHandle(GameState& s) {
  if (s.ButtonHeld != 0 || !Inside(s, kDragHandle)) return;
  s.DragStartX = s.FrameMouseX;
  s.DragStartY = s.FrameMouseY;
  s.DragActive = 1;
}

// A look drawn at its place: the top-left corner of its rectangle.
void DrawAt(int number, const Rect& r) { rt::DrawSprite(number, r.left, r.top); }
void DrawKeyedAt(int number, const Rect& r) { rt::DrawSpriteKeyed(number, r.left, r.top); }

// The pressed look of a control while the mouse is inside it.
void DrawPressedIfInside(const GameState& s, int number, const Rect& r) {
  if (Inside(s, r)) DrawKeyedAt(number, r);
}

// Each control's look while pressed.
int PressedLook(ControlId id) {
  switch (id) {
    case ControlId::kMenu:
    case ControlId::kNewGame:
    case ControlId::kStartLevel:
    case ControlId::kPause:
    case ControlId::kListEntry:
      return kPressedBar;
    case ControlId::kFast:
    case ControlId::kOk:
      return kPressedButton;
    case ControlId::kClose:
      return kPressedClose;
  }
  return kPressedBar;
}

// Pressed looks while the button is held: every control that shows, wherever a release
// would hit it, whether or not it would act there.  No two controls overlap, so the
// order they are drawn in does not show.
void DrawPressedLooks(const GameState& s) {
  for (const Control& c : AllControls(s)) {
    if (Shown(c.id, s)) DrawPressedIfInside(s, PressedLook(c.id), c.hit);
  }
}

void HeldSteps(GameState& s) {
  PlacePiece(s);
  StartDragIfOnHandle(s);
  s.ButtonHeld = 1;
  DrawPressedLooks(s);
}

void NewGame(GameState& s) {
  s.Level = s.StartLevel;
  s.FlowSpeed = kNormalSpeed;
  s.LevelFailed = 0;
  s.Paused = 0;
  s.LevelCleared = 0;
  s.PhaseCounter = kPhaseSetupStart;
  s.MenuOpen = 0;
  s.LevelListOpen = 0;
  s.FlowCountdown = 0;
  s.FlowStep = kNoFlow;
  s.TotalScore = 0;
  s.LevelScore = 0;
  ClearWaterLayer();
  // The board and the queue are set up later in this frame by the level start.
}

// The release steps, in order; each sees the state the ones before it left.
ButtonOutcome ReleaseSteps(GameState& s) {
  s.DragActive = 0;
  s.ButtonHeld = 0;
  if (!InSetup(s) && Inside(s, kMenuButton)) {
    s.MenuOpen = 1 - s.MenuOpen;
    s.LevelListOpen = 0;
  }
  if (WaterFlowing(s) && Inside(s, kFastButton)) s.FlowSpeed = kFastSpeed;
  if (s.MenuOpen != 0) {  // tested once for all three entries
    if (Inside(s, kNewGameEntry)) NewGame(s);
    if (Inside(s, kStartLevelEntry)) s.LevelListOpen = 1 - s.LevelListOpen;
    if (Inside(s, kPauseEntry)) {
      s.Paused = 1 - s.Paused;
      s.MenuOpen = 0;
    }
  }
  if (s.LevelListOpen != 0) {
    ForEachListEntryUnderMouse(s, [&s](std::int32_t n) { s.StartLevel = n; });
  }
  if (s.LevelFailed != 0 && Inside(s, kOkButton)) {
    s.LevelFailed = 0;
    s.PhaseCounter = kPhaseIdle;
    s.MenuOpen = 0;
    s.FlowCountdown = 0;
    s.FlowStep = kNoFlow;
    s.FlowSpeed = kNormalSpeed;
  }
  if (s.LevelCleared != 0 && Inside(s, kOkButton)) {
    ClearWaterLayer();
    s.PhaseCounter = kPhaseSetupStart;
    s.Level = Add32(s.Level, 1);
    s.LevelCleared = 0;
    s.LevelScore = 0;
    if (s.Level > s.LastLevel) {  // after the last level the game rests
      s.PhaseCounter = kPhaseIdle;
      s.Level = s.LastLevel;
    }
  }
  return Inside(s, kCloseButton) ? ButtonOutcome::kClose : ButtonOutcome::kPlayOn;
}

}  // namespace

void DrawMenuBackgrounds(const GameState& s) {
  if (s.MenuOpen != 0) {
    DrawAt(kRaisedBar, kNewGameEntry);
    DrawAt(kRaisedBar, kStartLevelEntry);
    DrawAt(kRaisedBar, kPauseEntry);
  }
  if (s.LevelListOpen != 0) {
    ForEachListEntry(s.LastLevel, kFirstVisibleListTop, kLastVisibleListTop,
                     [](std::int32_t n) { DrawAt(kRaisedBar, LevelListEntry(n)); });
    DrawKeyedAt(kPressedBar, LevelListEntry(s.StartLevel));
  }
}

void DrawPanels(const GameState& s) {
  if (InSetup(s) || s.Paused != 0) DrawKeyedAt(kNoticePanel, kNoticePanelPlace);
  if (ResultShown(s)) DrawKeyedAt(kResultPanel, kResultPanelPlace);
}

void FollowDrag(GameState& s) {
  if (s.DragActive == 0) return;
  // Keeps the grabbed point of the title bar under the pointer.
  const int top = Add32(rt::WindowTop(), std::int64_t{s.FrameMouseY} - s.DragStartY);
  const int left = Add32(rt::WindowLeft(), std::int64_t{s.FrameMouseX} - s.DragStartX);
  rt::MoveMainWindow(left, top);
}

void DrawFastButtonPressed(const GameState& s) {
  if (s.FlowSpeed == kFastSpeed) DrawKeyedAt(kPressedButton, kFastButton);
}

ButtonOutcome HandleMouseButton(GameState& s) {
  if (rt::LeftButtonDown() != 0) {
    HeldSteps(s);
  } else if (s.ButtonHeld == 1) {
    return ReleaseSteps(s);
  }
  return ButtonOutcome::kPlayOn;
}

void DrawMenuButtonPressed(const GameState& s) {
  if (s.MenuOpen != 0) DrawKeyedAt(kPressedBar, kMenuButton);
}

}  // namespace game
