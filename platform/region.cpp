// Region algebra by a band sweep over both operands, and the Win32 region calls.
#include "platform/region.h"

#include <algorithm>
#include <utility>

#include "platform/gdi_objects.h"

namespace platform {
namespace {

using Span = std::pair<LONG, LONG>;

struct Band {
  LONG top;
  LONG bottom;
  std::vector<Span> spans;
};

std::vector<Band> ToBands(const std::vector<RECT>& rects) {
  std::vector<Band> bands;
  for (const RECT& r : rects) {
    if (bands.empty() || bands.back().top != r.top) bands.push_back({r.top, r.bottom, {}});
    bands.back().spans.emplace_back(r.left, r.right);
  }
  return bands;
}

bool Keep(int mode, bool inA, bool inB) {
  switch (mode) {
    case RGN_AND:
      return inA && inB;
    case RGN_OR:
      return inA || inB;
    case RGN_XOR:
      return inA != inB;
    case RGN_DIFF:
      return inA && !inB;
    default:
      return inA;
  }
}

// Combines two sorted, disjoint span lists of one band.
std::vector<Span> CombineSpans(const std::vector<Span>& a, const std::vector<Span>& b, int mode) {
  std::vector<LONG> edges;
  for (const Span& s : a) edges.insert(edges.end(), {s.first, s.second});
  for (const Span& s : b) edges.insert(edges.end(), {s.first, s.second});
  std::sort(edges.begin(), edges.end());
  edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
  std::vector<Span> out;
  std::size_t ia = 0, ib = 0;
  for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
    LONG x0 = edges[i], x1 = edges[i + 1];
    while (ia < a.size() && a[ia].second <= x0) ++ia;
    while (ib < b.size() && b[ib].second <= x0) ++ib;
    bool inA = ia < a.size() && a[ia].first <= x0;
    bool inB = ib < b.size() && b[ib].first <= x0;
    if (!Keep(mode, inA, inB)) continue;
    if (!out.empty() && out.back().second == x0) {
      out.back().second = x1;
    } else {
      out.emplace_back(x0, x1);
    }
  }
  return out;
}

const std::vector<Span>& SpansAt(const std::vector<Band>& bands, std::size_t& cursor, LONG y) {
  static const std::vector<Span> kNone;
  while (cursor < bands.size() && bands[cursor].bottom <= y) ++cursor;
  if (cursor < bands.size() && bands[cursor].top <= y) return bands[cursor].spans;
  return kNone;
}

bool IsEmptyRect(const RECT& r) {
  return r.right <= r.left || r.bottom <= r.top;
}

}  // namespace

Region::Region(const RECT& r) {
  if (!IsEmptyRect(r)) rects_.push_back(r);
}

Region Region::Combine(const Region& a, const Region& b, int mode) {
  if (mode == RGN_COPY) return a;
  std::vector<Band> bandsA = ToBands(a.rects_);
  std::vector<Band> bandsB = ToBands(b.rects_);
  std::vector<LONG> ys;
  for (const Band& band : bandsA) ys.insert(ys.end(), {band.top, band.bottom});
  for (const Band& band : bandsB) ys.insert(ys.end(), {band.top, band.bottom});
  std::sort(ys.begin(), ys.end());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

  std::vector<Band> out;
  std::size_t ca = 0, cb = 0;
  for (std::size_t i = 0; i + 1 < ys.size(); ++i) {
    LONG y0 = ys[i], y1 = ys[i + 1];
    std::vector<Span> spans = CombineSpans(SpansAt(bandsA, ca, y0), SpansAt(bandsB, cb, y0), mode);
    if (spans.empty()) continue;
    if (!out.empty() && out.back().bottom == y0 && out.back().spans == spans) {
      out.back().bottom = y1;
    } else {
      out.push_back({y0, y1, std::move(spans)});
    }
  }
  Region result;
  for (const Band& band : out) {
    for (const Span& s : band.spans)
      result.rects_.push_back({s.first, band.top, s.second, band.bottom});
  }
  return result;
}

