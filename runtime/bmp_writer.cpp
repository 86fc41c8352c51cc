#include "runtime/bmp_writer.h"

#include <fstream>

namespace rt {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
  out[at] = static_cast<std::uint8_t>(v);
  out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
  Put16(out, at, v & 0xFFFF);
  Put16(out, at + 2, v >> 16);
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp24(const Surface& surface) {
  const std::size_t w = static_cast<std::size_t>(surface.width);
  const std::size_t h = static_cast<std::size_t>(surface.height);
  const std::size_t stride = (w * 3 + 3) & ~std::size_t{3};
  std::vector<std::uint8_t> out(54 + stride * h, 0);
  out[0] = 'B';
  out[1] = 'M';
  Put32(out, 2, static_cast<std::uint32_t>(out.size()));
  Put32(out, 10, 54);
  Put32(out, 14, 40);
  Put32(out, 18, static_cast<std::uint32_t>(w));
  Put32(out, 22, static_cast<std::uint32_t>(h));
  Put16(out, 26, 1);
  Put16(out, 28, 24);
  Put32(out, 34, static_cast<std::uint32_t>(stride * h));
  Put32(out, 38, 2835);  // 72 dots per inch
  Put32(out, 42, 2835);
  for (std::size_t y = 0; y < h; ++y) {
    const std::uint32_t* src = surface.Row(static_cast<int>(h - 1 - y));
    std::uint8_t* dst = out.data() + 54 + y * stride;
    for (std::size_t x = 0; x < w; ++x) {
      dst[3 * x + 0] = static_cast<std::uint8_t>(src[x]);
      dst[3 * x + 1] = static_cast<std::uint8_t>(src[x] >> 8);
      dst[3 * x + 2] = static_cast<std::uint8_t>(src[x] >> 16);
    }
  }
  return out;
}

bool WriteBmp24(const Surface& surface, const std::string& path) {
  // A name with a NUL byte would name a different file to the operating system.
  if (path.find('\0') != std::string::npos) return false;
  const std::vector<std::uint8_t> bytes = EncodeBmp24(surface);
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  // A small file sits in the stream's buffer until the close: a full disk shows only there.
  file.close();
  return !file.fail();
}

}  // namespace rt
