// Window scroll bars: their state, their place in the non-client area (on the left with
// WS_EX_LEFTSCROLLBAR), and clicks and thumb drags turned into WM_HSCROLL and WM_VSCROLL.
#include <algorithm>

#include "platform/window_system.h"

namespace platform {
namespace {

struct Geometry {
  int length = 0;  // of the whole bar
  int arrow = 0;
  int thumbStart = 0;  // from the bar's start; thumbSize 0 when there is no thumb
  int thumbSize = 0;
};

int MaxPos(const ScrollBarState& s) {
  int pageCut = s.page ? int(s.page) - 1 : 0;
  return std::max(s.min, s.max - pageCut);
}

Geometry Measure(HWND hwnd, int bar) {
  Window* w = WindowSystem::Get().Find(hwnd);
  Geometry g;
  RECT r = ScrollBarRect(hwnd, bar);
  if (!w || IsRectEmptyValue(r)) return g;
  const ScrollBarState& s = w->bars[bar];
  g.length = bar == SB_VERT ? r.bottom - r.top : r.right - r.left;
  g.arrow = std::min(GetSystemMetrics(bar == SB_VERT ? SM_CYVSCROLL : SM_CXHSCROLL), g.length / 2);
  int track = g.length - 2 * g.arrow;
  int range = s.max - s.min + 1;
  int thumb = s.page ? std::max(int(LONG(track) * LONG(s.page) / std::max(range, 1)), 8)
                     : GetSystemMetrics(bar == SB_VERT ? SM_CYVTHUMB : SM_CXHTHUMB);
  if (thumb > track || range <= 1) return g;
  int span = MaxPos(s) - s.min;
  g.thumbSize = thumb;
  g.thumbStart = g.arrow + (span > 0 ? (track - thumb) * (s.pos - s.min) / span : 0);
  return g;
}

int Along(HWND hwnd, int bar, POINT screen) {
  RECT wr;
  GetWindowRect(hwnd, &wr);
  RECT r = ScrollBarRect(hwnd, bar);
  return bar == SB_VERT ? screen.y - wr.top - r.top : screen.x - wr.left - r.left;
}

void Notify(HWND hwnd, int bar, WORD code, int pos) {
  SendMessageA(hwnd, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, MAKELONG(code, WORD(pos)), 0);
}

void RedrawBar(HWND hwnd) {
  if (Window* w = WindowSystem::Get().Find(hwnd); w && IsWindowVisible(hwnd)) w->frame = true;
}

// A held arrow or track repeats its step, first after a pause and then quickly, as long as the
// pointer stays on the part that was pressed.
constexpr UINT kRepeatDelay = 400;
constexpr UINT kRepeatRate = 50;

WORD PartAt(HWND hwnd, int bar, POINT screen);

void RepeatStep(HWND, UINT, UINT_PTR id, DWORD) {
  WindowSystem& ws = WindowSystem::Get();
  ScrollTracking& t = ws.tracking;
  if (!ws.Valid(t.hwnd) || t.repeatTimer != id) {
    KillTimer(nullptr, id);
    return;
  }
  SetTimer(nullptr, id, kRepeatRate, RepeatStep);
  if (PartAt(t.hwnd, t.bar, ws.cursorPos) == t.part) Notify(t.hwnd, t.bar, WORD(t.part), 0);
}

Window* BarOwner(HWND hwnd, int bar) {
  Window* w = WindowSystem::Get().Find(hwnd);
  return w && (bar == SB_HORZ || bar == SB_VERT) ? w : nullptr;
}

}  // namespace

RECT ScrollBarRect(HWND hwnd, int bar) {
  Window* w = WindowSystem::Get().Find(hwnd);
  if (!w) return {0, 0, 0, 0};
  const RECT& c = w->client;
  if (bar == SB_VERT && (w->style & WS_VSCROLL)) {
    int cx = GetSystemMetrics(SM_CXVSCROLL);
    return (w->exStyle & WS_EX_LEFTSCROLLBAR) ? RECT{c.left - cx, c.top, c.left, c.bottom}
                                              : RECT{c.right, c.top, c.right + cx, c.bottom};
  }
  if (bar == SB_HORZ && (w->style & WS_HSCROLL)) {
    return {c.left, c.bottom, c.right, c.bottom + GetSystemMetrics(SM_CYHSCROLL)};
  }
  return {0, 0, 0, 0};
}

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw) {
  Window* w = BarOwner(hwnd, bar);
  if (!w || !info) return 0;
  ScrollBarState& s = w->bars[bar];
  if (info->fMask & SIF_RANGE) {
    s.min = info->nMin;
    s.max = std::max(info->nMin, info->nMax);
  }
  if (info->fMask & SIF_PAGE) s.page = info->nPage;
  s.page = std::min<UINT>(s.page, UINT(s.max - s.min + 1));
  if (info->fMask & SIF_POS) s.pos = info->nPos;
  s.pos = std::clamp(s.pos, s.min, MaxPos(s));
  if (info->fMask & (SIF_RANGE | SIF_PAGE)) {
    // A bar with nothing to scroll goes away unless asked to stay (disabled) in its place.
    bool needed = MaxPos(s) > s.min;
    DWORD flag = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    bool shown = w->style & flag;
    if (needed != shown && (needed || !(info->fMask & SIF_DISABLENOSCROLL))) {
      ShowScrollBar(hwnd, bar, needed ? TRUE : FALSE);
    }
  }
  if (redraw) RedrawBar(hwnd);
  return WindowSystem::Get().Find(hwnd)->bars[bar].pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info) {
  Window* w = BarOwner(hwnd, bar);
  if (!w || !info) return FALSE;
  const ScrollBarState& s = w->bars[bar];
  if (info->fMask & SIF_RANGE) {
    info->nMin = s.min;
    info->nMax = s.max;
  }
  if (info->fMask & SIF_PAGE) info->nPage = s.page;
  if (info->fMask & SIF_POS) info->nPos = s.pos;
  if (info->fMask & SIF_TRACKPOS) {
    bool tracking =
        WindowSystem::Get().tracking.hwnd == hwnd && WindowSystem::Get().tracking.bar == bar;
    info->nTrackPos = tracking ? s.trackPos : s.pos;
  }
  return TRUE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
  Window* w = BarOwner(hwnd, bar);
  if (!w) return 0;
  int old = w->bars[bar].pos;
  SCROLLINFO si{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, pos, 0};
  SetScrollInfo(hwnd, bar, &si, redraw);
  return old;
}