int Region::Complexity() const {
  if (rects_.empty()) return NULLREGION;
  return rects_.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

RECT Region::Box() const {
  if (rects_.empty()) return {0, 0, 0, 0};
  RECT box = {rects_.front().left, rects_.front().top, rects_.front().right, rects_.back().bottom};
  for (const RECT& r : rects_) {
    box.left = std::min(box.left, r.left);
    box.right = std::max(box.right, r.right);
  }
  return box;
}

bool Region::Contains(LONG x, LONG y) const {
  for (const RECT& r : rects_) {
    if (r.top > y) break;
    if (y < r.bottom && x >= r.left && x < r.right) return true;
  }
  return false;
}

bool Region::Intersects(const RECT& q) const {
  if (IsEmptyRect(q)) return false;
  for (const RECT& r : rects_) {
    if (r.top >= q.bottom) break;
    if (r.bottom > q.top && r.right > q.left && r.left < q.right) return true;
  }
  return false;
}

void Region::Offset(LONG dx, LONG dy) {
  for (RECT& r : rects_) {
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
  }
}

bool Region::operator==(const Region& other) const {
  if (rects_.size() != other.rects_.size()) return false;
  for (std::size_t i = 0; i < rects_.size(); ++i) {
    const RECT& a = rects_[i];
    const RECT& b = other.rects_[i];
    if (a.left != b.left || a.top != b.top || a.right != b.right || a.bottom != b.bottom) {
      return false;
    }
  }
  return true;
}

namespace {

struct RegionObject : gdi::Object {
  static constexpr gdi::Kind kKind = gdi::Kind::kRegion;
  gdi::Kind kind() const override { return kKind; }
  Region region;
};

}  // namespace

Region* RegionFromHandle(HRGN rgn) {
  auto* object = gdi::Get<RegionObject>(rgn);
  return object != nullptr ? &object->region : nullptr;
}

HRGN CreateRgnFromRegion(const Region& region) {
  auto object = std::make_unique<RegionObject>();
  object->region = region;
  return static_cast<HRGN>(gdi::Insert(std::move(object)));
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  return CreateRgnFromRegion(Region(RECT{left, top, right, bottom}));
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
  if (rect == nullptr) return nullptr;
  return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

BOOL SetRectRgn(HRGN rgn, int left, int top, int right, int bottom) {
  Region* region = RegionFromHandle(rgn);
  if (region == nullptr) return FALSE;
  *region = Region(RECT{left, top, right, bottom});
  return TRUE;
}

int CombineRgn(HRGN dest, HRGN src1, HRGN src2, int mode) {
  Region* target = RegionFromHandle(dest);
  Region* a = RegionFromHandle(src1);
  if (target == nullptr || a == nullptr || mode < RGN_AND || mode > RGN_COPY) return ERROR;
  if (mode == RGN_COPY) {
    *target = *a;
  } else {
    Region* b = RegionFromHandle(src2);
    if (b == nullptr) return ERROR;
    *target = Region::Combine(*a, *b, mode);
  }
  return target->Complexity();
}

int OffsetRgn(HRGN rgn, int dx, int dy) {
  Region* region = RegionFromHandle(rgn);
  if (region == nullptr) return ERROR;
  region->Offset(dx, dy);
  return region->Complexity();
}

int GetRgnBox(HRGN rgn, RECT* box) {
  Region* region = RegionFromHandle(rgn);
  if (region == nullptr || box == nullptr) return ERROR;
  *box = region->Box();
  return region->Complexity();
}

BOOL PtInRegion(HRGN rgn, int x, int y) {
  Region* region = RegionFromHandle(rgn);
  return region != nullptr && region->Contains(x, y) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN rgn, const RECT* rect) {
  Region* region = RegionFromHandle(rgn);
  return region != nullptr && rect != nullptr && region->Intersects(*rect) ? TRUE : FALSE;
}

BOOL EqualRgn(HRGN a, HRGN b) {
  Region* ra = RegionFromHandle(a);
  Region* rb = RegionFromHandle(b);
  if (ra == nullptr || rb == nullptr) return ERROR;
  return *ra == *rb ? TRUE : FALSE;
}

}  // namespace platform
