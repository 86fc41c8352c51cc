// Drawing the water.  Each flow frame adds the newest front of every stream to the
// water layer: a one-pixel line across the band on straight pieces, a short thick
// radial line in bends.  The board tiles are drawn over the layer keyed, so the
// accumulated water shows through their black channels.
#include "game/flow_draw.h"

#include <cmath>
#include <cstdint>

#include "game/layout.h"
#include "game/sprites.h"
#include "game/water.h"
#include "runtime/screen.h"

namespace game {

namespace {

constexpr double kPi = 3.14159265358979323846;

// The game's integers are 32 bits and wrap; a driver may set a direction to any value,
// so the sums and products here wrap the same way instead of overflowing.
std::int32_t Wrap32(std::int64_t v) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(v)); }

// How far the front has moved into the cell along direction d: d * step / 4, rounded
// towards minus infinity (an arithmetic shift), so a stream moving left starts on
// the cell's last pixel column rather than one beyond it.
std::int32_t Advance(std::int32_t d, int flowStep) { return Wrap32(std::int64_t{d} * flowStep) >> 2; }

// Where a straight front lies along its axis: the entry edge of the cell (centre c,
// direction d) plus the advance.
int FrontAt(std::int32_t c, std::int32_t d, int flowStep) {
  return Wrap32(std::int64_t{c} - std::int64_t{16} * d + Advance(d, flowStep));
}

// A line across the band of a horizontal stream (vertical line, 16 pixels high).
void FrontAcrossRow(int x, int cy, rt::Colour colour) {
  rt::DrawLine(x, Wrap32(std::int64_t{cy} - 8), 0, 16, colour);
}
// A line across the band of a vertical stream (horizontal line, 16 pixels wide).
void FrontAcrossColumn(int cx, int y, rt::Colour colour) {
  rt::DrawLine(Wrap32(std::int64_t{cx} - 8), y, 16, 0, colour);
}

// The radial segment of a bend: it turns a quarter circle about the cell corner the
// bend curves around, from the entry edge at step 0 to the exit edge at step 128.
void BendFront(const StreamRecord& st, int flowKind, rt::Colour colour, int flowStep, int cx,
               int cy) {
  int sx = 0, sy = 0;
  switch (flowKind) {
    case kBendTopRight: sx = 1, sy = -1; break;
    case kBendBottomRight: sx = 1, sy = 1; break;
    case kBendLeftBottom: sx = -1, sy = 1; break;
    default: sx = -1, sy = -1; break;  // kBendTopLeft
  }
  const std::int32_t kx = Wrap32(std::int64_t{cx} + 16 * sx);
  const std::int32_t ky = Wrap32(std::int64_t{cy} + 16 * sy);
  // A quarter turn over the steps of the cell.
  const double a = flowStep * kPi / (2.0 * kCellSteps);
  double u = 0, v = 0;
  if (st.DirX != 0) {
    u = std::sin(a), v = std::cos(a);
  } else {
    u = std::cos(a), v = std::sin(a);
  }
  const auto round = [](double t) { return static_cast<int>(std::lround(t)); };
  const std::int32_t x = Wrap32(std::int64_t{kx} - sx * round(24 * u));
  const std::int32_t y = Wrap32(std::int64_t{ky} - sy * round(24 * v));
  const int w = sx * round(21 * u);
  const int h = sy * round(21 * v);
  DrawThickLine(x, y, w, h, colour);
}

}  // namespace

void OpenWaterLayer() { rt::OpenCanvas(rt::SpriteCanvas(sprite::kWaterLayer)); }

void CloseWaterLayer() { rt::CloseCanvas(); }

void ClearWaterLayer() {
  rt::OpenCanvas(rt::SpriteCanvas(sprite::kWaterLayer));
  rt::FillBox(0, 0, kWindowWidth, kWindowHeight, rt::PackColour(0, 0, 0));
  rt::CloseCanvas();
}

void DrawFlowFront(const StreamRecord& st, int flowKind, rt::Colour colour, int flowStep) {
  const std::int32_t cx = Wrap32(std::int64_t{st.Column} * 32);
  const std::int32_t cy = Wrap32(std::int64_t{st.Row} * 32);
  switch (flowKind) {
    case kVerticalPipe:
      FrontAcrossColumn(cx, FrontAt(cy, st.DirY, flowStep), colour);
      break;
    case kHorizontalPipe:
    case kFlowPass:
      FrontAcrossRow(FrontAt(cx, st.DirX, flowStep), cy, colour);
      break;
    case kCrossing:  // vertical water is hidden where it passes under the horizontal channel
      if (st.DirX != 0) {
        FrontAcrossRow(FrontAt(cx, st.DirX, flowStep), cy, colour);
      } else if (flowStep < 28 || flowStep > 100) {
        FrontAcrossColumn(cx, FrontAt(cy, st.DirY, flowStep), colour);
      }
      break;
    case kFlowStart:
    case kFlowGoal:  // only ever entered moving right; a stream on its goal redraws its left edge
      FrontAcrossRow(Wrap32(std::int64_t{cx} - 16 + Advance(st.DirX, flowStep)), cy, colour);
      break;
    case kBendTopRight:
    case kBendBottomRight:
    case kBendLeftBottom:
    case kBendTopLeft:
      BendFront(st, flowKind, colour, flowStep, cx, cy);
      break;
    default:  // grass, stone and anything else: no water to see
      break;
  }
}

int DrawThickLine(int x, int y, int w, int h, rt::Colour colour) {
  const std::int32_t left = Wrap32(std::int64_t{x} - 1), right = Wrap32(std::int64_t{x} + 1);
  const std::int32_t up = Wrap32(std::int64_t{y} - 1), down = Wrap32(std::int64_t{y} + 1);
  rt::DrawLine(x, y, w, h, colour);
  rt::DrawLine(right, y, w, h, colour);
  rt::DrawLine(x, down, w, h, colour);
  rt::DrawLine(left, y, w, h, colour);
  rt::DrawLine(x, up, w, h, colour);
  return 0;
}

}  // namespace game
