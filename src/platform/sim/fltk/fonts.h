// The faces the controls' fonts are drawn with on Linux: fonts with the
// advance widths of the Windows fonts of the same name, so that a caption
// breaks into lines and is cut off where it is on Windows.
#pragma once

#include <FL/Enumerations.H>

#include "platform/api/widgets.h"

namespace lyn::sim::fltk {

// "Arial" is drawn with Liberation Sans and "Courier New" with Liberation
// Mono, which have their advance widths. A font without a name is the
// platform's default dialog font, which on Windows is MS Shell Dlg: MS Sans
// Serif 8 pt, or Microsoft Sans Serif, made to its metrics; it is drawn with
// the MS Sans Serif faces of fonts-wine, which have those metrics.
Fl_Font FaceOf(const ui::Font& font);
// The size FLTK is given for the font: the em in pixels at 96 dots per inch,
// or the cell height of the default dialog font's 8-point bitmap face.
int PixelSizeOf(const ui::Font& font);
// A face for the text of message boxes.
Fl_Font MessageFace();

}  // namespace lyn::sim::fltk
