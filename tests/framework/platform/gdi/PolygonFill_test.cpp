#include "framework/platform/gdi/PolygonFill.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/framework/platform/gdi/RegionPixels.h"

namespace win::gdi {
namespace {

using testing::PixelsOf;

TRegion Fill(const std::vector<POINT>& points, TFillRule rule,
             const RECT& bound = {0, 0, 100, 100}) {
  TSpanSet pixels(bound);
  AddPolygon(pixels, points, rule);
  return pixels.ToRegion();
}

TEST(PolygonFill, TakesLeftAndTopEdgesAndLeavesRightAndBottomOut) {
  EXPECT_EQ(Fill({{10, 10}, {20, 10}, {20, 15}, {10, 15}}, TFillRule::frAlternate),
            TRegion(RECT{10, 10, 20, 15}));
  // The same rectangle given the other way round.
  EXPECT_EQ(Fill({{10, 15}, {20, 15}, {20, 10}, {10, 10}}, TFillRule::frWinding),
            TRegion(RECT{10, 10, 20, 15}));
}

TEST(PolygonFill, SamplesEachPixelAtItsTopLeftCorner) {
  // Triangle (0,0) (4,0) (0,4): row y holds the columns x < 4 - y.
  const auto pixels = PixelsOf(Fill({{0, 0}, {4, 0}, {0, 4}}, TFillRule::frAlternate));
  EXPECT_EQ(pixels,
            (testing::TPixels{
                {0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1}, {1, 1}, {2, 1}, {0, 2}, {1, 2}, {0, 3}}));
}

TEST(PolygonFill, FillModesDifferInsideASelfCrossingStar) {
  const std::vector<POINT> star{{25, 0}, {40, 50}, {0, 18}, {50, 18}, {10, 50}};
  const TRegion alternate = Fill(star, TFillRule::frAlternate);
  const TRegion winding = Fill(star, TFillRule::frWinding);
  EXPECT_FALSE(alternate.Contains(25, 30));  // the centre is crossed twice
  EXPECT_TRUE(winding.Contains(25, 30));
  EXPECT_TRUE(alternate.Contains(25, 10));  // a point of the star
  TRegion extra = winding;
  extra.Subtract(alternate);
  EXPECT_FALSE(extra.IsEmpty());
  extra = alternate;
  extra.Subtract(winding);
  EXPECT_TRUE(extra.IsEmpty());
}

TEST(PolygonFill, DegeneratePolygonsAndHugeOnesStayCheap) {
  EXPECT_TRUE(Fill({{1, 1}, {50, 50}}, TFillRule::frWinding).IsEmpty());
  EXPECT_TRUE(Fill({{1, 1}, {50, 1}, {80, 1}}, TFillRule::frWinding).IsEmpty());
  // A triangle spanning a quarter of the coordinate space: only the bound's rows are filled.
  const RECT bound{0, 0, 64, 64};
  const TRegion huge =
      Fill({{-1000000000, -1000000000}, {1000000000, -1000000000}, {0, 1000000000}},
           TFillRule::frAlternate, bound);
  EXPECT_EQ(huge, TRegion(bound));
}

}  // namespace
}  // namespace win::gdi
