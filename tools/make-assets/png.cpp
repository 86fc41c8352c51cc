#include "png.h"

#include <array>
#include <string_view>

#include "deflate.h"

namespace art {
namespace {

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(const std::vector<std::uint8_t>& data) {
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t v : data) {
    a = (a + v) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

void PutBig32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void Chunk(std::vector<std::uint8_t>& out, std::string_view type, const std::vector<std::uint8_t>& body) {
  PutBig32(out, static_cast<std::uint32_t>(body.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), body.begin(), body.end());
  PutBig32(out, Crc32(out.data() + start, out.size() - start));
}

constexpr int kBytesPerPixel = 4;

// The row's bytes under PNG filter `type` (0 none, 1 the byte to the left, 2 the byte
// above), given the unfiltered row above it (empty for the first row).
std::vector<std::uint8_t> Filter(int type, const std::vector<std::uint8_t>& row,
                                 const std::vector<std::uint8_t>& above) {
  std::vector<std::uint8_t> out(row.size());
  for (std::size_t i = 0; i < row.size(); ++i) {
    int predictor = 0;
    if (type == 1 && i >= kBytesPerPixel) predictor = row[i - kBytesPerPixel];
    if (type == 2 && !above.empty()) predictor = above[i];
    out[i] = static_cast<std::uint8_t>(row[i] - predictor);
  }
  return out;
}

// The usual measure of how well a filtered row compresses: the sum of its bytes read
// as signed numbers, without their signs.
long Cost(const std::vector<std::uint8_t>& filtered) {
  long sum = 0;
  for (const std::uint8_t v : filtered) sum += v < 128 ? v : 256 - v;
  return sum;
}

}  // namespace

std::vector<std::uint8_t> EncodePngRgba(const rt::Surface& image,
                                        std::optional<std::uint32_t> transparent) {
  // Scanlines: the filter type, then red, green, blue, alpha per pixel, filtered.
  std::vector<std::uint8_t> raw;
  std::vector<std::uint8_t> above;
  for (int y = 0; y < image.height; ++y) {
    std::vector<std::uint8_t> row;
    for (int x = 0; x < image.width; ++x) {
      const std::uint32_t p = image.At(x, y);
      row.push_back(static_cast<std::uint8_t>(p >> 16));
      row.push_back(static_cast<std::uint8_t>(p >> 8));
      row.push_back(static_cast<std::uint8_t>(p));
      row.push_back(transparent && p == *transparent ? 0 : 255);
    }
    int bestType = 0;
    std::vector<std::uint8_t> best = Filter(0, row, above);
    for (int type = 1; type <= 2; ++type) {
      std::vector<std::uint8_t> filtered = Filter(type, row, above);
      if (Cost(filtered) < Cost(best)) {
        best = std::move(filtered);
        bestType = type;
      }
    }
    raw.push_back(static_cast<std::uint8_t>(bestType));
    raw.insert(raw.end(), best.begin(), best.end());
    above = std::move(row);
  }
  // zlib stream: header (deflate, 32 KiB window, no dictionary), the compressed data,
  // Adler-32 of the scanlines.
  std::vector<std::uint8_t> zlib = {0x78, 0x01};
  const std::vector<std::uint8_t> compressed = Deflate(raw);
  zlib.insert(zlib.end(), compressed.begin(), compressed.end());
  PutBig32(zlib, Adler32(raw));

  std::vector<std::uint8_t> header;
  PutBig32(header, static_cast<std::uint32_t>(image.width));
  PutBig32(header, static_cast<std::uint32_t>(image.height));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, row filters, no interlace

  std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Chunk(out, "IHDR", header);
  Chunk(out, "IDAT", zlib);
  Chunk(out, "IEND", {});
  return out;
}

}  // namespace art
