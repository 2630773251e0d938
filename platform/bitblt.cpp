// Bit-block transfers: a plain-copy fast path, and a general per-pixel ternary operation.
#include "platform/bitblt.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/raster.h"

namespace platform {
namespace {

using gdi::DeviceContext;

bool UsesSource(DWORD rop) {
  unsigned t = (rop >> 16) & 0xFF;
  return ((t >> 2) & 0x33) != (t & 0x33);
}

bool UsesPattern(DWORD rop) {
  unsigned t = (rop >> 16) & 0xFF;
  return ((t >> 4) & 0x0F) != (t & 0x0F);
}

std::uint32_t Ternary(unsigned table, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
  std::uint32_t r = 0;
  for (unsigned i = 0; i < 8; ++i) {
    if (!(table & (1u << i))) continue;
    std::uint32_t term = (i & 4 ? p : ~p) & (i & 2 ? s : ~s) & (i & 1 ? d : ~d);
    r |= term;
  }
  return r & 0xFFFFFF;
}

bool IsLight(COLORREF c) {
  return GetRValue(c) + GetGValue(c) + GetBValue(c) >= 384;
}

// A source pixel as the destination sees it.
struct SourceView {
  const Surface* surface;
  bool fromMono;
  bool toMono;
  std::uint32_t ones;   // colour for 1 bits of a monochrome source
  std::uint32_t zeros;  // colour for 0 bits
  std::uint32_t sourceBk;