int GetScrollPos(HWND hwnd, int bar) {
  Window* w = BarOwner(hwnd, bar);
  return w ? w->bars[bar].pos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw) {
  if (!BarOwner(hwnd, bar)) return FALSE;
  SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE, minPos, maxPos, 0, 0, 0};
  SetScrollInfo(hwnd, bar, &si, redraw);
  return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
  Window* w = WindowSystem::Get().Find(hwnd);
  if (!w) return FALSE;
  DWORD flags = bar == SB_BOTH   ? (WS_HSCROLL | WS_VSCROLL)
                : bar == SB_VERT ? WS_VSCROLL
                : bar == SB_HORZ ? WS_HSCROLL
                                 : 0;
  if (!flags) return FALSE;
  DWORD style = show ? (w->style | flags) : (w->style & ~flags);
  if (style == w->style) return TRUE;
  w->style = style;
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  return TRUE;
}

namespace {

// The part of the bar under a screen point; SB_ENDSCROLL for none.
WORD PartAt(HWND hwnd, int bar, POINT screen) {
  Geometry g = Measure(hwnd, bar);
  if (!g.length) return SB_ENDSCROLL;
  RECT wr;
  GetWindowRect(hwnd, &wr);
  RECT r = OffsetRectValue(ScrollBarRect(hwnd, bar), wr.left, wr.top);
  if (screen.x < r.left || screen.x >= r.right || screen.y < r.top || screen.y >= r.bottom) {
    return SB_ENDSCROLL;
  }
  int at = Along(hwnd, bar, screen);
  if (at < g.arrow) return SB_LINEUP;
  if (at >= g.length - g.arrow) return SB_LINEDOWN;
  if (!g.thumbSize) return SB_ENDSCROLL;
  if (at < g.thumbStart) return SB_PAGEUP;
  if (at >= g.thumbStart + g.thumbSize) return SB_PAGEDOWN;
  return SB_THUMBTRACK;
}

}  // namespace

void ScrollBarButtonDown(HWND hwnd, LRESULT hit, POINT screen) {
  WindowSystem& ws = WindowSystem::Get();
  int bar = hit == HTVSCROLL ? SB_VERT : SB_HORZ;
  WORD part = PartAt(hwnd, bar, screen);
  if (part == SB_ENDSCROLL) return;
  Geometry g = Measure(hwnd, bar);
  ws.tracking = ScrollTracking{hwnd, bar, part, Along(hwnd, bar, screen) - g.thumbStart, 0};
  ws.Find(hwnd)->bars[bar].trackPos = ws.Find(hwnd)->bars[bar].pos;
  if (part == SB_THUMBTRACK) return;
  ws.tracking.repeatTimer = SetTimer(nullptr, 0, kRepeatDelay, RepeatStep);
  Notify(hwnd, bar, part, 0);
}

void ScrollBarMouseMove(POINT screen) {
  WindowSystem& ws = WindowSystem::Get();
  ScrollTracking t = ws.tracking;
  if (t.part != SB_THUMBTRACK) return;
  Window* w = ws.Find(t.hwnd);
  Geometry g = Measure(t.hwnd, t.bar);
  if (!w || !g.thumbSize) return;
  ScrollBarState& s = w->bars[t.bar];
  int room = g.length - 2 * g.arrow - g.thumbSize;
  int start = std::clamp(Along(t.hwnd, t.bar, screen) - t.grabOffset, g.arrow, g.arrow + room);
  int span = MaxPos(s) - s.min;
  int pos = s.min + (room > 0 ? ((start - g.arrow) * span + room / 2) / room : 0);
  if (pos == s.trackPos) return;
  s.trackPos = pos;
  Notify(t.hwnd, t.bar, SB_THUMBTRACK, pos);
}

void ScrollBarButtonUp(POINT) {
  WindowSystem& ws = WindowSystem::Get();
  ScrollTracking t = ws.tracking;
  Window* w = ws.Find(t.hwnd);
  if (t.repeatTimer) KillTimer(nullptr, t.repeatTimer);
  if (w && t.part == SB_THUMBTRACK)
    Notify(t.hwnd, t.bar, SB_THUMBPOSITION, w->bars[t.bar].trackPos);
  ws.tracking = {};
  if (ws.Valid(t.hwnd)) Notify(t.hwnd, t.bar, SB_ENDSCROLL, 0);
}

}  // namespace platform
