// The texts of each frame, drawn on the back buffer over everything else: the title
// bar's menu, the menu entries, the panels' messages, the countdown and scores, the
// level list and the credit line.
#include "game/hud.h"

#include <cstdint>
#include <string>

#include "game/board.h"
#include "game/catalogue.h"
#include "game/layout.h"
#include "game/level_list.h"
#include "game/texts.h"
#include "runtime/canvas.h"
#include "runtime/screen.h"
#include "runtime/text.h"

namespace game {

namespace {

// Where text starts to stand centred on column `middle`, in the font currently selected.
int CentredOn(int middle, std::string_view text) { return middle - rt::TextWidth(text) / 2; }

// A panel's message, centred on the panel's text box, 8 rows down in it.
void DrawPanelMessage(const Rect& panel, std::string_view text) {
  const Rect box = PanelTextBox(panel);
  DrawLabel(CentredOn(CentreOf(box).x, text), box.top + 8, text, 1);
}

// The fast button's word: at the language's place for it, else centred in the button.
void DrawFastLabel(const texts::Table& t) {
  const int left = t.fastLeft ? *t.fastLeft : CentredOn(CentreOf(kFastButton).x, t.fast);
  DrawLabel(left, kFastButton.top + 8, t.fast, 2);
}

// "O K" of a result panel, in the large font, centred on its button; the small font is
// selected again after.
void DrawOkLabel(const GameState& s) {
  const texts::Table& t = *s.Texts;
  rt::SetDrawFont(s.LargeFont);
  DrawLabel(CentredOn(CentreOf(kOkButton).x, t.ok), kOkButton.top + 4, t.ok, 2);
  rt::SetDrawFont(s.SmallFont);
}

// The row of a box's number in the large font (the countdown, the scores).
int NumberRow(const Rect& box) { return box.top + 4; }
// A score ends at the same place in its box whatever its length.
void DrawScore(const Rect& box, const std::string& text) {
  DrawLabel(box.right - kLabelIndent - rt::TextWidth(text), NumberRow(box), text, 1);
}

}  // namespace

void DrawFrameTexts(GameState& s) {
  const texts::Table& t = *s.Texts;
  rt::OpenCanvas(rt::ScreenCanvas());
  rt::SetDrawMode(1);
  rt::SetDrawFont(s.SmallFont);

  DrawLabel(BarLabel(kMenuButton), t.menuButton, 2);
  if (s.MenuOpen != 0) {
    DrawLabel(BarLabel(kNewGameEntry), t.newGame, 2);
    DrawLabel(BarLabel(kStartLevelEntry), t.startLevel, 2);
    DrawLabel(BarLabel(kPauseEntry), s.Paused != 0 ? t.resume : t.pause, 2);
  }
  if (s.LevelFailed != 0) {
    DrawPanelMessage(kResultPanelPlace, t.failed);
    DrawOkLabel(s);
  }
  if (s.LevelCleared != 0) {
    DrawPanelMessage(kResultPanelPlace, t.cleared);
    DrawOkLabel(s);
  }
  if (InSetup(s)) DrawPanelMessage(kNoticePanelPlace, t.pleaseWait);
  if (s.Paused != 0) DrawPanelMessage(kNoticePanelPlace, t.paused);
  DrawFastLabel(t);
  DrawLabel(BoxLine(kCountdownBox, 0), t.countdown1, 1);
  DrawLabel(BoxLine(kCountdownBox, 1), t.countdown2, 1);

  // The countdown and both scores in the large font; the scores end at their boxes'
  // right edges.
  rt::SetDrawFont(s.LargeFont);
  DrawLabel(kCountdownBox.left + 99, NumberRow(kCountdownBox), rt::FormatNumber(s.FlowCountdown), 1);
  s.TotalScoreText = rt::FormatNumber(s.TotalScore);
  DrawScore(kTotalScoreBox, s.TotalScoreText);
  s.LevelScoreText = rt::FormatNumber(s.LevelScore);
  DrawScore(kLevelScoreBox, s.LevelScoreText);
  rt::SetDrawFont(s.SmallFont);

  if (s.LevelListOpen != 0) {
    std::string entry(t.levelPrefix);
    ForEachListEntry(s.LastLevel, kFirstVisibleListTop, kLastVisibleListTop, [&entry, &t](std::int32_t n) {
      entry.resize(t.levelPrefix.size());
      entry += rt::FormatNumber(n);
      DrawLabel(BarLabel(LevelListEntry(n)), entry, 2);
    });
  }
  DrawLabel(BarLabel(kCreditBarPlace), t.credit, 1);
  rt::CloseCanvas();
}

}  // namespace game
