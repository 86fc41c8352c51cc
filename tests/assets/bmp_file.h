#pragma once
// Reading the committed image files in the tests: whole files, and 24-bit BMPs decoded
// into 0x00RRGGBB pixels after their header has been checked.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace assets_test {

inline std::filesystem::path AssetPath(const std::string& file) {
  return std::filesystem::path(QUELMO_SOURCE_DIR) / "assets" / file;
}

inline std::string SpriteFile(int number) { return "sprite-" + std::to_string(number) + ".bmp"; }

inline std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
inline std::uint32_t Le16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8);
}

struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // rows top-down
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t Rgb(int r, int g, int b) {
  return static_cast<std::uint32_t>((r << 16) | (g << 8) | b);
}

// Decodes `bytes` as the game stores its images: "BM", 40-byte information header,
// one plane, 24 bits, uncompressed, pixels at 54, bottom-up, no row padding.  Adds a
// test failure and returns an empty bitmap if any of that does not hold.
inline Bitmap DecodeBmp(const std::vector<std::uint8_t>& bytes, const std::string& name) {
  Bitmap bmp;
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') {
    ADD_FAILURE() << name << ": not a BMP file";
    return bmp;
  }
  const auto width = static_cast<std::int32_t>(Le32(bytes, 18));
  const auto height = static_cast<std::int32_t>(Le32(bytes, 22));
  EXPECT_EQ(Le32(bytes, 2), bytes.size()) << name << ": file size field";
  EXPECT_EQ(Le32(bytes, 10), 54u) << name << ": pixel data offset";
  EXPECT_EQ(Le32(bytes, 14), 40u) << name << ": information header size";
  EXPECT_EQ(Le16(bytes, 26), 1u) << name << ": planes";
  EXPECT_EQ(Le16(bytes, 28), 24u) << name << ": bits per pixel";
  EXPECT_EQ(Le32(bytes, 30), 0u) << name << ": compression";
  if (width <= 0 || height <= 0 || width % 4 != 0 ||
      bytes.size() != 54 + 3 * static_cast<std::size_t>(width) * height) {
    ADD_FAILURE() << name << ": size " << width << " x " << height << " does not match "
                  << bytes.size() << " bytes of a bottom-up image without row padding";
    return bmp;
  }
  bmp.width = width;
  bmp.height = height;
  bmp.pixels.resize(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const std::size_t at = 54 + 3 * (static_cast<std::size_t>(height - 1 - y) * width + x);
      bmp.pixels[static_cast<std::size_t>(y) * width + x] =
          Rgb(bytes[at + 2], bytes[at + 1], bytes[at]);
    }
  return bmp;
}

inline Bitmap LoadSprite(int number) {
  return DecodeBmp(ReadBytes(AssetPath(SpriteFile(number))), SpriteFile(number));
}

}  // namespace assets_test
