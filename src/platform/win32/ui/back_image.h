// The persistent back image of a form or picture box: a memory bitmap that
// lines are drawn into and that every repaint copies to the screen, so a
// covered window comes back without loss.
#pragma once

#include "platform/win32/win_sdk.h"

namespace lyn::win32 {

class BackImage {
 public:
  BackImage(int width, int height, COLORREF background);
  ~BackImage();
  BackImage(const BackImage&) = delete;
  BackImage& operator=(const BackImage&) = delete;

  HDC Dc() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Copies the area (in the image's pixels) to the same place of target.
  void CopyTo(HDC target, const RECT& area) const;
  // Copies the area to target's origin, as the background of a child window.
  void CopyBehind(HDC target, const RECT& area) const;

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ previous_;
  int width_;
  int height_;
};

}  // namespace lyn::win32
