// Texts drawn on a canvas: font sizes, the text cursor, opaque and transparent
// backgrounds, colour blending, the German characters and clipping at the edges.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/canvas.h"
#include "runtime/canvas_state.h"
#include "runtime/surface.h"

namespace {

constexpr std::uint32_t kGrey = 0x00808080;
constexpr std::uint32_t kWhite = 0x00FFFFFF;
constexpr std::uint32_t kRed = 0x00FF0000;

rt::Surface Filled(int width, int height, std::uint32_t pixel) {
  rt::Surface s;
  s.width = width;
  s.height = height;
  s.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), pixel);
  return s;
}

// The game's two fonts, loaded as the game loads them: both under number 1.
const rt::Font* SmallFont() {
  static const rt::Font* font = rt::LoadFontFace(1, "Arial Black", 8);
  return font;
}
const rt::Font* LargeFont() {
  SmallFont();
  static const rt::Font* font = rt::LoadFontFace(1, "Arial Black", 12);
  return font;
}

// Opens `surface` as the game opens a sprite, then selects colour, mode and font.
void Open(rt::Surface& surface, const rt::Font* font, std::uint32_t ink = kRed, int mode = 1) {
  static rt::CanvasRecord record;
  record = rt::CanvasRecord{};
  record.type = 7;
  record.surface = &surface;
  record.width = surface.width;
  record.height = surface.height;
  ASSERT_EQ(rt::OpenCanvas(&record), &surface);
  rt::SetDrawColour(static_cast<int>(ink >> 16), static_cast<int>((ink >> 8) & 255),
                    static_cast<int>(ink & 255));
  rt::SetDrawMode(mode);
  rt::SetDrawFont(font);
}

void DrawAt(int x, int y, std::string_view text) {
  rt::MoveTextCursor(x, y);
  rt::DrawTextHere(text);
}

struct Box {
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;  // inclusive
  bool Empty() const { return left > right; }
  int Height() const { return bottom - top + 1; }
};

// The smallest box around every pixel that is not `background`.
Box InkBox(const rt::Surface& s, std::uint32_t background) {
  Box box;
  for (int y = 0; y < s.height; ++y) {
    for (int x = 0; x < s.width; ++x) {
      if (s.At(x, y) == background) continue;
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x);
      box.top = std::min(box.top, y);
      box.bottom = std::max(box.bottom, y);
    }
  }
  return box;
}

// One text drawn alone at (10, 10) on a fresh grey surface.
rt::Surface Alone(const rt::Font* font, std::string_view text, int mode = 1) {
  rt::Surface s = Filled(120, 50, kGrey);
  Open(s, font, kRed, mode);
  DrawAt(10, 10, text);
  return s;
}

// Every test leaves nothing open: the surfaces it drew on are gone afterwards.
class Fonts : public ::testing::Test {
 protected:
  void TearDown() override { rt::CloseCanvas(); }
};
class DrawText : public Fonts {};

TEST_F(Fonts, EightAndTwelvePointsDrawElevenAndSixteenPixelCharacters) {
  ASSERT_NE(SmallFont(), nullptr);
  ASSERT_NE(LargeFont(), nullptr);
  // A capital H is about 0.7 em tall, and its foot stands on the baseline, one
  // ascent (about an em) below the top of the cell.
  const Box small = InkBox(Alone(SmallFont(), "H"), kGrey);
  const Box large = InkBox(Alone(LargeFont(), "H"), kGrey);
  EXPECT_GE(small.Height(), 7);
  EXPECT_LE(small.Height(), 9);
  EXPECT_GE(large.Height(), 10);
  EXPECT_LE(large.Height(), 13);
  EXPECT_GE(small.bottom + 1 - 10, 9);
  EXPECT_LE(small.bottom + 1 - 10, 13);
  EXPECT_GE(large.bottom + 1 - 10, 13);
  EXPECT_LE(large.bottom + 1 - 10, 19);

  // The opaque cell is the character height plus a little leading.
  const Box smallCell = InkBox(Alone(SmallFont(), "H", 0), kGrey);
  const Box largeCell = InkBox(Alone(LargeFont(), "H", 0), kGrey);
  EXPECT_EQ(smallCell.top, 10);
  EXPECT_GE(smallCell.Height(), 12);
  EXPECT_LE(smallCell.Height(), 16);
  EXPECT_GE(largeCell.Height(), 17);
  EXPECT_LE(largeCell.Height(), 24);
}

