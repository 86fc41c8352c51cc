// Drawing and measuring text on the open canvas, from the glyph images of the
// selected font.
#include <algorithm>
#include <climits>
#include <cstdint>

#include "runtime/canvas.h"
#include "runtime/canvas_state.h"
#include "runtime/glyph_cache.h"

namespace rt {

namespace {

// `ink` over `under` at coverage 1..254: each channel moves from under towards ink by
// coverage / 255 (scaled to 0..256 so that the division is a shift).  Red and blue
// are blended together in one word; neither can carry into the other.
inline std::uint32_t Blend(std::uint32_t under, std::uint32_t ink, std::uint32_t coverage) {
  const std::uint32_t w = coverage + (coverage >> 7);
  const std::uint32_t rb = (((ink & 0xFF00FFu) * w + (under & 0xFF00FFu) * (256u - w)) >> 8) & 0xFF00FFu;
  const std::uint32_t g = (((ink & 0x00FF00u) * w + (under & 0x00FF00u) * (256u - w)) >> 8) & 0x00FF00u;
  return rb | g;
}

// One glyph image with its top-left at (x, y), clipped to the surface.
void DrawGlyph(Surface& surface, const Font& font, const Glyph& glyph, long long x, long long y,
               std::uint32_t ink) {
  const long long left = std::max<long long>(x, 0);
  const long long top = std::max<long long>(y, 0);
  const long long right = std::min<long long>(x + glyph.width, surface.width);
  const long long bottom = std::min<long long>(y + glyph.height, surface.height);
  if (left >= right || top >= bottom) return;
  const auto columns = static_cast<int>(right - left);
  const std::uint8_t* image = font.coverage.data() + glyph.offset + (left - x);
  for (long long row = top; row < bottom; ++row) {
    const std::uint8_t* cover = image + (row - y) * glyph.width;
    std::uint32_t* out = surface.Row(static_cast<int>(row)) + left;
    if (glyph.solid) {
      for (int i = 0; i < columns; ++i) {
        if (cover[i] != 0) out[i] = ink;
      }
    } else {
      for (int i = 0; i < columns; ++i) {
        const std::uint32_t c = cover[i];
        if (c == 0) continue;
        out[i] = c == 255 ? ink : Blend(out[i], ink, c);
      }
    }
  }
}

// The w x h box at (x, y) in `pixel`, clipped to the surface.
void FillClipped(Surface& surface, long long x, long long y, long long w, long long h,
                 std::uint32_t pixel) {
  const long long left = std::max<long long>(x, 0);
  const long long top = std::max<long long>(y, 0);
  const long long right = std::min<long long>(x + w, surface.width);
  const long long bottom = std::min<long long>(y + h, surface.height);
  if (left >= right || top >= bottom) return;
  for (long long row = top; row < bottom; ++row) {
    std::uint32_t* out = surface.Row(static_cast<int>(row));
    std::fill(out + left, out + right, pixel);
  }
}

int ClampToInt(long long value) {
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

}  // namespace

void DrawTextHere(std::string_view text) {
  CanvasState& canvas = Canvas();
  if (canvas.target == nullptr || canvas.font == nullptr) return;
  Surface& surface = *canvas.target;
  const Font& font = *canvas.font;
  const long long x = canvas.cursorX;
  const long long y = canvas.cursorY;
  const long long width = font.Advance(text);

  // Opaque mode first fills the whole text cell with the background colour.
  if ((canvas.mode & 1) == 0) FillClipped(surface, x, y, width, font.cellHeight, canvas.backgroundPixel);

  long long pen = x;
  for (char c : text) {
    const Glyph& glyph = font.Of(static_cast<unsigned char>(c));
    if (glyph.width > 0) DrawGlyph(surface, font, glyph, pen + glyph.left, y + glyph.top, canvas.textPixel);
    pen += glyph.advance;
  }
  canvas.cursorX = ClampToInt(x + width);
  surface.Touch();
}

int TextWidth(std::string_view text) {
  const Font* font = Canvas().font;
  if (font == nullptr) return 0;
  return ClampToInt(font->Advance(text));
}

}  // namespace rt
