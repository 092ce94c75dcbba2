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

}  // namespace
}  // namespace win::gdi
