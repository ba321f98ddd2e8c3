#include "tests/platform/sim/fltk/png_reader.h"

#include <png.h>

namespace lyn::sim::fltk::testing {

RgbPicture ReadPng(const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return {};
  image.format = PNG_FORMAT_RGB;
  RgbPicture picture{static_cast<int>(image.width), static_cast<int>(image.height),
                     std::vector<std::uint8_t>(PNG_IMAGE_SIZE(image))};
  if (!png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr)) return {};
  return picture;
}

}  // namespace lyn::sim::fltk::testing
