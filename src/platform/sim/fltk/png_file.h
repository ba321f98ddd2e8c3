// Writes RGB pixels to a PNG file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lyn::sim::fltk {

// Writes width x height pixels, 3 bytes each, row by row. Throws
// std::runtime_error when the file cannot be written.
void WritePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb);

}  // namespace lyn::sim::fltk
