// The grey tiles, bars and boxes the frame and the panels are composed of, the green
// controls and the close button.
#include <cstdlib>

#include "art.h"
#include "game/sprites.h"

namespace art {
namespace {

// The close button: a double bevel round a raised diagonal cross.  Pressed, the rings
// swap and the cross sinks one pixel towards the bottom right.
Surface CloseButton(bool pressed) {
  using namespace colour;
  Surface s = Blank(16, 16, kFace);
  if (pressed) {
    Ring(s, 0, kOuterDark, kOuterLight);
    Ring(s, 1, kDark, kLight);
  } else {
    Ring(s, 0, kOuterLight, kOuterDark);
    Ring(s, 1, kLight, kDark);
  }
  // Two diagonal strokes two pixels wide over pixels 4..11; pressed, one pixel lower
  // and further right.
  const int shift = pressed ? 1 : 0;
  auto cross = [shift](int x, int y) {
    x -= shift;
    y -= shift;
    if (x < 4 || x > 11 || y < 4 || y > 11) return false;
    return x - y == 0 || x - y == 1 || x + y == 14 || x + y == 15;
  };
  for (int y = 2; y < 14; ++y) {
    for (int x = 2; x < 14; ++x) {
      if (cross(x, y)) {
        // Lit where the stroke faces up or left, shaded where it faces down or right.
        const bool up = !cross(x, y - 1), left = !cross(x - 1, y);
        const bool down = !cross(x, y + 1), right = !cross(x + 1, y);
        std::uint32_t c = Grey(200);
        if (up && left) c = Grey(236);
        else if (down && right) c = Grey(160);
        Put(s, x, y, c);
      } else if (cross(x - 1, y - 1) && !cross(x - 1, y) && !cross(x, y - 1)) {
        Put(s, x, y, Grey(84));  // the cross's shadow on the face
      }
    }
  }
  return s;
}

}  // namespace

Surface FramePiece(int number) {
  namespace sp = game::sprite;
  switch (number) {
    case sp::kTile: return SingleBevel(32, 32);
    case sp::kCorner: return SingleBevel(16, 16);
    case sp::kSide: return SingleBevel(16, 32);
    case sp::kTopCorner: return DoubleBevel(16, 16);
    case sp::kRaisedBar: return GreenControl(128, 16, false);
    case sp::kPressedBar: return GreenControl(128, 16, true);
    case sp::kBottomEdge: return SingleBevel(32, 16);
    case sp::kTopEdge: return DoubleBevel(32, 16);
    case sp::kRaisedClose: return CloseButton(false);
    case sp::kPressedClose: return CloseButton(true);
    case sp::kCreditBar: return SingleBevel(128, 16);
    case sp::kStripEnd: return DoubleBevel(32, 32);
    case sp::kRaisedButton: return GreenControl(64, 32, false);
    case sp::kPressedButton: return GreenControl(64, 32, true);
    case sp::kTextBox: return SingleBevel(128, 32);
    default: return {};
  }
}

}  // namespace art
