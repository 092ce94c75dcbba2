// The painter that shapes and text draw through, and the pieces beneath it: raster operations,
// the stretch axis choice and pixel formats.
#include <gtest/gtest.h>

#include "framework/platform/Gdi.h"
#include "framework/platform/gdi/Painter.h"
#include "framework/platform/gdi/RasterOp.h"
#include "framework/platform/gdi/StretchAxis.h"
#include "tests/framework/platform/gdi/GdiTestCanvas.h"

namespace {

using namespace win;
using namespace win::gdi;
using tovu::test::TDibCanvas;

TEST(RasterOp, Rop2ModesMatchTheirBooleanDefinitions) {
  const std::uint32_t p = 0x00F0CC, d = 0x00AA96;
  const std::uint32_t expected[16] = {0,     ~(p | d), ~p & d, ~p,       p & ~d, ~d,
                                      p ^ d, ~(p & d), p & d,  ~(p ^ d), d,      ~p | d,
                                      p,     p | ~d,   p | d,  ~0u};
  for (int mode = R2_BLACK; mode <= R2_WHITE; ++mode) {
    const std::uint8_t code = Rop2ToRop3Code(mode);
    EXPECT_EQ(ApplyRop3(code, p, 0x123456, d), expected[mode - 1]) << mode;
    EXPECT_FALSE(RopUsesSource(code)) << mode;
  }
  EXPECT_EQ(Rop2ToRop3Code(R2_COPYPEN), Rop3Code(PATCOPY));
  EXPECT_EQ(Rop2ToRop3Code(R2_XORPEN), Rop3Code(PATINVERT));
}

TEST(RasterOp, RowOperationsAgreeWithTheGenericFormula) {
  const std::uint32_t p[3] = {0xFF00FF, 0x00FF00, 0x123456};
  const std::uint32_t s[3] = {0xFFFFFF, 0x000000, 0xF0F0F0};
  for (int code = 0; code < 256; ++code) {
    std::uint32_t d[3] = {0x0F0F0F, 0xABCDEF, 0x777777};
    std::uint32_t want[3];
    for (int i = 0; i < 3; ++i)
      want[i] = ApplyRop3(std::uint8_t(code), p[i], s[i], d[i]);
    ApplyRop3Row(std::uint8_t(code), p, s, d, 3);
    for (int i = 0; i < 3; ++i)
      ASSERT_EQ(d[i], want[i]) << code;
  }
  EXPECT_TRUE(RopUsesSource(Rop3Code(SRCCOPY)));
  EXPECT_FALSE(RopUsesPattern(Rop3Code(SRCCOPY)));
  EXPECT_TRUE(RopUsesPattern(Rop3Code(0x00E20746)));
  EXPECT_FALSE(RopUsesDestination(Rop3Code(PATCOPY)));
}

TEST(StretchAxis, ChoosesColumnsAndRowsAsTheReferenceDoes) {
  // Shrinking 1000 to 590: columns floor((d + 1) * S / D - 1/2), rows floor(d * S / D + 1/2).
  EXPECT_EQ(TStretchAxis::SampleOffset(0, 1000, 590, TAxisKind::akColumns), 1);
  EXPECT_EQ(TStretchAxis::SampleOffset(589, 1000, 590, TAxisKind::akColumns), 999);
  // 700 to 420 rows: d = 3 gives 5.0 exactly, d = 1 gives 1.67 + 0.5.
  EXPECT_EQ(TStretchAxis::SampleOffset(3, 700, 420, TAxisKind::akRows), 5);
  EXPECT_EQ(TStretchAxis::SampleOffset(1, 700, 420, TAxisKind::akRows), 2);
  // A tie rounds up: 37 * 1 / 2 + 1/2 = 19.
  EXPECT_EQ(TStretchAxis::SampleOffset(1, 37, 2, TAxisKind::akRows), 19);
  // Enlarging: the source pixel under the target pixel's centre on both axes.
  EXPECT_EQ(TStretchAxis::SampleOffset(0, 50, 390, TAxisKind::akColumns), 0);
  EXPECT_EQ(TStretchAxis::SampleOffset(389, 50, 390, TAxisKind::akRows), 49);
  // A centre on a source boundary takes the lower pixel: 8.5 * 8 / 17 = 4 gives 3.
  EXPECT_EQ(TStretchAxis::SampleOffset(8, 8, 17, TAxisKind::akColumns), 3);
  EXPECT_EQ(TStretchAxis::SampleOffset(9, 8, 17, TAxisKind::akRows), 4);
  // Extreme sizes do not overflow.
  EXPECT_EQ(TStretchAxis::SampleOffset(2147483646, 2147483647, 2147483647, TAxisKind::akColumns),
            2147483646);
  EXPECT_EQ(TStretchAxis::SampleOffset(1073741823, 2147483647, 1073741824, TAxisKind::akColumns),
            2147483646);
}

TEST(StretchAxis, NegativeSizesMirrorAndSourceBoundsLimitTheRange) {
  // Target (10, -5] is pixels 6..10, mirrored against source 0..4.
  const TStretchAxis mirrored({10, -5, 0, 5, TAxisKind::akColumns}, -100, 100, 5);
  EXPECT_EQ(mirrored.First(), 6);
  EXPECT_EQ(mirrored.Last(), 11);
  EXPECT_EQ(mirrored.Source(6), 4);
  EXPECT_EQ(mirrored.Source(10), 0);
  // Source -3..6 of a 4-pixel source: only targets with a source inside are kept.
  const TStretchAxis clipped({0, 10, -3, 10, TAxisKind::akColumns}, 0, 100, 4);
  EXPECT_EQ(clipped.First(), 3);
  EXPECT_EQ(clipped.Last(), 7);
  // Enlarging 20 to 30 from -5: target 7 has its centre on source 0's left edge, so it stays
  // outside.
  const TStretchAxis enlarged({0, 30, -5, 20, TAxisKind::akColumns}, 0, 100, 23);
  EXPECT_EQ(enlarged.First(), 8);
  EXPECT_EQ(enlarged.Source(8), 0);
  const TStretchAxis limited({0, 10, 0, 10, TAxisKind::akColumns}, 2, 5, 10);
  EXPECT_EQ(limited.First(), 2);
  EXPECT_EQ(limited.Last(), 5);
  EXPECT_TRUE(TStretchAxis({0, 0, 0, 10, TAxisKind::akRows}, 0, 100, 10).IsEmpty());
}

TEST(StretchAxis, ShrinkingKeepsTargetsWhoseShareReachesTheSource) {
  // Source 15..33 into 13 columns of a 23-pixel bitmap: target 5's share is source 22..23, so it
  // is drawn with the edge pixel 22 although its own sample (23) lies outside.
  const TStretchAxis columns({10, 13, 15, 19, TAxisKind::akColumns}, 0, 100, 23);
  EXPECT_EQ(columns.First(), 10);
  EXPECT_EQ(columns.Last(), 16);
  EXPECT_EQ(columns.Source(15), 22);
  EXPECT_EQ(columns.SpanLow(15), 22);
  EXPECT_EQ(columns.SpanHigh(15), 22);
  // Rows take the first pixel of their share, so above the bitmap the first row inside counts.
  const TStretchAxis rows({0, 10, -9, 39, TAxisKind::akRows}, 0, 100, 17);
  EXPECT_EQ(rows.First(), 2);
  EXPECT_EQ(rows.Source(2), 0);
  EXPECT_EQ(rows.Source(3), 3);
  // A share wholly outside the bitmap draws nothing.
  EXPECT_TRUE(TStretchAxis({0, 4, 30, 40, TAxisKind::akColumns}, 0, 100, 23).IsEmpty());
}

TEST(Painter, PaintsDeviceRegionsThroughClipOriginAndMixMode) {
  TDibCanvas canvas(10, 4, 32);
  canvas.Fill(RGB(0x10, 0x20, 0x30));
  const TPainter painter(canvas.Dc);
  ASSERT_TRUE(painter.IsValid());
  EXPECT_FALSE(TPainter(nullptr).IsValid());
  IntersectClipRect(canvas.Dc, 0, 0, 8, 4);
  TRegion region(RECT{0, 0, 10, 1});
  painter.PaintSolid(region, RGB(0xFF, 0, 0));
  EXPECT_EQ(canvas.At(7, 0), 0xFF0000u);
  EXPECT_EQ(canvas.At(8, 0), 0x102030u);
  SetROP2(canvas.Dc, R2_XORPEN);
  painter.PaintSolid(TRegion(RECT{0, 1, 2, 2}), RGB(0xFF, 0xFF, 0xFF));
  EXPECT_EQ(canvas.At(0, 1), 0xEFDFCFu);
  // An explicit mix mode overrides the context's one.
  painter.PaintSolid(TRegion(RECT{2, 1, 3, 2}), RGB(1, 2, 3), R2_COPYPEN);
  EXPECT_EQ(canvas.At(2, 1), 0x010203u);
  SetBkColor(canvas.Dc, RGB(0, 0, 0x80));
  painter.PaintBackground(TRegion(RECT{3, 1, 4, 2}), R2_COPYPEN);
  EXPECT_EQ(canvas.At(3, 1), 0x000080u);
  // Device coordinates ignore the window origin; ToDevice applies it.
  SetWindowOrgEx(canvas.Dc, 1, 0, nullptr);
  EXPECT_EQ(painter.ToDevice(POINT{1, 0}), (POINT{0, 0}));
  painter.PaintSolid(painter.ToDevice(TRegion(RECT{5, 2, 6, 3})), RGB(0, 0xFF, 0), R2_COPYPEN);
  EXPECT_EQ(canvas.At(4, 2), 0x00FF00u);
}

TEST(Painter, HatchedBrushesPaintTheirBackgroundOnlyWhenOpaque) {
  TDibCanvas canvas(8, 8, 32);
  canvas.Fill(RGB(0, 0, 0xFF));
  HBRUSH hatch = CreateHatchBrush(HS_HORIZONTAL, RGB(0xFF, 0, 0));
  const HGDIOBJ old = SelectObject(canvas.Dc, hatch);
  SetBkMode(canvas.Dc, TRANSPARENT);
  const TPainter painter(canvas.Dc);
  painter.PaintBrush(TRegion(RECT{0, 0, 4, 8}));
  EXPECT_EQ(canvas.At(0, 3), 0xFF0000u);
  EXPECT_EQ(canvas.At(0, 2), 0x0000FFu);
  // Another brush is realised afresh with the current mode.
  HBRUSH other = CreateHatchBrush(HS_HORIZONTAL, RGB(0xFF, 0, 0));
  SetBkMode(canvas.Dc, OPAQUE);
  SetBkColor(canvas.Dc, RGB(0, 0xFF, 0));
  SetBrushOrgEx(canvas.Dc, 0, 1, nullptr);
  painter.PaintBrush(TRegion(RECT{4, 0, 8, 8}), FindObject<TBrushObject>(other).get(), R2_COPYPEN);
  EXPECT_EQ(canvas.At(4, 4), 0xFF0000u);
  EXPECT_EQ(canvas.At(4, 3), 0x00FF00u);
  SelectObject(canvas.Dc, old);
  DeleteObject(hatch);
  DeleteObject(other);
}

TEST(PixelFormats, ChannelsWidenAndNarrowLikeThePlatform) {
  auto s555 = TSurface::Create(1, 1, TPixelFormat::Rgb(16), true);
  EXPECT_EQ(s555->FromColor(RGB(255, 8, 7)), (31u << 10) | (1u << 5) | 0u);
  EXPECT_EQ(s555->ToColor((31u << 10) | (1u << 5) | 16u), RGB(255, 8, 132));
  TPixelFormat f565 = TPixelFormat::Rgb(16);
  f565.RedMask = 0xF800;
  f565.GreenMask = 0x07E0;
  f565.BlueMask = 0x001F;
  auto s565 = TSurface::Create(1, 1, f565, true);
  EXPECT_EQ(s565->ToColor(0x07E0), RGB(0, 255, 0));
  EXPECT_EQ(s565->ToColor(1u << 5), RGB(0, 4, 0));
  auto mono = TSurface::Create(9, 1, TPixelFormat::Monochrome(), false);
  EXPECT_EQ(mono->FromColor(RGB(200, 200, 200)), 1u);
  EXPECT_EQ(mono->FromColor(RGB(100, 100, 100)), 0u);
  mono->SetPixel(8, 0, 1);
  EXPECT_EQ(mono->Row(0)[1], 0x80);
  EXPECT_EQ(mono->Stride(), 4u);
}

}  // namespace
