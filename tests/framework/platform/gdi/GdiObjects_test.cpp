// Object handles: stock objects, selection, deferred deletion and stale handles.
#include <gtest/gtest.h>

#include "framework/platform/Gdi.h"

namespace {

using namespace win;

TEST(GdiObjects, StockObjectsSurviveDeletionAndReportTheirKind) {
  const HGDIOBJ black = GetStockObject(BLACK_PEN);
  ASSERT_NE(black, nullptr);
  EXPECT_EQ(GetStockObject(BLACK_PEN), black);
  EXPECT_EQ(GetObjectType(black), OBJ_PEN);
  EXPECT_EQ(GetObjectType(GetStockObject(NULL_BRUSH)), OBJ_BRUSH);
  EXPECT_EQ(GetObjectType(GetStockObject(DEFAULT_PALETTE)), OBJ_PAL);
  EXPECT_EQ(GetObjectType(GetStockObject(SYSTEM_FONT)), OBJ_FONT);
  EXPECT_TRUE(DeleteObject(black));
  EXPECT_EQ(GetObjectType(black), OBJ_PEN);
  EXPECT_EQ(GetStockObject(9), nullptr);
}

TEST(GdiObjects, DeletedHandlesFailCleanlyAndAreNeverReused) {
  HBRUSH first = CreateSolidBrush(RGB(1, 2, 3));
  ASSERT_TRUE(DeleteObject(first));
  EXPECT_FALSE(DeleteObject(first));
  EXPECT_EQ(GetObjectType(first), 0u);
  LOGBRUSH lb;
  EXPECT_EQ(GetObject(first, sizeof(lb), &lb), 0);
  HBRUSH second = CreateSolidBrush(RGB(1, 2, 3));
  EXPECT_NE(second, first);
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SelectObject(dc, first), nullptr);
  DeleteObject(second);
  DeleteDC(dc);
}

TEST(GdiObjects, DeletingASelectedBrushWaitsUntilItIsDeselected) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
  const HGDIOBJ previous = SelectObject(dc, brush);
  EXPECT_EQ(previous, GetStockObject(WHITE_BRUSH));
  EXPECT_TRUE(DeleteObject(brush));
  // Still usable while selected.
  EXPECT_EQ(GetObjectType(brush), OBJ_BRUSH);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), HandleCast<HGDIOBJ>(brush));
  SelectObject(dc, previous);
  EXPECT_EQ(GetObjectType(brush), 0u);
  DeleteDC(dc);
}

TEST(GdiObjects, DeleteDcCompletesPendingDeletions) {
  HDC dc = CreateCompatibleDC(nullptr);
  HPEN pen = CreatePen(PS_DASH, 1, RGB(9, 9, 9));
  SelectObject(dc, pen);
  DeleteObject(pen);
  EXPECT_EQ(GetObjectType(pen), OBJ_PEN);
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_EQ(GetObjectType(pen), 0u);
  EXPECT_FALSE(DeleteDC(dc));
}

TEST(GdiObjects, BitmapIsSelectableIntoOneContextAtATime) {
  HDC a = CreateCompatibleDC(nullptr);
  HDC b = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(4, 4, 1, 32, nullptr);
  const HGDIOBJ old = SelectObject(a, bitmap);
  ASSERT_NE(old, nullptr);
  EXPECT_EQ(GetObjectType(old), OBJ_BITMAP);
  EXPECT_EQ(SelectObject(b, bitmap), nullptr);
  SelectObject(a, old);
  EXPECT_NE(SelectObject(b, bitmap), nullptr);
  DeleteDC(a);
  DeleteDC(b);
  EXPECT_TRUE(DeleteObject(bitmap));
}

TEST(GdiObjects, GetObjectDescribesPensBrushesAndPalettes) {
  HPEN pen = CreatePen(PS_DOT, 3, RGB(1, 2, 3));
  LOGPEN lp;
  ASSERT_EQ(GetObject(pen, sizeof(lp), &lp), int(sizeof(LOGPEN)));
  EXPECT_EQ(lp.lopnStyle, UINT(PS_DOT));
  EXPECT_EQ(lp.lopnWidth.x, 3);
  EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));
  EXPECT_EQ(GetObject(pen, 4, &lp), 0);

  const LOGBRUSH brush{BS_SOLID, RGB(7, 8, 9), 0};
  DWORD styles[] = {3, 1};
  HPEN ext = ExtCreatePen(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT | PS_JOIN_MITER, 5, &brush,
                          2, styles);
  ASSERT_NE(ext, nullptr);
  EXPECT_EQ(GetObjectType(ext), OBJ_EXTPEN);
  alignas(EXTLOGPEN) unsigned char buffer[64];
  ASSERT_GT(GetObject(ext, sizeof(buffer), buffer), 0);
  const auto* elp = reinterpret_cast<const EXTLOGPEN*>(buffer);
  EXPECT_EQ(elp->elpPenStyle, DWORD(PS_GEOMETRIC | PS_USERSTYLE | PS_ENDCAP_FLAT | PS_JOIN_MITER));
  EXPECT_EQ(elp->elpWidth, 5u);
  EXPECT_EQ(elp->elpNumEntries, 2u);

  HBRUSH hatch = CreateHatchBrush(HS_CROSS, RGB(4, 5, 6));
  LOGBRUSH lb;
  ASSERT_EQ(GetObject(hatch, sizeof(lb), &lb), int(sizeof(LOGBRUSH)));
  EXPECT_EQ(lb.lbStyle, BS_HATCHED);
  EXPECT_EQ(lb.lbHatch, std::uintptr_t(HS_CROSS));
  EXPECT_EQ(CreateHatchBrush(6, 0), nullptr);
  // A cosmetic pen must be one pixel wide.
  EXPECT_EQ(ExtCreatePen(PS_COSMETIC | PS_SOLID, 2, &brush, 0, nullptr), nullptr);
  for (HGDIOBJ h : {HandleCast<HGDIOBJ>(pen), HandleCast<HGDIOBJ>(ext), HandleCast<HGDIOBJ>(hatch)})
    DeleteObject(h);
}

TEST(GdiObjects, SelectingARegionSetsTheClipAndAnswersItsComplexity) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateBitmap(20, 20, 1, 32, nullptr);
  SelectObject(dc, bitmap);
  HRGN region = CreateRectRgn(2, 2, 5, 5);
  EXPECT_EQ(SelectObject(dc, region), reinterpret_cast<HGDIOBJ>(std::uintptr_t(SIMPLEREGION)));
  RECT box;
  EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
  EXPECT_EQ(box, (RECT{2, 2, 5, 5}));
  DeleteObject(region);
  DeleteDC(dc);
  DeleteObject(bitmap);
}

}  // namespace
