// The sprite catalogue: the built-in images are loaded under their sprite numbers,
// then the composed sprites (water layer, frame, panels, colour squares, special
// tiles) are built from them once at start-up.
#include "game/catalogue.h"

#include <array>
#include <span>

#include "assets/images.h"
#include "game/marks.h"
#include "game/sprites.h"
#include "game/texts.h"
#include "runtime/canvas.h"
#include "runtime/screen.h"

namespace game {

namespace {

using namespace sprite;

// The catalogue images in the order they are loaded; the overlays come later, just
// before the special tiles that use them.
constexpr std::array<int, 31> kLoadOrder = {
    kTile,           kVerticalPipe,   kHorizontalPipe, kBendTopRight,   kBendBottomRight,
    kBendLeftBottom, kBendTopLeft,    kCrossing,       kGrass,          kStone,
    Preview(1),      Preview(2),      Preview(3),      Preview(4),      Preview(5),
    Preview(6),      Preview(7),      kCreditBar,      kRaisedBar,      kPressedBar,
    kBottomEdge,     kTopEdge,        kSide,           kCorner,         kTopCorner,
    kRaisedClose,    kPressedClose,   kStripEnd,       kRaisedButton,   kPressedButton,
    kTextBox};

void LoadImage(int number) {
  const std::span<const std::uint8_t> image = assets::Image(number);
  rt::SpriteFromBitmap(number, image.data(), image.size(), 0);
}

// Draws sprite `number` into the frame at its place in the window.
void DrawAt(int number, const Rect& place) { rt::DrawSprite(number, place.left, place.top); }

// Makes sprite `number` and selects it as the drawing target, then fills it with a
// bevelled box: double-bevelled corners and edge along the top, single-bevelled ones
// along the bottom and the sides.  The caller puts the box's contents in and selects
// the back buffer again.
void BeginBevelledBox(int number, int width, int height) {
  rt::NewBlankSprite(number, width, height, 0);
  rt::SelectBuffer(number);
  const int right = width - 16, bottom = height - 16;
  rt::DrawSprite(kTopCorner, 0, 0);
  rt::DrawSprite(kTopCorner, right, 0);
  rt::DrawSprite(kCorner, right, bottom);
  rt::DrawSprite(kCorner, 0, bottom);
  for (int x = 16; x < right; x += 32) {
    rt::DrawSprite(kTopEdge, x, 0);
    rt::DrawSprite(kBottomEdge, x, bottom);
  }
  for (int y = 16; y < bottom; y += 32) {
    rt::DrawSprite(kSide, 0, y);
    rt::DrawSprite(kSide, right, y);
  }
}

// The frame: title bar, HUD band with its boxes, side and bottom edges, credit bar.
// The field area in the middle stays black so that the board shows through.  The
// menu button and the close button cover the box's top edge at their places.
void ComposeFrame() {
  BeginBevelledBox(kFrame, kWindowWidth, kWindowHeight);
  DrawAt(kRaisedClose, kCloseButton);
  DrawAt(kRaisedBar, kMenuButton);
  // The band's tiles, as wide as the field.
  for (int x = kField.left; x < kField.right; x += 32) {
    rt::DrawSprite(kTile, x, 16);
    rt::DrawSprite(kTile, x, 48);
  }
  DrawAt(kRaisedButton, kFastButton);
  DrawAt(kTextBox, kCountdownBox);
  DrawAt(kCreditBar, kCreditBarPlace);
  DrawAt(kTextBox, kTotalScoreBox);
  DrawAt(kTextBox, kLevelScoreBox);
  rt::SelectBuffer(-1);
}

// Makes the sprite of the panel shown at `place`, of its size, as a bevelled box with
// its text box; the caller adds the rest and selects the back buffer again.
void BeginPanel(int number, const Rect& place) {
  BeginBevelledBox(number, place.Width(), place.Height());
  rt::DrawSprite(kTextBox, kPanelInset, kPanelInset);
}

// The result panel: a text box above the OK button, with a grey tile either side of it.
void ComposeResultPanel() {
  BeginPanel(kResultPanel, kResultPanelPlace);
  const int okLeft = kOkButton.left - kResultPanelPlace.left;
  const int okTop = kOkButton.top - kResultPanelPlace.top;
  rt::DrawSprite(kRaisedButton, okLeft, okTop);
  rt::DrawSprite(kTile, okLeft - 32, okTop);
  rt::DrawSprite(kTile, okLeft + kOkButton.Width(), okTop);
  rt::SelectBuffer(-1);
}

// The notice panel: one text box.
void ComposeNoticePanel() {
  BeginPanel(kNoticePanel, kNoticePanelPlace);
  rt::SelectBuffer(-1);
}

// The fixed labels of the two score boxes, drawn once into the frame.
void LabelFrame(const GameState& s) {
  const texts::Table& t = *s.Texts;
  rt::OpenCanvas(rt::SpriteCanvas(kFrame));
  rt::SetDrawMode(1);
  rt::SetDrawFont(s.SmallFont);
  DrawLabel(BoxLine(kTotalScoreBox, 0), t.points, 1);
  DrawLabel(BoxLine(kTotalScoreBox, 1), t.totalSuffix, 1);
  DrawLabel(BoxLine(kLevelScoreBox, 0), t.points, 1);
  DrawLabel(BoxLine(kLevelScoreBox, 1), t.levelSuffix, 1);
  rt::CloseCanvas();
}

// A special tile of colour X and kind Y is its colour square with the kind's overlay
// drawn over it keyed on white: the overlay's white field shows the colour.  The goal
// tiles take the overlay with the language's word.  With `marks`, each also carries
// its stream's mark.
void ComposeSpecialTiles(const texts::Table& t, bool marks) {
  for (int x = 1; x <= 4; ++x) {
    const StreamRgb& rgb = kStreamColours[static_cast<std::size_t>(x)];
    rt::NewBlankSprite(ColourSquare(x), 32, 32, 0);
    rt::OpenCanvas(rt::SpriteCanvas(ColourSquare(x)));
    rt::FillBox(0, 0, 32, 32, rt::PackColour(rgb.red, rgb.green, rgb.blue));
    rt::CloseCanvas();
  }
  const std::array<int, 3> overlays = {Overlay(kKindStart), Overlay(kKindPass), t.goalOverlay};
  for (int overlay : overlays) LoadImage(overlay);
  for (int overlay : overlays) rt::SetSpriteKeyColour(overlay, 255, 255, 255);
  for (int x = 1; x <= 4; ++x) {
    for (int y = kKindStart; y <= kKindGoal; ++y) {
      const int n = SpecialTile(x, y);
      rt::NewBlankSprite(n, 32, 32, 0);
      rt::SelectBuffer(n);
      rt::DrawSprite(ColourSquare(x), 0, 0);
      rt::DrawSpriteKeyed(overlays[static_cast<std::size_t>(y - kKindStart)], 0, 0);
      rt::SelectBuffer(-1);
      if (marks) DrawStreamMark(n, x);
    }
  }
}

}  // namespace

void BuildSprites(const GameState& s, bool marks) {
  for (int number : kLoadOrder) LoadImage(number);
  rt::NewBlankSprite(kWaterLayer, kWindowWidth, kWindowHeight, 0);
  ComposeFrame();
  ComposeResultPanel();
  ComposeNoticePanel();
  LabelFrame(s);
  ComposeSpecialTiles(*s.Texts, marks);
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
