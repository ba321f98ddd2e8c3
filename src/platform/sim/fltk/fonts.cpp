#include "platform/sim/fltk/fonts.h"

#include <FL/Fl.H>

#include <cmath>

namespace lyn::sim::fltk {
namespace {

// The default dialog font's size here: the size at which the sans-serif face
// keeps the designed labels' captions on one line, as they are on Windows.
constexpr int kDefaultPixels = 10;

// FLTK's names for Xft faces start with a style letter: ' ' plain, 'B' bold.
constexpr const char* kFaces[] = {" Liberation Sans", "BLiberation Sans", " Liberation Mono",
                                  "BLiberation Mono"};

Fl_Font Registered(int index) {
  static const bool registered = [] {
    for (int i = 0; i < 4; ++i) Fl::set_font(static_cast<Fl_Font>(FL_FREE_FONT + i), kFaces[i]);
    return true;
  }();
  static_cast<void>(registered);
  return static_cast<Fl_Font>(FL_FREE_FONT + index);
}

}  // namespace

Fl_Font FaceOf(const ui::Font& font) {
  const int fixed = font.name == "Courier New" ? 2 : 0;
  return Registered(fixed + (font.bold ? 1 : 0));
}

int PixelSizeOf(const ui::Font& font) {
  if (font.points <= 0) return kDefaultPixels;
  return static_cast<int>(std::lround(font.points * 96.0f / 72.0f));
}

}  // namespace lyn::sim::fltk
