// Reads a PNG file's pixels for the tests that look at screenshots.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace lyn::sim::fltk::testing {

struct RgbPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;

  std::array<int, 3> At(int x, int y) const {
    const std::uint8_t* p = &rgb[static_cast<std::size_t>((y * width + x) * 3)];
    return {p[0], p[1], p[2]};
  }
};

// The picture as RGB; empty when the file cannot be read as a PNG.
RgbPicture ReadPng(const std::string& path);

}  // namespace lyn::sim::fltk::testing
