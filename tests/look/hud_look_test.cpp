// Labels and the frame's texts: the two label styles, the score boxes' right-aligned
// numbers, centred panel texts, and the credit line fitting its bar.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "game/catalogue.h"
#include "game/controls.h"
#include "game/texts.h"
#include "runtime/canvas.h"
#include "runtime/screen.h"
#include "tests/look/pixels.h"

namespace {

using looktest::Game;
using looktest::Rgb;

struct Box {
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
  int count = 0;
  void Add(int x, int y) {
    left = std::min(left, x), top = std::min(top, y);
    right = std::max(right, x), bottom = std::max(bottom, y);
    ++count;
  }
};

// Where pixels of exactly `pixel` lie in a rectangle of a surface.
Box Find(const rt::Surface& s, std::uint32_t pixel, int x0, int y0, int x1, int y1) {
  Box b;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x)
      if (s.At(x, y) == pixel) b.Add(x, y);
  return b;
}
Box FindInFrame(const Game& g, std::uint32_t pixel, int x0, int y0, int x1, int y1) {
  Box b;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x)
      if (g.Pixel(x, y) == pixel) b.Add(x, y);
  return b;
}

// Everything not black in a rectangle of a surface.
Box Ink(const rt::Surface& s, int x0, int y0, int x1, int y1) {
  Box b;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x)
      if (s.At(x, y) != 0) b.Add(x, y);
  return b;
}

// A label drawn on a black scratch sprite, followed by a plain text that shows which
// colour the label left current.
const rt::Surface& Label(const Game& g, int style) {
  rt::NewBlankSprite(901, 160, 40, 0);
  rt::OpenCanvas(rt::SpriteCanvas(901));
  rt::SetDrawMode(1);
  rt::SetDrawFont(g.s.SmallFont);
  game::DrawLabel(20, 10, "Quelmo", style);
  rt::MoveTextCursor(20, 25);
  rt::DrawTextHere("H");
  rt::CloseCanvas();
  return *rt::FindSprite(901);
}

// The same text drawn once, plainly, in one colour at (20, 10).
Box PlainTextInk(const Game& g) {
  rt::NewBlankSprite(902, 160, 40, 0);
  rt::OpenCanvas(rt::SpriteCanvas(902));
  rt::SetDrawMode(1);
  rt::SetDrawFont(g.s.SmallFont);
  rt::SetDrawColour(255, 255, 255);
  rt::MoveTextCursor(20, 10);
  rt::DrawTextHere("Quelmo");
  rt::CloseCanvas();
  return Ink(*rt::FindSprite(902), 0, 0, 159, 24);
}

TEST(LabelLook, BothStylesDrawAShadowUpLeftOfTheFaceAndOtherStylesNothing) {
  Game g;
  const Box plain = PlainTextInk(g);
  ASSERT_GT(plain.count, 20);
  struct Style {
    int style;
    std::uint32_t shadow, face;
  };
  for (const Style& st : {Style{1, Rgb(64, 64, 64), Rgb(192, 192, 192)},
                          Style{2, Rgb(55, 72, 55), Rgb(184, 199, 184)}}) {
    SCOPED_TRACE(st.style);
    const rt::Surface& s = Label(g, st.style);
    // The face lies where the plain text does; the shadow reaches one pixel further
    // up and left.
    const Box ink = Ink(s, 0, 0, 159, 24);
    EXPECT_EQ(ink.left, plain.left - 1);
    EXPECT_EQ(ink.top, plain.top - 1);
    EXPECT_EQ(ink.right, plain.right);
    EXPECT_EQ(ink.bottom, plain.bottom);
    EXPECT_GT(Find(s, st.face, 0, 0, 159, 24).count, 20);
    EXPECT_GT(Find(s, st.shadow, 0, 0, 159, 24).count, 0);
    // The face colour stays current for the text drawn after the label.
    EXPECT_GT(Find(s, st.face, 0, 25, 159, 39).count, 5);
  }
  for (const int style : {0, 3, -1}) {
    const rt::Surface& s = Label(g, style);
    EXPECT_EQ(Ink(s, 0, 0, 159, 24).count, 0) << style;
  }
}

