#include "tests/reference/png_frame.h"

#include <png.h>

#include <cstring>

namespace reftest {

bool ReadPng(const std::string& path, Frame& frame, std::string& error) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) {
    error = image.message;
    return false;
  }
  image.format = PNG_FORMAT_RGB;
  std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr)) {
    error = image.message;
    png_image_free(&image);
    return false;
  }
  frame.width = static_cast<int>(image.width);
  frame.height = static_cast<int>(image.height);
  frame.pixels.resize(static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height));
  for (std::size_t i = 0; i < frame.pixels.size(); ++i)
    frame.pixels[i] = (std::uint32_t{rgb[3 * i]} << 16) | (std::uint32_t{rgb[3 * i + 1]} << 8) |
                      std::uint32_t{rgb[3 * i + 2]};
  return true;
}

bool WritePng(const std::string& path, const Frame& frame, std::string& error) {
  std::vector<png_byte> rgb(frame.pixels.size() * 3);
  for (std::size_t i = 0; i < frame.pixels.size(); ++i) {
    rgb[3 * i] = static_cast<png_byte>(frame.pixels[i] >> 16);
    rgb[3 * i + 1] = static_cast<png_byte>(frame.pixels[i] >> 8);
    rgb[3 * i + 2] = static_cast<png_byte>(frame.pixels[i]);
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(frame.width);
  image.height = static_cast<png_uint_32>(frame.height);
  image.format = PNG_FORMAT_RGB;
  if (!png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr)) {
    error = image.message;
    return false;
  }
  return true;
}

}  // namespace reftest
