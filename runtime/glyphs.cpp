#include "runtime/glyphs.h"

namespace rt {

const GlyphFace* BuiltInFace(long long pixelHeight) {
  for (std::size_t i = 0; i < kBuiltInFaceCount; ++i)
    if (kBuiltInFaces[i].pixelHeight == pixelHeight) return &kBuiltInFaces[i];
  return nullptr;
}

long long Font::Advance(std::string_view text) const {
  if (text.empty()) return 0;
  long long width = 0;
  int previousRsbDelta = Of(static_cast<unsigned char>(text.front())).lsbDelta;
  for (char c : text) {
    const Glyph& glyph = Of(static_cast<unsigned char>(c));
    width += SpacingCorrection(previousRsbDelta, glyph.lsbDelta) + glyph.advance;
    previousRsbDelta = glyph.rsbDelta;
  }
  return width;
}

}  // namespace rt
