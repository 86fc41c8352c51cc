#include "runtime/bmp_reader.h"

#include <vector>

namespace rt {
namespace {

// Offsets inside the 14-byte file header and the 40-byte (or larger) info header.
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderMin = 40;
constexpr std::size_t kPixelOffsetAt = 10;
constexpr std::size_t kInfoSizeAt = 14;
constexpr std::size_t kWidthAt = 18;
constexpr std::size_t kHeightAt = 22;
constexpr std::size_t kBitsAt = 28;
constexpr std::size_t kCompressionAt = 30;

std::uint32_t Read32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::uint16_t Read16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

void DecodeRow(const std::uint8_t* src, int bits, int width, std::uint32_t* dst) {
  switch (bits) {
    case 24:
      for (int x = 0; x < width; ++x, src += 3) {
        dst[x] = (static_cast<std::uint32_t>(src[2]) << 16) |
                 (static_cast<std::uint32_t>(src[1]) << 8) | src[0];
      }
      break;
    case 32:
      // Blue, green, red and a fourth byte that carries no colour.
      for (int x = 0; x < width; ++x, src += 4) {
        dst[x] = (static_cast<std::uint32_t>(src[2]) << 16) |
                 (static_cast<std::uint32_t>(src[1]) << 8) | src[0];
      }
      break;
    case 16:
      // 5-5-5: each component widened to eight bits by shifting it left.
      for (int x = 0; x < width; ++x, src += 2) {
        const std::uint32_t v = Read16(src);
        const std::uint32_t r = (v >> 10) & 31u, g = (v >> 5) & 31u, b = v & 31u;
        dst[x] = (r << 19) | (g << 11) | (b << 3);
      }
      break;
    default:
      break;
  }
}

}  // namespace

int DecodeBmp(const std::uint8_t* data, std::size_t size, Surface& out) {
  if (data == nullptr || size < kFileHeaderSize + kInfoHeaderMin) return 0;
  if (data[0] != 'B' || data[1] != 'M') return 0;

  const std::uint64_t pixelOffset = Read32(data + kPixelOffsetAt);
  const std::uint64_t infoSize = Read32(data + kInfoSizeAt);
  // Older 12-byte headers keep their sizes elsewhere; only the 40-byte layout and its
  // larger successors are read.
  if (infoSize < kInfoHeaderMin || kFileHeaderSize + infoSize > size) return 0;

  const auto width = static_cast<std::int32_t>(Read32(data + kWidthAt));
  const auto height = static_cast<std::int32_t>(Read32(data + kHeightAt));
  const int bits = Read16(data + kBitsAt);
  const std::uint32_t compression = Read32(data + kCompressionAt);
  if (compression != 0) return 0;
  if (bits != 16 && bits != 24 && bits != 32) return 0;
  // Top-down images (negative height) are not something this loader makes sense of.
  if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide) return 0;
  if (std::int64_t{width} * height > kMaxImagePixels) return 0;

  // Rows are padded to four bytes; the last row's padding may be missing.
  const std::uint64_t rowBytes = static_cast<std::uint64_t>(width) * (bits / 8);
  const std::uint64_t stride = (rowBytes + 3) & ~std::uint64_t{3};
  if (pixelOffset < kFileHeaderSize + infoSize) return 0;
  const std::uint64_t needed = pixelOffset + stride * (height - 1) + rowBytes;
  if (needed > size) return 0;

  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  // The first stored row is the bottom row of the image.
  for (int row = 0; row < height; ++row) {
    const std::uint8_t* src = data + pixelOffset + stride * row;
    std::uint32_t* dst = pixels.data() + static_cast<std::size_t>(height - 1 - row) * width;
    DecodeRow(src, bits, width, dst);
  }
  out.width = width;
  out.height = height;
  out.pixels = std::move(pixels);
  return bits;
}

}  // namespace rt
