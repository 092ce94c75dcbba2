#include <gtest/gtest.h>

#include "framework/platform/Gdi.h"
#include "framework/platform/Paint.h"
#include "framework/platform/Window.h"
#include "tests/framework/platform/windowing/WindowTestSupport.h"

namespace win::testing {
namespace {

constexpr std::uint32_t White = 0x00FFFFFF;
constexpr std::uint32_t Red = 0x00FF0000;
constexpr std::uint32_t Blue = 0x000000FF;
constexpr std::uint32_t Green = 0x0000FF00;

class CompositionTest : public THeadlessTest {
 protected:
  // A window that paints itself in one colour, erasing nothing.
  void PaintsIn(HWND hwnd, COLORREF colour) {
    TMessageLog::Instance().FHandlers[hwnd] = [colour](HWND self, UINT msg, WPARAM,
                                                       LPARAM) -> std::optional<LRESULT> {
      if (msg == WM_ERASEBKGND) return 1;
      if (msg != WM_PAINT) return std::nullopt;
      PAINTSTRUCT paint;
      HDC hdc = BeginPaint(self, &paint);
      RECT all{-1000, -1000, 1000, 1000};  // far beyond the window: clipping must hold it
      HBRUSH brush = CreateSolidBrush(colour);
      FillRect(hdc, &all, brush);
      DeleteObject(brush);
      EndPaint(self, &paint);
      return 0;
    };
  }
  std::uint32_t At(HWND top, LONG x, LONG y) { return FBackend->ReadFramebuffer(top)->Pixel(x, y); }
  long CountOf(HWND top, std::uint32_t colour) {
    const auto copy = FBackend->ReadFramebuffer(top);
    return long(std::count(copy->FPixels.begin(), copy->FPixels.end(), colour));
  }
};

TEST_F(CompositionTest, PaintingIsClippedToRegionsAndClipStyles) {
  const HWND top = CreateToolWindow(0, 0, 120, 60);
  const HWND panel = CreateChild(top, 10, 10, 40, 40, WS_CLIPCHILDREN);
  const HWND inner = CreateChild(panel, 0, 0, 10, 10);
  const HWND round = CreateChild(top, 60, 10, 40, 40);
  PaintsIn(top, RGB(255, 255, 255));
  PaintsIn(panel, RGB(255, 0, 0));
  PaintsIn(inner, RGB(0, 0, 255));
  PaintsIn(round, RGB(0, 255, 0));
  // A plus-shaped region on the round window (window coordinates).
  HRGN shape = CreateRectRgn(15, 0, 25, 40);
  HRGN bar = CreateRectRgn(0, 15, 40, 25);
  CombineRgn(shape, shape, bar, RGN_OR);
  DeleteObject(bar);
  ASSERT_TRUE(SetWindowRgn(round, shape, TRUE));
  EXPECT_EQ(GetRgnBox(shape, nullptr), ERROR) << "the window took the region over";
  ShowWindow(top, SW_SHOW);
  PumpPending();

  EXPECT_EQ(At(top, 5, 5), White);
  EXPECT_EQ(At(top, 10, 10), Blue) << "the inner child over the clipping panel";
  EXPECT_EQ(At(top, 25, 25), Red);
  EXPECT_EQ(At(top, 50, 10), White) << "the panel's wild fill is clipped to its own area";
  EXPECT_EQ(At(top, 61, 11), White) << "outside the plus shape the parent shows";
  EXPECT_EQ(At(top, 80, 11), Green);
  EXPECT_EQ(At(top, 61, 30), Green);
  EXPECT_EQ(CountOf(top, Green), 10 * 40 + 10 * 40 - 10 * 10);
  EXPECT_EQ(CountOf(top, Blue), 100);

  HRGN copy = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(round, copy), COMPLEXREGION);
  RECT box;
  GetRgnBox(copy, &box);
  EXPECT_EQ(box, (RECT{0, 0, 40, 40}));
  EXPECT_EQ(GetWindowRgn(panel, copy), ERROR) << "no region set";
  DeleteObject(copy);
}

TEST_F(CompositionTest, ParentWithoutClipChildrenPaintsUnderThemAndTheyRepaintOnTop) {
  const HWND top = CreateToolWindow(0, 0, 120, 60);
  SetWindowLongPtrA(top, GWL_STYLE, GetWindowLongPtrA(top, GWL_STYLE) & ~LONG_PTR(WS_CLIPCHILDREN));
  const HWND child = CreateChild(top, 0, 0, 10, 10);
  PaintsIn(top, RGB(255, 0, 0));
  PaintsIn(child, RGB(0, 0, 255));
  ShowWindow(top, SW_SHOW);
  PumpPending();
  EXPECT_EQ(At(top, 5, 5), Blue);
  // Repainting the parent alone reaches under the child, and the child is repainted after it.
  InvalidateRect(top, nullptr, FALSE);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, top);
  DispatchMessageA(&msg);
  EXPECT_EQ(At(top, 5, 5), Red);
  PumpPending();
  EXPECT_EQ(At(top, 5, 5), Blue);
}

