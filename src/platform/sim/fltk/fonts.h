// The nearest FLTK faces for the fonts the program's controls name.
#pragma once

#include <FL/Enumerations.H>

#include "platform/api/widgets.h"

namespace lyn::sim::fltk {

// "Arial" and the platform's default dialog font (a font without a name) map
// to a sans-serif face with Arial's metrics, "Courier New" to a fixed face
// with its metrics; fontconfig picks the closest installed face.
Fl_Font FaceOf(const ui::Font& font);
// The size in pixels at 96 dots per inch.
int PixelSizeOf(const ui::Font& font);

}  // namespace lyn::sim::fltk
