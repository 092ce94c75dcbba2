// Memory device contexts: state, saved states, origins, clipping and device capabilities.
#include <gtest/gtest.h>

#include "framework/platform/Gdi.h"
#include "framework/platform/gdi/DeviceContext.h"

namespace {

using namespace win;

// A memory context holding a 32-bit top-down DIB section, released at the end of the test.
struct TCanvas {
  HDC Dc = nullptr;
  HBITMAP Bitmap = nullptr;
  HGDIOBJ Previous = nullptr;
  std::uint32_t* Bits = nullptr;
  int Width = 0;

  TCanvas(int width, int height) : Width(width) {
    BITMAPINFO info{};
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    Bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    Bits = static_cast<std::uint32_t*>(bits);
    Dc = CreateCompatibleDC(nullptr);
    Previous = SelectObject(Dc, Bitmap);
  }
  ~TCanvas() {
    SelectObject(Dc, Previous);
    DeleteDC(Dc);
    DeleteObject(Bitmap);
  }
  std::uint32_t At(int x, int y) const { return Bits[y * Width + x]; }
};

TEST(GdiDc, NewMemoryContextHasThePlatformDefaults) {
  HDC dc = CreateCompatibleDC(nullptr);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetObjectType(dc), OBJ_MEMDC);
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
  EXPECT_EQ(GetBkColor(dc), RGB(255, 255, 255));
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  EXPECT_EQ(GetROP2(dc), R2_COPYPEN);
  EXPECT_EQ(GetStretchBltMode(dc), BLACKONWHITE);
  EXPECT_EQ(GetPolyFillMode(dc), ALTERNATE);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
  BITMAP bm;
  ASSERT_EQ(GetObject(GetCurrentObject(dc, OBJ_BITMAP), sizeof(bm), &bm), int(sizeof(BITMAP)));
  EXPECT_EQ(bm.bmWidth, 1);
  EXPECT_EQ(bm.bmHeight, 1);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  EXPECT_EQ(CreateCompatibleDC(HandleCast<HDC>(GetStockObject(BLACK_PEN))), nullptr);
  DeleteDC(dc);
}

TEST(GdiDc, SettersAnswerThePreviousValueAndRefuseUnknownOnes) {
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SetROP2(dc, R2_XORPEN), R2_COPYPEN);
  EXPECT_EQ(SetROP2(dc, 17), 0);
  EXPECT_EQ(GetROP2(dc), R2_XORPEN);
  EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
  EXPECT_EQ(SetBkMode(dc, 3), 0);
  EXPECT_EQ(SetStretchBltMode(dc, HALFTONE), BLACKONWHITE);
  EXPECT_EQ(SetStretchBltMode(dc, 0), 0);
  EXPECT_EQ(SetTextColor(dc, RGB(1, 2, 3)), RGB(0, 0, 0));
  EXPECT_EQ(SetBkColor(nullptr, 0), CLR_INVALID);
  EXPECT_EQ(SetMapMode(dc, 8), 0);
  EXPECT_EQ(GetMapMode(dc), MM_TEXT);
  DeleteDC(dc);
}

TEST(GdiDc, RestoreDcTakesPositiveAndNegativeLevels) {
  HDC dc = CreateCompatibleDC(nullptr);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  EXPECT_EQ(SaveDC(dc), 1);
  SetTextColor(dc, RGB(1, 1, 1));
  SelectObject(dc, pen);
  EXPECT_EQ(SaveDC(dc), 2);
  SetTextColor(dc, RGB(2, 2, 2));
  EXPECT_EQ(SaveDC(dc), 3);
  SetTextColor(dc, RGB(3, 3, 3));
  EXPECT_TRUE(RestoreDC(dc, -1));
  EXPECT_EQ(GetTextColor(dc), RGB(2, 2, 2));
  EXPECT_FALSE(RestoreDC(dc, 3));
  EXPECT_FALSE(RestoreDC(dc, 0));
  EXPECT_TRUE(RestoreDC(dc, 1));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
  EXPECT_FALSE(RestoreDC(dc, -1));
  // The pen is no longer selected anywhere: deleting it takes effect at once.
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_EQ(GetObjectType(pen), 0u);
  DeleteDC(dc);
}

TEST(GdiDc, OriginsMoveLogicalCoordinates) {
  TCanvas canvas(10, 10);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  POINT previous;
  SetWindowOrgEx(canvas.Dc, 2, 1, &previous);
  EXPECT_EQ(previous, (POINT{0, 0}));
  SetViewportOrgEx(canvas.Dc, 5, 5, nullptr);
  OffsetWindowOrgEx(canvas.Dc, 1, 1, &previous);
  EXPECT_EQ(previous, (POINT{2, 1}));
  POINT p{3, 2};
  LPtoDP(canvas.Dc, &p, 1);
  EXPECT_EQ(p, (POINT{5, 5}));
  const RECT r{3, 2, 4, 3};
  FillRect(canvas.Dc, &r, red);
  EXPECT_EQ(canvas.At(5, 5), 0xFF0000u);
  EXPECT_EQ(canvas.At(4, 5), 0u);
  EXPECT_EQ(GetPixel(canvas.Dc, 3, 2), RGB(255, 0, 0));
  DeleteObject(red);
}

