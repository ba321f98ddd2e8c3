#include "platform/win32/ui/back_image.h"

namespace lyn::win32 {

BackImage::BackImage(int width, int height, COLORREF background)
    : width_(width > 0 ? width : 1), height_(height > 0 ? height : 1) {
  HDC screen = ::GetDC(nullptr);
  dc_ = ::CreateCompatibleDC(screen);
  bitmap_ = ::CreateCompatibleBitmap(screen, width_, height_);
  ::ReleaseDC(nullptr, screen);
  previous_ = ::SelectObject(dc_, bitmap_);
  HBRUSH brush = ::CreateSolidBrush(background);
  const RECT all{0, 0, width_, height_};
  ::FillRect(dc_, &all, brush);
  ::DeleteObject(brush);
}

BackImage::~BackImage() {
  ::SelectObject(dc_, previous_);
  ::DeleteObject(bitmap_);
  ::DeleteDC(dc_);
}

void BackImage::CopyTo(HDC target, const RECT& area) const {
  ::BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc_,
           area.left, area.top, SRCCOPY);
}

void BackImage::CopyBehind(HDC target, const RECT& area) const {
  ::BitBlt(target, 0, 0, area.right - area.left, area.bottom - area.top, dc_, area.left, area.top,
           SRCCOPY);
}

}  // namespace lyn::win32
