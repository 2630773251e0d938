// Drawing shapes and lines with the selected pen and brush.
#pragma once

#include "platform/gdi_handles.h"
#include "platform/windef.h"

namespace platform {

// Fill and frame with the given brush, always copying (the mix mode is not applied). Right
// and bottom are exclusive; a frame is one pixel inside the rectangle.
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
int FrameRect(HDC dc, const RECT* rect, HBRUSH brush);
BOOL FillRgn(HDC dc, HRGN rgn, HBRUSH brush);
BOOL InvertRect(HDC dc, const RECT* rect);

// Outlined with the pen and filled with the brush, under the mix mode. The outline of a
// one-pixel pen runs on the pixels just inside the bounding box; with a null pen the filled
// area is one pixel smaller on the right and bottom, as on the original.
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int width, int height);
BOOL Ellipse(HDC dc, int left, int top, int right, int bottom);

constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;
int SetPolyFillMode(HDC dc, int mode);
BOOL Polygon(HDC dc, const POINT* points, int count);

// Lines leave out their last pixel. PolyPolyline draws all its lines in one operation.
BOOL LineTo(HDC dc, int x, int y);
BOOL Polyline(HDC dc, const POINT* points, int count);
BOOL PolyPolyline(HDC dc, const POINT* points, const DWORD* counts, DWORD lines);

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color);
COLORREF GetPixel(HDC dc, int x, int y);

// Inverts every other pixel of the rectangle's one-pixel border; drawing it twice restores
// the pixels.
BOOL DrawFocusRect(HDC dc, const RECT* rect);

}  // namespace platform