TEST(GdiDc, ClippingLimitsPaintingAndAnswersComplexity) {
  TCanvas canvas(10, 10);
  HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
  RECT box;
  EXPECT_EQ(GetClipBox(canvas.Dc, &box), SIMPLEREGION);
  EXPECT_EQ(box, (RECT{0, 0, 10, 10}));
  EXPECT_EQ(IntersectClipRect(canvas.Dc, 2, 2, 8, 8), SIMPLEREGION);
  EXPECT_EQ(ExcludeClipRect(canvas.Dc, 4, 4, 6, 6), COMPLEXREGION);
  const RECT all{0, 0, 10, 10};
  FillRect(canvas.Dc, &all, blue);
  EXPECT_EQ(canvas.At(1, 1), 0u);
  EXPECT_EQ(canvas.At(2, 2), 0x0000FFu);
  EXPECT_EQ(canvas.At(4, 4), 0u);
  EXPECT_EQ(canvas.At(8, 8), 0u);
  EXPECT_EQ(GetPixel(canvas.Dc, 4, 4), CLR_INVALID);
  EXPECT_EQ(SetPixel(canvas.Dc, 1, 1, RGB(1, 2, 3)), CLR_INVALID);

  HRGN copy = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(canvas.Dc, copy), 1);
  EXPECT_FALSE(PtInRegion(copy, 5, 5));
  EXPECT_TRUE(PtInRegion(copy, 3, 3));
  EXPECT_EQ(SelectClipRgn(canvas.Dc, nullptr), SIMPLEREGION);
  EXPECT_EQ(GetClipRgn(canvas.Dc, copy), 0);
  EXPECT_EQ(ExtSelectClipRgn(canvas.Dc, nullptr, RGN_AND), ERROR);
  HRGN empty = CreateRectRgn(20, 20, 30, 30);
  EXPECT_EQ(SelectClipRgn(canvas.Dc, empty), NULLREGION);
  EXPECT_EQ(GetClipBox(canvas.Dc, &box), NULLREGION);
  EXPECT_FALSE(RectVisible(canvas.Dc, &all));
  DeleteObject(copy);
  DeleteObject(empty);
  DeleteObject(blue);
}

TEST(GdiDc, ClipRegionIsSavedAndRestored) {
  TCanvas canvas(10, 10);
  const int level = SaveDC(canvas.Dc);
  IntersectClipRect(canvas.Dc, 0, 0, 1, 1);
  EXPECT_EQ(GetPixel(canvas.Dc, 5, 5), CLR_INVALID);
  RestoreDC(canvas.Dc, level);
  EXPECT_EQ(GetPixel(canvas.Dc, 5, 5), RGB(0, 0, 0));
}

TEST(GdiDc, DeviceCapsDescribeA96DpiTrueColourScreen) {
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(dc, BITSPIXEL), 32);
  EXPECT_EQ(GetDeviceCaps(dc, PLANES), 1);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSX), 96);
  EXPECT_EQ(GetDeviceCaps(dc, LOGPIXELSY), 96);
  EXPECT_EQ(GetDeviceCaps(dc, NUMCOLORS), -1);
  EXPECT_EQ(GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE, 0);
  EXPECT_NE(GetDeviceCaps(dc, RASTERCAPS) & RC_STRETCHBLT, 0);
  EXPECT_EQ(GetDeviceCaps(dc, HORZRES), gdi::ScreenSize().cx);
  EXPECT_EQ(GetDeviceCaps(nullptr, BITSPIXEL), 0);
  DeleteDC(dc);
}

}  // namespace

namespace {

TEST(GdiDc, DcBrushAndPenFollowTheirContextColours) {
  TCanvas canvas(2, 1);
  SelectObject(canvas.Dc, GetStockObject(DC_BRUSH));
  EXPECT_EQ(SetDCBrushColor(canvas.Dc, RGB(0, 128, 0)), RGB(255, 255, 255));
  PatBlt(canvas.Dc, 0, 0, 2, 1, PATCOPY);
  EXPECT_EQ(canvas.At(0, 0), 0x008000u);
  SetDCBrushColor(canvas.Dc, RGB(0, 0, 128));
  PatBlt(canvas.Dc, 0, 0, 2, 1, PATCOPY);
  EXPECT_EQ(canvas.At(1, 0), 0x000080u);
  SelectObject(canvas.Dc, GetStockObject(DC_PEN));
  SetDCPenColor(canvas.Dc, RGB(9, 8, 7));
  EXPECT_EQ(gdi::FindDc(canvas.Dc)->PenInfo().Color, RGB(9, 8, 7));
}

}  // namespace
