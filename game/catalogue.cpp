// The sprite catalogue: the built-in images are loaded under their sprite numbers,
// then the composed sprites (water layer, frame, panels, colour squares, special
// tiles) are built from them once at start-up.
#include "game/catalogue.h"

#include <array>
#include <span>

#include "assets/images.h"
#include "game/texts.h"
#include "runtime/canvas.h"
#include "runtime/screen.h"

namespace game {

namespace {

// The catalogue images in the order they are loaded; the overlays 301..303 come later,
// just before the special tiles that use them.
constexpr std::array<int, 31> kLoadOrder = {10,  1,   2,   3,   4,   5,   6,   7,
                                            0,   20,  11,  12,  13,  14,  15,  16,
                                            17,  114, 104, 105, 107, 108, 101, 100,
                                            102, 110, 111, 120, 122, 123, 130};

// Stream colours by colour digit 1..4 (index 0 unused).
struct Rgb {
  int r, g, b;
};
constexpr std::array<Rgb, 5> kStreamRgb = {
    Rgb{0, 0, 0}, Rgb{0, 255, 255}, Rgb{255, 128, 128}, Rgb{255, 255, 0}, Rgb{0, 255, 0}};

void LoadImage(int number) {
  const std::span<const std::uint8_t> image = assets::Image(number);
  rt::SpriteFromBitmap(number, image.data(), image.size(), 0);
}

// The frame: title bar, HUD band with its boxes, side and bottom edges, credit bar.
// The field area in the middle stays black so that the board shows through.
void ComposeFrame() {
  rt::NewBlankSprite(kFrameSprite, 640, 480, 0);
  rt::SelectBuffer(kFrameSprite);
  rt::DrawSprite(102, 0, 0);
  rt::DrawSprite(110, 624, 0);
  rt::DrawSprite(100, 624, 464);
  rt::DrawSprite(100, 0, 464);
  rt::DrawSprite(104, 16, 0);
  for (int k = 0; k <= 13; ++k) {
    rt::DrawSprite(101, 0, 32 * k + 16);
    rt::DrawSprite(101, 624, 32 * k + 16);
  }
  for (int k = 0; k <= 18; ++k) {
    if (k > 3) rt::DrawSprite(108, 32 * k + 16, 0);
    rt::DrawSprite(107, 32 * k + 16, 464);
  }
  for (int k = 0; k <= 18; ++k) {
    rt::DrawSprite(10, 32 * k + 16, 16);
    rt::DrawSprite(10, 32 * k + 16, 48);
  }
  rt::DrawSprite(122, 560, 48);
  rt::DrawSprite(130, 496, 16);
  rt::DrawSprite(114, 496, 464);
  rt::DrawSprite(130, 240, 48);
  rt::DrawSprite(130, 400, 48);
  rt::SelectBuffer(-1);
}

// The result panel: a text box above the OK button.
void ComposeResultPanel() {
  rt::NewBlankSprite(kResultPanel, 160, 96, 0);
  rt::SelectBuffer(kResultPanel);
  rt::DrawSprite(102, 0, 0);
  rt::DrawSprite(102, 144, 0);
  rt::DrawSprite(100, 144, 80);
  rt::DrawSprite(100, 0, 80);
  for (int k = 0; k <= 3; ++k) {
    rt::DrawSprite(108, 32 * k + 16, 0);
    rt::DrawSprite(107, 32 * k + 16, 80);
  }
  for (int k = 0; k <= 1; ++k) {
    rt::DrawSprite(101, 0, 32 * k + 16);
    rt::DrawSprite(101, 144, 32 * k + 16);
  }
  rt::DrawSprite(130, 16, 16);
  rt::DrawSprite(122, 48, 48);
  rt::DrawSprite(10, 16, 48);
  rt::DrawSprite(10, 112, 48);
  rt::SelectBuffer(-1);
}

// The notice panel: one text box.
void ComposeNoticePanel() {
  rt::NewBlankSprite(kNoticePanel, 160, 64, 0);
  rt::SelectBuffer(kNoticePanel);
  rt::DrawSprite(102, 0, 0);
  rt::DrawSprite(102, 144, 0);
  rt::DrawSprite(100, 144, 48);
  rt::DrawSprite(100, 0, 48);
  for (int k = 0; k <= 3; ++k) {
    rt::DrawSprite(108, 32 * k + 16, 0);
    rt::DrawSprite(107, 32 * k + 16, 48);
  }
  rt::DrawSprite(101, 0, 16);
  rt::DrawSprite(101, 144, 16);
  rt::DrawSprite(130, 16, 16);
  rt::SelectBuffer(-1);
}

// The fixed labels of the two score boxes, drawn once into the frame.
void LabelFrame(const GameState& s) {
  rt::OpenCanvas(rt::SpriteCanvas(kFrameSprite));
  rt::SetDrawMode(1);
  rt::SetDrawFont(s.SmallFont);
  DrawLabel(244, 50, texts::kPoints, 1);
  DrawLabel(244, 62, texts::kTotalSuffix, 1);
  DrawLabel(404, 50, texts::kPoints, 1);
  DrawLabel(404, 62, texts::kLevelSuffix, 1);
  rt::CloseCanvas();
}

// A special tile of colour X and kind Y is its colour square with the kind's overlay
// drawn over it keyed on white: the overlay's white field shows the colour.
void ComposeSpecialTiles() {
  for (int x = 1; x <= 4; ++x) {
    const int square = 303 + x;
    rt::NewBlankSprite(square, 32, 32, 0);
    rt::OpenCanvas(rt::SpriteCanvas(square));
    rt::FillBox(0, 0, 32, 32, rt::PackColour(kStreamRgb[x].r, kStreamRgb[x].g, kStreamRgb[x].b));
    rt::CloseCanvas();
  }
  for (int overlay = 301; overlay <= 303; ++overlay) LoadImage(overlay);
  for (int overlay = 301; overlay <= 303; ++overlay)
    rt::SetSpriteKeyColour(overlay, 255, 255, 255);
  for (int x = 1; x <= 4; ++x) {
    for (int y = 1; y <= 3; ++y) {
      const int n = 300 + 10 * x + y;
      rt::NewBlankSprite(n, 32, 32, 0);
      rt::SelectBuffer(n);
      rt::DrawSprite(303 + x, 0, 0);
      rt::DrawSpriteKeyed(300 + y, 0, 0);
      rt::SelectBuffer(-1);
    }
  }
}

}  // namespace

void BuildSprites(const GameState& s) {
  for (int number : kLoadOrder) LoadImage(number);
  rt::NewBlankSprite(kWaterLayer, 640, 480, 0);
  ComposeFrame();
  ComposeResultPanel();
  ComposeNoticePanel();
  LabelFrame(s);
  ComposeSpecialTiles();
}

void DrawLabel(int x, int y, std::string_view text, int style) {
  int shadowR = 0, shadowG = 0, shadowB = 0, faceR = 0, faceG = 0, faceB = 0;
  if (style == 1) {
    shadowR = shadowG = shadowB = 64;
    faceR = faceG = faceB = 192;
  } else if (style == 2) {
    shadowR = 55, shadowG = 72, shadowB = 55;
    faceR = 184, faceG = 199, faceB = 184;
  } else {
    return;
  }
  rt::SetDrawColour(shadowR, shadowG, shadowB);
  rt::MoveTextCursor(x - 1, y - 1);
  rt::DrawTextHere(text);
  rt::SetDrawColour(faceR, faceG, faceB);
  rt::MoveTextCursor(x, y);
  rt::DrawTextHere(text);
}

}  // namespace game