TEST_F(Fonts, ReusingANumberKeepsTheEarlierFontUsable) {
  const rt::Font* small = SmallFont();
  const rt::Font* large = LargeFont();
  ASSERT_NE(small, large);
  // Load a third font under the same number, then reset the table: both earlier
  // handles still draw at their own sizes.
  ASSERT_NE(rt::LoadFontFace(1, "Arial Black", 8), nullptr);
  rt::StartFontTable();
  rt::Surface s = Filled(10, 10, kGrey);
  Open(s, small);
  const int smallWidth = rt::TextWidth("Neues Spiel");
  rt::SetDrawFont(large);
  const int largeWidth = rt::TextWidth("Neues Spiel");
  EXPECT_GT(smallWidth, 40);
  EXPECT_GT(largeWidth, smallWidth * 5 / 4);
  EXPECT_LT(InkBox(Alone(small, "H"), kGrey).Height(), InkBox(Alone(large, "H"), kGrey).Height());
}

TEST_F(Fonts, OnlyTheBuiltInFaceAtTheGamesTwoSizesIsMade) {
  // Face names match without regard to case, as on Windows.
  const rt::Font* other = rt::LoadFontFace(3, "ARIAL black", 8);
  ASSERT_NE(other, nullptr);
  EXPECT_EQ(Alone(other, "Quelmo 1.2").pixels, Alone(SmallFont(), "Quelmo 1.2").pixels);

  EXPECT_EQ(rt::LoadFontFace(1, "No Such Face", 8), nullptr);
  EXPECT_EQ(rt::LoadFontFace(1, "Arial", 12), nullptr);
  EXPECT_EQ(rt::LoadFontFace(1, "", 8), nullptr);
  for (int points : {7, 9, 10, 11, 13, 24}) EXPECT_EQ(rt::LoadFontFace(1, "Arial Black", points), nullptr) << points;
  EXPECT_EQ(rt::LoadFontFace(-1, "Arial Black", 8), nullptr);
  EXPECT_EQ(rt::LoadFontFace(INT_MAX, "Arial Black", 8), nullptr);
  EXPECT_EQ(rt::LoadFontFace(1, "Arial Black", 0), nullptr);
  EXPECT_EQ(rt::LoadFontFace(1, "Arial Black", -12), nullptr);
  EXPECT_EQ(rt::LoadFontFace(1, "Arial Black", INT_MAX), nullptr);
}

TEST_F(DrawText, SecondTextStartsWhereTheFirstEnded) {
  for (int mode : {0, 1}) {
    for (const rt::Font* font : {SmallFont(), LargeFont()}) {
      rt::Surface twice = Filled(200, 40, kGrey);
      Open(twice, font, kRed, mode);
      const int first = rt::TextWidth("Quelmo ");
      const int second = rt::TextWidth("flie\xDFt");
      DrawAt(7, 5, "Quelmo ");
      EXPECT_EQ(rt::Canvas().cursorX, 7 + first);
      EXPECT_EQ(rt::Canvas().cursorY, 5);
      rt::DrawTextHere("flie\xDFt");
      EXPECT_EQ(rt::Canvas().cursorX, 7 + first + second);
      EXPECT_EQ(rt::Canvas().cursorY, 5);

      rt::Surface placed = Filled(200, 40, kGrey);
      Open(placed, font, kRed, mode);
      DrawAt(7, 5, "Quelmo ");
      DrawAt(7 + first, 5, "flie\xDFt");
      EXPECT_EQ(twice.pixels, placed.pixels) << "mode " << mode;
    }
  }
}