  std::uint32_t At(int x, int y) const {
    std::uint32_t p = surface->Row(y)[x] & 0xFFFFFF;
    if (fromMono == toMono) return p;
    if (fromMono) return p != 0 ? ones : zeros;
    return p == sourceBk ? 0xFFFFFF : 0;
  }
};

BOOL Transfer(HDC dest, int x, int y, int width, int height, HDC source, int xs, int ys, int ws,
              int hs, DWORD rop) {
  DeviceContext* d = gdi::DC(dest);
  if (d == nullptr) return FALSE;
  bool needSource = UsesSource(rop);
  DeviceContext* s = needSource ? gdi::DC(source) : nullptr;
  if (needSource && s == nullptr) return FALSE;

  POINT d0 = d->ToSurface({x, y}), d1 = d->ToSurface({x + width, y + height});
  RECT box = {std::min(d0.x, d1.x), std::min(d0.y, d1.y), std::max(d0.x, d1.x),
              std::max(d0.y, d1.y)};
  const Region& clip = d->Clip();
  Region target = Region::Combine(clip, Region(box), RGN_AND);
  if (target.IsEmpty()) return TRUE;

  unsigned table = (rop >> 16) & 0xFF;
  POINT s0 = {0, 0}, s1 = {0, 0};
  SourceView view = {};
  Surface* destSurface = &d->Target();
  d->BeginDirect();
  if (needSource) {
    s0 = s->ToSurface({xs, ys});
    s1 = s->ToSurface({xs + ws, ys + hs});
    s->BeginDirect();
    view.surface = &s->Target();
    view.fromMono = s->IsMonochrome();
    view.toMono = d->IsMonochrome();
    view.ones = gdi::ToPixel(d->Attributes().bkColor) & 0xFFFFFF;
    view.zeros = gdi::ToPixel(d->Attributes().textColor) & 0xFFFFFF;
    view.sourceBk = gdi::ToPixel(s->Attributes().bkColor) & 0xFFFFFF;
  }
  const Surface* sourceSurface = view.surface;
  bool sameSize = needSource && d1.x - d0.x == s1.x - s0.x && d1.y - d0.y == s1.y - s0.y;
  int sw = needSource ? sourceSurface->Width() : 0, sh = needSource ? sourceSurface->Height() : 0;

  // Plain copies of one format at one size: rows at a time.
  if (rop == SRCCOPY && sameSize && view.fromMono == view.toMono) {
    int offX = s0.x - d0.x, offY = s0.y - d0.y;
    std::vector<RECT> rects = target.Rects();
    bool upward = sourceSurface == destSurface && offY < 0;
    if (upward) std::reverse(rects.begin(), rects.end());
    for (const RECT& r : rects) {
      int left = std::max<int>(r.left, -offX), right = std::min<int>(r.right, sw - offX);
      if (right <= left) continue;
      for (int i = 0; i < r.bottom - r.top; ++i) {
        int yy = upward ? r.bottom - 1 - i : r.top + i;
        int sy = yy + offY;
        if (sy < 0 || sy >= sh) continue;
        std::memmove(destSurface->Row(yy) + left, sourceSurface->Row(sy) + left + offX,
                     std::size_t(right - left) * 4);
      }
    }
    d->EndDirect();
    return TRUE;
  }

  Surface snapshot(0, 0);
  if (needSource && sourceSurface == destSurface) {
    snapshot.Resize(sw, sh);
    for (int row = 0; row < sh; ++row) {
      std::memcpy(snapshot.Row(row), sourceSurface->Row(row), std::size_t(sw) * 4);
    }
    view.surface = &snapshot;
  }
  gdi::BrushObject& brush = d->Brush();
  bool pattern = UsesPattern(rop);
  bool monoDest = d->IsMonochrome();
  double spanX = double(d1.x - d0.x), spanY = double(d1.y - d0.y);
  for (const RECT& r : target.Rects()) {
    for (int yy = r.top; yy < r.bottom; ++yy) {
      int sy = 0;
      if (needSource) {
        sy = int(std::floor(s0.y + (yy + 0.5 - d0.y) / spanY * (s1.y - s0.y)));
        if (sy < 0 || sy >= sh) continue;
      }
      std::uint32_t* row = destSurface->Row(yy);
      for (int xx = r.left; xx < r.right; ++xx) {
        std::uint32_t sp = 0;
        if (needSource) {
          int sx = int(std::floor(s0.x + (xx + 0.5 - d0.x) / spanX * (s1.x - s0.x)));
          if (sx < 0 || sx >= sw) continue;
          sp = view.At(sx, sy);
        }
        std::uint32_t pp = 0;
        if (pattern) {
          COLORREF c;
          if (!gdi::BrushColorAt(brush, *d, xx, yy, &c)) c = d->Attributes().bkColor;
          pp = monoDest ? (IsLight(c) ? 0xFFFFFF : 0) : gdi::ToPixel(c) & 0xFFFFFF;
        }
        row[xx] = 0xFF000000u | Ternary(table, pp, sp, row[xx] & 0xFFFFFF);
      }
    }
  }
  d->EndDirect();
  return TRUE;
}

}  // namespace

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSource, int ySource,
            DWORD rop) {
  return Transfer(dest, x, y, width, height, source, xSource, ySource, width, height, rop);
}

BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSource, int ySource,
                int widthSource, int heightSource, DWORD rop) {
  if (UsesSource(rop) && (widthSource == 0 || heightSource == 0)) return FALSE;
  return Transfer(dest, x, y, width, height, source, xSource, ySource, widthSource, heightSource,
                  rop);
}

BOOL PatBlt(HDC dest, int x, int y, int width, int height, DWORD rop) {
  if (UsesSource(rop)) return FALSE;
  return Transfer(dest, x, y, width, height, nullptr, 0, 0, 0, 0, rop);
}

int SetStretchBltMode(HDC dc, int mode) {
  DeviceContext* context = gdi::DC(dc);
  if (context == nullptr || mode < BLACKONWHITE || mode > HALFTONE) return 0;
  int old = context->Attributes().stretchMode;
  context->Attributes().stretchMode = mode;
  return old;
}

int GetStretchBltMode(HDC dc) {
  DeviceContext* context = gdi::DC(dc);
  return context != nullptr ? context->Attributes().stretchMode : 0;
}

}  // namespace platform
