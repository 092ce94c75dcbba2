// The window-DC hook: drawing into a shared framebuffer through a device origin and a visible
// region, with damage reported and reads served from the framebuffer.
#include <gtest/gtest.h>

#include "framework/platform/Gdi.h"
#include "framework/platform/gdi/SurfaceDc.h"

namespace {

using namespace win;

TEST(SurfaceDc, PaintsAtItsOriginOnlyInsideTheVisibleRegion) {
  auto framebuffer = gdi::CreateFramebuffer(20, 20);
  ASSERT_NE(framebuffer, nullptr);
  gdi::TRegion visible(RECT{5, 5, 15, 15});
  visible.Subtract(RECT{5, 5, 7, 7});
  HDC dc = gdi::CreateSurfaceDC(framebuffer, POINT{5, 5}, visible);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetObjectType(dc), OBJ_DC);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  const RECT all{-10, -10, 40, 40};
  framebuffer->TakeDamage();
  FillRect(dc, &all, red);
  EXPECT_EQ(framebuffer->ToColor(framebuffer->GetPixel(4, 10)), RGB(0, 0, 0));
  EXPECT_EQ(framebuffer->ToColor(framebuffer->GetPixel(6, 6)), RGB(0, 0, 0));
  EXPECT_EQ(framebuffer->ToColor(framebuffer->GetPixel(10, 10)), RGB(255, 0, 0));
  EXPECT_EQ(framebuffer->TakeDamage().Extents(), (RECT{5, 5, 15, 15}));
  EXPECT_TRUE(framebuffer->TakeDamage().IsEmpty());
  // Device coordinates are relative to the origin; hidden pixels read as invalid.
  EXPECT_EQ(GetPixel(dc, 5, 5), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
  RECT box;
  EXPECT_EQ(GetClipBox(dc, &box), COMPLEXREGION);
  EXPECT_EQ(box, (RECT{0, 0, 10, 10}));

  ASSERT_TRUE(gdi::SetSurfaceDCOrigin(dc, POINT{0, 0}));
  ASSERT_TRUE(gdi::SetSurfaceDCVisibleRegion(dc, gdi::TRegion(RECT{0, 0, 20, 20})));
  EXPECT_EQ(GetPixel(dc, 10, 10), RGB(255, 0, 0));
  // A window context cannot hold a bitmap.
  HBITMAP bitmap = CreateBitmap(2, 2, 1, 32, nullptr);
  EXPECT_EQ(SelectObject(dc, bitmap), nullptr);
  HDC memory = CreateCompatibleDC(nullptr);
  EXPECT_FALSE(gdi::SetSurfaceDCOrigin(memory, POINT{1, 1}));
  DeleteDC(memory);
  DeleteObject(bitmap);
  DeleteObject(red);
  EXPECT_TRUE(DeleteDC(dc));
}

TEST(SurfaceDc, ReadingFromAWindowContextReadsTheFramebuffer) {
  auto framebuffer = gdi::CreateFramebuffer(4, 4);
  framebuffer->SetPixel(3, 2, 0x123456);
  HDC window = gdi::CreateSurfaceDC(framebuffer, POINT{1, 1}, gdi::TRegion(RECT{0, 0, 4, 4}));
  HDC memory = CreateCompatibleDC(window);
  HBITMAP copy = CreateCompatibleBitmap(window, 3, 3);
  BITMAP bm;
  GetObject(copy, sizeof(bm), &bm);
  EXPECT_EQ(bm.bmBitsPixel, 32);
  HGDIOBJ old = SelectObject(memory, copy);
  ASSERT_TRUE(BitBlt(memory, 0, 0, 3, 3, window, 0, 0, SRCCOPY));
  EXPECT_EQ(GetPixel(memory, 2, 1), RGB(0x12, 0x34, 0x56));
  SelectObject(memory, old);
  DeleteObject(copy);
  DeleteDC(memory);
  DeleteDC(window);
}

}  // namespace
