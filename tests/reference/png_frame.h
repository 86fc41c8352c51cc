#pragma once
// Reading and writing a 640 x 480 frame of 0x00RRGGBB pixels as an 8-bit RGB PNG.
#include <cstdint>
#include <string>
#include <vector>

namespace reftest {

struct Frame {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

// False with `error` set if the file cannot be read as a PNG.
bool ReadPng(const std::string& path, Frame& frame, std::string& error);
bool WritePng(const std::string& path, const Frame& frame, std::string& error);

}  // namespace reftest