TEST_F(DrawText, OpaqueModeFillsTheTextCellWithWhiteTransparentModeDoesNot) {
  const std::string_view text = "Zeit bis das";
  const rt::Surface opaque = Alone(LargeFont(), text, 0);
  const rt::Surface clear = Alone(LargeFont(), text, 1);
  const int width = rt::TextWidth(text);

  const Box cell = InkBox(opaque, kGrey);
  EXPECT_EQ(cell.left, 10);
  EXPECT_EQ(cell.top, 10);
  EXPECT_EQ(cell.right, 10 + width - 1);
  // The cell's corners are background, not ink.
  EXPECT_EQ(opaque.At(cell.left, cell.top), kWhite);
  EXPECT_EQ(opaque.At(cell.right, cell.top), kWhite);
  EXPECT_EQ(opaque.At(cell.left, cell.bottom), kWhite);
  EXPECT_EQ(opaque.At(cell.right, cell.bottom), kWhite);

  int whiteInClear = 0, solidInk = 0;
  for (int y = 0; y < clear.height; ++y) {
    for (int x = 0; x < clear.width; ++x) {
      if (clear.At(x, y) == kWhite) ++whiteInClear;
      if (clear.At(x, y) == kRed) {
        ++solidInk;
        EXPECT_EQ(opaque.At(x, y), kRed);  // the same glyphs on top of the white cell
      }
    }
  }
  EXPECT_EQ(whiteInClear, 0);
  EXPECT_GT(solidInk, 50);
  // Transparent text stays inside the opaque cell.
  const Box ink = InkBox(clear, kGrey);
  EXPECT_GE(ink.left, cell.left);
  EXPECT_LE(ink.right, cell.right);
  EXPECT_GE(ink.top, cell.top);
  EXPECT_LE(ink.bottom, cell.bottom);
}

TEST_F(DrawText, EdgesBlendTheTextColourOverWhatIsBelow) {
  // Red text on blue: every touched pixel lies on the way from blue to red.
  rt::Surface s = Filled(200, 40, 0x000000FF);
  Open(s, SmallFont(), kRed);
  DrawAt(3, 3, "Men\xFC - Quelmo 1.2");
  int full = 0, partial = 0;
  for (std::uint32_t p : s.pixels) {
    const std::uint32_t r = p >> 16, g = (p >> 8) & 255, b = p & 255;
    EXPECT_EQ(g, 0u);
    EXPECT_GE(r + b, 253u);
    EXPECT_LE(r + b, 255u);
    if (p == kRed) ++full;
    if (p != kRed && p != 0x000000FF) ++partial;
  }
  EXPECT_GT(full, 30);
  EXPECT_GT(partial, 10);
}

TEST_F(DrawText, GermanAndOtherHighCharactersHaveTheirOwnGlyphs) {
  for (const rt::Font* font : {SmallFont(), LargeFont()}) {
    const rt::Surface u = Alone(font, "u");
    const rt::Surface uUmlaut = Alone(font, "\xFC");
    const rt::Surface s = Alone(font, "s");
    const rt::Surface sharpS = Alone(font, "\xDF");
    const rt::Surface missing = Alone(font, "\x81");  // undefined in the code page
    const rt::Surface blank = Alone(font, "");

    // u-umlaut: the u with dots above it.
    const Box uBox = InkBox(u, kGrey), uUmlautBox = InkBox(uUmlaut, kGrey);
    ASSERT_FALSE(uBox.Empty());
    EXPECT_EQ(uUmlautBox.bottom, uBox.bottom);
    EXPECT_LT(uUmlautBox.top, uBox.top - 1);
    // Sharp s: about as tall as an l, unlike s.
    const Box sBox = InkBox(s, kGrey), sharpBox = InkBox(sharpS, kGrey);
    EXPECT_LT(sharpBox.top, sBox.top - 1);
    EXPECT_NEAR(sharpBox.top, InkBox(Alone(font, "l"), kGrey).top, 1);

    for (const rt::Surface* glyph : {&uUmlaut, &sharpS}) {
      EXPECT_NE(glyph->pixels, missing.pixels);
      EXPECT_NE(glyph->pixels, blank.pixels);
    }
    // The bytes where the code page differs from Latin-1 have their own glyphs too.
    for (std::string_view high : {"\x80", "\x8A", "\x93", "\x9F"}) {
      const rt::Surface g = Alone(font, high);
      EXPECT_NE(g.pixels, missing.pixels) << int(static_cast<unsigned char>(high[0]));
      EXPECT_NE(g.pixels, blank.pixels);
    }
  }
}

