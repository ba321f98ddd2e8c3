// What a person can see of a child window, read from the window system: its
// rectangle cut by the client area of each parent up to the top-level
// window, less every visible window above it in z-order, at its own level
// and at each parent's. Header-only: the setup program's keyboard handling
// and the automation driver both judge what is in view this way.
#pragma once

#include <windows.h>

#include <vector>

namespace lyn::win32 {

// What remains of each rectangle once `cover` is taken away.
inline std::vector<RECT> SubtractRect(const std::vector<RECT>& area, const RECT& cover) {
  std::vector<RECT> rest;
  for (const RECT& r : area) {
    RECT cut{};
    if (!::IntersectRect(&cut, &r, &cover)) {
      rest.push_back(r);
      continue;
    }
    const RECT pieces[] = {{r.left, r.top, r.right, cut.top},
                           {r.left, cut.bottom, r.right, r.bottom},
                           {r.left, cut.top, cut.left, cut.bottom},
                           {cut.right, cut.top, r.right, cut.bottom}};
    for (const RECT& piece : pieces) {
      if (!::IsRectEmpty(&piece)) rest.push_back(piece);
    }
  }
  return rest;
}

inline RECT ScreenClientRect(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  return client;
}

// The uncovered parts of a descendant of `top`, in screen coordinates; empty
// when it is hidden, outside its parents or wholly covered.
inline std::vector<RECT> UncoveredArea(HWND window, HWND top) {
  if (!::IsWindowVisible(window)) return {};
  RECT rect{};
  ::GetWindowRect(window, &rect);
  std::vector<RECT> area{rect};
  for (HWND level = window; level != top && level != nullptr; level = ::GetParent(level)) {
    const RECT client = ScreenClientRect(::GetParent(level));
    std::vector<RECT> inside;
    for (const RECT& r : area) {
      RECT cut{};
      if (::IntersectRect(&cut, &r, &client)) inside.push_back(cut);
    }
    area = std::move(inside);
    for (HWND above = ::GetWindow(level, GW_HWNDPREV); above != nullptr;
         above = ::GetWindow(above, GW_HWNDPREV)) {
      if ((::GetWindowLongA(above, GWL_STYLE) & WS_VISIBLE) == 0) continue;
      RECT cover{};
      ::GetWindowRect(above, &cover);
      area = SubtractRect(area, cover);
    }
  }
  return area;
}

}  // namespace lyn::win32
