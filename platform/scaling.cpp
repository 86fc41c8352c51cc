#include "platform/scaling.h"

#include <algorithm>
#include <cmath>
#include <cstring>

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

void EnlargeRows(const std::uint32_t* frame, int width, RowSpan rows, int factor,
                 std::uint32_t* target, std::ptrdiff_t targetPitch) {
  if (rows.Empty() || width <= 0) return;
  const auto w = static_cast<std::size_t>(width);
  const std::size_t rowBytes = w * static_cast<std::size_t>(factor) * sizeof(std::uint32_t);
  for (int y = rows.first; y < rows.first + rows.count; ++y) {
    const std::uint32_t* in = frame + static_cast<std::ptrdiff_t>(y) * width;
    std::uint32_t* first = target + static_cast<std::ptrdiff_t>(y) * factor * targetPitch;
    if (factor == 1) {
      std::memcpy(first, in, rowBytes);
      continue;
    }
    // One enlarged row is built pixel by pixel, and copied for the block's other rows.
    std::uint32_t* out = first;
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
    for (int k = 1; k < factor; ++k) std::memcpy(first + k * targetPitch, first, rowBytes);
  }
}

}  // namespace platform
