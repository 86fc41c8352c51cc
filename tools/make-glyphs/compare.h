#pragma once
// Setting the game's texts in several renderings of the face, for comparison.
#include <vector>

#include "raster.h"
#include "runtime/surface.h"

namespace glyphs {

// How the pen moves from one character to the next.
enum class Spacing {
  Hinted,                  // each glyph's hinted advance
  DeltaCorrected,          // hinted advances, moved a pixel where hinting shifted two neighbours apart
  DesignedRoundedPerText,  // the designed advances added up, each glyph at the nearest pixel
};

struct SheetRow {
  const RasterFace* face;
  Spacing spacing;
};

// Every sample text in every row's rendering, one band per row.
rt::Surface CompareSheet(const std::vector<SheetRow>& rows);

}  // namespace glyphs
