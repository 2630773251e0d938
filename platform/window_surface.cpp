// Each top-level window's surface: visible areas of the windows drawn on it, device contexts
// for painting, the non-client frame and scroll bars, scrolling pixels, and presenting to the
// screen.
#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/dc.h"
#include "platform/draw.h"
#include "platform/drawedge.h"
#include "platform/pens_brushes.h"
#include "platform/region.h"
#include "platform/window_system.h"

namespace platform {
namespace {

// A window's rectangle in its top-level window's coordinates.
RECT InTop(HWND hwnd, const RECT& windowCoords) {
  WindowSystem& ws = WindowSystem::Get();
  RECT wr, top;
  GetWindowRect(hwnd, &wr);
  GetWindowRect(ws.Root(hwnd), &top);
  return OffsetRectValue(windowCoords, wr.left - top.left, wr.top - top.top);
}

RECT WholeInTop(HWND hwnd) {
  Window* w = WindowSystem::Get().Find(hwnd);
  return InTop(hwnd, {0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top});
}

void SubtractSiblingsAbove(HWND hwnd, UpdateArea& area) {
  WindowSystem& ws = WindowSystem::Get();
  Window* w = ws.Find(hwnd);
  if (!w->parent) return;
  for (HWND s : ws.Siblings(*w)) {
    if (s == hwnd) break;
    if (Window* sw = ws.Find(s); sw && (sw->style & WS_VISIBLE)) area.Subtract(WholeInTop(s));
  }
}

RECT Inset(const RECT& r, int n) {
  return {r.left + n, r.top + n, r.right - n, r.bottom - n};
}

HRGN ToRegion(const UpdateArea& area) {
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  for (const RECT& r : area.Rects()) {
    HRGN piece = CreateRectRgnIndirect(&r);
    CombineRgn(rgn, rgn, piece, RGN_OR);
    DeleteObject(piece);
  }
  return rgn;
}

void FillSolid(HDC dc, const RECT& r, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

// An arrow button of a scroll bar with a small triangle pointing along the bar.
void DrawArrow(HDC dc, RECT r, bool vertical, bool forward) {
  FillSolid(dc, r, GetSysColor(COLOR_BTNFACE));
  DrawEdge(dc, &r, EDGE_RAISED, BF_RECT);
  int cx = (r.left + r.right) / 2;
  int cy = (r.top + r.bottom) / 2;
  for (int i = 0; i < 4; ++i) {
    int half = forward ? 3 - i : i;
    RECT line = vertical ? RECT{cx - half, cy - 2 + i, cx + half + 1, cy - 1 + i}
                         : RECT{cx - 2 + i, cy - half, cx - 1 + i, cy + half + 1};
    FillSolid(dc, line, GetSysColor(COLOR_BTNTEXT));
  }
}

void DrawScrollBar(HWND hwnd, HDC dc, int bar) {
  Window* w = WindowSystem::Get().Find(hwnd);
  RECT r = ScrollBarRect(hwnd, bar);
  if (IsRectEmptyValue(r)) return;
  bool vertical = bar == SB_VERT;
  FillSolid(dc, r, RGB(224, 224, 224));
  int length = vertical ? r.bottom - r.top : r.right - r.left;
  int arrow = std::min(GetSystemMetrics(vertical ? SM_CYVSCROLL : SM_CXHSCROLL), length / 2);
  RECT first = vertical ? RECT{r.left, r.top, r.right, r.top + arrow}
                        : RECT{r.left, r.top, r.left + arrow, r.bottom};
  RECT last = vertical ? RECT{r.left, r.bottom - arrow, r.right, r.bottom}
                       : RECT{r.right - arrow, r.top, r.right, r.bottom};
  DrawArrow(dc, first, vertical, false);
  DrawArrow(dc, last, vertical, true);
  const ScrollBarState& s = w->bars[bar];
  int track = length - 2 * arrow;
  int range = s.max - s.min + 1;
  int thumb = s.page ? std::max(int(LONG(track) * LONG(s.page) / std::max(range, 1)), 8)
                     : GetSystemMetrics(vertical ? SM_CYVTHUMB : SM_CXHTHUMB);
  int maxPos = std::max(s.min, s.max - (s.page ? int(s.page) - 1 : 0));
  if (thumb > track || maxPos <= s.min) return;
  int start = arrow + (track - thumb) * (s.pos - s.min) / (maxPos - s.min);
  RECT t = vertical ? RECT{r.left, r.top + start, r.right, r.top + start + thumb}
                    : RECT{r.left + start, r.top, r.left + start + thumb, r.bottom};
  FillSolid(dc, t, GetSysColor(COLOR_BTNFACE));
  DrawEdge(dc, &t, EDGE_RAISED, BF_RECT);
}

}  // namespace

void SizeSurface(HWND top) {
  Window* w = WindowSystem::Get().Find(top);
  if (!w || w->parent) return;
  int width = std::max(1, int(w->rect.right - w->rect.left));
  int height = std::max(1, int(w->rect.bottom - w->rect.top));
  if (!w->surface) {
    w->surface = std::make_unique<Surface>(width, height);
  } else if (w->surface->Width() != width || w->surface->Height() != height) {
    w->surface->Resize(width, height);
  }
  w->dirty = true;
}

UpdateArea VisibleArea(HWND hwnd, bool frame) {
  WindowSystem& ws = WindowSystem::Get();
  Window* w = ws.Find(hwnd);
  if (!w || !ws.IsVisible(hwnd)) return {};
  UpdateArea area(frame ? WholeInTop(hwnd) : InTop(hwnd, w->client));
  SubtractSiblingsAbove(hwnd, area);
  for (HWND a = w->parent; a; a = ws.Find(a)->parent) {
    area.Intersect(InTop(a, ws.Find(a)->client));
    SubtractSiblingsAbove(a, area);
  }
  if (w->style & WS_CLIPCHILDREN) {
    for (HWND c : w->children) {
      if (Window* cw = ws.Find(c); cw && (cw->style & WS_VISIBLE)) area.Subtract(WholeInTop(c));
    }
  }
  return area;
}

HDC MakeWindowDC(HWND hwnd, const UpdateArea* limit, bool frame) {
  WindowSystem& ws = WindowSystem::Get();
  Window* w = ws.Find(hwnd);
  Window* top = ws.Find(ws.Root(hwnd));
  if (!w || !top || !top->surface) return nullptr;
  UpdateArea visible = VisibleArea(hwnd, frame);
  if (limit) {
    UpdateArea bounded;
    for (const RECT& r : limit->Rects()) {
      UpdateArea piece = visible;
      piece.Intersect(r);
      bounded.Add(piece);
    }
    visible = bounded;
  }
  RECT origin = frame ? WholeInTop(hwnd) : InTop(hwnd, w->client);
  HRGN rgn = ToRegion(visible);
  HDC dc = CreateSurfaceDC(*top->surface, {origin.left, origin.top}, rgn);
  DeleteObject(rgn);
  return dc;
}

void ReleaseWindowDC(HWND hwnd, HDC dc) {
  if (!dc) return;
  ReleaseSurfaceDC(dc);
  WindowSystem& ws = WindowSystem::Get();
  if (Window* top = ws.Find(ws.Root(hwnd))) top->dirty = true;
}

void PresentDirtyWindows() {
  WindowSystem& ws = WindowSystem::Get();
  for (HWND t : ws.topLevel) {
    Window* w = ws.Find(t);
    if (!w || !w->dirty || !w->surface || !(w->style & WS_VISIBLE)) continue;
    w->dirty = false;
    Surface& s = *w->surface;
    cairo_surface_flush(s.CairoSurface());
    ws.Screen().Present(t, PixelView{s.Row(0), s.Width(), s.Height(), s.Stride() / 4});
  }
}

void PaintNonClient(HWND hwnd) {
  WindowSystem& ws = WindowSystem::Get();
  Window* w = ws.Find(hwnd);
  if (!w) return;
  RECT whole{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
  UpdateArea frameOnly(whole);
  frameOnly.Subtract(w->client);
  if (frameOnly.IsEmpty()) return;
  frameOnly.Offset(WholeInTop(hwnd).left, WholeInTop(hwnd).top);
  HDC dc = MakeWindowDC(hwnd, &frameOnly, true);
  if (!dc) return;
  RECT r = whole;
  if ((w->style & WS_CAPTION) == WS_CAPTION || (w->style & (WS_THICKFRAME | WS_DLGFRAME))) {
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    RECT rest = r;
    int frame =
        (w->style & WS_THICKFRAME) ? GetSystemMetrics(SM_CXFRAME) : GetSystemMetrics(SM_CXDLGFRAME);
    UpdateArea band(rest);
    rest = Inset(rest, frame - 2);
    band.Subtract(rest);
    for (const RECT& b : band.Rects()) FillSolid(dc, b, GetSysColor(COLOR_BTNFACE));
    r = rest;
    if ((w->style & WS_CAPTION) == WS_CAPTION) {
      PaintCaption(hwnd, dc);
      r.top += GetSystemMetrics(SM_CYCAPTION);
    }
  } else if (w->style & WS_BORDER) {
    HBRUSH black = CreateSolidBrush(GetSysColor(COLOR_WINDOWFRAME));
    FrameRect(dc, &r, black);
    DeleteObject(black);
    r = Inset(r, 1);
  }
  if (w->exStyle & WS_EX_CLIENTEDGE) DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
  DrawScrollBar(hwnd, dc, SB_VERT);
  DrawScrollBar(hwnd, dc, SB_HORZ);
  if ((w->style & WS_VSCROLL) && (w->style & WS_HSCROLL)) {
    RECT v = ScrollBarRect(hwnd, SB_VERT);
    RECT h = ScrollBarRect(hwnd, SB_HORZ);
    FillSolid(dc, RECT{v.left, h.top, v.right, h.bottom}, GetSysColor(COLOR_BTNFACE));
  }
  ReleaseWindowDC(hwnd, dc);
}

void ScrollSurface(HWND hwnd, const RECT& source, const RECT& clip, int dx, int dy) {
  WindowSystem& ws = WindowSystem::Get();
  Window* w = ws.Find(hwnd);
  Window* top = ws.Find(ws.Root(hwnd));
  if (!w || !top || !top->surface || !ws.IsVisible(hwnd)) return;
  Surface& s = *top->surface;
  RECT client = InTop(hwnd, w->client);
  RECT bounds{0, 0, s.Width(), s.Height()};
  RECT from = IntersectRectValue(OffsetRectValue(source, client.left, client.top), bounds);
  RECT to = IntersectRectValue(
      OffsetRectValue(from, dx, dy),
      IntersectRectValue(OffsetRectValue(clip, client.left, client.top), bounds));
  if (IsRectEmptyValue(to)) return;
  cairo_surface_flush(s.CairoSurface());
  int width = to.right - to.left;
  std::vector<std::uint32_t> row(std::size_t(width), 0);
  auto copyRow = [&](int y) {
    std::memcpy(row.data(), s.Row(y - dy) + (to.left - dx), row.size() * 4);
    std::memcpy(s.Row(y) + to.left, row.data(), row.size() * 4);
  };
  if (dy > 0) {
    for (int y = to.bottom - 1; y >= to.top; --y) copyRow(y);
  } else {
    for (int y = to.top; y < to.bottom; ++y) copyRow(y);
  }
  s.MarkDirty();
  top->dirty = true;
}

}  // namespace platform
