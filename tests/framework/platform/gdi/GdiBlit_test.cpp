// Block transfers the oracle cannot show: monochrome targets, indexed targets, HALFTONE by its
// definition, overlapping copies, transparent copies and masks.
#include <gtest/gtest.h>

#include "framework/platform/Gdi.h"
#include "tests/framework/platform/gdi/GdiTestCanvas.h"

namespace {

using namespace win;
using tovu::test::TDeviceCanvas;
using tovu::test::TDibCanvas;

constexpr COLORREF kKey = RGB(255, 0, 255);

TEST(GdiBlit, ColourToMonochromeComparesWithTheSourceBackground) {
  TDibCanvas colour(4, 1, 32);
  SetPixel(colour.Dc, 0, 0, kKey);
  SetPixel(colour.Dc, 1, 0, RGB(255, 255, 255));
  SetPixel(colour.Dc, 2, 0, RGB(10, 20, 30));
  SetPixel(colour.Dc, 3, 0, kKey);
  SetBkColor(colour.Dc, kKey);
  TDeviceCanvas mask(4, 1, 1);
  ASSERT_TRUE(BitBlt(mask.Dc, 0, 0, 4, 1, colour.Dc, 0, 0, SRCCOPY));
  // The background colour gives white (1), everything else, white included, black (0).
  EXPECT_EQ(GetPixel(mask.Dc, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(mask.Dc, 1, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(mask.Dc, 2, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(mask.Dc, 3, 0), RGB(255, 255, 255));
}

TEST(GdiBlit, MonochromeDeviceBitmapTakesTheTargetTextAndBackgroundColours) {
  TDeviceCanvas mono(2, 1, 1);
  SetPixel(mono.Dc, 0, 0, RGB(0, 0, 0));
  SetPixel(mono.Dc, 1, 0, RGB(255, 255, 255));
  TDibCanvas colour(2, 1, 24);
  SetTextColor(colour.Dc, RGB(200, 0, 0));
  SetBkColor(colour.Dc, RGB(0, 0, 200));
  ASSERT_TRUE(BitBlt(colour.Dc, 0, 0, 2, 1, mono.Dc, 0, 0, SRCCOPY));
  EXPECT_EQ(GetPixel(colour.Dc, 0, 0), RGB(200, 0, 0));
  EXPECT_EQ(GetPixel(colour.Dc, 1, 0), RGB(0, 0, 200));
}

TEST(GdiBlit, TransparentDrawingThroughAMaskIsExact) {
  // The framework's transparent bitmaps: a mask made by colour-to-monochrome, then
  // SRCINVERT, SRCAND with the mask, SRCINVERT.
  TDibCanvas image(3, 2, 32);
  const COLORREF pixels[6] = {kKey,         RGB(1, 2, 3), RGB(250, 128, 7),
                              RGB(0, 0, 0), kKey,         RGB(255, 255, 255)};
  for (int i = 0; i < 6; ++i)
    SetPixel(image.Dc, i % 3, i / 3, pixels[i]);
  SetBkColor(image.Dc, kKey);
  TDeviceCanvas mask(3, 2, 1);
  BitBlt(mask.Dc, 0, 0, 3, 2, image.Dc, 0, 0, SRCCOPY);

  TDibCanvas target(3, 2, 32);
  target.Fill(RGB(90, 160, 30));
  SetTextColor(target.Dc, RGB(0, 0, 0));
  SetBkColor(target.Dc, RGB(255, 255, 255));
  BitBlt(target.Dc, 0, 0, 3, 2, image.Dc, 0, 0, SRCINVERT);
  BitBlt(target.Dc, 0, 0, 3, 2, mask.Dc, 0, 0, SRCAND);
  BitBlt(target.Dc, 0, 0, 3, 2, image.Dc, 0, 0, SRCINVERT);
  for (int i = 0; i < 6; ++i) {
    const COLORREF want = pixels[i] == kKey ? RGB(90, 160, 30) : pixels[i];
    EXPECT_EQ(GetPixel(target.Dc, i % 3, i / 3), want) << i;
  }
}

TEST(GdiBlit, IndexedTargetsTakeTheNearestEntryAndMixOnIndices) {
  const std::vector<RGBQUAD> table = {{0, 0, 0, 0}, {0, 0, 255, 0}, {0, 255, 0, 0}, {255, 0, 0, 0}};
  TDibCanvas indexed(4, 1, 8, table);
  HBRUSH nearRed = CreateSolidBrush(RGB(200, 30, 20));
  const RECT r{0, 0, 2, 1};
  FillRect(indexed.Dc, &r, nearRed);
  EXPECT_EQ(indexed.At(0, 0), 1u);
  EXPECT_EQ(GetPixel(indexed.Dc, 1, 0), RGB(255, 0, 0));
  // XOR works on the index: 1 ^ 3 = 2 (green), not on the colours.
  SetROP2(indexed.Dc, R2_XORPEN);
  EXPECT_NE(SetPixel(indexed.Dc, 0, 0, RGB(0, 0, 255)), CLR_INVALID);
  EXPECT_EQ(indexed.At(0, 0), 2u);
  DeleteObject(nearRed);
}

TEST(GdiBlit, HalftoneAveragesTheCoveredSourceArea) {
  TDibCanvas source(6, 2, 32);
  // Columns 0, 255, 0, 255, 90, 30 in every channel, rows alike.
  const int values[6] = {0, 255, 0, 255, 90, 30};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 6; ++x)
      SetPixel(source.Dc, x, y, RGB(values[x], values[x], values[x]));
  TDibCanvas target(4, 1, 32);
  SetStretchBltMode(target.Dc, HALFTONE);
  // 6 to 3 columns: each target pixel averages two source pixels; 2 rows to 1.
  ASSERT_TRUE(StretchBlt(target.Dc, 0, 0, 3, 1, source.Dc, 0, 0, 6, 2, SRCCOPY));
  EXPECT_EQ(GetPixel(target.Dc, 0, 0), RGB(128, 128, 128));
  EXPECT_EQ(GetPixel(target.Dc, 1, 0), RGB(128, 128, 128));
  EXPECT_EQ(GetPixel(target.Dc, 2, 0), RGB(60, 60, 60));
  // 3 to 2 columns: the first target pixel covers source 0 wholly and half of source 1.
  ASSERT_TRUE(StretchBlt(target.Dc, 0, 0, 2, 1, source.Dc, 0, 0, 3, 1, SRCCOPY));
  EXPECT_EQ(GetPixel(target.Dc, 0, 0), RGB(85, 85, 85));
  EXPECT_EQ(GetPixel(target.Dc, 1, 0), RGB(85, 85, 85));
  // Enlarging 1 to 2 repeats the covered pixel.
  ASSERT_TRUE(StretchBlt(target.Dc, 0, 0, 4, 1, source.Dc, 4, 0, 2, 1, SRCCOPY));
  EXPECT_EQ(GetPixel(target.Dc, 0, 0), RGB(90, 90, 90));
  EXPECT_EQ(GetPixel(target.Dc, 1, 0), RGB(90, 90, 90));
  EXPECT_EQ(GetPixel(target.Dc, 2, 0), RGB(30, 30, 30));
}

TEST(GdiBlit, OverlappingCopyInOneContextReadsThePixelsBeforeTheCall) {
  TDibCanvas canvas(5, 1, 32);
  for (int x = 0; x < 5; ++x)
    SetPixel(canvas.Dc, x, 0, RGB(x * 10, 0, 0));
  ASSERT_TRUE(BitBlt(canvas.Dc, 1, 0, 4, 1, canvas.Dc, 0, 0, SRCCOPY));
  for (int x = 1; x < 5; ++x)
    EXPECT_EQ(GetPixel(canvas.Dc, x, 0), RGB((x - 1) * 10, 0, 0)) << x;
}

TEST(GdiBlit, TransparentBltLeavesTheKeyColourOut) {
  TDibCanvas source(2, 2, 24);
  SetPixel(source.Dc, 0, 0, kKey);
  SetPixel(source.Dc, 1, 0, RGB(1, 2, 3));
  SetPixel(source.Dc, 0, 1, RGB(4, 5, 6));
  SetPixel(source.Dc, 1, 1, kKey);
  TDibCanvas target(4, 4, 32);
  target.Fill(RGB(50, 50, 50));
  ASSERT_TRUE(TransparentBlt(target.Dc, 0, 0, 4, 4, source.Dc, 0, 0, 2, 2, kKey));
  EXPECT_EQ(GetPixel(target.Dc, 0, 0), RGB(50, 50, 50));
  EXPECT_EQ(GetPixel(target.Dc, 3, 0), RGB(1, 2, 3));
  EXPECT_EQ(GetPixel(target.Dc, 0, 3), RGB(4, 5, 6));
  EXPECT_EQ(GetPixel(target.Dc, 3, 3), RGB(50, 50, 50));
  EXPECT_FALSE(TransparentBlt(target.Dc, 0, 0, -4, 4, source.Dc, 0, 0, 2, 2, kKey));
}

TEST(GdiBlit, MaskBltChoosesTheOperationByTheMaskBit) {
  TDibCanvas source(2, 1, 32);
  source.Fill(RGB(10, 20, 30));
  TDeviceCanvas mask(2, 1, 1);
  SetPixel(mask.Dc, 0, 0, RGB(255, 255, 255));
  TDibCanvas target(2, 1, 32);
  target.Fill(RGB(200, 200, 200));
  const DWORD rop = MAKEROP4(SRCCOPY, 0x00AA0029);  // copy where the mask is set, keep elsewhere
  ASSERT_TRUE(MaskBlt(target.Dc, 0, 0, 2, 1, source.Dc, 0, 0, mask.Bitmap, 0, 0, rop));
  EXPECT_EQ(GetPixel(target.Dc, 0, 0), RGB(10, 20, 30));
  EXPECT_EQ(GetPixel(target.Dc, 1, 0), RGB(200, 200, 200));
}

TEST(GdiBlit, PatternBrushFromAMonochromeBitmapUsesTheContextColours) {
  const std::uint8_t rows[4] = {0x80, 0, 0x40, 0};  // 2x2: (0,0) and (1,1) set, word-padded rows
  HBITMAP pattern = CreateBitmap(2, 2, 1, 1, rows);
  HBRUSH brush = CreatePatternBrush(pattern);
  DeleteObject(pattern);  // the brush keeps its own copy
  TDibCanvas target(4, 2, 32);
  SetTextColor(target.Dc, RGB(255, 0, 0));
  SetBkColor(target.Dc, RGB(0, 0, 255));
  SelectObject(target.Dc, brush);
  ASSERT_TRUE(PatBlt(target.Dc, 0, 0, 4, 2, PATCOPY));
  EXPECT_EQ(GetPixel(target.Dc, 0, 0), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(target.Dc, 1, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(target.Dc, 3, 1), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(target.Dc, 2, 1), RGB(255, 0, 0));
  // The brush origin shifts the tile.
  SetBrushOrgEx(target.Dc, 1, 0, nullptr);
  PatBlt(target.Dc, 0, 0, 4, 2, PATCOPY);
  EXPECT_EQ(GetPixel(target.Dc, 1, 0), RGB(0, 0, 255));
  SelectObject(target.Dc, GetStockObject(WHITE_BRUSH));
  DeleteObject(brush);
}

TEST(GdiBlit, HostileRectanglesAndHandlesFailOrClipWithoutHarm) {
  TDibCanvas target(8, 8, 32);
  TDibCanvas source(8, 8, 32);
  EXPECT_TRUE(StretchBlt(target.Dc, -2147483647, 0, 2147483647, 8, source.Dc, 0, 0, 8, 8, SRCCOPY));
  EXPECT_TRUE(StretchBlt(target.Dc, 0, 0, 8, 8, source.Dc, -2147483647, -5, 2147483647, 2147483647,
                         SRCCOPY));
  EXPECT_TRUE(BitBlt(target.Dc, 2147483600, 2147483600, 1000, 1000, source.Dc, 0, 0, SRCCOPY));
  EXPECT_FALSE(BitBlt(target.Dc, 0, 0, 8, 8, nullptr, 0, 0, SRCCOPY));
  EXPECT_FALSE(BitBlt(nullptr, 0, 0, 8, 8, source.Dc, 0, 0, SRCCOPY));
  EXPECT_TRUE(BitBlt(target.Dc, 0, 0, 8, 8, nullptr, 0, 0, PATCOPY));
  EXPECT_FALSE(PatBlt(target.Dc, 0, 0, 8, 8, SRCCOPY));
  EXPECT_FALSE(StretchBlt(target.Dc, 0, 0, 8, 8, source.Dc, 0, 0, 0, 8, SRCCOPY));
  // Origins far out do not wrap coordinates around into the picture.
  target.Fill(RGB(255, 255, 255));
  SetViewportOrgEx(target.Dc, 2147483000, -2147483000, nullptr);
  EXPECT_TRUE(BitBlt(target.Dc, 2147483000, 0, 8, 8, source.Dc, 0, 0, SRCCOPY));
  SelectObject(target.Dc, GetStockObject(BLACK_BRUSH));
  EXPECT_TRUE(PatBlt(target.Dc, 2147483000, 2147483000, 2147483000, 8, PATCOPY));
  EXPECT_EQ(target.At(7, 7), 0xFFFFFFu);
  const RECT huge{-2147483647, -2147483647, 2147483647, 2147483647};
  EXPECT_TRUE(FillRect(target.Dc, &huge, HandleCast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
  SetViewportOrgEx(target.Dc, 0, 0, nullptr);
  EXPECT_EQ(GetPixel(target.Dc, 7, 7), RGB(0, 0, 0));
}

}  // namespace
