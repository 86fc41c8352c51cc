// The window icon (a BMP with black as transparent) and its PNG for the desktop entry.
#include "assets/images.h"
#include "bmp_file.h"

namespace assets_test {
namespace {

std::uint32_t Be32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return (static_cast<std::uint32_t>(b[at]) << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
}

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) {
    c ^= data[i];
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
  }
  return ~c;
}

TEST(WindowIcon, IsA64By64BitmapWithTransparentCornersAndIsEmbedded) {
  const std::vector<std::uint8_t> file = ReadBytes(AssetPath("icon.bmp"));
  const Bitmap icon = DecodeBmp(file, "icon.bmp");
  ASSERT_EQ(icon.width, 64);
  ASSERT_EQ(icon.height, 64);
  EXPECT_EQ(icon.At(0, 0), kBlack);
  EXPECT_EQ(icon.At(63, 63), kBlack);
  EXPECT_NE(icon.At(32, 0), kBlack);
  EXPECT_NE(icon.At(32, 32), kBlack);
  int cyan = 0;
  for (std::uint32_t p : icon.pixels) cyan += (p >> 16) < 64 && ((p >> 8) & 255) > 160 && (p & 255) > 160;
  EXPECT_GT(cyan, 300) << "the bend carries water";
  const std::span<const std::uint8_t> embedded = assets::Icon();
  EXPECT_TRUE(std::equal(embedded.begin(), embedded.end(), file.begin(), file.end()));
}

// Walks the PNG's chunks (checking each CRC), undoes the stored deflate blocks of its
// zlib stream and compares every pixel with the BMP icon: same colour, alpha 0 exactly
// where the BMP is black.
TEST(WindowIcon, PngIsTheSameIconWithBlackMadeTransparent) {
  const std::vector<std::uint8_t> png = ReadBytes(AssetPath("quelmo.png"));
  const Bitmap icon = DecodeBmp(ReadBytes(AssetPath("icon.bmp")), "icon.bmp");
  ASSERT_EQ(icon.width, 64);
  const std::vector<std::uint8_t> signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  ASSERT_GE(png.size(), 8u);
  ASSERT_TRUE(std::equal(signature.begin(), signature.end(), png.begin()));
  std::vector<std::uint8_t> ihdr, zlib;
  std::vector<std::string> types;
  for (std::size_t at = 8; at < png.size();) {
    ASSERT_LE(at + 12, png.size());
    const std::uint32_t length = Be32(png, at);
    ASSERT_LE(at + 12 + length, png.size());
    const std::string type(png.begin() + static_cast<std::ptrdiff_t>(at + 4),
                           png.begin() + static_cast<std::ptrdiff_t>(at + 8));
    EXPECT_EQ(Crc32(png.data() + at + 4, length + 4), Be32(png, at + 8 + length)) << type;
    std::vector<std::uint8_t> body(png.begin() + static_cast<std::ptrdiff_t>(at + 8),
                                   png.begin() + static_cast<std::ptrdiff_t>(at + 8 + length));
    if (type == "IHDR") ihdr = body;
    if (type == "IDAT") zlib.insert(zlib.end(), body.begin(), body.end());
    types.push_back(type);
    at += 12 + length;
  }
  ASSERT_FALSE(types.empty());
  EXPECT_EQ(types.front(), "IHDR");
  EXPECT_EQ(types.back(), "IEND");
  ASSERT_EQ(ihdr.size(), 13u);
  EXPECT_EQ(Be32(ihdr, 0), 64u);
  EXPECT_EQ(Be32(ihdr, 4), 64u);
  EXPECT_EQ(std::vector<std::uint8_t>(ihdr.begin() + 8, ihdr.end()),
            (std::vector<std::uint8_t>{8, 6, 0, 0, 0}));

  ASSERT_GE(zlib.size(), 6u);
  EXPECT_EQ((zlib[0] * 256 + zlib[1]) % 31, 0) << "zlib header check bits";
  EXPECT_EQ(zlib[0] & 0x0F, 8) << "deflate";
  std::vector<std::uint8_t> raw;
  std::size_t at = 2;
  for (bool last = false; !last;) {
    ASSERT_LE(at + 5, zlib.size());
    last = zlib[at] & 1;
    ASSERT_EQ(zlib[at] & 6, 0) << "stored block";
    const std::size_t len = zlib[at + 1] | (zlib[at + 2] << 8);
    EXPECT_EQ(len ^ 0xFFFF, static_cast<std::size_t>(zlib[at + 3] | (zlib[at + 4] << 8)));
    ASSERT_LE(at + 5 + len, zlib.size());
    raw.insert(raw.end(), zlib.begin() + static_cast<std::ptrdiff_t>(at + 5),
               zlib.begin() + static_cast<std::ptrdiff_t>(at + 5 + len));
    at += 5 + len;
  }
  ASSERT_EQ(at + 4, zlib.size());
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t v : raw) {
    a = (a + v) % 65521;
    b = (b + a) % 65521;
  }
  EXPECT_EQ(Be32(zlib, at), (b << 16) | a) << "Adler-32";

  ASSERT_EQ(raw.size(), 64u * (1 + 64 * 4));
  for (int y = 0; y < 64; ++y) {
    const std::uint8_t* row = raw.data() + y * (1 + 64 * 4);
    EXPECT_EQ(row[0], 0) << "filter of row " << y;
    for (int x = 0; x < 64; ++x) {
      const std::uint8_t* p = row + 1 + 4 * x;
      const std::uint32_t colour = Rgb(p[0], p[1], p[2]);
      EXPECT_EQ(colour, icon.At(x, y)) << x << "," << y;
      EXPECT_EQ(p[3], icon.At(x, y) == kBlack ? 0 : 255) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace assets_test
