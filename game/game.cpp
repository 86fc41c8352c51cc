// Start-up and the frame loop: every step of a frame in its fixed order.
#include "game/game.h"

#include "game/board.h"
#include "game/catalogue.h"
#include "game/controls.h"
#include "game/hud.h"
#include "game/levels.h"
#include "game/queue.h"
#include "game/sprites.h"
#include "game/texts.h"
#include "game/water.h"
#include "runtime/canvas.h"
#include "runtime/program.h"
#include "runtime/screen.h"
#include "runtime/window.h"

namespace game {
namespace {

// --- frame steps 1 to 5 -----------------------------------------------------------
// Part of every frame's period is spent asleep rather than in the pacing wait.
rt::FrameWait SleepAtFrameStart() { return rt::WaitMilliseconds(kSleepBeforeFrameMs); }
// At most one window message; the game needs none of them.
void HandleWindowEvent() { (void)rt::PollWindowEvent(); }
void ClearBackBuffer() { rt::ClearBuffer(0, 0, 0); }
// Opaque, so the water shows wherever the board's tiles let it through.
void DrawWaterLayer() { rt::DrawSprite(sprite::kWaterLayer, 0, 0); }
void DrawFrameSprite() { rt::DrawSpriteKeyed(sprite::kFrame, 0, 0); }

// --- frame step 18 ------------------------------------------------------------------
rt::FrameWait ShowFrame() { return rt::PresentFrame(); }

// --- frame steps 19, 25 -------------------------------------------------------------
// "Neues Spiel" or the next level asked for a level start earlier in this frame.
void BeginLevelIfRequested(GameState& s) {
  if (s.Level >= 1 && s.PhaseCounter == kPhaseSetupStart) BeginLevel(s);
}
// Half-way through the setup phase, once the strip has come to rest.
void PlaceSetupPieceIfDue(GameState& s) {
  if (s.PhaseCounter == kPhaseSetupPiece && s.QueueSlide == 0) PlaceSetupPiece(s);
}

}  // namespace

rt::FrameWait Game::Start(const StartOptions& options) {
  GameState& s = s_;
  shown_ = false;
  over_ = false;
  s = GameState{};                                         // 1. everything from zero
  s.Texts = options.texts;
  rt::StartRuntime(options.seed);                          // 2. runtime services, seed
  s.TileGrid = {};                                         // 3. the board arrays
  s.LockGrid = {};
  s.SmallFont = rt::LoadFontFace(1, texts::kFontFace, 8);  // 4. two fonts under number 1
  s.LargeFont = rt::LoadFontFace(1, texts::kFontFace, 12);
  // The desktop learns which strip drags the window before it places it.
  rt::SetWindowDragStrip(kDragHandle.left, kDragHandle.top, kDragHandle.right, kDragHandle.bottom);
  const int left = (rt::DesktopWidth() >> 1) - kWindowWidth / 2;  // 5. centred on the desktop
  const int top = (rt::DesktopHeight() >> 1) - kWindowHeight / 2;
  rt::OpenMainWindow(1, left, top, kWindowWidth, kWindowHeight, rt::kPopupStyle, texts::kWindowTitle);
  rt::OpenWindowScreen(rt::MainWindowHandle(1), 0, 0, kWindowWidth, kWindowHeight, 0, 0, 0);  // 6.
  rt::SetFramePace(kFramePaceRate);                        // 7.
  BuildSprites(s, options.marks);                          // 8.
  s.Streams = {};                                          // 9.
  s.PieceQueue = {};
  RefillQueue(s);                                          // 10. seven random pipes show
  s.Level = 0;                                             // 11.
  s.PhaseCounter = kPhaseIdle;
  s.FlowStep = kNoFlow;
  s.TotalScore = 0;
  s.LevelScore = 0;
  s.LastLevel = 10;
  s.FlowSpeed = kNormalSpeed;
  s.StartLevel = 1;
  ClearField(s);                                           // 12.
  return SleepAtFrameStart();                              // 13. the first frame's step 1
}

FrameStop Game::Run() {
  GameState& s = s_;
  if (over_) return FrameStop{FrameStop::Kind::kGameOver, {}, false};
  if (!shown_) {
    still_.FrameBegins(s);
    HandleWindowEvent();          // 2
    ClearBackBuffer();            // 3
    DrawWaterLayer();             // 4
    DrawFrameSprite();            // 5
    DrawQueueStrip(s);            // 6
    DrawBoard(s);                 // 7
    DrawMenuBackgrounds(s);       // 8
    ReadMouse(s);                 // 9
    DrawPiecePreview(s);          // 10
    DrawPanels(s);                // 11
    FollowDrag(s);                // 12
    SlideQueue(s);                // 13
    DrawFastButtonPressed(s);     // 14
    if (HandleMouseButton(s) == ButtonOutcome::kClose) {  // 15
      // Nothing after the close button runs: the runtime ends, and so does the loop.
      rt::EndRuntime();
      over_ = true;
      return FrameStop{FrameStop::Kind::kGameOver, {}, false};
    }
    DrawMenuButtonPressed(s);     // 16
    DrawFrameTexts(s);            // 17
    shown_ = true;
    return FrameStop{FrameStop::Kind::kShown, ShowFrame(), false};  // 18
  }
  // What follows is seen in the next frame.
  BeginLevelIfRequested(s);       // 19
  AdvancePhase(s);                // 20, 21
  RunCountdown(s);                // 22, 23
  StartWaterIfDue(s);             // 24
  PlaceSetupPieceIfDue(s);        // 25
  AdvanceFlow(s);                 // 26
  shown_ = false;
  return FrameStop{FrameStop::Kind::kFrameEnd, SleepAtFrameStart(), still_.FrameEnds(s)};  // 1
}

std::uint64_t Game::PassStillFrames(const FrameStop& end, std::uint64_t now) {
  if (over_ || shown_ || !end.still) return 0;
  return rt::PassStillFrames(end.wait.until, now);
}

}  // namespace game
