#pragma once
// Rectangle copies between surfaces.  The caller has already clipped: the source
// rectangle (sx, sy, w, h) lies inside `src` and its destination at (dx, dy) inside
// `dst`, with w and h positive.
#include "runtime/keyed_runs.h"
#include "runtime/surface.h"

namespace rt {

// Copies every pixel, row by row.
void CopyOpaque(const Surface& src, int sx, int sy, int w, int h, Surface& dst, int dx, int dy);
// Copies only the pixels that differ from the source's key, using its up-to-date runs.
void CopyKeyed(const Surface& src, const KeyedRuns& runs, int sx, int sy, int w, int h,
               Surface& dst, int dx, int dy);

}  // namespace rt
