#include "platform/sim/fltk/screenshot.h"

#include <FL/Fl.H>
#include <FL/Fl_Image_Surface.H>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/sim/fltk/png_file.h"

namespace lyn::sim::fltk {

void SaveScreenshot(const std::vector<Fl_Window*>& windows, const std::string& path) {
  Fl::flush();
  int left = windows.front()->x();
  int top = windows.front()->y();
  int right = left + windows.front()->w();
  int bottom = top + windows.front()->h();
  for (const Fl_Window* window : windows) {
    left = std::min(left, window->x());
    top = std::min(top, window->y());
    right = std::max(right, window->x() + window->w());
    bottom = std::max(bottom, window->y() + window->h());
  }
  const int width = right - left;
  const int height = bottom - top;
  std::unique_ptr<Fl_RGB_Image> image;
  {
    Fl_Image_Surface surface(width, height);
    surface.set_current();
    for (Fl_Window* window : windows) surface.draw(window, window->x() - left, window->y() - top);
    image.reset(surface.image());
    Fl_Display_Device::display_device()->set_current();
  }
  if (!image || image->d() < 3 || image->w() != width || image->h() != height) {
    throw std::runtime_error("cannot capture the window for " + path);
  }
  const int depth = image->d();
  const int stride = image->ld() != 0 ? image->ld() : width * depth;
  const auto* data = reinterpret_cast<const std::uint8_t*>(image->data()[0]);
  std::vector<std::uint8_t> rgb;
  rgb.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint8_t* p = data + static_cast<std::ptrdiff_t>(y) * stride + x * depth;
      rgb.insert(rgb.end(), p, p + 3);
    }
  }
  WritePng(path, width, height, rgb);
}

}  // namespace lyn::sim::fltk
