// The persistent back image of a form or a picture box: RGB pixels that
// lines are drawn into and that a refresh shows.
#pragma once

#include <vector>

#include "platform/api/widgets.h"

namespace lyn::sim {

class BackImage {
 public:
  BackImage(int width, int height, ui::COLORREF background);

  int Width() const { return width_; }
  int Height() const { return height_; }
  ui::COLORREF At(int x, int y) const {
    return pixels_.empty() ? background_ : pixels_[Index(x, y)];
  }

  // Changes the size, keeping the pixels that still fit; new pixels get the
  // background colour.
  void Resize(int width, int height);

  // A one-pixel line from (x1, y1) towards (x2, y2) by Bresenham's
  // algorithm, without the end point, clipped to the image.
  void Line(int x1, int y1, int x2, int y2, ui::COLORREF color);

 private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
  }
  void Plot(int x, int y, ui::COLORREF color);

  int width_;
  int height_;
  ui::COLORREF background_;
  // Row by row, width * height pixels; empty while nothing has been drawn,
  // so that the many surfaces never drawn on cost no memory.
  std::vector<ui::COLORREF> pixels_;
};

}  // namespace lyn::sim
