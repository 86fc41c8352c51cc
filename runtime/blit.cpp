#include "runtime/blit.h"

#include <algorithm>
#include <cstring>

namespace rt {

void CopyOpaque(const Surface& src, int sx, int sy, int w, int h, Surface& dst, int dx, int dy) {
  const std::size_t bytes = static_cast<std::size_t>(w) * sizeof(std::uint32_t);
  if (&src != &dst && sx == 0 && dx == 0 && w == src.width && w == dst.width) {
    // Whole rows on both sides: one block.
    std::memcpy(dst.Row(dy), src.Row(sy), bytes * static_cast<std::size_t>(h));
    return;
  }
  if (&src == &dst && dy > sy) {
    // A sprite copied onto itself further down: go bottom-up so no row is read after
    // it has been overwritten.
    for (int y = h - 1; y >= 0; --y) std::memmove(dst.Row(dy + y) + dx, src.Row(sy + y) + sx, bytes);
    return;
  }
  for (int y = 0; y < h; ++y) std::memmove(dst.Row(dy + y) + dx, src.Row(sy + y) + sx, bytes);
}

void CopyKeyed(const Surface& src, const KeyedRuns& runs, int sx, int sy, int w, int h,
               Surface& dst, int dx, int dy) {
  const int right = sx + w;
  const int shift = dx - sx;  // destination x of source pixel x is x + shift
  for (int y = 0; y < h; ++y) {
    const std::uint32_t* srcRow = src.Row(sy + y);
    std::uint32_t* dstRow = dst.Row(dy + y);
    const KeyedRuns::Run* run = runs.RowBegin(sy + y);
    const KeyedRuns::Run* end = runs.RowEnd(sy + y);
    for (; run != end; ++run) {
      if (run->end <= sx) continue;
      if (run->begin >= right) break;
      const int begin = std::max(run->begin, sx);
      const int stop = std::min(run->end, right);
      std::memmove(dstRow + (begin + shift), srcRow + begin,
                   static_cast<std::size_t>(stop - begin) * sizeof(std::uint32_t));
    }
  }
}

}  // namespace rt
