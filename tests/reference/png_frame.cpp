#include "tests/reference/png_frame.h"

#include <png.h>

#include <algorithm>
#include <cstring>
#include <map>

namespace reftest {

namespace {

// Decodes the PNG file at `path` into rows of `format` pixels.
bool ReadImage(const std::string& path, png_uint_32 format, int& width, int& height,
               std::vector<png_byte>& data, std::string& error) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) {
    error = image.message;
    return false;
  }
  image.format = format;
  data.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, data.data(), 0, nullptr)) {
    error = image.message;
    png_image_free(&image);
    return false;
  }
  width = static_cast<int>(image.width);
  height = static_cast<int>(image.height);
  return true;
}

}  // namespace

bool ReadPng(const std::string& path, Frame& frame, std::string& error) {
  std::vector<std::uint8_t> alpha;
  return ReadPngRgba(path, frame, alpha, error);
}

bool ReadPngRgba(const std::string& path, Frame& frame, std::vector<std::uint8_t>& alpha,
                 std::string& error) {
  std::vector<png_byte> rgba;
  if (!ReadImage(path, PNG_FORMAT_RGBA, frame.width, frame.height, rgba, error)) return false;
  frame.pixels.resize(static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height));
  alpha.resize(frame.pixels.size());
  for (std::size_t i = 0; i < frame.pixels.size(); ++i) {
    frame.pixels[i] = (std::uint32_t{rgba[4 * i]} << 16) | (std::uint32_t{rgba[4 * i + 1]} << 8) |
                      std::uint32_t{rgba[4 * i + 2]};
    alpha[i] = rgba[4 * i + 3];
  }
  return true;
}

namespace {

// Writes rows of `format` pixels (with `colormap` of `entries` colours for a palette
// image) as a PNG file.
bool WriteImage(const std::string& path, const Frame& frame, png_uint_32 format,
                const png_byte* data, const png_byte* colormap, std::size_t entries,
                std::string& error) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(frame.width);
  image.height = static_cast<png_uint_32>(frame.height);
  image.format = format;
  image.colormap_entries = static_cast<png_uint_32>(entries);
  if (!png_image_write_to_file(&image, path.c_str(), 0, data, 0, colormap)) {
    error = image.message;
    return false;
  }
  return true;
}

}  // namespace

bool WritePng(const std::string& path, const Frame& frame, std::string& error) {
  std::vector<png_byte> rgb(frame.pixels.size() * 3);
  for (std::size_t i = 0; i < frame.pixels.size(); ++i) {
    rgb[3 * i] = static_cast<png_byte>(frame.pixels[i] >> 16);
    rgb[3 * i + 1] = static_cast<png_byte>(frame.pixels[i] >> 8);
    rgb[3 * i + 2] = static_cast<png_byte>(frame.pixels[i]);
  }
  return WriteImage(path, frame, PNG_FORMAT_RGB, rgb.data(), nullptr, 0, error);
}

namespace {

int Distance(std::uint32_t a, std::uint32_t b) {
  int d = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int x = static_cast<int>((a >> shift) & 255) - static_cast<int>((b >> shift) & 255);
    d += x * x;
  }
  return d;
}

}  // namespace

bool WriteReferencePng(const std::string& path, const Frame& frame,
                       const std::vector<bool>& approximate, std::string& error) {
  // The exact colours first, then the commonest of the approximate ones.
  std::map<std::uint32_t, int> exact, other;
  for (std::size_t i = 0; i < frame.pixels.size(); ++i)
    ++(approximate[i] ? other : exact)[frame.pixels[i]];
  if (exact.size() > 256) return WritePng(path, frame, error);
  std::vector<std::uint32_t> palette;
  for (const auto& entry : exact) palette.push_back(entry.first);
  std::vector<std::pair<int, std::uint32_t>> byCount;
  for (const auto& [colour, count] : other)
    if (!exact.count(colour)) byCount.emplace_back(-count, colour);
  std::sort(byCount.begin(), byCount.end());
  for (std::size_t k = 0; k < byCount.size() && palette.size() < 256; ++k)
    palette.push_back(byCount[k].second);

  std::map<std::uint32_t, png_byte> index;
  for (std::size_t k = 0; k < palette.size(); ++k) index[palette[k]] = static_cast<png_byte>(k);
  std::vector<png_byte> indices(frame.pixels.size());
  for (std::size_t i = 0; i < frame.pixels.size(); ++i) {
    auto found = index.find(frame.pixels[i]);
    if (found == index.end()) {
      std::size_t best = 0;
      for (std::size_t k = 1; k < palette.size(); ++k)
        if (Distance(palette[k], frame.pixels[i]) < Distance(palette[best], frame.pixels[i]))
          best = k;
      found = index.emplace(frame.pixels[i], static_cast<png_byte>(best)).first;
    }
    indices[i] = found->second;
  }
  std::vector<png_byte> colormap;
  for (std::uint32_t c : palette) {
    colormap.push_back(static_cast<png_byte>(c >> 16));
    colormap.push_back(static_cast<png_byte>(c >> 8));
    colormap.push_back(static_cast<png_byte>(c));
  }
  return WriteImage(path, frame, PNG_FORMAT_RGB_COLORMAP, indices.data(), colormap.data(),
                    palette.size(), error);
}

}  // namespace reftest
