// Pixel work for the window on Linux: the product's pictures resampled to a
// control's size and laid over the back image of the surface beneath them,
// and back images turned into RGB rows for drawing.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/api/widgets.h"
#include "platform/sim/ui/back_image.h"

namespace lyn::sim::fltk {

struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
};

// The picture resampled to width x height by area averaging (with
// premultiplied alpha, so that transparent pixels leave no dark fringe).
RgbaImage Stretch(const ui::Picture& picture, int width, int height);

// The back image as RGB bytes, row by row.
std::vector<std::uint8_t> ToRgb(const BackImage& image);

// The RGB pixels a person sees where `picture` lies over `under` with its
// top-left corner at (left, top); parts outside the back image show black.
std::vector<std::uint8_t> Compose(const BackImage& under, int left, int top,
                                  const RgbaImage& picture);

}  // namespace lyn::sim::fltk
