#include "framework/platform/gdi/GeometricDashes.h"

#include <gtest/gtest.h>

#include <vector>

namespace win::gdi {
namespace {

constexpr RECT kDevice{0, 0, 400, 400};

std::vector<TDash> Split(const TDashSplitter& splitter, const std::vector<POINT>& path, bool closed,
                         const RECT& bound = kDevice, std::int64_t margin = 0) {
  std::vector<TDash> dashes;
  splitter.Split(path, closed, bound, margin, [&](const TDash& dash) { dashes.push_back(dash); });
  return dashes;
}

std::vector<POINT> Ends(const TDash& dash) {
  return {dash.Points.front(), dash.Points.back()};
}

bool Same(const std::vector<POINT>& a, const std::vector<POINT>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](POINT p, POINT q) { return p.x == q.x && p.y == q.y; });
}

TEST(GeometricDashes, RunsScaleWithTheWidthAndCapsTakeOneWidthFromEachDash) {
  // Dash, width 4, flat: 12 on, 4 off.
  const auto flat = Split(TDashSplitter(TDashStyle::dsDash, 4, false), {{0, 10}, {40, 10}}, false);
  ASSERT_EQ(flat.size(), 3u);
  EXPECT_TRUE(Same(Ends(flat[0]), {{0, 10}, {12, 10}}));
  EXPECT_TRUE(Same(Ends(flat[1]), {{16, 10}, {28, 10}}));
  EXPECT_TRUE(Same(Ends(flat[2]), {{32, 10}, {40, 10}}));  // cut by the end of the line
  // Round caps: 8 on, 8 off, the caps filling each dash back to 12.
  const auto capped = Split(TDashSplitter(TDashStyle::dsDash, 4, true), {{0, 10}, {40, 10}}, false);
  ASSERT_EQ(capped.size(), 3u);
  EXPECT_TRUE(Same(Ends(capped[1]), {{16, 10}, {24, 10}}));
  // Dash-dot, width 2, flat: 6 on, 2 off, 2 on, 2 off.
  const auto dashDot =
      Split(TDashSplitter(TDashStyle::dsDashDot, 2, false), {{0, 0}, {0, 24}}, false);
  ASSERT_GE(dashDot.size(), 4u);
  EXPECT_TRUE(Same(Ends(dashDot[0]), {{0, 0}, {0, 6}}));
  EXPECT_TRUE(Same(Ends(dashDot[1]), {{0, 8}, {0, 10}}));
  EXPECT_TRUE(Same(Ends(dashDot[2]), {{0, 12}, {0, 18}}));
}

TEST(GeometricDashes, DashesRunAroundCornersAndKeepTheirSegmentsDirections) {
  // 12 on, 4 off along (0,0)-(10,0)-(10,20): the first dash turns the corner.
  const auto dashes =
      Split(TDashSplitter(TDashStyle::dsDash, 4, false), {{0, 0}, {10, 0}, {10, 20}}, false);
  ASSERT_EQ(dashes.size(), 2u);
  EXPECT_TRUE(Same(dashes[0].Points, {{0, 0}, {10, 0}, {10, 2}}));
  EXPECT_TRUE(Same(dashes[0].Along, {{10, 0}, {0, 20}}));
  EXPECT_TRUE(Same(Ends(dashes[1]), {{10, 6}, {10, 18}}));
  // A dash inside a slanted segment is offset as the segment: its own ends may share a row.
  const auto slanted =
      Split(TDashSplitter(TDashStyle::dsDash, 3, false), {{2, 5}, {57, 10}}, false);
  ASSERT_FALSE(slanted.empty());
  EXPECT_TRUE(Same(Ends(slanted[0]), {{2, 5}, {10, 5}}));
  EXPECT_TRUE(Same(slanted[0].Along, {{55, 5}}));
}

