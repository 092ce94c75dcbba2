#include "framework/platform/gdi/Region.h"

#include <gtest/gtest.h>

#include <climits>

namespace win::gdi {
namespace {

TEST(Region, RectanglesGivenInvertedOrEmptyMakeAnEmptyRegion) {
  EXPECT_TRUE(TRegion(RECT{10, 10, 5, 20}).IsEmpty());
  EXPECT_TRUE(TRegion(RECT{0, 0, 0, 10}).IsEmpty());
  EXPECT_EQ(TRegion().Extents(), (RECT{0, 0, 0, 0}));
}

TEST(Region, AlgebraKeepsPixelsExactly) {
  TRegion a(RECT{0, 0, 10, 10});
  TRegion b(RECT{5, 5, 15, 15});
  TRegion both = a;
  both.Intersect(b);
  EXPECT_EQ(both, TRegion(RECT{5, 5, 10, 10}));

  TRegion either = a;
  either.Xor(b);
  EXPECT_FALSE(either.Contains(7, 7));
  EXPECT_TRUE(either.Contains(2, 2));
  EXPECT_TRUE(either.Contains(12, 12));
  EXPECT_FALSE(either.IsSimple());
  EXPECT_EQ(either.Extents(), (RECT{0, 0, 15, 15}));

  TRegion rest = a;
  rest.Subtract(b);
  rest.Offset(100, -3);
  EXPECT_TRUE(rest.Contains(100, -3));
  EXPECT_FALSE(rest.Contains(106, 3));
  EXPECT_TRUE(rest.Contains(109, 1));  // right edge and bottom edge are outside
  EXPECT_FALSE(rest.Contains(110, 1));
}

TEST(Region, OverlappingRectsMergeIntoBandedRects) {
  const RECT rects[] = {{0, 0, 4, 1}, {2, 0, 6, 1}, {0, 1, 6, 2}, {7, 7, 7, 9}};
  TRegion r = TRegion::FromRects(rects);
  EXPECT_EQ(r, TRegion(RECT{0, 0, 6, 2}));
  EXPECT_EQ(r.RectCount(), 1u);
}

TEST(Region, HugeCoordinatesDoNotOverflow) {
  TRegion huge(RECT{INT_MIN / 2, INT_MIN / 2, INT_MAX / 2, INT_MAX / 2});
  EXPECT_TRUE(huge.Contains(0, 0));
  huge.Intersect(RECT{-5, -5, 5, 5});
  EXPECT_EQ(huge, TRegion(RECT{-5, -5, 5, 5}));
}

}  // namespace
}  // namespace win::gdi
