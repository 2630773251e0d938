// The predefined icons: error, question, warning, information and application, each drawn
// from a few shapes so that it looks the same at every scale of the surface.
#include "platform/icons.h"

#include <cstring>

#include "platform/dc.h"
#include "platform/draw.h"
#include "platform/drawtext.h"
#include "platform/fonts.h"
#include "platform/pens_brushes.h"

namespace platform {
namespace {

constexpr WORD kFirstIcon = 32512;
constexpr WORD kLastIcon = 32516;

void Fill(HDC dc, int x, int y, RECT r, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  RECT at{x + r.left, y + r.top, x + r.right, y + r.bottom};
  FillRect(dc, &at, brush);
  DeleteObject(brush);
}

void Disc(HDC dc, int x, int y, COLORREF outline, COLORREF inside) {
  HPEN pen = CreatePen(PS_SOLID, 1, outline);
  HBRUSH brush = CreateSolidBrush(inside);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  Ellipse(dc, x + 1, y + 1, x + 31, y + 31);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
}

void Glyph(HDC dc, int x, int y, const char* text, COLORREF color) {
  LOGFONTA lf{};
  lf.lfHeight = -24;
  lf.lfWeight = FW_BOLD;
  std::strcpy(lf.lfFaceName, "Tahoma");
  HFONT font = CreateFontIndirectA(&lf);
  HGDIOBJ old = SelectObject(dc, font);
  int mode = SetBkMode(dc, TRANSPARENT);
  COLORREF oldColor = SetTextColor(dc, color);
  RECT r{x, y + 1, x + 32, y + 32};
  DrawTextA(dc, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, mode);
  SelectObject(dc, old);
  DeleteObject(font);
}

void Cross(HDC dc, int x, int y) {
  LOGBRUSH white{BS_SOLID, RGB(255, 255, 255), 0};
  HPEN pen = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT, 4, &white, 0, nullptr);
  HGDIOBJ old = SelectObject(dc, pen);
  POINT lines[4] = {{x + 10, y + 10}, {x + 22, y + 22}, {x + 22, y + 10}, {x + 10, y + 22}};
  DWORD counts[2] = {2, 2};
  PolyPolyline(dc, lines, counts, 2);
  SelectObject(dc, old);
  DeleteObject(pen);
}

void Warning(HDC dc, int x, int y) {
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  HBRUSH brush = CreateSolidBrush(RGB(255, 255, 0));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, brush);
  POINT triangle[3] = {{x + 16, y + 1}, {x + 31, y + 29}, {x + 1, y + 29}};
  Polygon(dc, triangle, 3);
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(pen);
  DeleteObject(brush);
  Fill(dc, x, y, {15, 10, 18, 21}, RGB(0, 0, 0));
  Fill(dc, x, y, {15, 23, 18, 26}, RGB(0, 0, 0));
}

void Information(HDC dc, int x, int y) {
  Disc(dc, x, y, RGB(0, 0, 128), RGB(255, 255, 255));
  const COLORREF blue = RGB(0, 0, 255);
  Fill(dc, x, y, {14, 7, 18, 11}, blue);
  Fill(dc, x, y, {14, 13, 18, 24}, blue);
  Fill(dc, x, y, {12, 13, 14, 15}, blue);
  Fill(dc, x, y, {12, 23, 20, 25}, blue);
}

void Application(HDC dc, int x, int y) {
  Fill(dc, x, y, {2, 4, 30, 28}, RGB(0, 0, 0));
  Fill(dc, x, y, {3, 5, 29, 27}, RGB(255, 255, 255));
  Fill(dc, x, y, {3, 5, 29, 9}, RGB(0, 0, 128));
}

}  // namespace

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
  if (instance || !IS_INTRESOURCE(name)) return nullptr;
  WORD id = WORD(reinterpret_cast<UINT_PTR>(name));
  if (id < kFirstIcon || id > kLastIcon) return nullptr;
  return reinterpret_cast<HICON>(UINT_PTR(id));
}

WORD IconId(HICON icon) {
  UINT_PTR id = reinterpret_cast<UINT_PTR>(icon);
  return id >= kFirstIcon && id <= kLastIcon ? WORD(id) : 0;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
  WORD id = IconId(icon);
  if (!id || GetObjectType(dc) == 0) return FALSE;
  switch (id) {
    case 32513:
      Disc(dc, x, y, RGB(128, 0, 0), RGB(255, 0, 0));
      Cross(dc, x, y);
      break;
    case 32514:
      Disc(dc, x, y, RGB(0, 0, 128), RGB(255, 255, 255));
      Glyph(dc, x, y, "?", RGB(0, 0, 255));
      break;
    case 32515:
      Warning(dc, x, y);
      break;
    case 32516:
      Information(dc, x, y);
      break;
    default:
      Application(dc, x, y);
      break;
  }
  return TRUE;
}

}  // namespace platform
