#pragma once
// Reading and writing a frame of 0x00RRGGBB pixels (640 x 480 for the game's
// screenshots) as an 8-bit PNG.
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
// The same with each pixel's opacity (0 to 255) in `alpha`, row by row.
bool ReadPngRgba(const std::string& path, Frame& frame, std::vector<std::uint8_t>& alpha,
                 std::string& error);
// Writes the exact frame as an RGB PNG.
bool WritePng(const std::string& path, const Frame& frame, std::string& error);

// Writes a reference frame compactly, as a PNG of at most 256 colours: every pixel
// for which `approximate` is false keeps its exact colour; the others (text, whose
// comparison is tolerant anyway) take the nearest colour of the palette.  Falls back
// to an exact RGB PNG when the exact pixels alone need more than 256 colours.
bool WriteReferencePng(const std::string& path, const Frame& frame,
                       const std::vector<bool>& approximate, std::string& error);

}  // namespace reftest