TEST(GeometricDashes, EachSegmentMovesThePatternOnByWholePixels) {
  // (0,0)-(7,7) is 9.9 long; the pattern moves on by 9, so the second segment starts 9 into the
  // pattern of 12 on and 4 off (width 4, flat): 3 more on, 4 off, then the next dash.
  const auto dashes =
      Split(TDashSplitter(TDashStyle::dsDash, 4, false), {{0, 0}, {7, 7}, {7, 40}}, false);
  ASSERT_EQ(dashes.size(), 3u);
  EXPECT_TRUE(Same(dashes[0].Points, {{0, 0}, {7, 7}, {7, 10}}));
  EXPECT_TRUE(Same(Ends(dashes[1]), {{7, 14}, {7, 26}}));
  // A dash starting where the whole pixels end still covers the rest of the segment: (0,0)-(8,9)
  // is 12.04 long; width 3 gives 9 on and 3 off, so a dash starts at 12 and runs to (8,9).
  const auto tail = Split(TDashSplitter(TDashStyle::dsDash, 3, false), {{0, 0}, {8, 9}}, false);
  ASSERT_EQ(tail.size(), 2u);
  EXPECT_TRUE(Same(tail[1].Points, {{7, 8}, {8, 9}}));
}

TEST(GeometricDashes, AClosedPathsLastDashRunsIntoItsFirst) {
  // Perimeter 84 on a pattern of 12 on and 4 off: the dash starting at 80, on the last side, is
  // still open at the end and runs on across the closing corner into the first one.
  const std::vector<POINT> box{{0, 0}, {22, 0}, {22, 20}, {0, 20}};
  const auto dashes = Split(TDashSplitter(TDashStyle::dsDash, 4, false), box, true);
  ASSERT_EQ(dashes.size(), 5u);
  EXPECT_TRUE(Same(dashes.back().Points, {{0, 4}, {0, 0}, {12, 0}}));
  EXPECT_TRUE(Same(dashes.back().Along, {{0, -20}, {22, 0}}));
  // A perimeter of whole periods ends with a dash of no length at the closing corner.
  const std::vector<POINT> square{{0, 0}, {20, 0}, {20, 20}, {0, 20}};
  const auto whole = Split(TDashSplitter(TDashStyle::dsDash, 4, false), square, true);
  ASSERT_EQ(whole.size(), 6u);
  EXPECT_TRUE(Same(whole.back().Points, {{0, 0}, {0, 0}}));
  EXPECT_TRUE(whole.back().Arrival.has_value());
}

TEST(GeometricDashes, CappedDotsDrawTheStartAndOneDotEndingAGapPerSegment) {
  // Width 3, round caps: dots of no length every 6 pixels.
  const TDashSplitter splitter(TDashStyle::dsDot, 3, true);
  // 31 along the first side leaves the second 1 into its period: its dot ends that gap at 5.
  const auto dots = Split(splitter, {{0, 0}, {31, 0}, {31, 30}, {1, 30}}, false);
  ASSERT_EQ(dots.size(), 3u);
  EXPECT_TRUE(Same(dots[0].Points, {{0, 0}, {0, 0}}));
  EXPECT_TRUE(Same(dots[1].Points, {{31, 5}, {31, 5}}));
  EXPECT_TRUE(Same(dots[2].Points, {{26, 30}, {26, 30}}));
  // A side that starts on a whole period has no dot of its own.
  EXPECT_EQ(Split(splitter, {{0, 0}, {30, 0}, {30, 30}}, false).size(), 1u);
}

TEST(GeometricDashes, FarPathsCostOnlyTheBoundAndKeepThePatternsPhase) {
  const TDashSplitter splitter(TDashStyle::dsDash, 1, false);  // 3 on, 1 off
  const std::vector<POINT> path{{-(1 << 27), 37}, {1 << 27, 40}};
  const RECT small{0, 0, 64, 64};
  const auto clipped = Split(splitter, path, false, small, 12);
  EXPECT_GT(clipped.size(), 10u);
  EXPECT_LT(clipped.size(), 40u);
  // The same dashes as a walk over the whole line would give near the bound.
  const auto wider = Split(splitter, path, false, RECT{-200, 0, 264, 64}, 12);
  std::vector<std::vector<POINT>> inSmall, inWider;
  auto keep = [&small](const std::vector<TDash>& from, std::vector<std::vector<POINT>>& into) {
    for (const TDash& dash : from)
      if (dash.Points.front().x >= small.left && dash.Points.back().x < small.right)
        into.push_back(Ends(dash));
  };
  keep(clipped, inSmall);
  keep(wider, inWider);
  ASSERT_EQ(inSmall.size(), inWider.size());
  for (std::size_t i = 0; i < inSmall.size(); ++i)
    EXPECT_TRUE(Same(inSmall[i], inWider[i])) << i;
}

}  // namespace
}  // namespace win::gdi
