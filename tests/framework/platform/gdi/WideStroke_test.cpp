#include "framework/platform/gdi/WideStroke.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/framework/platform/gdi/RegionPixels.h"

namespace win::gdi {
namespace {

using testing::PixelsOf;

constexpr RECT kDevice{0, 0, 100, 100};

bool operator==(const std::vector<POINT>& a, const std::vector<POINT>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end());
}

TEST(WideStroke, SegmentBodiesRoundTheNearSideAndAddTheWidthBeyondIt) {
  // Direction (4,3), width 5: the normal is (-3,4)*5/10 = (-1.5, 2); the near side rounds half
  // away from zero to (-2, 2), the far side lies floor(|2n|) + 1 = (4, 5) beyond it.
  const std::vector<POINT> body = WideSegmentBody({30, 30}, {34, 33}, 5);
  EXPECT_TRUE(body == (std::vector<POINT>{{28, 32}, {32, 35}, {36, 30}, {32, 27}}));
  EXPECT_TRUE(WideSegmentBody({34, 33}, {30, 30}, 5) == body);
  // Level and upright segments are plain rectangles [c - w/2, c - w/2 + w).
  EXPECT_TRUE(WideSegmentBody({5, 20}, {15, 20}, 4) ==
              (std::vector<POINT>{{5, 18}, {15, 18}, {15, 22}, {5, 22}}));
  EXPECT_TRUE(WideSegmentBody({20, 30}, {20, 20}, 5) ==
              (std::vector<POINT>{{18, 20}, {18, 30}, {23, 30}, {23, 20}}));
}

TEST(WideStroke, DiscsArePenSizedEllipses) {
  auto disc = [](LONG width) {
    TSpanSet pixels(kDevice);
    TWideStroker(width).AddDisc(pixels, {30, 30});
    return pixels.ToRegion();
  };
  EXPECT_EQ(disc(2), TRegion(RECT{29, 29, 31, 31}));
  EXPECT_EQ(PixelsOf(disc(3)),
            (testing::TPixels{{30, 29}, {29, 30}, {30, 30}, {31, 30}, {30, 31}}));
  // Width 7 as the oracle draws a zero-length line: rows 27..33.
  const TRegion seven = disc(7);
  EXPECT_EQ(seven.Extents(), (RECT{27, 27, 34, 34}));
  EXPECT_FALSE(seven.Contains(28, 27));
  EXPECT_TRUE(seven.Contains(29, 27));
  EXPECT_TRUE(seven.Contains(28, 28));
  EXPECT_FALSE(seven.Contains(27, 28));
  EXPECT_TRUE(seven.Contains(27, 29));
}

TEST(WideStroke, JoinsAndCapsFollowTheStrokerSettings) {
  const std::vector<POINT> path{{20, 20}, {60, 20}, {60, 60}};
  TSpanSet round(kDevice);
  TWideStroker(9).AddPolyline(round, path, false);
  TSpanSet flat(kDevice);
  TWideStroker(9, TLineCap::lcFlat).AddPolyline(flat, path, false);
  const TRegion roundPixels = round.ToRegion();
  const TRegion flatPixels = flat.ToRegion();
  EXPECT_TRUE(roundPixels.Contains(16, 20));  // the round cap reaches 4 pixels back
  EXPECT_FALSE(flatPixels.Contains(19, 20));  // the flat one stops at the end point
  EXPECT_TRUE(flatPixels.Contains(63, 17));   // the joint keeps its round disc
  TRegion onlyRound = roundPixels;
  onlyRound.Subtract(flatPixels);
  EXPECT_FALSE(onlyRound.IsEmpty());
  TRegion onlyFlat = flatPixels;
  onlyFlat.Subtract(roundPixels);
  EXPECT_TRUE(onlyFlat.IsEmpty());
}

TEST(WideStroke, SquareCapsReachHalfTheWidthBeyondTheEnds) {
  TSpanSet pixels(kDevice);
  const std::vector<POINT> line{{20, 20}, {80, 20}};
  TWideStroker(9, TLineCap::lcSquare).AddPolyline(pixels, line, false);
  EXPECT_EQ(pixels.ToRegion(), TRegion(RECT{16, 16, 84, 25}));
  // Along a slanted segment the extension rounds like the sides: half away from zero behind
  // the upper end, the rest of floor(|2e|) + 1 beyond the lower one. Direction (3,4), width 10:
  // e = (3,4), so 3 and 4 back, 4 and 5 ahead.
  const TSegmentBody body = SegmentBody({40, 40}, {43, 44}, 10, true, true);
  const TSegmentBody flat = SegmentBody({40, 40}, {43, 44}, 10, false, false);
  EXPECT_EQ(body.Corners[0].x - flat.Corners[0].x, -3);
  EXPECT_EQ(body.Corners[0].y - flat.Corners[0].y, -4);
  EXPECT_EQ(body.Corners[1].x - flat.Corners[1].x, 4);
  EXPECT_EQ(body.Corners[1].y - flat.Corners[1].y, 5);
}

TEST(WideStroke, MiterJoinsGrowATipWithinTheLimitAndBevelBeyondIt) {
  auto stroke = [](TLineJoin join, const std::vector<POINT>& path) {
    TSpanSet pixels(RECT{-200, -200, 400, 400});
    TWideStroker(8, TLineCap::lcFlat, join).AddPolyline(pixels, path, false);
    return pixels.ToRegion();
  };
  const std::vector<POINT> rightAngle{{10, 50}, {60, 50}, {60, 90}};
  const TRegion miter = stroke(TLineJoin::ljMiter, rightAngle);
  const TRegion bevel = stroke(TLineJoin::ljBevel, rightAngle);
  EXPECT_TRUE(miter.Contains(63, 46));  // the square outer corner
  EXPECT_FALSE(bevel.Contains(63, 46));
  TRegion bevelOnly = bevel;
  bevelOnly.Subtract(miter);
  EXPECT_TRUE(bevelOnly.IsEmpty());
  // A turn so sharp that the tip would lie more than ten half widths away stays beveled.
  const std::vector<POINT> hairpin{{10, 50}, {150, 52}, {10, 54}};
  EXPECT_EQ(stroke(TLineJoin::ljMiter, hairpin), stroke(TLineJoin::ljBevel, hairpin));
}

}  // namespace
}  // namespace win::gdi
