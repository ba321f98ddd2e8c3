// The GDI objects the widget set makes from the program's designs: pictures
// as bitmaps and icons, fonts by name, size and weight, and the conversion
// between twips and pixels at the screen's pixel density.
#pragma once

#include "platform/api/widgets.h"
#include "platform/win32/win_sdk.h"

namespace lyn::win32 {

// Pixels per inch of the screen, as the platform reports it.
int ScreenDpi();

// Twips are 1/1440 of an inch.
int TwipsToPixels(int twips);
int PixelsToTwips(int pixels);

// A 32-bit top-down bitmap with premultiplied alpha, ready for AlphaBlend.
HBITMAP CreatePictureBitmap(const ui::Picture& picture);
HICON CreatePictureIcon(const ui::Picture& picture);
// An empty name gives the platform's default dialog font (not to be deleted).
HFONT CreateDesignFont(const ui::Font& font);
void DeleteDesignFont(HFONT font);

}  // namespace lyn::win32