TEST_F(DrawText, ClippedAtEveryEdgeAsIfDrawnOnALargerTarget) {
  // Drawing near or past an edge of a small target shows exactly the part of the
  // text a larger target would show there.
  constexpr int kW = 40, kH = 20, kMargin = 300;
  const std::string_view text = "Quelmo flie\xDFt";
  const int xs[] = {-250, -60, -5, -1, 0, 3, kW - 9, kW - 1, kW, kW + 7};
  const int ys[] = {-40, -12, -5, -1, 0, 4, kH - 6, kH - 1, kH, kH + 3};
  for (const rt::Font* font : {SmallFont(), LargeFont()}) {
    for (int mode : {0, 1}) {
      for (int x : xs) {
        for (int y : ys) {
          rt::Surface small = Filled(kW, kH, kGrey);
          Open(small, font, kRed, mode);
          DrawAt(x, y, text);
          rt::Surface large = Filled(kW + 2 * kMargin, kH + 2 * kMargin, kGrey);
          Open(large, font, kRed, mode);
          DrawAt(x + kMargin, y + kMargin, text);
          bool same = true;
          for (int row = 0; row < kH && same; ++row) {
            for (int col = 0; col < kW && same; ++col) {
              same = small.At(col, row) == large.At(col + kMargin, row + kMargin);
            }
          }
          EXPECT_TRUE(same) << "at " << x << ", " << y << " mode " << mode;
        }
      }
    }
  }
}

TEST_F(DrawText, FarAwayCursorDrawsNothingAndDoesNotOverflow) {
  rt::Surface s = Filled(30, 30, kGrey);
  for (int mode : {0, 1}) {
    Open(s, LargeFont(), kRed, mode);
    DrawAt(INT_MAX - 5, 0, "Quelmo");
    EXPECT_EQ(rt::Canvas().cursorX, INT_MAX);
    DrawAt(INT_MIN, INT_MIN, "Quelmo");
    DrawAt(0, INT_MAX, "Quelmo");
    DrawAt(-100000, 5, "Quelmo");
    EXPECT_EQ(InkBox(s, kGrey).Empty(), true);
  }
}

TEST_F(DrawText, NothingHappensWithoutATargetOrAFont) {
  rt::CloseCanvas();
  rt::SetDrawFont(LargeFont());  // no target open: nothing is selected
  EXPECT_EQ(rt::TextWidth("Quelmo"), 0);
  rt::DrawTextHere("Quelmo");

  rt::Surface s = Filled(60, 30, kGrey);
  Open(s, nullptr, kRed, 0);
  DrawAt(5, 5, "Quelmo");
  EXPECT_TRUE(InkBox(s, kGrey).Empty());
  rt::CloseCanvas();
}

TEST_F(DrawText, NewCanvasDrawsBlackTextOnAWhiteCell) {
  rt::Surface s = Filled(100, 40, kGrey);
  rt::CanvasRecord record;
  record.type = 7;
  record.surface = &s;
  rt::OpenCanvas(&record);
  rt::SetDrawFont(SmallFont());
  rt::DrawTextHere("O K");  // at the new target's top-left corner
  const Box cell = InkBox(s, kGrey);
  EXPECT_EQ(cell.left, 0);
  EXPECT_EQ(cell.top, 0);
  // The cell's top row ends at the advance width (the K may overhang it lower down).
  const int width = rt::TextWidth("O K");
  EXPECT_EQ(s.At(0, 0), kWhite);
  EXPECT_EQ(s.At(width - 1, 0), kWhite);
  EXPECT_EQ(s.At(width, 0), kGrey);
  EXPECT_NE(std::count(s.pixels.begin(), s.pixels.end(), 0x00000000u), 0);
  EXPECT_NE(std::count(s.pixels.begin(), s.pixels.end(), kWhite), 0);
  rt::CloseCanvas();
}

TEST_F(DrawText, TextAfterALineStartsAtItsEndInItsColour) {
  // The line leaves the text cursor at its end point and the text colour at its colour.
  rt::Surface afterLine = Filled(120, 60, kGrey);
  Open(afterLine, LargeFont(), 0x000000FF, 1);
  rt::DrawLine(10, 10, 30, 5, rt::PackColour(255, 0, 0));
  rt::DrawTextHere("Quelmo");

  rt::Surface placed = Filled(120, 60, kGrey);
  Open(placed, LargeFont(), 0x000000FF, 1);
  rt::DrawLine(10, 10, 30, 5, rt::PackColour(255, 0, 0));
  rt::SetDrawColour(255, 0, 0);
  DrawAt(40, 15, "Quelmo");
  rt::CloseCanvas();

  EXPECT_EQ(afterLine.pixels, placed.pixels);
  const Box ink = InkBox(afterLine, kGrey);
  EXPECT_GT(ink.right, 40 + 20);
  EXPECT_GT(ink.bottom, 15 + 5);
  EXPECT_EQ(std::count(afterLine.pixels.begin(), afterLine.pixels.end(), 0x000000FFu), 0);
}

}  // namespace
