// Lines and boxes on the open canvas, and the state every canvas operation shares.
// The text operations live with the fonts.
#include "runtime/canvas.h"

#include <algorithm>
#include <cstdint>

#include "runtime/canvas_state.h"
#include "runtime/frame_list.h"

namespace rt {
namespace {

constexpr int kInvert = 2;
constexpr int kOutline = 4;
constexpr std::uint32_t kColourBits = 0x00FFFFFF;

// Pixel value of a colour value (red in the low byte).
std::uint32_t PixelOfColour(Colour colour) {
  return PixelRGB(static_cast<int>(colour & 255), static_cast<int>((colour >> 8) & 255),
                  static_cast<int>((colour >> 16) & 255));
}

void SetDrawColourFrom(Colour colour) {
  SetDrawColour(static_cast<int>(colour & 255), static_cast<int>((colour >> 8) & 255),
                static_cast<int>((colour >> 16) & 255));
}

// Paints pixels [x0, x1) of row y of the target, clipped, in the line and box colour
// or inverted.
void Span(Surface& target, std::int64_t x0, std::int64_t x1, std::int64_t y, bool invert,
          std::uint32_t pixel) {
  if (y < 0 || y >= target.height) return;
  x0 = std::max<std::int64_t>(x0, 0);
  x1 = std::min<std::int64_t>(x1, target.width);
  if (x0 >= x1) return;
  std::uint32_t* row = target.Row(static_cast<int>(y));
  if (invert) {
    for (std::int64_t x = x0; x < x1; ++x) row[x] ^= kColourBits;
  } else {
    std::fill(row + x0, row + x1, pixel);
  }
}

// Clamps the steps [first, last) of a line whose major coordinate is start + step * i
// so that the coordinate stays inside [0, size).
void ClampSteps(std::int64_t start, int step, std::int64_t size, std::int64_t& first,
                std::int64_t& last) {
  if (step > 0) {
    first = std::max(first, -start);
    last = std::min(last, size - start);
  } else {
    first = std::max(first, start - size + 1);
    last = std::min(last, start + 1);
  }
}

// Lines and boxes draw straight onto their target: on the back buffer, whatever the
// frame holds back is drawn before them; on a sprite, held copies of it are drawn
// before it changes.
void PrepareDirectDrawing(const Surface& target) {
  if (IsHeld(&target)) {
    DrawHeldSteps();
  } else {
    BeforeWrite(&target);
  }
}

}  // namespace

CanvasState& Canvas() {
  static CanvasState state;
  return state;
}

void StartDrawingModule() { Canvas() = CanvasState{}; }

Surface* OpenCanvas(CanvasRecord* record) {
  CloseCanvas();
  if (record == nullptr || record->surface == nullptr) return nullptr;
  CanvasState& c = Canvas();
  c.record = record;
  c.target = record->surface;
  // A new target draws black, opaque text on white, from its top-left corner; the
  // colour value itself carries over.
  c.textPixel = 0;
  c.backgroundPixel = 0x00FFFFFF;
  c.mode = 0;
  c.cursorX = 0;
  c.cursorY = 0;
  c.font = nullptr;
  return c.target;
}

void CloseCanvas() {
  CanvasState& c = Canvas();
  if (c.record == nullptr) return;
  CanvasRecord* record = c.record;
  c.record = nullptr;
  c.target = nullptr;
  c.font = nullptr;
  if ((record->type == 7 || record->type == 5) && record->release != nullptr) record->release();
}

void SetDrawColour(int red, int green, int blue) {
  CanvasState& c = Canvas();
  if (c.record == nullptr) return;
  c.colour = PackColour(red, green, blue);
  c.textPixel = PixelRGB(red, green, blue);
}

void SetDrawMode(int flags) {
  CanvasState& c = Canvas();
  c.mode = flags;
}

void MoveTextCursor(int x, int y) {
  CanvasState& c = Canvas();
  if (c.record == nullptr) return;
  c.cursorX = x;
  c.cursorY = y;
}

void DrawLine(int x, int y, int w, int h, Colour colour) {
  CanvasState& c = Canvas();
  if (c.record == nullptr) return;
  SetDrawColourFrom(colour);
  Surface& target = *c.target;
  PrepareDirectDrawing(target);
  const bool invert = (c.mode & kInvert) != 0;
  const std::uint32_t pixel = PixelOfColour(colour);
  const std::int64_t dx = w, dy = h;
  const std::int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
  // Step along the longer axis, one pixel per step, leaving out the end point; the
  // other coordinate is rounded to the nearest pixel (halves away from the start).
  const bool xMajor = adx >= ady;
  const std::int64_t steps = xMajor ? adx : ady;
  const std::int64_t minorSpan = xMajor ? ady : adx;
  std::int64_t first = 0, last = steps;
  if (xMajor) {
    ClampSteps(x, sx, target.width, first, last);
  } else {
    ClampSteps(y, sy, target.height, first, last);
  }
  std::int64_t topRow = target.height, endRow = 0;
  for (std::int64_t i = first; i < last; ++i) {
    const std::int64_t minor = (2 * i * minorSpan + steps) / (2 * steps);
    const std::int64_t px = xMajor ? x + sx * i : x + sx * minor;
    const std::int64_t py = xMajor ? y + sy * minor : y + sy * i;
    if (px < 0 || py < 0 || px >= target.width || py >= target.height) continue;
    std::uint32_t& p = target.Row(static_cast<int>(py))[px];
    p = invert ? p ^ kColourBits : pixel;
    topRow = std::min(topRow, py);
    endRow = std::max(endRow, py + 1);
  }
  if (endRow > topRow) target.Touch(static_cast<int>(topRow), static_cast<int>(endRow));
  c.cursorX = static_cast<int>(std::int64_t{x} + w);
  c.cursorY = static_cast<int>(std::int64_t{y} + h);
}

void FillBox(int x, int y, int w, int h, Colour colour) {
  CanvasState& c = Canvas();
  if (c.record == nullptr) return;
  SetDrawColourFrom(colour);
  Surface& target = *c.target;
  PrepareDirectDrawing(target);
  // The box's corners may be given in either order.
  std::int64_t left = x, top = y, right = std::int64_t{x} + w, bottom = std::int64_t{y} + h;
  if (right < left) std::swap(left, right);
  if (bottom < top) std::swap(top, bottom);
  if (left == right || top == bottom) return;
  if (right <= 0 || bottom <= 0 || left >= target.width || top >= target.height) return;
  const bool invert = (c.mode & kInvert) != 0;
  const std::uint32_t pixel = PixelOfColour(colour);
  if ((c.mode & kOutline) != 0) {
    // One-pixel outline on the box's four edges, each pixel painted once.
    Span(target, left, right, top, invert, pixel);
    if (bottom - 1 > top) Span(target, left, right, bottom - 1, invert, pixel);
    const std::int64_t rowFrom = std::max<std::int64_t>(top + 1, 0);
    const std::int64_t rowTo = std::min<std::int64_t>(bottom - 1, target.height);
    for (std::int64_t row = rowFrom; row < rowTo; ++row) {
      Span(target, left, left + 1, row, invert, pixel);
      if (right - 1 > left) Span(target, right - 1, right, row, invert, pixel);
    }
  } else {
    const std::int64_t rowFrom = std::max<std::int64_t>(top, 0);
    const std::int64_t rowTo = std::min<std::int64_t>(bottom, target.height);
    for (std::int64_t row = rowFrom; row < rowTo; ++row) Span(target, left, right, row, invert, pixel);
  }
  target.Touch(static_cast<int>(std::max<std::int64_t>(top, 0)),
               static_cast<int>(std::min<std::int64_t>(bottom, target.height)));
}

}  // namespace rt
