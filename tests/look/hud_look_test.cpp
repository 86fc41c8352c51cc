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

// The rightmost pixel of the score face colour in a score box.
int ScoreRightEdge(Game& g, int total, int level, int x0, int x1) {
  g.s.TotalScore = total;
  g.s.LevelScore = level;
  g.Frames(1);
  return FindInFrame(g, Rgb(192, 192, 192), x0, 48, x1, 79).right;
}

TEST(HudLook, ScoresEndAtTheirBoxesRightEdgeWhateverTheirLength) {
  Game g;
  const int shortTotal = ScoreRightEdge(g, 7, 3, 240, 367);
  const int longTotal = ScoreRightEdge(g, 1234567, 3, 240, 367);
  EXPECT_LE(shortTotal, 363);
  EXPECT_GE(shortTotal, 358);
  EXPECT_LE(longTotal, 363);
  EXPECT_GE(longTotal, 358);
  const int shortLevel = ScoreRightEdge(g, 0, 8, 400, 527);
  const int longLevel = ScoreRightEdge(g, 0, 98765, 400, 527);
  EXPECT_LE(shortLevel, 523);
  EXPECT_GE(shortLevel, 518);
  EXPECT_LE(longLevel, 523);
  EXPECT_GE(longLevel, 518);
  EXPECT_EQ(g.s.TotalScoreText, "0");
  EXPECT_EQ(g.s.LevelScoreText, "98765");
}

TEST(HudLook, PanelTextsAreCentredOnTheWindow) {
  Game g;
  g.s.LevelFailed = 1;
  g.s.PhaseCounter = 200;
  g.Frames(1);
  const Box message = FindInFrame(g, Rgb(192, 192, 192), 256, 192, 383, 223);
  ASSERT_GT(message.count, 20);
  EXPECT_NEAR((message.left + message.right) / 2.0, 320.0, 2.0);
  const Box ok = FindInFrame(g, Rgb(184, 199, 184), 289, 225, 350, 254);
  ASSERT_GT(ok.count, 20);
  EXPECT_NEAR((ok.left + ok.right) / 2.0, 320.0, 2.0);
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
  const Box credit = FindInFrame(g, Rgb(192, 192, 192), 480, 464, 639, 479);
  ASSERT_GT(credit.count, 20);
  EXPECT_GE(credit.left, 497);
  EXPECT_LE(credit.right, 621);
  EXPECT_LE(credit.bottom, 478);
  // Nothing of it spills beyond the bar's right bevel.
  EXPECT_EQ(FindInFrame(g, Rgb(192, 192, 192), 622, 464, 639, 479).count, 0);
}

}  // namespace
