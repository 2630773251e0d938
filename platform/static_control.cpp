// The "STATIC" control: labels, icons, rectangles, frames and etched lines.
#include "platform/static_control.h"

#include <string>

#include "platform/control_support.h"
#include "platform/dc.h"
#include "platform/draw.h"
#include "platform/drawedge.h"
#include "platform/drawtext.h"
#include "platform/icons.h"
#include "platform/pens_brushes.h"
#include "platform/window_system.h"

namespace platform {
namespace {

struct StaticData : ControlData {
  HFONT font = nullptr;
  HICON icon = nullptr;
};

DWORD Kind(HWND hwnd) {
  return DWORD(GetWindowLongA(hwnd, GWL_STYLE)) & SS_TYPEMASK;
}

bool IsText(DWORD kind) {
  return kind == SS_LEFT || kind == SS_CENTER || kind == SS_RIGHT || kind == SS_SIMPLE ||
         kind == SS_LEFTNOWORDWRAP;
}

void PaintText(HWND hwnd, HDC dc, const StaticData& data, RECT r) {
  DWORD style = DWORD(GetWindowLongA(hwnd, GWL_STYLE));
  DWORD kind = style & SS_TYPEMASK;
  HBRUSH background = ControlColors(hwnd, dc, WM_CTLCOLORSTATIC);
  FillRect(dc, &r, background);
  UINT format = DT_EXPANDTABS;
  if (kind == SS_SIMPLE || kind == SS_LEFTNOWORDWRAP) {
    format |= DT_SINGLELINE;
  } else {
    format |= DT_WORDBREAK;
  }
  if (kind == SS_CENTER) format |= DT_CENTER;
  if (kind == SS_RIGHT || ((kind == SS_LEFT || kind == SS_LEFTNOWORDWRAP) && AlignedRight(hwnd))) {
    format |= DT_RIGHT;
  }
  if (style & SS_CENTERIMAGE) format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
  if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
  if (ReadsRightToLeft(hwnd)) format |= DT_RTLREADING;
  HGDIOBJ oldFont = SelectObject(dc, ControlFont(data.font));
  SetBkMode(dc, TRANSPARENT);
  if (!IsWindowEnabled(hwnd)) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  std::string text = GetWindowString(hwnd);
  DrawTextA(dc, text.c_str(), int(text.size()), &r, format);
  SelectObject(dc, oldFont);
}

void PaintShape(HWND hwnd, HDC dc, const StaticData& data, RECT r) {
  DWORD kind = Kind(hwnd);
  switch (kind) {
    case SS_ICON: {
      HBRUSH background = ControlColors(hwnd, dc, WM_CTLCOLORSTATIC);
      FillRect(dc, &r, background);
      DrawIcon(dc, 0, 0, data.icon);
      return;
    }
    case SS_BLACKRECT:
    case SS_GRAYRECT:
    case SS_WHITERECT: {
      int color = kind == SS_BLACKRECT  ? COLOR_3DDKSHADOW
                  : kind == SS_GRAYRECT ? COLOR_BTNSHADOW
                                        : COLOR_BTNHIGHLIGHT;
      FillRect(dc, &r, GetSysColorBrush(color));
      return;
    }
    case SS_BLACKFRAME:
    case SS_GRAYFRAME:
    case SS_WHITEFRAME: {
      int color = kind == SS_BLACKFRAME  ? COLOR_3DDKSHADOW
                  : kind == SS_GRAYFRAME ? COLOR_BTNSHADOW
                                         : COLOR_BTNHIGHLIGHT;
      FrameRect(dc, &r, GetSysColorBrush(color));
      return;
    }
    case SS_ETCHEDHORZ: {
      RECT line{r.left, r.top, r.right, r.top + 2};
      DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP | BF_BOTTOM);
      return;
    }
    case SS_ETCHEDVERT: {
      RECT line{r.left, r.top, r.left + 2, r.bottom};
      DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT | BF_RIGHT);
      return;
    }
    case SS_ETCHEDFRAME:
      DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
      return;
    default:
      return;
  }
}

}  // namespace

LRESULT StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    if (Window* w = WindowSystem::Get().Find(hwnd)) w->controlData = std::make_unique<StaticData>();
    LRESULT r = DefWindowProcA(hwnd, msg, wParam, lParam);
    auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    if (cs && (DWORD(cs->style) & SS_TYPEMASK) == SS_ICON && cs->lpszName &&
        IS_INTRESOURCE(cs->lpszName)) {
      ControlDataOf<StaticData>(hwnd)->icon = LoadIconA(nullptr, cs->lpszName);
    }
    return r;
  }
  StaticData* data = ControlDataOf<StaticData>(hwnd);
  if (!data) return DefWindowProcA(hwnd, msg, wParam, lParam);
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT r;
      GetClientRect(hwnd, &r);
      if (IsText(Kind(hwnd))) {
        PaintText(hwnd, dc, *data, r);
      } else {
        PaintShape(hwnd, dc, *data, r);
      }
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_NCHITTEST:
      if (!(GetWindowLongA(hwnd, GWL_STYLE) & SS_NOTIFY)) return HTTRANSPARENT;
      return DefWindowProcA(hwnd, msg, wParam, lParam);
    case WM_LBUTTONDOWN:
      NotifyParent(hwnd, STN_CLICKED);
      return 0;
    case WM_LBUTTONDBLCLK:
      NotifyParent(hwnd, STN_DBLCLK);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    case WM_SETFONT:
      data->font = reinterpret_cast<HFONT>(wParam);
      if (lParam) InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(data->font);
    case WM_SETTEXT: {
      LRESULT r = DefWindowProcA(hwnd, msg, wParam, lParam);
      InvalidateRect(hwnd, nullptr, FALSE);
      return r;
    }
    case WM_ENABLE:
      InvalidateRect(hwnd, nullptr, FALSE);
      return 0;
    case STM_SETICON: {
      HICON old = data->icon;
      data->icon = reinterpret_cast<HICON>(wParam);
      InvalidateRect(hwnd, nullptr, FALSE);
      return reinterpret_cast<LRESULT>(old);
    }
    case STM_GETICON:
      return reinterpret_cast<LRESULT>(data->icon);
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

}  // namespace platform
