// Invalid areas and the WM_PAINT they generate: invalidation and validation with their child
// rules, erase and frame requests, immediate updates, and scrolling a client area.
#include <algorithm>

#include "platform/caret.h"
#include "platform/window_system.h"

namespace platform {
namespace {

RECT ClientBox(const Window& w) {
  return {0, 0, w.client.right - w.client.left, w.client.bottom - w.client.top};
}

bool NeedsPaint(const Window& w) {
  return !w.update.IsEmpty() || w.internalPaint || w.frame;
}

bool ChildrenIncluded(const Window& w, UINT flags) {
  if (flags & RDW_ALLCHILDREN) return true;
  if (flags & RDW_NOCHILDREN) return false;
  return !(w.style & WS_CLIPCHILDREN);
}

HWND FindPaint(HWND hwnd) {
  WindowSystem& ws = WindowSystem::Get();
  Window* w = ws.Find(hwnd);
  if (!w || !(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE)) return nullptr;
  if (NeedsPaint(*w)) return hwnd;
  for (HWND c : w->children) {
    if (HWND found = FindPaint(c)) return found;
  }
  return nullptr;
}

void SendErase(HWND hwnd, PAINTSTRUCT* ps) {
  WindowSystem& ws = WindowSystem::Get();
  Window* w = ws.Find(hwnd);
  if (!w) return;
  if (w->frame) {
    w->frame = false;
    SendMessageA(hwnd, WM_NCPAINT, 1, 0);
    if (!(w = ws.Find(hwnd))) return;
  }
  if (w->erase) {
    w->erase = false;
    LRESULT erased = SendMessageA(hwnd, WM_ERASEBKGND, WPARAM(ps ? ps->hdc : nullptr), 0);
    if (ps) ps->fErase = erased ? FALSE : TRUE;
  }
}

void UpdateTree(HWND hwnd, bool children, bool eraseOnly) {
  WindowSystem& ws = WindowSystem::Get();
  Window* w = ws.Find(hwnd);
  if (!w || !ws.IsVisible(hwnd)) return;
  if (eraseOnly) {
    SendErase(hwnd, nullptr);
  } else if (NeedsPaint(*w)) {
    SendMessageA(hwnd, WM_PAINT, 0, 0);
    if ((w = ws.Find(hwnd))) {
      // As DispatchMessage does: a window that does not validate is not asked again at once.
      w->update.Clear();
      w->erase = w->frame = w->internalPaint = false;
    }
  }
  if (!children || !(w = ws.Find(hwnd))) return;
  std::vector<HWND> list = w->children;
  for (HWND c : list) UpdateTree(c, true, eraseOnly);
}

}  // namespace

void InvalidateArea(HWND hwnd, const UpdateArea& area, UINT flags) {
  WindowSystem& ws = WindowSystem::Get();
  Window* w = ws.Find(hwnd);
  if (!w || !ws.IsVisible(hwnd)) return;
  UpdateArea inside = area;
  inside.Intersect(ClientBox(*w));
  if (flags & RDW_INVALIDATE) {
    w->update.Add(inside);
    if ((flags & RDW_ERASE) && !inside.IsEmpty()) w->erase = true;
  }
  if (flags & RDW_INTERNALPAINT) w->internalPaint = true;
  if (flags & RDW_VALIDATE) {
    for (const RECT& r : area.Rects()) w->update.Subtract(r);
    if (flags & RDW_NOERASE) w->erase = false;
    if (flags & RDW_NOINTERNALPAINT) w->internalPaint = false;
    if (w->update.IsEmpty()) w->erase = false;
  }
  if (flags & RDW_NOFRAME) w->frame = false;
  if (!ChildrenIncluded(*w, flags)) return;
  std::vector<HWND> children = w->children;
  for (HWND c : children) {
    Window* cw = ws.Find(c);
    if (!cw || !(cw->style & WS_VISIBLE)) continue;
    UpdateArea childArea = area;
    childArea.Intersect(cw->rect);
    if (childArea.IsEmpty()) continue;
    childArea.Offset(-cw->rect.left - cw->client.left, -cw->rect.top - cw->client.top);
    UINT childFlags = flags & ~RDW_FRAME;
    if ((flags & RDW_FRAME) && (flags & RDW_INVALIDATE)) cw->frame = true;
    InvalidateArea(c, childArea, childFlags);
  }
}

BOOL RedrawWindow(HWND hwnd, const RECT* rect, UINT flags) {
  WindowSystem& ws = WindowSystem::Get();
  Window* w = ws.Find(hwnd);
  if (!w) return FALSE;
  UpdateArea area(rect ? *rect : ClientBox(*w));
  if ((flags & RDW_FRAME) && (flags & RDW_INVALIDATE) && !rect) w->frame = true;
  if (flags & (RDW_INVALIDATE | RDW_VALIDATE | RDW_INTERNALPAINT | RDW_NOINTERNALPAINT)) {
    InvalidateArea(hwnd, area, flags);
  }
  if (flags & RDW_UPDATENOW) {
    UpdateTree(hwnd, ChildrenIncluded(*ws.Find(hwnd), flags), false);
  } else if (flags & RDW_ERASENOW) {
    UpdateTree(hwnd, ChildrenIncluded(*ws.Find(hwnd), flags), true);
  }
  return TRUE;
}

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  return RedrawWindow(hwnd, rect, RDW_INVALIDATE | (erase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
  return RedrawWindow(hwnd, rect, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL UpdateWindow(HWND hwnd) {
  if (!WindowSystem::Get().Valid(hwnd)) return FALSE;
  UpdateTree(hwnd, true, false);
  return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase) {
  Window* w = WindowSystem::Get().Find(hwnd);
  if (!w) return FALSE;
  if (rect) *rect = w->update.Box();
  if (erase && !w->update.IsEmpty()) SendErase(hwnd, nullptr);
  return w->update.IsEmpty() ? FALSE : TRUE;
}

bool NextPaintMessage(HWND filter, MSG* msg) {
  WindowSystem& ws = WindowSystem::Get();
  HWND found = nullptr;
  if (filter) {
    found = FindPaint(filter);
  } else {
    for (HWND top : ws.topLevel) {
      if ((found = FindPaint(top))) break;
    }
  }
  if (!found) return false;
  *msg = MSG{found, WM_PAINT, 0, 0, 0, {0, 0}};
  return true;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
  WindowSystem& ws = WindowSystem::Get();
  Window* w = ws.Find(hwnd);
  if (!w || !ps) return nullptr;
  *ps = PAINTSTRUCT{};
  ps->rcPaint = w->update.Box();
  // Drawing is limited to what was invalid, as well as to what is visible.
  UpdateArea limit = w->update;
  POINT origin = ws.ClientOrigin(hwnd);
  RECT top;
  GetWindowRect(ws.Root(hwnd), &top);
  limit.Offset(origin.x - top.left, origin.y - top.top);
  ps->hdc = MakeWindowDC(hwnd, &limit, false);
  w->update.Clear();
  w->internalPaint = false;
  SendErase(hwnd, ps);
  return ps->hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
  if (!ps) return FALSE;
  PaintCaret(hwnd, ps->hdc);
  ReleaseWindowDC(hwnd, ps->hdc);
  return TRUE;
}

HDC GetDC(HWND hwnd) {
  if (!WindowSystem::Get().Valid(hwnd)) return nullptr;
  return MakeWindowDC(hwnd, nullptr, false);
}

int ReleaseDC(HWND hwnd, HDC dc) {
  if (!dc) return 0;
  ReleaseWindowDC(hwnd, dc);
  return 1;
}

int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip, RECT* update,
                   UINT flags) {
  WindowSystem& ws = WindowSystem::Get();
  Window* w = ws.Find(hwnd);
  if (!w) return 0;
  RECT client = ClientBox(*w);
  RECT source = scroll ? IntersectRectValue(*scroll, client) : client;
  RECT limit = clip ? IntersectRectValue(*clip, client) : client;

  // What moved in still shows old pixels where the source had pending paint: that paint moves
  // along with the pixels.
  UpdateArea moving = w->update;
  moving.Intersect(source);
  for (const RECT& r : moving.Rects()) w->update.Subtract(r);
  moving.Offset(dx, dy);
  moving.Intersect(limit);
  w->update.Add(moving);

  ScrollSurface(hwnd, source, limit, dx, dy);
  UpdateArea uncovered(IntersectRectValue(source, limit));
  uncovered.Subtract(OffsetRectValue(source, dx, dy));
  if (update) *update = uncovered.Box();

  if (flags & SW_SCROLLCHILDREN) {
    std::vector<HWND> children = w->children;
    for (HWND c : children) {
      Window* cw = ws.Find(c);
      if (!cw || (scroll && IsRectEmptyValue(IntersectRectValue(cw->rect, source)))) continue;
      SetWindowPos(c, nullptr, cw->rect.left + dx, cw->rect.top + dy, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
  }
  if (flags & SW_INVALIDATE) {
    InvalidateArea(hwnd, uncovered,
                   RDW_INVALIDATE | ((flags & SW_ERASE) ? RDW_ERASE : 0) |
                       ((flags & SW_SCROLLCHILDREN) ? RDW_ALLCHILDREN : RDW_NOCHILDREN));
  }
  if (uncovered.IsEmpty()) return 1;
  return uncovered.Rects().size() == 1 ? 2 : 3;
}

}  // namespace platform
