// Regions: sets of pixels kept as canonical y-x banded rectangle lists, and their Win32 calls.
#pragma once

#include <vector>

#include "platform/gdi_handles.h"
#include "platform/windef.h"

namespace platform {

constexpr int ERROR = 0;
constexpr int NULLREGION = 1;
constexpr int SIMPLEREGION = 2;
constexpr int COMPLEXREGION = 3;

constexpr int RGN_AND = 1;
constexpr int RGN_OR = 2;
constexpr int RGN_XOR = 3;
constexpr int RGN_DIFF = 4;
constexpr int RGN_COPY = 5;

// A set of pixels. The rectangles are sorted by top, then left; rectangles of one band share
// top and bottom, do not touch or overlap, and two vertically adjacent bands never have the
// same horizontal spans (they are merged). Two equal sets therefore have equal lists, which
// makes comparison and the SIMPLEREGION/COMPLEXREGION answer exact.
class Region {
 public:
  Region() = default;
  explicit Region(const RECT& r);

  static Region Combine(const Region& a, const Region& b, int mode);

  bool IsEmpty() const { return rects_.empty(); }
  // NULLREGION, SIMPLEREGION or COMPLEXREGION.
  int Complexity() const;
  RECT Box() const;
  const std::vector<RECT>& Rects() const { return rects_; }

  bool Contains(LONG x, LONG y) const;
  bool Intersects(const RECT& r) const;
  void Offset(LONG dx, LONG dy);

  bool operator==(const Region& other) const;

 private:
  std::vector<RECT> rects_;
};

// Win32 calls over region handles. A rectangle with right <= left or bottom <= top is empty.
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rect);
BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom);
// Stores src1 (op) src2 in dest, which may be either source; src2 is unused for RGN_COPY.
// Returns the complexity of the result, or ERROR for a bad handle or mode (dest unchanged).
int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode);
int OffsetRgn(HRGN rgn, int dx, int dy);
int GetRgnBox(HRGN rgn, RECT* box);
BOOL PtInRegion(HRGN rgn, int x, int y);
BOOL RectInRegion(HRGN rgn, const RECT* rect);
BOOL EqualRgn(HRGN a, HRGN b);

// The region behind a handle, for the window and painting code; null for a bad handle.
Region* RegionFromHandle(HRGN rgn);
// A new handle holding a copy of the given region.
HRGN CreateRgnFromRegion(const Region& region);

}  // namespace platform
