// The caption bar of framed top-level windows: its title, read the window's way, and the
// close box, at the left end for a window laid out right to left.
#include "platform/control_support.h"
#include "platform/dc.h"
#include "platform/draw.h"
#include "platform/drawedge.h"
#include "platform/drawtext.h"
#include "platform/pens_brushes.h"
#include "platform/window_system.h"

namespace platform {
namespace {

void PaintCloseBox(HDC dc, RECT box, bool enabled) {
  FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
  RECT edge = box;
  DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT | BF_SOFT);
  // A cross two pixels thick, in the middle of the box.
  COLORREF ink = GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
  int cx = (box.left + box.right) / 2, cy = (box.top + box.bottom) / 2;
  for (int i = -3; i <= 3; ++i) {
    SetPixel(dc, cx + i - 1, cy + i - 1, ink);
    SetPixel(dc, cx + i, cy + i - 1, ink);
    SetPixel(dc, cx + i - 1, cy - i - 1, ink);
    SetPixel(dc, cx + i, cy - i - 1, ink);
  }
}

}  // namespace

RECT CaptionRect(HWND hwnd) {
  Window* w = WindowSystem::Get().Find(hwnd);
  if (!w || (w->style & WS_CAPTION) != WS_CAPTION) return {0, 0, 0, 0};
  int width = w->rect.right - w->rect.left;
  int top = w->client.top - GetSystemMetrics(SM_CYCAPTION);
  return {top, top, width - top, w->client.top - 1};
}

RECT CloseBoxRect(HWND hwnd) {
  Window* w = WindowSystem::Get().Find(hwnd);
  RECT caption = CaptionRect(hwnd);
  if (!w || !(w->style & WS_SYSMENU) || caption.bottom - caption.top < 8) return {0, 0, 0, 0};
  int height = caption.bottom - caption.top - 4;
  int width = height + 2;
  // A window laid out right to left has its close box at the left end.
  if (w->exStyle & WS_EX_LAYOUTRTL) {
    return {caption.left + 2, caption.top + 2, caption.left + 2 + width, caption.top + 2 + height};
  }
  return {caption.right - 2 - width, caption.top + 2, caption.right - 2, caption.top + 2 + height};
}

void PaintCaption(HWND hwnd, HDC dc) {
  WindowSystem& ws = WindowSystem::Get();
  Window* w = ws.Find(hwnd);
  RECT caption = CaptionRect(hwnd);
  if (!w || caption.right <= caption.left) return;
  bool active = ws.active == hwnd;
  HBRUSH fill = GetSysColorBrush(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
  FillRect(dc, &caption, fill);
  RECT close = CloseBoxRect(hwnd);
  if (close.right > close.left) PaintCloseBox(dc, close, IsWindowEnabled(hwnd));
  bool mirrored = (w->exStyle & WS_EX_LAYOUTRTL) != 0;
  bool hasClose = close.right > close.left;
  RECT text{caption.left + 4, caption.top, (hasClose ? close.left : caption.right) - 4,
            caption.bottom};
  if (mirrored && hasClose)
    text = {close.right + 4, caption.top, caption.right - 4, caption.bottom};
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
  if (mirrored || (w->exStyle & WS_EX_RTLREADING)) format |= DT_RTLREADING | DT_RIGHT;
  HGDIOBJ old = SelectObject(dc, DialogFont(true));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
  std::string title = w->text;
  DrawTextA(dc, title.c_str(), int(title.size()), &text, format);
  SelectObject(dc, old);
}

}  // namespace platform
