// The window icon (a BMP with black as transparent) and its PNGs for desktops and the web app.
#include <utility>

#include "assets/images.h"
#include "bmp_file.h"
#include "tests/reference/png_frame.h"

namespace assets_test {
namespace {

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

// Every PNG icon, decoded by libpng (which checks the chunks' CRCs and the zlib
// stream's checksum), is the BMP icon enlarged by a whole factor: each pixel a block
// of the same colour, alpha 0 exactly where the BMP is black.
TEST(WindowIcon, PngIconsAreTheIconEnlargedWithBlackMadeTransparent) {
  const Bitmap icon = DecodeBmp(ReadBytes(AssetPath("icon.bmp")), "icon.bmp");
  ASSERT_EQ(icon.width, 64);
  for (const auto& [file, factor] : {std::pair{"quelmo.png", 1}, std::pair{"quelmo-128.png", 2},
                                     std::pair{"quelmo-192.png", 3}, std::pair{"quelmo-256.png", 4}}) {
    reftest::Frame png;
    std::vector<std::uint8_t> alpha;
    std::string error;
    ASSERT_TRUE(reftest::ReadPngRgba(AssetPath(file).string(), png, alpha, error)) << file << ": " << error;
    ASSERT_EQ(png.width, 64 * factor) << file;
    ASSERT_EQ(png.height, 64 * factor) << file;
    int wrong = 0;
    for (int y = 0; y < png.height; ++y)
      for (int x = 0; x < png.width; ++x) {
        const std::size_t at = static_cast<std::size_t>(y) * png.width + x;
        const std::uint32_t expected = icon.At(x / factor, y / factor);
        wrong += png.pixels[at] != expected || alpha[at] != (expected == kBlack ? 0 : 255);
      }
    EXPECT_EQ(wrong, 0) << file << ": pixels that are not the icon's";
  }
}

// The web app's maskable icon: opaque to its edges (a phone cuts its own shape from
// it), the icon five times enlarged in the middle, one colour round it.
TEST(WindowIcon, MaskableIconIsTheIconOnOneColourToTheEdges) {
  const Bitmap icon = DecodeBmp(ReadBytes(AssetPath("icon.bmp")), "icon.bmp");
  reftest::Frame png;
  std::vector<std::uint8_t> alpha;
  std::string error;
  ASSERT_TRUE(reftest::ReadPngRgba(AssetPath("quelmo-maskable-512.png").string(), png, alpha, error)) << error;
  ASSERT_EQ(png.width, 512);
  ASSERT_EQ(png.height, 512);
  constexpr int kFactor = 5, kOffset = (512 - 64 * kFactor) / 2;
  const std::uint32_t round = png.pixels[0];
  EXPECT_NE(round, kBlack);
  int wrong = 0;
  for (int y = 0; y < png.height; ++y)
    for (int x = 0; x < png.width; ++x) {
      const std::size_t at = static_cast<std::size_t>(y) * png.width + x;
      const int ix = (x - kOffset) / kFactor, iy = (y - kOffset) / kFactor;
      const bool inside = x >= kOffset && y >= kOffset && ix < 64 && iy < 64;
      const std::uint32_t art = inside ? icon.At(ix, iy) : kBlack;
      wrong += alpha[at] != 255 || png.pixels[at] != (art == kBlack ? round : art);
    }
  EXPECT_EQ(wrong, 0) << "pixels that are neither the icon's nor the colour round it";
}

}  // namespace
}  // namespace assets_test
