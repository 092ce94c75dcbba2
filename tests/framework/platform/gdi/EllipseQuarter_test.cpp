#include "framework/platform/gdi/EllipseQuarter.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace win::gdi {
namespace {

TEST(EllipseQuarter, TracesFromTheSideToTheTopOnePixelAtATime) {
  for (auto [w, h] : {std::pair{10, 10}, std::pair{149, 149}, std::pair{146, 146}, std::pair{33, 8},
                      std::pair{7, 60}, std::pair{34, 29}}) {
    const TEllipseQuarter quarter(w, h);
    const auto& points = quarter.Points();
    ASSERT_FALSE(points.empty());
    EXPECT_EQ(points.front().U, w - 1);
    EXPECT_EQ(points.front().V, (h - 1) % 2);
    EXPECT_EQ(points.back().U, (w - 1) % 2);
    EXPECT_EQ(points.back().V, h - 1) << w << "x" << h;
    for (std::size_t i = 1; i < points.size(); ++i) {
      const int du = points[i - 1].U - points[i].U;
      const int dv = points[i].V - points[i - 1].V;
      EXPECT_TRUE((du == 0 || du == 2) && (dv == 0 || dv == 2) && du + dv > 0)
          << w << "x" << h << " step " << i;
    }
  }
}

TEST(EllipseQuarter, CircleRowsMatchTheOraclesCard) {
  // The card's 149-pixel corner circle: half-widths of its top rows as the oracle fills them
  // (columns 71..79 on the top row of a circle centred on column 79, then 65, 60, 57, 54).
  const TEllipseQuarter quarter(149, 149);
  const auto& rows = quarter.RowExtents();
  ASSERT_GE(rows.size(), 5u);
  const auto& top = rows[rows.size() - 1];
  EXPECT_EQ(top.V, 148);
  EXPECT_EQ(top.U / 2, 79 - 71);
  EXPECT_EQ(rows[rows.size() - 2].U / 2, 79 - 65);
  EXPECT_EQ(rows[rows.size() - 3].U / 2, 79 - 60);
  EXPECT_EQ(rows[rows.size() - 4].U / 2, 79 - 57);
  EXPECT_EQ(rows[rows.size() - 5].U / 2, 79 - 54);
}

TEST(EllipseQuarter, NarrowEllipsesStopShortOfTheTop) {
  // A 3x15 ellipse reaches the centre column five rows above the middle, two short of the top;
  // a 3x25 one nine rows above, three short.
  EXPECT_EQ(TEllipseQuarter(3, 15).Points().back().V, 10);
  EXPECT_EQ(TEllipseQuarter(3, 25).Points().back().V, 18);
  EXPECT_EQ(TEllipseQuarter(4, 25).Points().back().V, 22);
  EXPECT_EQ(TEllipseQuarter(5, 25).Points().back().V, 24);
}

TEST(EllipseQuarter, LargestAcceptedSizeStaysExact) {
  const TEllipseQuarter quarter(kMaxEllipseExtent, kMaxEllipseExtent - 1);
  EXPECT_EQ(quarter.Points().back().V, kMaxEllipseExtent - 2);
  EXPECT_EQ(quarter.Points().front().U, kMaxEllipseExtent - 1);
}

}  // namespace
}  // namespace win::gdi