// The rightmost pixel of the score face colour in a score box, counted from the
// box's right edge.
int ScoreRightEdge(Game& g, int total, int level, const game::Rect& box) {
  g.s.TotalScore = total;
  g.s.LevelScore = level;
  g.Frames(1);
  const Box score = FindInFrame(g, Rgb(192, 192, 192), box.left, box.top, box.right - 1, box.bottom - 1);
  return box.right - score.right;
}

TEST(HudLook, ScoresEndAtTheirBoxesRightEdgeWhateverTheirLength) {
  Game g;
  for (const int total : {7, 1234567}) {
    const int fromEdge = ScoreRightEdge(g, total, 3, game::kTotalScoreBox);
    EXPECT_GE(fromEdge, 5) << total;
    EXPECT_LE(fromEdge, 10) << total;
  }
  for (const int level : {8, 98765}) {
    const int fromEdge = ScoreRightEdge(g, 0, level, game::kLevelScoreBox);
    EXPECT_GE(fromEdge, 5) << level;
    EXPECT_LE(fromEdge, 10) << level;
  }
  EXPECT_EQ(g.s.TotalScoreText, "0");
  EXPECT_EQ(g.s.LevelScoreText, "98765");
}

TEST(HudLook, PanelTextsAreCentredOnTheWindow) {
  Game g;
  g.s.LevelFailed = 1;
  g.s.PhaseCounter = 200;
  g.Frames(1);
  const game::Rect box = game::PanelTextBox(game::kResultPanelPlace);
  const Box message = FindInFrame(g, Rgb(192, 192, 192), box.left, box.top, box.right - 1, box.bottom - 1);
  ASSERT_GT(message.count, 20);
  EXPECT_NEAR((message.left + message.right) / 2.0, game::kWindowWidth / 2, 2.0);
  const game::Rect& button = game::kOkButton;  // inside its bevels
  const Box ok = FindInFrame(g, Rgb(184, 199, 184), button.left + 1, button.top + 1, button.right - 2,
                             button.bottom - 2);
  ASSERT_GT(ok.count, 20);
  EXPECT_NEAR((ok.left + ok.right) / 2.0, game::kWindowWidth / 2, 2.0);
  // The large font: "O K" is taller than the small panel message.
  EXPECT_GT(ok.bottom - ok.top, message.bottom - message.top);
}

// "Fast" stands centred in its button; German keeps "Schnell" where it has always been
// (the reference scenes hold it there).
TEST(HudLook, TheEnglishFastButtonsWordIsCentredInTheButton) {
  sim::Options options;
  options.texts = &game::texts::kEnglish;
  Game g(options);
  g.Frames(1);
  const game::Rect& button = game::kFastButton;
  Box word;  // face and shadow: everything inside the button's bevels but its green
  for (int y = button.top + 2; y < button.bottom - 2; ++y)
    for (int x = button.left + 2; x < button.right - 2; ++x)
      if (g.Pixel(x, y) != Rgb(112, 143, 112)) word.Add(x, y);
  EXPECT_GT(word.count, 20);
  EXPECT_NEAR((word.left + word.right) / 2.0, (button.left + button.right - 1) / 2.0, 1.0);
}

TEST(HudLook, TheCreditLineFitsItsBar) {
  Game g;
  g.Frames(1);
  const game::Rect& bar = game::kCreditBarPlace;
  const Box credit = FindInFrame(g, Rgb(192, 192, 192), bar.left - 16, bar.top, game::kWindowWidth - 1,
                                 game::kWindowHeight - 1);
  ASSERT_GT(credit.count, 20);
  EXPECT_GE(credit.left, bar.left + 1);
  EXPECT_LE(credit.right, bar.right - 3);
  EXPECT_LE(credit.bottom, bar.bottom - 2);
  // Nothing of it spills beyond the bar's right bevel.
  const Box spill = FindInFrame(g, Rgb(192, 192, 192), bar.right - 2, bar.top, game::kWindowWidth - 1,
                                game::kWindowHeight - 1);
  EXPECT_EQ(spill.count, 0);
}

}  // namespace
