#include "framework/platform/gdi/FigureCoverage.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/framework/platform/gdi/RegionPixels.h"

namespace win::gdi {
namespace {

constexpr RECT kDevice{0, 0, 700, 700};

TPenGeometry Pen(LONG width, TDashStyle dash = TDashStyle::dsSolid) {
  TPenGeometry pen;
  pen.Width = width;
  pen.Dash = dash;
  return pen;
}

TPenGeometry NullPen() {
  TPenGeometry pen;
  pen.Null = true;
  return pen;
}

TRegion PenPixels(const TFigureCoverage& coverage) {
  TRegion all;
  for (const TPenPass& pass : coverage.Pen)
    all.Union(pass.Pixels);
  return all;
}

TRegion Border(const RECT& r) {
  TRegion border(r);
  border.Subtract(RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1});
  return border;
}

TEST(FigureCoverage, RectangleInteriorDependsOnThePen) {
  const RECT box{10, 10, 25, 22};
  const auto none = RectangleCoverage(box, NullPen(), true, kDevice);
  ASSERT_TRUE(none);
  EXPECT_EQ(none->Interior, TRegion(RECT{10, 10, 24, 21}));  // right and bottom edge left out
  EXPECT_TRUE(none->Pen.empty());

  const auto thin = RectangleCoverage(box, Pen(1), true, kDevice);
  ASSERT_TRUE(thin);
  EXPECT_EQ(thin->Interior, TRegion(RECT{11, 11, 24, 21}));
  EXPECT_EQ(PenPixels(*thin), Border(box));

  const auto wide = RectangleCoverage(box, Pen(3), true, kDevice);
  ASSERT_TRUE(wide);
  EXPECT_EQ(PenPixels(*wide).Extents(), (RECT{9, 9, 26, 23}));
  EXPECT_FALSE(PenPixels(*wide).Contains(9, 9));             // corners are round joins
  EXPECT_EQ(wide->Interior, TRegion(RECT{12, 12, 23, 20}));  // what the pen leaves
}

TEST(FigureCoverage, InsideFrameKeepsWidePensWithinTheBox) {
  TPenGeometry pen = Pen(4);
  pen.InsideFrame = true;
  for (const RECT box : {RECT{10, 10, 25, 22}, RECT{40, 40, 91, 85}}) {
    const auto rect = RectangleCoverage(box, pen, false, kDevice);
    const auto ellipse = EllipseCoverage(box, pen, false, kDevice);
    ASSERT_TRUE(rect && ellipse);
    EXPECT_EQ(PenPixels(*rect).Extents(), box);
    EXPECT_EQ(PenPixels(*ellipse).Extents(), box);
  }
  // A thin inside-frame pen is an ordinary thin pen.
  TPenGeometry thin = Pen(1);
  thin.InsideFrame = true;
  EXPECT_EQ(PenPixels(*EllipseCoverage({5, 5, 30, 20}, thin, false, kDevice)),
            PenPixels(*EllipseCoverage({5, 5, 30, 20}, Pen(1), false, kDevice)));
}

TEST(FigureCoverage, BoxesAreNormalisedAndEmptyOnesDrawNothing) {
  const auto normal = RoundRectCoverage({10, 10, 40, 30}, 12, 9, Pen(3), true, kDevice);
  const auto inverted = RoundRectCoverage({40, 30, 10, 10}, -12, -9, Pen(3), true, kDevice);
  ASSERT_TRUE(normal && inverted);
  EXPECT_EQ(normal->Interior, inverted->Interior);
  EXPECT_EQ(PenPixels(*normal), PenPixels(*inverted));

  for (const RECT empty : {RECT{10, 10, 10, 30}, RECT{10, 10, 40, 10}}) {
    const auto coverage = EllipseCoverage(empty, Pen(5), true, kDevice);
    ASSERT_TRUE(coverage);
    EXPECT_TRUE(coverage->Interior.IsEmpty());
    EXPECT_TRUE(coverage->Pen.empty());
  }
}

TEST(FigureCoverage, CornersAreClampedToTheBoxAndTinyOnesMakeARectangle) {
  const RECT box{10, 10, 34, 40};
  const auto clamped = RoundRectCoverage(box, 100, 100, Pen(1), true, kDevice);
  const auto ellipse = EllipseCoverage(box, Pen(1), true, kDevice);
  ASSERT_TRUE(clamped && ellipse);
  EXPECT_EQ(clamped->Interior, ellipse->Interior);
  EXPECT_EQ(PenPixels(*clamped), PenPixels(*ellipse));

  const auto tiny = RoundRectCoverage(box, 2, 30, NullPen(), true, kDevice);
  const auto rect = RectangleCoverage(box, NullPen(), true, kDevice);
  ASSERT_TRUE(tiny && rect);
  EXPECT_EQ(tiny->Interior, rect->Interior);
}

TEST(FigureCoverage, TheProgramsFrameIsAFifteenPixelBand) {
  const auto frame = RoundRectCoverage({7, 7, 593, 593}, 146, 146, Pen(15), false, kDevice);
  ASSERT_TRUE(frame);
  ASSERT_EQ(frame->Pen.size(), 1u);
  const TRegion band = frame->Pen.front().Pixels;
  EXPECT_EQ(band.Extents(), (RECT{0, 0, 600, 600}));
  EXPECT_TRUE(band.Intersects(RECT{0, 300, 15, 301}));
  EXPECT_TRUE(band.Contains(0, 300) && band.Contains(14, 300) && !band.Contains(15, 300));
  EXPECT_TRUE(band.Contains(585, 300) && band.Contains(599, 300) && !band.Contains(584, 300));
  EXPECT_TRUE(band.Contains(300, 0) && band.Contains(300, 14) && !band.Contains(300, 15));
  EXPECT_FALSE(band.Contains(0, 0));  // the corners are round
}

TEST(FigureCoverage, ThinPensPaintSharedPixelsInSeparatePasses) {
  // An X: the second stroke crosses the first, so it goes into a pass of its own.
  const std::vector<POINT> cross{{10, 10}, {50, 50}, {50, 10}, {10, 50}};
  const auto coverage = PolylineCoverage(cross, Pen(1), kDevice);
  ASSERT_TRUE(coverage);
  ASSERT_EQ(coverage->Pen.size(), 2u);
  TRegion both = coverage->Pen[0].Pixels;
  both.Intersect(coverage->Pen[1].Pixels);
  EXPECT_FALSE(both.IsEmpty());
  // A closed outline that never meets itself needs a single pass.
  EXPECT_EQ(EllipseCoverage({5, 5, 100, 60}, Pen(1), false, kDevice)->Pen.size(), 1u);
}

TEST(FigureCoverage, StyledOutlinesStartAtTheTopRightAndRunCounterClockwise) {
  const auto coverage =
      RectangleCoverage({10, 10, 70, 60}, Pen(1, TDashStyle::dsDashDotDot), false, kDevice);
  ASSERT_TRUE(coverage);
  const TRegion dashes = PenPixels(*coverage);
  TRegion gaps;
  for (const TPenPass& pass : coverage->Pen)
    gaps.Union(pass.Gaps);
  // Nine on from (69,10) leftward, then three off.
  EXPECT_TRUE(dashes.Intersects(RECT{61, 10, 70, 11}));
  EXPECT_FALSE(dashes.Contains(60, 10));
  EXPECT_TRUE(gaps.Contains(60, 10) && gaps.Contains(58, 10) && !gaps.Contains(57, 10));
  TRegion all = dashes;
  all.Union(gaps);
  EXPECT_EQ(all, Border({10, 10, 70, 60}));
}

TEST(FigureCoverage, HugeFiguresStayBoundedOrAreRefused) {
  const RECT bound{0, 0, 64, 64};
  // A rectangle reaching far beyond the device: only its pixels inside the bound.
  const auto rect = RectangleCoverage({-100000000, 10, 100000000, 20}, Pen(1), true, bound);
  ASSERT_TRUE(rect);
  EXPECT_EQ(rect->Interior, TRegion(RECT{0, 11, 64, 19}));
  // A rounded rectangle with small corners is cheap however large it is.
  const auto rounded =
      RoundRectCoverage({-100000000, -100000000, 100000000, 30}, 20, 20, Pen(9), true, bound);
  ASSERT_TRUE(rounded);
  EXPECT_TRUE(PenPixels(*rounded).Contains(10, 30));
  // An ellipse too large to trace is refused rather than traced for seconds.
  EXPECT_FALSE(
      EllipseCoverage({-100000000, -100000000, 100000000, 100000000}, Pen(1), true, bound));
  // So is a pen wider than the stroker accepts.
  EXPECT_FALSE(RectangleCoverage({0, 0, 10, 10}, Pen(kMaxPenWidth + 1), false, bound));
}

TEST(FigureCoverage, GeometricDashesOnHugePathsCostOnlyTheBound) {
  const RECT bound{0, 0, 64, 64};
  const LONG far = LONG(1) << 27;
  const std::vector<POINT> diagonal{{-far, -far}, {far, far}};
  for (const LONG width : {1, 3}) {
    TPenGeometry pen = Pen(width, TDashStyle::dsDash);
    pen.Geometric = true;
    pen.Cap = TLineCap::lcFlat;
    const auto coverage = PolylineCoverage(diagonal, pen, bound);
    ASSERT_TRUE(coverage);
    const TRegion pixels = PenPixels(*coverage);
    ASSERT_FALSE(pixels.IsEmpty());
    const RECT extents = pixels.Extents();
    EXPECT_TRUE(extents.left >= 0 && extents.top >= 0 && extents.right <= 64 &&
                extents.bottom <= 64);
    // Three on and one off per width along the line: about three quarters of the diagonal.
    int onDiagonal = 0;
    for (LONG i = 0; i < 64; ++i)
      onDiagonal += pixels.Contains(i, i) ? 1 : 0;
    EXPECT_GT(onDiagonal, 36) << width;
    EXPECT_LT(onDiagonal, 60) << width;
  }
}

}  // namespace
}  // namespace win::gdi
