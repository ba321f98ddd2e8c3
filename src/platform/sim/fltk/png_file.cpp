#include "platform/sim/fltk/png_file.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace lyn::sim::fltk {

void WritePng(const std::string& path, int width, int height,
              const std::vector<std::uint8_t>& rgb) {
  if (rgb.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3) {
    throw std::invalid_argument("pixel count does not match the picture size");
  }
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"),
                                                             &std::fclose);
  if (!file) throw std::runtime_error("cannot write " + path);
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGB;
  if (!png_image_write_to_stdio(&image, file.get(), 0, rgb.data(), 0, nullptr)) {
    const std::string reason = image.message;
    png_image_free(&image);
    throw std::runtime_error("cannot write " + path + ": " + reason);
  }
}

}  // namespace lyn::sim::fltk
