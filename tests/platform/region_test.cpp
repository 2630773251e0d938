// Region algebra through the handle calls: combination results, canonical form, queries.
#include "platform/region.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace platform {
namespace {

// Owns a region handle for the length of a test.
struct Rgn {
  explicit Rgn(RECT r) : h(CreateRectRgnIndirect(&r)) {}
  Rgn() : h(CreateRectRgn(0, 0, 0, 0)) {}
  ~Rgn() { DeleteObject(h); }
  const std::vector<RECT>& rects() const { return RegionFromHandle(h)->Rects(); }
  HRGN h;
};

bool Same(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(RegionTest, CombineModesGiveExactComplexityAndBox) {
  struct Case {
    int mode;
    int complexity;
    RECT box;
  };
  // Two overlapping squares: A = (0,0)-(10,10), B = (5,5)-(15,15).
  const Case cases[] = {
      {RGN_AND, SIMPLEREGION, {5, 5, 10, 10}},  {RGN_OR, COMPLEXREGION, {0, 0, 15, 15}},
      {RGN_XOR, COMPLEXREGION, {0, 0, 15, 15}}, {RGN_DIFF, COMPLEXREGION, {0, 0, 10, 10}},
      {RGN_COPY, SIMPLEREGION, {0, 0, 10, 10}},
  };
  for (const Case& c : cases) {
    Rgn a({0, 0, 10, 10}), b({5, 5, 15, 15}), out;
    EXPECT_EQ(CombineRgn(out.h, a.h, b.h, c.mode), c.complexity) << c.mode;
    RECT box;
    EXPECT_EQ(GetRgnBox(out.h, &box), c.complexity);
    EXPECT_TRUE(Same(box, c.box)) << c.mode;
  }
}

TEST(RegionTest, MembershipFollowsTheSetOperation) {
  Rgn a({0, 0, 10, 10}), b({5, 5, 15, 15}), x;
  CombineRgn(x.h, a.h, b.h, RGN_XOR);
  EXPECT_TRUE(PtInRegion(x.h, 2, 2));
  EXPECT_FALSE(PtInRegion(x.h, 7, 7));  // in both
  EXPECT_TRUE(PtInRegion(x.h, 12, 12));
  EXPECT_FALSE(PtInRegion(x.h, 10, 2));  // right edge is exclusive
  EXPECT_FALSE(PtInRegion(x.h, 2, 12));

  RECT inHole = {6, 6, 9, 9};
  RECT touching = {9, 9, 11, 11};
  RECT outside = {20, 20, 30, 30};
  EXPECT_FALSE(RectInRegion(x.h, &inHole));
  EXPECT_TRUE(RectInRegion(x.h, &touching));
  EXPECT_FALSE(RectInRegion(x.h, &outside));
}

TEST(RegionTest, CanonicalFormMergesBandsAndSpans) {
  // Two halves of one rectangle, side by side and stacked, become the one rectangle.
  Rgn left({0, 0, 5, 10}), right({5, 0, 10, 10}), top({0, 0, 10, 4}), bottom({0, 4, 10, 10});
  Rgn whole({0, 0, 10, 10}), h, v;
  EXPECT_EQ(CombineRgn(h.h, left.h, right.h, RGN_OR), SIMPLEREGION);
  EXPECT_EQ(CombineRgn(v.h, top.h, bottom.h, RGN_OR), SIMPLEREGION);
  EXPECT_TRUE(EqualRgn(h.h, whole.h));
  EXPECT_TRUE(EqualRgn(v.h, whole.h));

  // An L shape is two bands; subtracting the notch back out of a square gives the same list.
  Rgn square({0, 0, 10, 10}), notch({5, 0, 10, 5}), ell, bar({0, 5, 10, 10}), post({0, 0, 5, 5});
  CombineRgn(ell.h, square.h, notch.h, RGN_DIFF);
  Rgn built;
  CombineRgn(built.h, bar.h, post.h, RGN_OR);
  EXPECT_TRUE(EqualRgn(ell.h, built.h));
  ASSERT_EQ(ell.rects().size(), 2u);
  EXPECT_TRUE(Same(ell.rects()[0], RECT{0, 0, 5, 5}));
  EXPECT_TRUE(Same(ell.rects()[1], RECT{0, 5, 10, 10}));
}

TEST(RegionTest, BandsAreSortedAndDisjoint) {
  // A ring: square minus its centre.
  Rgn outer({0, 0, 30, 30}), inner({10, 10, 20, 20}), ring;
  EXPECT_EQ(CombineRgn(ring.h, outer.h, inner.h, RGN_DIFF), COMPLEXREGION);
  const std::vector<RECT> expected = {
      {0, 0, 30, 10}, {0, 10, 10, 20}, {20, 10, 30, 20}, {0, 20, 30, 30}};
  ASSERT_EQ(ring.rects().size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_TRUE(Same(ring.rects()[i], expected[i])) << i;
  }
  // Putting the centre back restores the square.
  Rgn back;
  CombineRgn(back.h, ring.h, inner.h, RGN_OR);
  EXPECT_TRUE(EqualRgn(back.h, outer.h));
}

TEST(RegionTest, EmptyResultsAndEmptyInputs) {
  Rgn a({0, 0, 10, 10}), apart({20, 20, 30, 30}), out, empty({5, 5, 5, 20});
  EXPECT_EQ(CombineRgn(out.h, a.h, apart.h, RGN_AND), NULLREGION);
  EXPECT_EQ(CombineRgn(out.h, a.h, a.h, RGN_XOR), NULLREGION);
  EXPECT_EQ(CombineRgn(out.h, a.h, a.h, RGN_DIFF), NULLREGION);
  RECT box = {1, 1, 1, 1};
  EXPECT_EQ(GetRgnBox(empty.h, &box), NULLREGION);
  EXPECT_TRUE(Same(box, RECT{0, 0, 0, 0}));
  EXPECT_EQ(CombineRgn(out.h, a.h, empty.h, RGN_OR), SIMPLEREGION);
  EXPECT_TRUE(EqualRgn(out.h, a.h));
}

TEST(RegionTest, DestinationMayBeASource) {
  Rgn a({0, 0, 10, 10}), b({5, 0, 15, 10});
  EXPECT_EQ(CombineRgn(a.h, a.h, b.h, RGN_OR), SIMPLEREGION);
  RECT box;
  GetRgnBox(a.h, &box);
  EXPECT_TRUE(Same(box, RECT{0, 0, 15, 10}));
}

TEST(RegionTest, OffsetAndSet) {
  Rgn a({0, 0, 10, 10});
  EXPECT_EQ(OffsetRgn(a.h, -3, 4), SIMPLEREGION);
  RECT box;
  GetRgnBox(a.h, &box);
  EXPECT_TRUE(Same(box, RECT{-3, 4, 7, 14}));
  EXPECT_TRUE(SetRectRgn(a.h, 1, 2, 3, 4));
  GetRgnBox(a.h, &box);
  EXPECT_TRUE(Same(box, RECT{1, 2, 3, 4}));
}

// Random rectangles on a small grid, combined in random ways, against a pixel-set model:
// every pixel's membership must match, and equal sets must have equal rectangle lists.
TEST(RegionTest, AgreesWithAPixelModelUnderRandomCombinations) {
  constexpr int kSize = 24;
  using Pixels = std::vector<bool>;
  auto model = [](const RECT& r) {
    Pixels p(kSize * kSize);
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) p[y * kSize + x] = true;
    }
    return p;
  };
  std::mt19937 random(1256);
  auto coordinate = [&] { return int(random() % (kSize + 1)); };
  for (int round = 0; round < 60; ++round) {
    Rgn acc;
    Pixels expected(kSize * kSize);
    for (int step = 0; step < 6; ++step) {
      int a = coordinate(), b = coordinate(), c = coordinate(), d = coordinate();
      RECT r = {std::min(a, b), std::min(c, d), std::max(a, b), std::max(c, d)};
      int mode = RGN_AND + int(random() % 4);
      Rgn next(r);
      CombineRgn(acc.h, acc.h, next.h, step == 0 ? RGN_OR : mode);
      Pixels p = model(r);
      for (int i = 0; i < kSize * kSize; ++i) {
        bool in = expected[i], add = p[i];
        switch (step == 0 ? RGN_OR : mode) {
          case RGN_AND:
            expected[i] = in && add;
            break;
          case RGN_OR:
            expected[i] = in || add;
            break;
          case RGN_XOR:
            expected[i] = in != add;
            break;
          case RGN_DIFF:
            expected[i] = in && !add;
            break;
        }
      }
    }
    Rgn rebuilt;  // the same set, built pixel row by pixel row
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        ASSERT_EQ(bool(PtInRegion(acc.h, x, y)), bool(expected[y * kSize + x]))
            << "round " << round << " at " << x << "," << y;
        if (expected[y * kSize + x]) {
          Rgn pixel({x, y, x + 1, y + 1});
          CombineRgn(rebuilt.h, rebuilt.h, pixel.h, RGN_OR);
        }
      }
    }
    ASSERT_TRUE(EqualRgn(acc.h, rebuilt.h)) << "round " << round;
    const std::vector<RECT>& rects = acc.rects();
    for (std::size_t i = 1; i < rects.size(); ++i) {
      bool sameBand = rects[i].top == rects[i - 1].top;
      ASSERT_TRUE(sameBand ? rects[i].left > rects[i - 1].right
                           : rects[i].top >= rects[i - 1].bottom);
    }
  }
}

TEST(RegionTest, StaleAndWrongHandlesFailCleanly) {
  HRGN gone = CreateRectRgn(0, 0, 1, 1);
  EXPECT_TRUE(DeleteObject(gone));
  Rgn a({0, 0, 10, 10}), out;
  EXPECT_EQ(CombineRgn(out.h, gone, a.h, RGN_OR), ERROR);
  EXPECT_EQ(CombineRgn(out.h, a.h, a.h, 99), ERROR);
  EXPECT_EQ(OffsetRgn(gone, 1, 1), ERROR);
  EXPECT_FALSE(PtInRegion(gone, 0, 0));
  EXPECT_FALSE(DeleteObject(gone));
  EXPECT_EQ(GetObjectType(gone), 0u);
  // A new region reusing the slot is not reachable through the old handle.
  Rgn reuse({0, 0, 1, 1});
  EXPECT_EQ(RegionFromHandle(gone), nullptr);
  EXPECT_EQ(GetObjectType(reuse.h), OBJ_REGION);
}

}  // namespace
}  // namespace platform
