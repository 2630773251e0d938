// The non-client area (borders, edges, caption and scroll bars) and the default window
// procedure.
#include <algorithm>
#include <cstring>

#include "platform/control_support.h"
#include "platform/draw.h"
#include "platform/pens_brushes.h"
#include "platform/window_system.h"

namespace platform {
namespace {

int FrameWidth(DWORD style, DWORD exStyle) {
  int width = 0;
  if (style & WS_THICKFRAME) {
    width = GetSystemMetrics(SM_CXFRAME);
  } else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) {
    width = GetSystemMetrics(SM_CXDLGFRAME);
  } else if (style & WS_BORDER) {
    width = GetSystemMetrics(SM_CXBORDER);
  }
  if (exStyle & WS_EX_CLIENTEDGE) width += GetSystemMetrics(SM_CXEDGE);
  if (exStyle & WS_EX_STATICEDGE) width += GetSystemMetrics(SM_CXBORDER);
  return width;
}

void Close(HWND hwnd) {
  SendMessageA(hwnd, WM_CLOSE, 0, 0);
}

}  // namespace

void NonClientCalcSize(HWND hwnd, RECT* r) {
  Window* w = WindowSystem::Get().Find(hwnd);
  if (!w) return;
  int frame = FrameWidth(w->style, w->exStyle);
  r->left += frame;
  r->top += frame;
  r->right -= frame;
  r->bottom -= frame;
  if ((w->style & WS_CAPTION) == WS_CAPTION) r->top += GetSystemMetrics(SM_CYCAPTION);
  if (w->style & WS_VSCROLL) {
    if (w->exStyle & WS_EX_LEFTSCROLLBAR) {
      r->left += GetSystemMetrics(SM_CXVSCROLL);
    } else {
      r->right -= GetSystemMetrics(SM_CXVSCROLL);
    }
  }
  if (w->style & WS_HSCROLL) r->bottom -= GetSystemMetrics(SM_CYHSCROLL);
  r->right = std::max(r->right, r->left);
  r->bottom = std::max(r->bottom, r->top);
}

void RecalcClient(HWND hwnd) {
  WindowSystem& ws = WindowSystem::Get();
  Window* w = ws.Find(hwnd);
  if (!w) return;
  NCCALCSIZE_PARAMS params{};
  params.rgrc[0] = w->rect;
  SendMessageA(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&params.rgrc[0]));
  if (!(w = ws.Find(hwnd))) return;
  RECT c = params.rgrc[0];
  w->client = OffsetRectValue(c, -w->rect.left, -w->rect.top);
}

LRESULT NonClientHitTest(HWND hwnd, POINT screen) {
  WindowSystem& ws = WindowSystem::Get();
  Window* w = ws.Find(hwnd);
  if (!w) return HTNOWHERE;
  RECT wr;
  GetWindowRect(hwnd, &wr);
  POINT local{screen.x - wr.left, screen.y - wr.top};
  auto inside = [&](const RECT& r) {
    return local.x >= r.left && local.x < r.right && local.y >= r.top && local.y < r.bottom;
  };
  if (!inside({0, 0, wr.right - wr.left, wr.bottom - wr.top})) return HTNOWHERE;
  if (inside(w->client)) return HTCLIENT;
  if (inside(CloseBoxRect(hwnd))) return HTCLOSE;
  if (inside(ScrollBarRect(hwnd, SB_VERT))) return HTVSCROLL;
  if (inside(ScrollBarRect(hwnd, SB_HORZ))) return HTHSCROLL;
  if ((w->style & WS_CAPTION) == WS_CAPTION && local.y < w->client.top &&
      local.y >= w->client.top - GetSystemMetrics(SM_CYCAPTION)) {
    return HTCAPTION;
  }
  return HTBORDER;
}

LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowSystem& ws = WindowSystem::Get();
  Window* w = ws.Find(hwnd);
  if (!w) return 0;
  switch (msg) {
    case WM_NCCREATE: {
      auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName)) w->text = cs->lpszName;
      return TRUE;
    }
    case WM_NCCALCSIZE:
      NonClientCalcSize(hwnd, reinterpret_cast<RECT*>(lParam));
      return 0;
    case WM_SETTEXT: {
      auto* text = reinterpret_cast<LPCSTR>(lParam);
      w->text = text ? text : "";
      if (!w->parent) ws.Screen().WindowChanged(hwnd);
      return TRUE;
    }
    case WM_GETTEXT: {
      if (wParam == 0) return 0;
      auto* out = reinterpret_cast<char*>(lParam);
      std::size_t n = std::min<std::size_t>(wParam - 1, w->text.size());
      std::memcpy(out, w->text.data(), n);
      out[n] = '\0';
      return LRESULT(n);
    }
    case WM_GETTEXTLENGTH:
      return LRESULT(w->text.size());
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_CLOSE:
          Close(hwnd);
          break;
        case SC_MINIMIZE:
          ShowWindow(hwnd, SW_MINIMIZE);
          break;
        case SC_MAXIMIZE:
          ShowWindow(hwnd, SW_SHOWMAXIMIZED);
          break;
        case SC_RESTORE:
          ShowWindow(hwnd, SW_RESTORE);
          break;
        default:
          break;
      }
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(hwnd, &ps);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_ERASEBKGND: {
      // A class background is a brush, or a system colour index plus one.
      HANDLE bg = w->cls->background;
      auto dc = reinterpret_cast<HDC>(wParam);
      if (!bg || !dc) return 0;
      RECT client;
      GetClientRect(hwnd, &client);
      UINT_PTR index = reinterpret_cast<UINT_PTR>(bg);
      if (index <= 31) {
        HBRUSH brush = CreateSolidBrush(GetSysColor(int(index) - 1));
        FillRect(dc, &client, brush);
        DeleteObject(brush);
      } else {
        FillRect(dc, &client, static_cast<HBRUSH>(bg));
      }
      return 1;
    }
    case WM_NCPAINT:
      PaintNonClient(hwnd);
      return 0;
    case WM_NCHITTEST:
      return NonClientHitTest(hwnd, {short(LOWORD(DWORD(lParam))), short(HIWORD(DWORD(lParam)))});
    case WM_SETCURSOR: {
      // A parent may choose the cursor for its children; otherwise the class cursor shows in the
      // client area and the arrow elsewhere.
      if (w->parent && SendMessageA(w->parent, WM_SETCURSOR, wParam, lParam)) return TRUE;
      if (!(w = ws.Find(hwnd))) return FALSE;
      short hit = short(LOWORD(DWORD(lParam)));
      if (hit == HTCLIENT) {
        if (w->cls->cursor) SetCursor(w->cls->cursor);
      } else {
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
      }
      return FALSE;
    }
    case WM_MOUSEACTIVATE:
      if (w->parent) {
        LRESULT r = SendMessageA(w->parent, WM_MOUSEACTIVATE, wParam, lParam);
        if (r) return r;
      }
      return MA_ACTIVATE;
    case WM_ACTIVATE:
      if (LOWORD(DWORD(wParam)) != WA_INACTIVE && !HIWORD(DWORD(wParam))) SetFocus(hwnd);
      return 0;
    case WM_NCACTIVATE:
      if (ws.IsVisible(hwnd)) w->frame = true;
      return TRUE;
    case WM_WINDOWPOSCHANGED: {
      auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (!(pos->flags & SWP_NOMOVE)) {
        SendMessageA(hwnd, WM_MOVE, 0,
                     PointParam({w->rect.left + w->client.left, w->rect.top + w->client.top}));
      }
      if (!(w = ws.Find(hwnd))) return 0;
      if (!(pos->flags & SWP_NOSIZE)) {
        WPARAM kind = (w->style & WS_MINIMIZE)   ? SIZE_MINIMIZED
                      : (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED
                                                 : SIZE_RESTORED;
        SendMessageA(hwnd, WM_SIZE, kind,
                     MAKELONG(WORD(w->client.right - w->client.left),
                              WORD(w->client.bottom - w->client.top)));
      }
      return 0;
    }
    case WM_NCLBUTTONDOWN:
      if (wParam == WPARAM(HTCLOSE)) {
        SendMessageA(hwnd, WM_SYSCOMMAND, SC_CLOSE, lParam);
        return 0;
      }
      if (wParam == WPARAM(HTVSCROLL) || wParam == WPARAM(HTHSCROLL)) {
        ScrollBarButtonDown(hwnd, LRESULT(wParam),
                            {short(LOWORD(DWORD(lParam))), short(HIWORD(DWORD(lParam)))});
      }
      return 0;
    case WM_NCLBUTTONDBLCLK:
      if (wParam == WPARAM(HTVSCROLL) || wParam == WPARAM(HTHSCROLL)) {
        ScrollBarButtonDown(hwnd, LRESULT(wParam),
                            {short(LOWORD(DWORD(lParam))), short(HIWORD(DWORD(lParam)))});
      }
      return 0;
    case WM_MOUSEWHEEL:
      if (w->parent) return SendMessageA(w->parent, msg, wParam, lParam);
      return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<LRESULT>(DefaultControlColors(msg, reinterpret_cast<HDC>(wParam)));
    case WM_SYSKEYDOWN:
      if (wParam == WPARAM(VK_F4) && (lParam & KF_ALTDOWN_BIT)) {
        PostMessageA(ws.Root(hwnd), WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      return 0;
    default:
      return 0;
  }
}

}  // namespace platform
