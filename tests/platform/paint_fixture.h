// A surface with a device context over it, and pixel queries for painting tests.
#pragma once

#include <cstdint>

#include "platform/dc.h"
#include "platform/dc_state.h"
#include "platform/surface.h"

namespace platform::platformtest {

struct Canvas {
  Canvas(int width, int height, POINT origin = {0, 0}, HRGN visible = nullptr)
      : surface(width, height), dc(CreateSurfaceDC(surface, origin, visible)) {
    surface.Fill(kWhite);
  }
  ~Canvas() { ReleaseSurfaceDC(dc); }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  static constexpr std::uint32_t kWhite = 0xFFFFFFFF;

  std::uint32_t At(int x, int y) const { return surface.Pixel(x, y) & 0xFFFFFF; }
  COLORREF Color(int x, int y) const { return gdi::FromPixel(surface.Pixel(x, y)); }

  // The box of pixels that differ from white; empty when nothing was drawn.
  RECT Ink() const {
    return Box([](std::uint32_t p) { return p != 0xFFFFFF; });
  }
  // The box of pixels of one colour.
  RECT Bounds(std::uint32_t rgb) const {
    return Box([rgb](std::uint32_t p) { return p == rgb; });
  }

  template <class Test>
  RECT Box(Test test) const {
    RECT box = {surface.Width(), surface.Height(), 0, 0};
    for (int y = 0; y < surface.Height(); ++y) {
      for (int x = 0; x < surface.Width(); ++x) {
        if (!test(surface.Pixel(x, y) & 0xFFFFFF)) continue;
        box.left = box.left < x ? box.left : x;
        box.top = box.top < y ? box.top : y;
        box.right = box.right > x + 1 ? box.right : x + 1;
        box.bottom = box.bottom > y + 1 ? box.bottom : y + 1;
      }
    }
    if (box.right == 0) return {0, 0, 0, 0};
    return box;
  }

  int Count(std::uint32_t rgb) const {
    int n = 0;
    for (int y = 0; y < surface.Height(); ++y) {
      for (int x = 0; x < surface.Width(); ++x) n += (surface.Pixel(x, y) & 0xFFFFFF) == rgb;
    }
    return n;
  }

  Surface surface;
  HDC dc;
};

// Selects a drawing object into a device context for the scope, then selects the old one back
// and deletes the object.
struct Selected {
  Selected(HDC dc, HGDIOBJ object) : dc(dc), object(object), old(SelectObject(dc, object)) {}
  ~Selected() {
    SelectObject(dc, old);
    DeleteObject(object);
  }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

  HDC dc;
  HGDIOBJ object;
  HGDIOBJ old;
};

inline bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace platform::platformtest
