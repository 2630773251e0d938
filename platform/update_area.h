// A set of pixels as disjoint rectangles: the invalid and visible areas of windows.
#pragma once

#include <vector>

#include "platform/windef.h"

namespace platform {

bool IsRectEmptyValue(const RECT& r);
RECT IntersectRectValue(const RECT& a, const RECT& b);
RECT OffsetRectValue(const RECT& r, LONG dx, LONG dy);

class UpdateArea {
 public:
  UpdateArea() = default;
  explicit UpdateArea(const RECT& r) { Add(r); }

  bool IsEmpty() const { return rects_.empty(); }
  const std::vector<RECT>& Rects() const { return rects_; }
  // The bounding rectangle; all zero when empty.
  RECT Box() const;
  bool Contains(LONG x, LONG y) const;
  bool Intersects(const RECT& r) const;

  void Add(const RECT& r);
  void Add(const UpdateArea& other);
  void Subtract(const RECT& r);
  void Intersect(const RECT& r);
  void Offset(LONG dx, LONG dy);
  void Clear() { rects_.clear(); }

 private:
  std::vector<RECT> rects_;
};

}  // namespace platform
