#include "platform/sim/ui/back_image.h"

#include <algorithm>
#include <cstdlib>

namespace lyn::sim {

namespace {

std::size_t Area(int width, int height) {
  return static_cast<std::size_t>(std::max(width, 0)) *
         static_cast<std::size_t>(std::max(height, 0));
}

}  // namespace

BackImage::BackImage(int width, int height, ui::COLORREF background)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), background_(background) {}

void BackImage::Resize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (!pixels_.empty()) {
    std::vector<ui::COLORREF> resized(Area(width, height), background_);
    const auto kept = static_cast<std::size_t>(std::min(width, width_));
    for (int y = 0; y < std::min(height, height_); ++y) {
      std::copy_n(pixels_.begin() + static_cast<std::ptrdiff_t>(Index(0, y)), kept,
                  resized.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(y) *
                                                                static_cast<std::size_t>(width)));
    }
    pixels_ = std::move(resized);
  }
  width_ = width;
  height_ = height;
}

void BackImage::Plot(int x, int y, ui::COLORREF color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  if (pixels_.empty()) pixels_.assign(Area(width_, height_), background_);
  pixels_[Index(x, y)] = color;
}

void BackImage::Line(int x1, int y1, int x2, int y2, ui::COLORREF color) {
  const int dx = std::abs(x2 - x1);
  const int dy = -std::abs(y2 - y1);
  const int sx = x1 < x2 ? 1 : -1;
  const int sy = y1 < y2 ? 1 : -1;
  int error = dx + dy;
  int x = x1;
  int y = y1;
  while (x != x2 || y != y2) {
    Plot(x, y, color);
    const int doubled = 2 * error;
    if (doubled >= dy) {
      error += dy;
      x += sx;
    }
    if (doubled <= dx) {
      error += dx;
      y += sy;
    }
  }
}

}  // namespace lyn::sim
