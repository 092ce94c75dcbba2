// The public line and figure calls: return values, the current position, logical-to-device
// mapping, clipping and refused input. The pixels themselves are the fixtures' business.
#include "framework/platform/Shapes.h"

#include <gtest/gtest.h>

#include "framework/platform/Gdi.h"
#include "tests/framework/platform/gdi/GdiTestCanvas.h"

namespace {

using namespace win;
using tovu::test::TDibCanvas;

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr std::uint32_t kBlackPixel = 0x000000;
constexpr std::uint32_t kWhitePixel = 0xFFFFFF;

class ShapesTest : public testing::Test {
 protected:
  ShapesTest() : FCanvas(64, 48, 32) { FCanvas.Fill(kWhite); }

  int CountPixels(std::uint32_t value) const {
    int count = 0;
    for (int y = 0; y < 48; ++y) {
      for (int x = 0; x < 64; ++x)
        count += FCanvas.At(x, y) == value;
    }
    return count;
  }

  TDibCanvas FCanvas;
};

TEST_F(ShapesTest, MoveToAndLineToKeepTheCurrentPosition) {
  POINT previous{-1, -1};
  EXPECT_TRUE(MoveToEx(FCanvas.Dc, 5, 6, &previous));
  EXPECT_EQ(previous, (POINT{0, 0}));
  EXPECT_TRUE(LineTo(FCanvas.Dc, 15, 6));
  POINT position{};
  EXPECT_TRUE(GetCurrentPositionEx(FCanvas.Dc, &position));
  EXPECT_EQ(position, (POINT{15, 6}));
  // The default pen is black and one pixel wide: ten pixels, the last one left out.
  EXPECT_EQ(CountPixels(kBlackPixel), 10);
  EXPECT_EQ(FCanvas.At(15, 6), kWhitePixel);

  const POINT through[] = {{20, 6}, {20, 20}};
  EXPECT_TRUE(PolylineTo(FCanvas.Dc, through, 2));
  EXPECT_TRUE(GetCurrentPositionEx(FCanvas.Dc, &position));
  EXPECT_EQ(position, (POINT{20, 20}));
  // Polyline leaves the current position alone.
  const POINT elsewhere[] = {{30, 30}, {40, 30}};
  EXPECT_TRUE(Polyline(FCanvas.Dc, elsewhere, 2));
  EXPECT_TRUE(GetCurrentPositionEx(FCanvas.Dc, &position));
  EXPECT_EQ(position, (POINT{20, 20}));
}

TEST_F(ShapesTest, RefusesBadHandlesShortPointListsAndOutOfRangeCoordinates) {
  const HDC bogus = reinterpret_cast<HDC>(std::uintptr_t(0x1234));
  const POINT two[] = {{1, 1}, {9, 9}};
  EXPECT_FALSE(MoveToEx(bogus, 1, 1, nullptr));
  EXPECT_FALSE(LineTo(bogus, 1, 1));
  EXPECT_FALSE(Rectangle(bogus, 0, 0, 10, 10));
  EXPECT_FALSE(Ellipse(nullptr, 0, 0, 10, 10));
  EXPECT_FALSE(Polygon(bogus, two, 2));
  EXPECT_FALSE(GetCurrentPositionEx(FCanvas.Dc, nullptr));

  EXPECT_FALSE(Polyline(FCanvas.Dc, two, 1));
  EXPECT_FALSE(Polygon(FCanvas.Dc, two, 1));
  EXPECT_FALSE(Polyline(FCanvas.Dc, nullptr, 2));
  EXPECT_FALSE(PolylineTo(FCanvas.Dc, nullptr, 1));

  // Beyond the 27-bit device space nothing is drawn and the call fails.
  EXPECT_FALSE(Rectangle(FCanvas.Dc, -200000000, 0, 10, 10));
  EXPECT_TRUE(MoveToEx(FCanvas.Dc, 0, 0, nullptr));
  EXPECT_FALSE(LineTo(FCanvas.Dc, 10, 1 << 30));
  POINT position{};
  GetCurrentPositionEx(FCanvas.Dc, &position);
  EXPECT_EQ(position, (POINT{0, 0}));
  EXPECT_EQ(CountPixels(kWhitePixel), 64 * 48);
}

TEST_F(ShapesTest, EmptyFiguresSucceedWithoutDrawing) {
  EXPECT_TRUE(Rectangle(FCanvas.Dc, 10, 10, 10, 30));
  EXPECT_TRUE(Ellipse(FCanvas.Dc, 10, 10, 40, 10));
  EXPECT_TRUE(RoundRect(FCanvas.Dc, 5, 5, 5, 5, 3, 3));
  EXPECT_EQ(CountPixels(kWhitePixel), 64 * 48);
}

TEST_F(ShapesTest, FiguresFollowTheViewportOriginAndTheClip) {
  SetViewportOrgEx(FCanvas.Dc, 10, 5, nullptr);
  HBRUSH brush = CreateSolidBrush(kBlack);
  HGDIOBJ old = SelectObject(FCanvas.Dc, brush);
  EXPECT_TRUE(Rectangle(FCanvas.Dc, 0, 0, 4, 3));
  EXPECT_EQ(FCanvas.At(10, 5), kBlackPixel);
  EXPECT_EQ(FCanvas.At(13, 7), kBlackPixel);
  EXPECT_EQ(FCanvas.At(14, 7), kWhitePixel);
  EXPECT_EQ(CountPixels(kBlackPixel), 12);

  // A figure far larger than the clip paints the clip and nothing else.
  SetViewportOrgEx(FCanvas.Dc, 0, 0, nullptr);
  IntersectClipRect(FCanvas.Dc, 30, 30, 40, 35);
  EXPECT_TRUE(Ellipse(FCanvas.Dc, -5000, -5000, 5000, 5000));
  EXPECT_EQ(CountPixels(kBlackPixel), 12 + 50);
  SelectObject(FCanvas.Dc, old);
  DeleteObject(brush);
}

TEST_F(ShapesTest, HollowBrushesAndNullPensLeaveTheirPartOut) {
  HGDIOBJ oldBrush = SelectObject(FCanvas.Dc, GetStockObject(NULL_BRUSH));
  EXPECT_TRUE(Rectangle(FCanvas.Dc, 2, 2, 12, 12));
  EXPECT_EQ(CountPixels(kBlackPixel), 36);  // the outline only
  SelectObject(FCanvas.Dc, GetStockObject(BLACK_BRUSH));
  HGDIOBJ oldPen = SelectObject(FCanvas.Dc, GetStockObject(NULL_PEN));
  EXPECT_TRUE(Rectangle(FCanvas.Dc, 20, 2, 30, 12));
  EXPECT_EQ(CountPixels(kBlackPixel), 36 + 81);  // a null pen fills one pixel less each way
  SelectObject(FCanvas.Dc, oldPen);
  SelectObject(FCanvas.Dc, oldBrush);
}

TEST_F(ShapesTest, TheDcPenDrawsInTheContextsPenColour) {
  HGDIOBJ old = SelectObject(FCanvas.Dc, GetStockObject(DC_PEN));
  SetDCPenColor(FCanvas.Dc, RGB(255, 0, 0));
  MoveToEx(FCanvas.Dc, 3, 3, nullptr);
  EXPECT_TRUE(LineTo(FCanvas.Dc, 9, 3));
  EXPECT_EQ(FCanvas.At(3, 3), 0xFF0000u);
  SelectObject(FCanvas.Dc, old);
}

TEST_F(ShapesTest, EveryPartGoesThroughTheMixMode) {
  SetROP2(FCanvas.Dc, R2_NOT);
  HGDIOBJ oldBrush = SelectObject(FCanvas.Dc, GetStockObject(BLACK_BRUSH));
  EXPECT_TRUE(Ellipse(FCanvas.Dc, 10, 10, 30, 25));
  // The interior and the outline overlap on the outline, which is inverted twice.
  EXPECT_EQ(FCanvas.At(20, 17), kBlackPixel);
  EXPECT_EQ(FCanvas.At(10, 17), kWhitePixel);
  EXPECT_EQ(FCanvas.At(11, 17), kBlackPixel);
  SelectObject(FCanvas.Dc, oldBrush);
}

}  // namespace