TEST_F(CompositionTest, WindowDCReadsWhatIsDisplayedAndFollowsMoves) {
  const HWND top = CreateToolWindow(0, 0, 120, 60, WS_VISIBLE);
  const HWND child = CreateChild(top, 20, 20, 10, 10);
  PumpPending();
  HDC hdc = GetDC(child);
  ASSERT_TRUE(hdc);
  EXPECT_EQ(WindowFromDC(hdc), child);
  SetPixel(hdc, 0, 0, RGB(255, 0, 0));
  EXPECT_EQ(At(top, 20, 20), Red);
  EXPECT_EQ(GetPixel(hdc, 0, 0), RGB(255, 0, 0));
  MoveWindow(child, 50, 30, 10, 10, FALSE);
  SetPixel(hdc, 1, 1, RGB(0, 0, 255));
  EXPECT_EQ(At(top, 51, 31), Blue) << "a held context follows its window";
  SetPixel(hdc, 20, 20, RGB(0, 255, 0));
  EXPECT_EQ(At(top, 70, 50), White) << "outside the child nothing changes";
  EXPECT_EQ(ReleaseDC(top, hdc), 0) << "another window's context is not released";
  EXPECT_EQ(ReleaseDC(child, hdc), 1);
  EXPECT_EQ(ReleaseDC(child, hdc), 0);

  HDC screen = GetDC(nullptr);
  ASSERT_TRUE(screen);
  EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
  EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
}

TEST_F(CompositionTest, ContextOfADestroyedWindowDrawsNowhere) {
  const HWND top = CreateToolWindow(0, 0, 120, 60, WS_VISIBLE);
  const HWND child = CreateChild(top, 0, 0, 10, 10);
  PumpPending();
  HDC hdc = GetDC(child);
  DestroyWindow(child);
  EXPECT_EQ(GetPixel(hdc, 0, 0), CLR_INVALID) << "the context went with its window";
  EXPECT_EQ(SetPixel(hdc, 0, 0, RGB(255, 0, 0)), CLR_INVALID);
  EXPECT_EQ(ReleaseDC(child, hdc), 0);
  EXPECT_EQ(At(top, 0, 0), White);
}

TEST_F(CompositionTest, HiddenWindowsPaintNothingAndGrowingKeepsPixels) {
  const HWND top = CreateToolWindow(0, 0, 120, 60);
  PaintsIn(top, RGB(255, 0, 0));
  HDC hdc = GetDC(top);
  SetPixel(hdc, 0, 0, RGB(0, 0, 255));
  ReleaseDC(top, hdc);
  EXPECT_EQ(At(top, 0, 0), White) << "a hidden window's context is clipped away";
  ShowWindow(top, SW_SHOW);
  PumpPending();
  EXPECT_EQ(CountOf(top, Red), 120 * 60);
  TMessageLog::Instance().FHandlers.erase(top);
  SetWindowPos(top, nullptr, 0, 0, 206, 84, SWP_NOMOVE | SWP_NOZORDER);
  ValidateRect(top, nullptr);
  const auto copy = FBackend->ReadFramebuffer(top);
  EXPECT_EQ(copy->FWidth, 200);
  EXPECT_EQ(copy->Pixel(119, 59), Red);
  EXPECT_EQ(copy->Pixel(150, 30), White);
}

TEST_F(CompositionTest, RegionCallsWithBadHandlesFail) {
  const HWND top = CreateToolWindow(0, 0, 120, 60);
  const HWND gone = CreateChild(top, 0, 0, 10, 10);
  DestroyWindow(gone);
  HRGN region = CreateRectRgn(0, 0, 5, 5);
  EXPECT_EQ(SetWindowRgn(gone, region, TRUE), 0);
  RECT box;
  EXPECT_EQ(GetRgnBox(region, &box), SIMPLEREGION) << "a refused region stays the caller's";
  HBRUSH brush = CreateSolidBrush(0);
  EXPECT_EQ(SetWindowRgn(top, reinterpret_cast<HRGN>(brush), TRUE), 0);
  EXPECT_FALSE(InvalidateRgn(top, reinterpret_cast<HRGN>(brush), FALSE));
  EXPECT_EQ(SetWindowRgn(top, nullptr, TRUE), 1) << "removing a region that is not there";
  EXPECT_TRUE(InvalidateRgn(top, region, FALSE));
  HRGN update = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetUpdateRgn(top, update, FALSE), NULLREGION) << "a hidden window gathers none";
  ShowWindow(top, SW_SHOW);
  ValidateRgn(top, nullptr);
  InvalidateRgn(top, region, FALSE);
  EXPECT_EQ(GetUpdateRgn(top, update, FALSE), SIMPLEREGION);
  DeleteObject(brush);
  DeleteObject(region);
  DeleteObject(update);
}

}  // namespace
}  // namespace win::testing
