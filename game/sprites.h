#pragma once
// Every sprite number the game uses, named once.  A cell code is also the number of
// the sprite that draws it, so the cell codes live here too.
#include <array>
#include <cstdint>

namespace game {

// Cell codes: grass, the seven pipe pieces and the stone.
constexpr std::int32_t kGrass = 0;
constexpr std::int32_t kVerticalPipe = 1;
constexpr std::int32_t kHorizontalPipe = 2;
constexpr std::int32_t kBendTopRight = 3;
constexpr std::int32_t kBendBottomRight = 4;
constexpr std::int32_t kBendLeftBottom = 5;
constexpr std::int32_t kBendTopLeft = 6;
constexpr std::int32_t kCrossing = 7;
constexpr std::int32_t kStone = 20;
// Special tiles are kSpecialBase + 10 * colour + kind, colour 1..4.
constexpr std::int32_t kSpecialBase = 300;
constexpr std::int32_t kKindStart = 1;
constexpr std::int32_t kKindPass = 2;
constexpr std::int32_t kKindGoal = 3;
constexpr std::int32_t SpecialTile(int colour, int kind) {
  return kSpecialBase + 10 * colour + kind;
}

// The colour of the water of streams 1..4, which is also the colour of the special
// tiles with that colour digit.  Index 0 is unused.
struct StreamRgb {
  int red, green, blue;
};
constexpr std::array<StreamRgb, 5> kStreamColours = {
    StreamRgb{0, 0, 0}, StreamRgb{0, 255, 255}, StreamRgb{255, 128, 128},
    StreamRgb{255, 255, 0}, StreamRgb{0, 255, 0}};

namespace sprite {

// The dotted placement outline of piece `code` (1..7) is sprite code + kPreviewOffset.
constexpr std::int32_t kPreviewOffset = 10;
constexpr int Preview(std::int32_t code) { return code + kPreviewOffset; }

// The grey pieces the frame and the panels are composed of.
constexpr int kTile = 10;          // 32 x 32, single bevel
constexpr int kCorner = 100;       // 16 x 16, single bevel: bottom corners
constexpr int kSide = 101;         // 16 x 32, single bevel: left and right edges
constexpr int kTopCorner = 102;    // 16 x 16, double bevel: top corners
constexpr int kBottomEdge = 107;   // 32 x 16, single bevel
constexpr int kTopEdge = 108;      // 32 x 16, double bevel
constexpr int kCreditBar = 114;    // 128 x 16, single bevel
constexpr int kStripEnd = 120;     // 32 x 32, double bevel: both ends of the queue strip
constexpr int kTextBox = 130;      // 128 x 32, single bevel: countdown, scores, panel texts

// The green controls and the close button, raised and pressed.
constexpr int kRaisedBar = 104;      // 128 x 16: menu button, menu and list entries
constexpr int kPressedBar = 105;
constexpr int kRaisedClose = 110;    // 16 x 16
constexpr int kPressedClose = 111;
constexpr int kRaisedButton = 122;   // 64 x 32: "Schnell" and OK
constexpr int kPressedButton = 123;

// The overlays of the special tiles: "START", "PASS", "ZIEL" with a white colour field.
constexpr int Overlay(int kind) { return kSpecialBase + kind; }
// Plain squares of the stream colours 1..4, under the overlays.
constexpr int ColourSquare(int colour) { return Overlay(kKindGoal) + colour; }
// The goal overlay with the English word, "GOAL" in place of "ZIEL", otherwise the
// same; the language's table says which goal overlay its game shows.
constexpr int kEnglishGoalOverlay = 308;

// Composed at start-up.
constexpr int kFrame = 200;
constexpr int kResultPanel = 201;
constexpr int kNoticePanel = 202;
constexpr int kWaterLayer = 500;

}  // namespace sprite
}  // namespace game
