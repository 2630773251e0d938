// Rectangle-list arithmetic: additions keep the rectangles disjoint by cutting new ones around
// the old, so the area of the set is exact and subtraction never leaves overlaps behind.
#include "platform/update_area.h"

#include <algorithm>

namespace platform {
namespace {

// Appends the parts of r outside cut (at most four bands).
void AppendOutside(const RECT& r, const RECT& cut, std::vector<RECT>& out) {
  RECT i = IntersectRectValue(r, cut);
  if (IsRectEmptyValue(i)) {
    out.push_back(r);
    return;
  }
  if (r.top < i.top) out.push_back({r.left, r.top, r.right, i.top});
  if (i.bottom < r.bottom) out.push_back({r.left, i.bottom, r.right, r.bottom});
  if (r.left < i.left) out.push_back({r.left, i.top, i.left, i.bottom});
  if (i.right < r.right) out.push_back({i.right, i.top, r.right, i.bottom});
}

}  // namespace

bool IsRectEmptyValue(const RECT& r) {
  return r.right <= r.left || r.bottom <= r.top;
}

RECT IntersectRectValue(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  return IsRectEmptyValue(r) ? RECT{0, 0, 0, 0} : r;
}

RECT OffsetRectValue(const RECT& r, LONG dx, LONG dy) {
  return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

RECT UpdateArea::Box() const {
  if (rects_.empty()) return {0, 0, 0, 0};
  RECT box = rects_.front();
  for (const RECT& r : rects_) {
    box = {std::min(box.left, r.left), std::min(box.top, r.top), std::max(box.right, r.right),
           std::max(box.bottom, r.bottom)};
  }
  return box;
}

bool UpdateArea::Contains(LONG x, LONG y) const {
  return std::any_of(rects_.begin(), rects_.end(), [&](const RECT& r) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
  });
}

bool UpdateArea::Intersects(const RECT& r) const {
  return std::any_of(rects_.begin(), rects_.end(), [&](const RECT& own) {
    return !IsRectEmptyValue(IntersectRectValue(own, r));
  });
}

void UpdateArea::Add(const RECT& r) {
  if (IsRectEmptyValue(r)) return;
  std::vector<RECT> pieces{r};
  for (const RECT& own : rects_) {
    std::vector<RECT> next;
    for (const RECT& p : pieces) AppendOutside(p, own, next);
    pieces.swap(next);
    if (pieces.empty()) return;
  }
  rects_.insert(rects_.end(), pieces.begin(), pieces.end());
}

void UpdateArea::Add(const UpdateArea& other) {
  for (const RECT& r : other.rects_) Add(r);
}

void UpdateArea::Subtract(const RECT& r) {
  if (IsRectEmptyValue(r)) return;
  std::vector<RECT> next;
  for (const RECT& own : rects_) AppendOutside(own, r, next);
  rects_.swap(next);
}

void UpdateArea::Intersect(const RECT& r) {
  std::vector<RECT> next;
  for (const RECT& own : rects_) {
    RECT i = IntersectRectValue(own, r);
    if (!IsRectEmptyValue(i)) next.push_back(i);
  }
  rects_.swap(next);
}

void UpdateArea::Offset(LONG dx, LONG dy) {
  for (RECT& r : rects_) r = OffsetRectValue(r, dx, dy);
}

}  // namespace platform
