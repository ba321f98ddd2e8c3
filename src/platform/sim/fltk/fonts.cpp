#include "platform/sim/fltk/fonts.h"

#include <FL/Fl.H>
#include <fontconfig/fontconfig.h>

#include <cmath>

namespace lyn::sim::fltk {
namespace {

// MS Sans Serif 8 pt at 96 dots per inch: a 13-pixel cell (ascent 11).
constexpr int kDefaultCellPixels = 13;

// Where fonts-wine keeps its faces, bitmap faces among them, which the
// system's font configuration leaves out unless they are asked for.
constexpr const char* kWineFonts = "/usr/share/wine/fonts";
constexpr const char* kAcceptWineFonts =
    "<fontconfig><selectfont><acceptfont><pattern><patelt name=\"family\">"
    "<string>MS Sans Serif</string></patelt></pattern></acceptfont></selectfont></fontconfig>";

// FLTK's names for Xft faces start with a style letter: ' ' plain, 'B' bold.
constexpr const char* kFaces[] = {" Liberation Sans", "BLiberation Sans", " Liberation Mono",
                                  "BLiberation Mono", " MS Sans Serif",   "BMS Sans Serif"};
constexpr int kSans = 0;
constexpr int kMono = 2;
constexpr int kDialog = 4;

Fl_Font Registered(int index) {
  static const bool registered = [] {
    FcConfig* config = FcConfigGetCurrent();
    FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(kAcceptWineFonts),
                                   FcFalse);
    FcConfigAppFontAddDir(config, reinterpret_cast<const FcChar8*>(kWineFonts));
    for (int i = 0; i < 6; ++i) Fl::set_font(static_cast<Fl_Font>(FL_FREE_FONT + i), kFaces[i]);
    return true;
  }();
  static_cast<void>(registered);
  return static_cast<Fl_Font>(FL_FREE_FONT + index);
}

}  // namespace

Fl_Font FaceOf(const ui::Font& font) {
  const int face = font.name.empty() ? kDialog : font.name == "Courier New" ? kMono : kSans;
  return Registered(face + (font.bold ? 1 : 0));
}

int PixelSizeOf(const ui::Font& font) {
  if (font.name.empty()) return kDefaultCellPixels;
  return static_cast<int>(std::lround(font.points * 96.0f / 72.0f));
}

Fl_Font MessageFace() {
  return Registered(kSans);
}

}  // namespace lyn::sim::fltk
