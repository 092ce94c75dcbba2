#include "framework/platform/gdi/LineRaster.h"

#include <gtest/gtest.h>

#include "tests/framework/platform/gdi/RegionPixels.h"

namespace win::gdi {
namespace {

using testing::PixelsOf;
using testing::TPixels;

constexpr RECT kDevice{0, 0, 200, 200};

TPixels Line(POINT from, POINT to, const RECT& bound = kDevice) {
  TSpanSet pixels(bound);
  AddLine(pixels, from, to);
  return PixelsOf(pixels.ToRegion());
}

TEST(LineRaster, LeavesOutTheLastPixelInEveryDirection) {
  EXPECT_EQ(Line({5, 5}, {9, 5}), (TPixels{{5, 5}, {6, 5}, {7, 5}, {8, 5}}));
  EXPECT_EQ(Line({9, 5}, {5, 5}), (TPixels{{9, 5}, {8, 5}, {7, 5}, {6, 5}}));
  EXPECT_EQ(Line({5, 9}, {5, 6}), (TPixels{{5, 9}, {5, 8}, {5, 7}}));
  EXPECT_EQ(Line({5, 5}, {8, 8}), (TPixels{{5, 5}, {6, 6}, {7, 7}}));
  EXPECT_EQ(Line({8, 5}, {5, 8}), (TPixels{{8, 5}, {7, 6}, {6, 7}}));
  EXPECT_TRUE(Line({5, 5}, {5, 5}).empty());
}

TEST(LineRaster, HalfwayMinorCoordinatesRoundTowardTheSmallerOneWhicheverTheDirection) {
  // (75,5)-(95,15) passes y = 5.5 at x = 76: both directions take row 5.
  const TPixels forward = Line({75, 5}, {95, 15});
  const TPixels backward = Line({95, 15}, {75, 5});
  EXPECT_TRUE(forward.contains({76, 5}));
  EXPECT_TRUE(backward.contains({76, 5}));
  EXPECT_FALSE(backward.contains({76, 6}));
  // Steep line (5,35)-(15,55): x = 5.5 on row 36 goes to column 5.
  EXPECT_TRUE(Line({5, 35}, {15, 55}).contains({5, 36}));
  EXPECT_TRUE(Line({15, 55}, {5, 35}).contains({5, 36}));
  // Apart from the excluded ends the two directions cover the same pixels.
  TPixels forwardInner = forward;
  forwardInner.erase({75, 5});
  TPixels backwardInner = backward;
  backwardInner.erase({95, 15});
  EXPECT_EQ(forwardInner, backwardInner);
}

TEST(LineRaster, CountsPixelsAlongTheMajorAxis) {
  EXPECT_EQ(LinePixelCount({0, 0}, {20, 7}), 20);
  EXPECT_EQ(LinePixelCount({0, 0}, {-3, -30}), 30);
  EXPECT_EQ(LinePixelCount({4, 4}, {4, 4}), 0);
}

TEST(LineRaster, HugeLinesCostOnlyTheBoundAndKeepTheirSlope) {
  // A line across two billion pixels: only the columns inside the bound are visited, and the
  // rows there are the ones the full line has (y = x / 2 rounded, ties toward the smaller row).
  const RECT bound{100, 0, 110, 100};
  const TPixels pixels = Line({-1000000000, -500000000}, {1000000000, 500000000}, bound);
  TPixels expected;
  for (LONG x = 100; x < 110; ++x)
    expected.insert({x, x / 2});
  EXPECT_EQ(pixels, expected);
}

TEST(LineRaster, StyledLinesSplitIntoDashesAndGapsFromTheGivenPosition) {
  TSpanSet dashes(kDevice);
  TSpanSet gaps(kDevice);
  const TDashPattern dash(TDashStyle::dsDash);  // 18 on, 6 off
  AddStyledLine(dashes, gaps, {0, 0}, {30, 0}, dash, 10);
  // Positions 10..39: on up to 17, off 18..23, on from 24.
  EXPECT_EQ(PixelsOf(gaps.ToRegion()),
            (TPixels{{8, 0}, {9, 0}, {10, 0}, {11, 0}, {12, 0}, {13, 0}}));
  EXPECT_EQ(PixelsOf(dashes.ToRegion()).size(), 24u);
  EXPECT_TRUE(PixelsOf(dashes.ToRegion()).contains({7, 0}));
  EXPECT_TRUE(PixelsOf(dashes.ToRegion()).contains({14, 0}));
}

TEST(DashPattern, RepeatsTheRunsOfEachStyle) {
  const TDashPattern dot(TDashStyle::dsDot);
  EXPECT_TRUE(dot.IsOn(0));
  EXPECT_TRUE(dot.IsOn(2));
  EXPECT_FALSE(dot.IsOn(3));
  EXPECT_TRUE(dot.IsOn(6));
  const TDashPattern dashDotDot(TDashStyle::dsDashDotDot);  // 9 3 3 3 3 3
  EXPECT_TRUE(dashDotDot.IsOn(8));
  EXPECT_FALSE(dashDotDot.IsOn(9));
  EXPECT_TRUE(dashDotDot.IsOn(12));
  EXPECT_TRUE(dashDotDot.IsOn(18));
  EXPECT_FALSE(dashDotDot.IsOn(21));
  EXPECT_TRUE(dashDotDot.IsOn(24));
  EXPECT_TRUE(TDashPattern(TDashStyle::dsSolid).IsOn(12345));
}

}  // namespace
}  // namespace win::gdi
