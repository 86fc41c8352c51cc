// Drawing and measuring text on the open canvas, from the glyph images of the
// selected font.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define QUELMO_TEXT_SSE2 1
#else
#define QUELMO_TEXT_SSE2 0
#endif

#include "runtime/canvas.h"
#include "runtime/canvas_state.h"
#include "runtime/glyphs.h"

namespace rt {

namespace {

// Four pixels at `out` blended with the four weights at `weights`, exactly as BlendInk
// blends each.
#if QUELMO_TEXT_SSE2
inline void Blend4(std::uint32_t* out, const std::uint8_t* weights, __m128i ink16) {
  std::uint32_t packed;
  std::memcpy(&packed, weights, 4);
  if (packed == 0) return;
  const __m128i zero = _mm_setzero_si128();
  __m128i w = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(packed)), zero);  // w0 w1 w2 w3
  w = _mm_unpacklo_epi16(w, w);                                                      // w0 w0 w1 w1 ...
  const __m128i wLow = _mm_unpacklo_epi32(w, w);   // w0 x4, w1 x4: one per channel
  const __m128i wHigh = _mm_unpackhi_epi32(w, w);  // w2 x4, w3 x4
  const __m128i below = _mm_loadu_si128(reinterpret_cast<const __m128i*>(out));
  __m128i low = _mm_unpacklo_epi8(below, zero);
  __m128i high = _mm_unpackhi_epi8(below, zero);
  // (ink - below) * weight stays within +-255 * 128: a signed 16-bit product.
  low = _mm_add_epi16(low, _mm_srai_epi16(_mm_mullo_epi16(_mm_sub_epi16(ink16, low), wLow), 7));
  high = _mm_add_epi16(high, _mm_srai_epi16(_mm_mullo_epi16(_mm_sub_epi16(ink16, high), wHigh), 7));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(low, high));
}
#endif

// One glyph image with its top-left at (x, y), clipped to the surface.
void DrawGlyph(Surface& surface, const Font& font, const Glyph& glyph, long long x, long long y,
               std::uint32_t ink) {
  if (x >= surface.width || y >= surface.height || x + glyph.width <= 0 || y + glyph.height <= 0) return;
  const std::uint8_t* image = font.weights + glyph.offset;
  const GlyphSpan* const spans = font.spans + glyph.firstSpan;
  const GlyphSpan* const spansEnd = spans + glyph.spanCount;
#if QUELMO_TEXT_SSE2
  // Whole image rows, padding included, inside the target: four pixels at a time.
  if (x >= 0 && y >= 0 && x + glyph.stride <= surface.width && y + glyph.height <= surface.height) {
    const __m128i ink16 = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(ink)), _mm_setzero_si128());
    for (const GlyphSpan* span = spans; span != spansEnd; ++span) {
      std::uint32_t* out = surface.Row(static_cast<int>(y) + span->row) + x + span->column;
      const std::uint8_t* weights = image + span->row * glyph.stride + span->column;
      for (int i = 0; i < span->length; i += 4) Blend4(out + i, weights + i, ink16);
    }
    return;
  }
#endif
  for (const GlyphSpan* span = spans; span != spansEnd; ++span) {
    const long long row = y + span->row;
    if (row < 0 || row >= surface.height) continue;
    const long long start = x + span->column;
    const long long left = std::max<long long>(start, 0);
    const long long right = std::min<long long>(start + span->length, surface.width);
    std::uint32_t* out = surface.Row(static_cast<int>(row));
    const std::uint8_t* weights = image + span->row * glyph.stride + span->column;
    for (long long i = left; i < right; ++i) {
      const int weight = weights[i - start];
      if (weight != 0) out[i] = BlendInk(out[i], ink, weight);
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

  // Opaque mode first fills the whole text cell with the background colour.
  if ((canvas.mode & 1) == 0) FillClipped(surface, x, y, font.Advance(text), font.cellHeight, canvas.backgroundPixel);

  long long pen = x;
  int previousRsbDelta = text.empty() ? 0 : font.Of(static_cast<unsigned char>(text.front())).lsbDelta;
  for (char c : text) {
    const Glyph& glyph = font.Of(static_cast<unsigned char>(c));
    pen += SpacingCorrection(previousRsbDelta, glyph.lsbDelta);
    if (glyph.width > 0) DrawGlyph(surface, font, glyph, pen + glyph.left, y + glyph.top, canvas.textPixel);
    pen += glyph.advance;
    previousRsbDelta = glyph.rsbDelta;
  }
  canvas.cursorX = ClampToInt(pen);
  surface.Touch();
}

int TextWidth(std::string_view text) {
  const Font* font = Canvas().font;
  if (font == nullptr) return 0;
  return ClampToInt(font->Advance(text));
}

}  // namespace rt
