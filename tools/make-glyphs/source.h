#pragma once
// The rendered faces as the C++ source of the runtime's built-in glyph data.
#include <string>
#include <vector>

#include "raster.h"

namespace glyphs {

std::string GlyphDataSource(const std::vector<RasterFace>& faces);

}  // namespace glyphs
