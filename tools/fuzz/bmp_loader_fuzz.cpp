// libFuzzer target for the BMP loader: any bytes are either refused or decoded into a
// surface that agrees with its size, whose keyed runs and clipped copies stay inside
// their buffers.  Built and run by tools/fuzz/run-bmp-fuzz.sh.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>

#include "runtime/blit.h"
#include "runtime/bmp_reader.h"
#include "runtime/keyed_runs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  rt::Surface image;
  const int bits = rt::DecodeBmp(data, size, image);
  if (bits == 0) {
    if (!image.pixels.empty() || image.width != 0) std::abort();  // refusal changed the output
    return 0;
  }
  if (bits != 16 && bits != 24 && bits != 32) std::abort();
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != static_cast<std::size_t>(image.width) * image.height) {
    std::abort();
  }
  // Copy it keyed onto a small target, clipped at its top-left corner.
  rt::Surface target;
  target.width = 48;
  target.height = 40;
  target.pixels.assign(48 * 40, 0);
  rt::KeyedRuns runs;
  runs.Update(image);
  const int w = std::min(image.width - 1, 48), h = std::min(image.height - 1, 40);
  if (w > 0 && h > 0) rt::CopyKeyed(image, runs, 1, 1, w, h, target, 0, 0);
  return 0;
}
