#include "runtime/blit.h"

#include <algorithm>
#include <cstring>

namespace rt {
namespace {

// Copies n pixels between rows that do not overlap.  Runs of a keyed copy are mostly
// short, where a call of memcpy costs more than the copy: those go in blocks of four
// pixels, the last block overlapping the one before it.
inline void CopyPixels(std::uint32_t* dst, const std::uint32_t* src, int n) {
  if (n >= 64) {
    std::memcpy(dst, src, static_cast<std::size_t>(n) * sizeof(std::uint32_t));
    return;
  }
  if (n < 4) {
    for (int i = 0; i < n; ++i) dst[i] = src[i];
    return;
  }
  int i = 0;
  for (; i + 8 <= n; i += 8) std::memcpy(dst + i, src + i, 8 * sizeof(std::uint32_t));
  if (i + 4 <= n) {
    std::memcpy(dst + i, src + i, 4 * sizeof(std::uint32_t));
    i += 4;
  }
  if (i < n) std::memcpy(dst + n - 4, src + n - 4, 4 * sizeof(std::uint32_t));
}

}  // namespace

void CopyOpaque(const Surface& src, int sx, int sy, int w, int h, Surface& dst, int dx, int dy) {
  const std::size_t bytes = static_cast<std::size_t>(w) * sizeof(std::uint32_t);
  if (&src == &dst) {
    // A surface copied onto itself: rows may overlap.  Going bottom-up when moving
    // down keeps every row read before it is overwritten.
    if (dy > sy) {
      for (int y = h - 1; y >= 0; --y) std::memmove(dst.Row(dy + y) + dx, src.Row(sy + y) + sx, bytes);
    } else {
      for (int y = 0; y < h; ++y) std::memmove(dst.Row(dy + y) + dx, src.Row(sy + y) + sx, bytes);
    }
    return;
  }
  if (sx == 0 && dx == 0 && w == src.width && w == dst.width) {
    // Whole rows on both sides: one block.
    std::memcpy(dst.Row(dy), src.Row(sy), bytes * static_cast<std::size_t>(h));
    return;
  }
  for (int y = 0; y < h; ++y) CopyPixels(dst.Row(dy + y) + dx, src.Row(sy + y) + sx, w);
}

void CopyKeyed(const Surface& src, const KeyedRuns& runs, int sx, int sy, int w, int h,
               Surface& dst, int dx, int dy) {
  // Everything the loops need in locals: the pixel stores could otherwise be taken to
  // change the surfaces' own fields.
  const std::uint32_t* const srcPixels = src.pixels.data();
  std::uint32_t* const dstPixels = dst.pixels.data();
  const std::ptrdiff_t srcPitch = src.width, dstPitch = dst.width;
  const bool same = &src == &dst;
  if (!same && sx == 0 && sy == 0 && w == src.width && h == src.height) {
    // The whole sprite lands inside the target: every run is copied as it is.
    std::uint32_t* const origin = dstPixels + dy * dstPitch + dx;
    for (const KeyedRuns::Run& run : runs) {
      CopyPixels(origin + run.y * dstPitch + run.begin, srcPixels + run.y * srcPitch + run.begin,
                 run.end - run.begin);
    }
    return;
  }
  const int right = sx + w;
  const std::ptrdiff_t shift = dx - sx;  // destination x of source pixel x is x + shift
  for (int y = 0; y < h; ++y) {
    const std::uint32_t* srcRow = srcPixels + (sy + y) * srcPitch;
    std::uint32_t* dstRow = dstPixels + (dy + y) * dstPitch + shift;
    const KeyedRuns::Run* run = runs.RowBegin(sy + y);
    const KeyedRuns::Run* const end = runs.RowEnd(sy + y);
    for (; run != end; ++run) {
      if (run->end <= sx) continue;
      if (run->begin >= right) break;
      const int begin = std::max(run->begin, sx);
      const int count = std::min(run->end, right) - begin;
      if (same) {
        std::memmove(dstRow + begin, srcRow + begin, static_cast<std::size_t>(count) * sizeof(std::uint32_t));
      } else {
        CopyPixels(dstRow + begin, srcRow + begin, count);
      }
    }
  }
}

}  // namespace rt
