#include "platform/win32/ui/gdi_objects.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace lyn::win32 {
namespace {

constexpr int kTwipsPerInch = 1440;

HBITMAP CreateTopDownBitmap(int width, int height, std::uint8_t** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  *bits = static_cast<std::uint8_t*>(pixels);
  return bitmap;
}

}  // namespace

int ScreenDpi() {
  static const int dpi = [] {
    HDC screen = ::GetDC(nullptr);
    const int value = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    return value > 0 ? value : 96;
  }();
  return dpi;
}

int TwipsToPixels(int twips) {
  return ::MulDiv(twips, ScreenDpi(), kTwipsPerInch);
}

int PixelsToTwips(int pixels) {
  return ::MulDiv(pixels, kTwipsPerInch, ScreenDpi());
}

HBITMAP CreatePictureBitmap(const ui::Picture& picture) {
  std::uint8_t* bits = nullptr;
  HBITMAP bitmap = CreateTopDownBitmap(picture.width, picture.height, &bits);
  if (bitmap == nullptr) return nullptr;
  const int count = picture.width * picture.height;
  for (int i = 0; i < count; ++i) {
    const std::uint8_t* in = picture.rgba + 4 * i;
    std::uint8_t* out = bits + 4 * i;
    const int alpha = in[3];
    out[0] = static_cast<std::uint8_t>(in[2] * alpha / 255);
    out[1] = static_cast<std::uint8_t>(in[1] * alpha / 255);
    out[2] = static_cast<std::uint8_t>(in[0] * alpha / 255);
    out[3] = static_cast<std::uint8_t>(alpha);
  }
  return bitmap;
}

HICON CreatePictureIcon(const ui::Picture& picture) {
  HBITMAP colour = CreatePictureBitmap(picture);
  HBITMAP mask = ::CreateBitmap(picture.width, picture.height, 1, 1, nullptr);
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmColor = colour;
  info.hbmMask = mask;
  HICON icon = ::CreateIconIndirect(&info);
  ::DeleteObject(colour);
  ::DeleteObject(mask);
  return icon;
}

HFONT CreateDesignFont(const ui::Font& font) {
  if (font.name.empty()) return static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  const int height = -static_cast<int>(std::lround(font.points * ScreenDpi() / 72.0));
  return ::CreateFontA(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, font.name.c_str());
}

void DeleteDesignFont(HFONT font) {
  if (font != ::GetStockObject(DEFAULT_GUI_FONT)) ::DeleteObject(font);
}

}  // namespace lyn::win32
