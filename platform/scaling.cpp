#include "platform/scaling.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform {

int LargestFittingScale(int roomWidth, int roomHeight, int width, int height) {
  if (width <= 0 || height <= 0) return kMinScale;
  const int fit = std::min(roomWidth / width, roomHeight / height);
  return std::clamp(fit, kMinScale, kMaxScale);
}

int FittingScale(int wanted, int desktopWidth, int desktopHeight, int width, int height) {
  return std::clamp(wanted, kMinScale,
                    LargestFittingScale(desktopWidth, desktopHeight, width, height));
}

PixelRatio ReducedToFit(int roomWidth, int roomHeight, int width, int height) {
  if (width <= 0 || height <= 0 || roomWidth <= 0 || roomHeight <= 0) return {};
  if (roomWidth >= width && roomHeight >= height) return {kMinScale, 1};
  // The narrower of the two ratios, room / frame, compared without dividing.
  if (std::int64_t{roomWidth} * height <= std::int64_t{roomHeight} * width) return {roomWidth, width};
  return {roomHeight, height};
}

int ScaleFromDpi(double dotsPerInch) {
  if (!(dotsPerInch >= 96.0)) return kMinScale;  // also a NaN
  const double factor = std::floor(dotsPerInch / 96.0);
  return factor >= kMaxScale ? kMaxScale : static_cast<int>(factor);
}

FrameView CentredView(std::int32_t screenLeft, std::int32_t screenTop, int screenWidth,
                      int screenHeight, int width, int height) {
  FrameView view;
  view.factor = LargestFittingScale(screenWidth, screenHeight, width, height);
  // A screen smaller than the frame shows its top-left part, never a negative margin.
  view.left = screenLeft + std::max(0, (screenWidth - width * view.factor) / 2);
  view.top = screenTop + std::max(0, (screenHeight - height * view.factor) / 2);
  return view;
}

namespace {

// Every pixel of one frame row written as `factor` pixels into each of the block's
// `factor` rows, pixel by pixel.
void EnlargeRowPlain(const std::uint32_t* in, std::size_t w, int factor, std::uint32_t* out,
                     std::ptrdiff_t pitch) {
  const std::size_t rowBytes = w * static_cast<std::size_t>(factor) * sizeof(std::uint32_t);
  std::uint32_t* first = out;
  switch (factor) {  // the common factors unrolled: a call per pixel costs more than the copy
    case 2:
      for (std::size_t x = 0; x < w; ++x, out += 2) out[0] = out[1] = in[x];
      break;
    case 3:
      for (std::size_t x = 0; x < w; ++x, out += 3) out[0] = out[1] = out[2] = in[x];
      break;
    case 4:
      for (std::size_t x = 0; x < w; ++x, out += 4) out[0] = out[1] = out[2] = out[3] = in[x];
      break;
    default:
      for (std::size_t x = 0; x < w; ++x, out += factor) std::fill_n(out, factor, in[x]);
      break;
  }
  // The block's other rows are copies of the first.
  for (int k = 1; k < factor; ++k) std::memcpy(first + k * pitch, first, rowBytes);
}

#if defined(__SSE2__)
// The same for factors 2, 3 and 4, four frame pixels at a time.  The window's pixels are
// read next by the desktop, not by the game: where the rows allow, they are written
// past the processor's cache, which also spares reading them in first.
template <int kFactor>
void EnlargeRowSse2(const std::uint32_t* in, std::size_t w, std::uint32_t* out,
                    std::ptrdiff_t pitch) {
  const bool aligned = reinterpret_cast<std::uintptr_t>(out) % 16 == 0 && pitch % 4 == 0;
  std::size_t x = 0;
  for (; x + 4 <= w; x += 4) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + x));
    __m128i parts[kFactor];
    if constexpr (kFactor == 2) {
      parts[0] = _mm_unpacklo_epi32(v, v);  // p0 p0 p1 p1
      parts[1] = _mm_unpackhi_epi32(v, v);  // p2 p2 p3 p3
    } else if constexpr (kFactor == 3) {
      parts[0] = _mm_shuffle_epi32(v, _MM_SHUFFLE(1, 0, 0, 0));  // p0 p0 p0 p1
      parts[1] = _mm_shuffle_epi32(v, _MM_SHUFFLE(2, 2, 1, 1));  // p1 p1 p2 p2
      parts[2] = _mm_shuffle_epi32(v, _MM_SHUFFLE(3, 3, 3, 2));  // p2 p3 p3 p3
    } else {
      parts[0] = _mm_shuffle_epi32(v, 0x00);
      parts[1] = _mm_shuffle_epi32(v, 0x55);
      parts[2] = _mm_shuffle_epi32(v, 0xAA);
      parts[3] = _mm_shuffle_epi32(v, 0xFF);
    }
    for (int k = 0; k < kFactor; ++k) {
      auto* row = reinterpret_cast<__m128i*>(out + k * pitch + x * kFactor);
      for (int p = 0; p < kFactor; ++p) {
        if (aligned) {
          _mm_stream_si128(row + p, parts[p]);
        } else {
          _mm_storeu_si128(row + p, parts[p]);
        }
      }
    }
  }
  for (; x < w; ++x) {
    for (int k = 0; k < kFactor; ++k) std::fill_n(out + k * pitch + x * kFactor, kFactor, in[x]);
  }
}
#endif

}  // namespace

void EnlargeRows(const std::uint32_t* frame, int width, RowSpan rows, int factor,
                 std::uint32_t* target, std::ptrdiff_t targetPitch) {
  if (rows.Empty() || width <= 0) return;
  const auto w = static_cast<std::size_t>(width);
  for (int y = rows.first; y < rows.first + rows.count; ++y) {
    const std::uint32_t* in = frame + static_cast<std::ptrdiff_t>(y) * width;
    std::uint32_t* out = target + static_cast<std::ptrdiff_t>(y) * factor * targetPitch;
    switch (factor) {
      case 1:
        std::memcpy(out, in, w * sizeof(std::uint32_t));
        break;
#if defined(__SSE2__)
      case 2:
        EnlargeRowSse2<2>(in, w, out, targetPitch);
        break;
      case 3:
        EnlargeRowSse2<3>(in, w, out, targetPitch);
        break;
      case 4:
        EnlargeRowSse2<4>(in, w, out, targetPitch);
        break;
#endif
      default:
        EnlargeRowPlain(in, w, factor, out, targetPitch);
        break;
    }
  }
#if defined(__SSE2__)
  _mm_sfence();  // the streamed pixels are in memory before the desktop reads them
#endif
}

}  // namespace platform
