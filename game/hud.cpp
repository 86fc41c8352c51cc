// The texts of each frame, drawn on the back buffer over everything else: the title
// bar's menu, the menu entries, the panels' messages, the countdown and scores, the
// level list and the credit line.
#include "game/hud.h"

#include <cstdint>
#include <string>

#include "game/board.h"
#include "game/catalogue.h"
#include "game/controls.h"
#include "game/level_list.h"
#include "game/texts.h"
#include "runtime/canvas.h"
#include "runtime/screen.h"
#include "runtime/text.h"

namespace game {

namespace {

// Where text starts to stand centred on column `middle`, in the font currently selected.
int CentredOn(int middle, std::string_view text) { return middle - rt::TextWidth(text) / 2; }
// Centres text on the window's middle column.
int CentredX(std::string_view text) { return CentredOn(320, text); }

// The fast button's word: at the language's place for it, else centred in the button.
void DrawFastLabel(const texts::Table& t) {
  const int middle = (kFastButton.left + kFastButton.right) / 2;
  const int left = t.fastLeft ? *t.fastLeft : CentredOn(middle, t.fast);
  DrawLabel(left, 56, t.fast, 2);
}

// "O K" of a result panel, in the large font; the small font is selected again after.
void DrawOkLabel(const GameState& s) {
  const texts::Table& t = *s.Texts;
  rt::SetDrawFont(s.LargeFont);
  DrawLabel(CentredX(t.ok), 228, t.ok, 2);
  rt::SetDrawFont(s.SmallFont);
}

}  // namespace

void DrawFrameTexts(GameState& s) {
  const texts::Table& t = *s.Texts;
  rt::OpenCanvas(rt::ScreenCanvas());
  rt::SetDrawMode(1);
  rt::SetDrawFont(s.SmallFont);

  DrawLabel(20, 0, t.menuButton, 2);
  if (s.MenuOpen != 0) {
    DrawLabel(20, 16, t.newGame, 2);
    DrawLabel(20, 32, t.startLevel, 2);
    DrawLabel(20, 48, s.Paused != 0 ? t.resume : t.pause, 2);
  }
  if (s.LevelFailed != 0) {
    DrawLabel(CentredX(t.failed), 200, t.failed, 1);
    DrawOkLabel(s);
  }
  if (s.LevelCleared != 0) {
    DrawLabel(CentredX(t.cleared), 200, t.cleared, 1);
    DrawOkLabel(s);
  }
  if (InSetup(s))
    DrawLabel(CentredX(t.pleaseWait), 232, t.pleaseWait, 1);
  if (s.Paused != 0) DrawLabel(CentredX(t.paused), 232, t.paused, 1);
  DrawFastLabel(t);
  DrawLabel(500, 18, t.countdown1, 1);
  DrawLabel(500, 30, t.countdown2, 1);

  // The countdown and both scores in the large font; the scores end at their boxes'
  // right edges.
  rt::SetDrawFont(s.LargeFont);
  DrawLabel(595, 20, rt::FormatNumber(s.FlowCountdown), 1);
  s.TotalScoreText = rt::FormatNumber(s.TotalScore);
  DrawLabel(364 - rt::TextWidth(s.TotalScoreText), 52, s.TotalScoreText, 1);
  s.LevelScoreText = rt::FormatNumber(s.LevelScore);
  DrawLabel(524 - rt::TextWidth(s.LevelScoreText), 52, s.LevelScoreText, 1);
  rt::SetDrawFont(s.SmallFont);

  if (s.LevelListOpen != 0) {
    std::string entry(t.levelPrefix);
    ForEachListEntry(s.LastLevel, kFirstVisibleListTop, kLastVisibleListTop, [&entry, &t](std::int32_t n) {
      entry.resize(t.levelPrefix.size());
      entry += rt::FormatNumber(n);
      DrawLabel(148, ListEntryTop(n), entry, 2);
    });
  }
  DrawLabel(500, 464, t.credit, 1);
  rt::CloseCanvas();
}

}  // namespace game
