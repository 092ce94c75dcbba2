// Region handles and their return codes, the rectangle helpers and the system colours.
#include <gtest/gtest.h>

#include "framework/platform/Gdi.h"
#include "framework/platform/gdi/RegionObject.h"

namespace {

using namespace win;

TEST(GdiRegions, CombineRgnAnswersTheComplexityOfTheResult) {
  HRGN a = CreateRectRgn(0, 0, 10, 10);
  HRGN b = CreateRectRgn(5, 5, 15, 15);
  HRGN out = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(CombineRgn(out, a, b, RGN_AND), SIMPLEREGION);
  RECT box;
  EXPECT_EQ(GetRgnBox(out, &box), SIMPLEREGION);
  EXPECT_EQ(box, (RECT{5, 5, 10, 10}));
  EXPECT_EQ(CombineRgn(out, a, b, RGN_OR), COMPLEXREGION);
  EXPECT_EQ(CombineRgn(out, a, b, RGN_XOR), COMPLEXREGION);
  EXPECT_FALSE(PtInRegion(out, 7, 7));
  EXPECT_EQ(CombineRgn(out, a, b, RGN_DIFF), COMPLEXREGION);
  EXPECT_EQ(CombineRgn(out, a, a, RGN_DIFF), NULLREGION);
  EXPECT_EQ(GetRgnBox(out, &box), NULLREGION);
  EXPECT_EQ(box, (RECT{0, 0, 0, 0}));
  // RGN_COPY ignores the second region, even an invalid one.
  EXPECT_EQ(CombineRgn(out, b, nullptr, RGN_COPY), SIMPLEREGION);
  EXPECT_TRUE(EqualRgn(out, b));
  EXPECT_EQ(CombineRgn(out, a, nullptr, RGN_AND), ERROR);
  EXPECT_EQ(CombineRgn(out, a, b, 6), ERROR);
  EXPECT_EQ(CombineRgn(HandleCast<HRGN>(GetStockObject(BLACK_PEN)), a, b, RGN_OR), ERROR);
  // The destination may be one of the sources.
  EXPECT_EQ(CombineRgn(a, a, b, RGN_AND), SIMPLEREGION);
  EXPECT_EQ(GetRgnBox(a, &box), SIMPLEREGION);
  EXPECT_EQ(box, (RECT{5, 5, 10, 10}));
  for (HRGN r : {a, b, out})
    DeleteObject(r);
}

TEST(GdiRegions, RectangleRegionsOrderTheirCornersAndMove) {
  HRGN r = CreateRectRgn(10, 8, 2, 4);
  RECT box;
  EXPECT_EQ(GetRgnBox(r, &box), SIMPLEREGION);
  EXPECT_EQ(box, (RECT{2, 4, 10, 8}));
  EXPECT_EQ(OffsetRgn(r, -2, 1), SIMPLEREGION);
  EXPECT_TRUE(PtInRegion(r, 0, 5));
  EXPECT_FALSE(PtInRegion(r, 8, 5));
  const RECT touching{8, 0, 20, 20};
  EXPECT_FALSE(RectInRegion(r, &touching));
  const RECT inverted{9, 9, 7, 7};
  EXPECT_TRUE(RectInRegion(r, &inverted));
  EXPECT_TRUE(SetRectRgn(r, 3, 3, 3, 9));
  EXPECT_EQ(GetRgnBox(r, &box), NULLREGION);
  EXPECT_EQ(OffsetRgn(nullptr, 1, 1), ERROR);
  EXPECT_EQ(gdi::RegionOf(HandleCast<HRGN>(GetStockObject(WHITE_BRUSH))), nullptr);
  ASSERT_NE(gdi::RegionOf(r), nullptr);
  DeleteObject(r);
  EXPECT_EQ(gdi::RegionOf(r), nullptr);
}

TEST(GdiRegions, ExtCreateRegionJoinsItsRectanglesAndRefusesBadData) {
  struct {
    RGNDATAHEADER rdh;
    RECT rects[3];
  } data{};
  data.rdh.nCount = 3;
  data.rects[0] = {0, 0, 4, 1};
  data.rects[1] = {2, 0, 6, 1};  // overlapping the first
  data.rects[2] = {5, 3, 1, 2};  // corners given the other way round
  HRGN r = ExtCreateRegion(nullptr, sizeof data, reinterpret_cast<const RGNDATA*>(&data));
  ASSERT_NE(r, nullptr);
  RECT box;
  EXPECT_EQ(GetRgnBox(r, &box), COMPLEXREGION);
  EXPECT_EQ(box, (RECT{0, 0, 6, 3}));
  EXPECT_TRUE(PtInRegion(r, 5, 0));
  EXPECT_TRUE(PtInRegion(r, 1, 2));
  EXPECT_FALSE(PtInRegion(r, 0, 1));
  DeleteObject(r);
  EXPECT_EQ(ExtCreateRegion(nullptr, sizeof data - 1, reinterpret_cast<const RGNDATA*>(&data)),
            nullptr)
      << "fewer bytes than the rectangles need";
  const XFORM scale{2, 0, 0, 2, 0, 0};
  EXPECT_EQ(ExtCreateRegion(&scale, sizeof data, reinterpret_cast<const RGNDATA*>(&data)), nullptr);
}

TEST(GdiRects, HelpersFollowThePlatformEdgeRules) {
  RECT r;
  SetRect(&r, 1, 2, 5, 6);
  EXPECT_FALSE(IsRectEmpty(&r));
  EXPECT_TRUE(PtInRect(&r, POINT{1, 2}));
  EXPECT_FALSE(PtInRect(&r, POINT{5, 3}));
  InflateRect(&r, 1, -1);
  EXPECT_EQ(r, (RECT{0, 3, 6, 5}));
  OffsetRect(&r, 2, 2);
  EXPECT_EQ(r, (RECT{2, 5, 8, 7}));

  RECT out{9, 9, 9, 9};
  const RECT a{0, 0, 4, 4}, b{4, 0, 8, 4}, c{2, 2, 6, 6}, empty{3, 3, 3, 9};
  EXPECT_FALSE(IntersectRect(&out, &a, &b));
  EXPECT_EQ(out, (RECT{0, 0, 0, 0}));
  EXPECT_TRUE(IntersectRect(&out, &a, &c));
  EXPECT_EQ(out, (RECT{2, 2, 4, 4}));
  EXPECT_TRUE(UnionRect(&out, &a, &empty));
  EXPECT_EQ(out, a);
  EXPECT_FALSE(UnionRect(&out, &empty, &empty));
  EXPECT_TRUE(IsRectEmpty(&out));
  EXPECT_TRUE(IsRectEmpty(nullptr));
  const RECT left{0, 0, 2, 4};
  EXPECT_TRUE(SubtractRect(&out, &a, &left));
  EXPECT_EQ(out, (RECT{2, 0, 4, 4}));
  EXPECT_TRUE(SubtractRect(&out, &a, &c));  // a corner cut leaves the rectangle whole
  EXPECT_EQ(out, a);
  EXPECT_TRUE(EqualRect(&a, &a));
  EXPECT_FALSE(EqualRect(&a, nullptr));
  SetRectEmpty(&r);
  EXPECT_TRUE(IsRectEmpty(&r));
}

TEST(GdiSysColors, ClassicTableAndUndeletableBrushes) {
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
  EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), RGB(128, 128, 128));
  EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), RGB(255, 255, 255));
  EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(10, 36, 106));
  EXPECT_EQ(GetSysColor(COLOR_WINDOWFRAME), RGB(0, 0, 0));
  EXPECT_EQ(GetSysColor(31), 0u);
  EXPECT_EQ(GetSysColor(-1), 0u);
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  ASSERT_NE(face, nullptr);
  EXPECT_EQ(GetSysColorBrush(COLOR_BTNFACE), face);
  EXPECT_TRUE(DeleteObject(face));
  LOGBRUSH lb;
  ASSERT_EQ(GetObject(face, sizeof(lb), &lb), int(sizeof(lb)));
  EXPECT_EQ(lb.lbColor, RGB(212, 208, 200));
  EXPECT_EQ(GetSysColorBrush(31), nullptr);
}

TEST(GdiSysColors, FillRectTakesASystemColourIndexPlusOne) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(2, 2, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(dc, bitmap);
  const RECT all{0, 0, 2, 2};
  EXPECT_TRUE(FillRect(dc, &all, reinterpret_cast<HBRUSH>(std::uintptr_t(COLOR_BTNFACE + 1))));
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(212, 208, 200));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

}  // namespace
