#include <gtest/gtest.h>

#include "framework/platform/GdiRegions.h"
#include "framework/platform/Paint.h"
#include "framework/platform/Window.h"
#include "framework/platform/gdi/RegionObject.h"
#include "framework/platform/windowing/Painting.h"
#include "framework/platform/windowing/Runtime.h"
#include "tests/framework/platform/windowing/WindowTestSupport.h"

namespace win::testing {
namespace {

class PaintingTest : public THeadlessTest {
 protected:
  static void Shape(HWND hwnd, const gdi::TRegion& region) {
    ASSERT_TRUE(SetWindowRgn(hwnd, gdi::CreateRegionHandle(region), FALSE));
  }
  static gdi::TRegion UpdateOf(HWND hwnd) { return wnd::Runtime().FWindows.Find(hwnd)->FUpdate; }
};

TEST_F(PaintingTest, ShowingInvalidatesEverythingAndPaintingValidates) {
  const HWND top = CreateToolWindow(0, 0, 200, 80);
  const HWND child = CreateChild(top, 10, 10, 20, 20);
  ShowWindow(top, SW_SHOW);
  EXPECT_EQ(UpdateOf(top), gdi::TRegion(RECT{0, 0, 200, 80}));
  EXPECT_EQ(UpdateOf(child), gdi::TRegion(RECT{0, 0, 20, 20}));
  PumpPending();
  EXPECT_TRUE(UpdateOf(top).IsEmpty());
  EXPECT_TRUE(UpdateOf(child).IsEmpty());
  const auto paints = TMessageLog::Instance().FEntries;
  std::vector<HWND> painted;
  for (const auto& entry : paints) {
    if (entry.FMessage == WM_PAINT) painted.push_back(entry.FWindow);
  }
  EXPECT_EQ(painted, (std::vector<HWND>{top, child})) << "parents paint before their children";
  EXPECT_EQ(TMessageLog::Instance().Count(top, WM_ERASEBKGND), 1u);
}

TEST_F(PaintingTest, InvalidationSpreadsToChildrenUnlessTheParentClipsThem) {
  const HWND top = CreateToolWindow(0, 0, 100, 100, WS_VISIBLE);
  const HWND clipping = CreateChild(top, 0, 0, 50, 50, WS_CLIPCHILDREN);
  const HWND inner = CreateChild(clipping, 10, 10, 20, 20);
  const HWND plain = CreateChild(top, 50, 50, 50, 50);
  const HWND innerOfPlain = CreateChild(plain, 10, 10, 20, 20);
  PumpPending();
  const RECT area{0, 0, 15, 15};
  InvalidateRect(plain, &area, FALSE);
  EXPECT_EQ(UpdateOf(innerOfPlain), gdi::TRegion(RECT{0, 0, 5, 5}));
  InvalidateRect(clipping, &area, FALSE);
  EXPECT_TRUE(UpdateOf(inner).IsEmpty());
  EXPECT_EQ(UpdateOf(clipping), gdi::TRegion(area));
  ValidateRect(plain, nullptr);
  InvalidateRect(top, nullptr, FALSE);  // the top-level window clips its children
  EXPECT_TRUE(UpdateOf(plain).IsEmpty());
  const RECT outside{200, 200, 300, 300};
  ValidateRect(top, nullptr);
  InvalidateRect(top, &outside, FALSE);
  EXPECT_TRUE(UpdateOf(top).IsEmpty()) << "invalidation is limited to the client area";
}

TEST_F(PaintingTest, MovingAChildExposesWhereItWasAndRepaintsItWhole) {
  const HWND top = CreateToolWindow(0, 0, 200, 100, WS_VISIBLE);
  const HWND child = CreateChild(top, 0, 0, 20, 20);
  PumpPending();
  MoveWindow(child, 50, 0, 20, 20, TRUE);
  EXPECT_EQ(UpdateOf(top), gdi::TRegion(RECT{0, 0, 20, 20}));
  EXPECT_EQ(UpdateOf(child), gdi::TRegion(RECT{0, 0, 20, 20}));
  PumpPending();
  ShowWindow(child, SW_HIDE);
  EXPECT_EQ(UpdateOf(top), gdi::TRegion(RECT{50, 0, 70, 20}));
  PumpPending();
  MoveWindow(top, 40, 40, 206, 124, TRUE);
  EXPECT_TRUE(UpdateOf(top).IsEmpty()) << "moving a top-level window keeps its pixels";
  MoveWindow(top, 40, 40, 226, 124, TRUE);
  EXPECT_EQ(UpdateOf(top), gdi::TRegion(RECT{200, 0, 220, 100})) << "only the new strip";
}

TEST_F(PaintingTest, UpdateWindowPaintsAtOnceWithoutTheQueue) {
  const HWND top = CreateToolWindow(0, 0, 100, 100, WS_VISIBLE);
  const HWND child = CreateChild(top, 0, 0, 20, 20);
  PumpPending();
  InvalidateRect(top, nullptr, TRUE);
  InvalidateRect(child, nullptr, TRUE);
  TMessageLog::Instance().FEntries.clear();
  EXPECT_TRUE(UpdateWindow(top));
  EXPECT_EQ(TMessageLog::Instance().Count(top, WM_PAINT), 1u);
  EXPECT_EQ(TMessageLog::Instance().Count(child, WM_PAINT), 1u);
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE));
  EXPECT_FALSE(UpdateWindow(reinterpret_cast<HWND>(std::intptr_t(8))));
}

TEST_F(PaintingTest, BeginPaintTakesTheUpdateAreaAndAsksForErasing) {
  const HWND top = CreateToolWindow(0, 0, 100, 100, WS_VISIBLE);
  PumpPending();
  TMessageLog::Instance().FHandlers[top] = [](HWND, UINT msg, WPARAM,
                                              LPARAM) -> std::optional<LRESULT> {
    if (msg == WM_ERASEBKGND) return 1;
    return std::nullopt;
  };
  const RECT first{5, 5, 10, 10};
  const RECT second{20, 30, 25, 40};
  InvalidateRect(top, &first, FALSE);
  InvalidateRect(top, &second, TRUE);
  RECT pending;
  EXPECT_TRUE(GetUpdateRect(top, &pending, FALSE));
  EXPECT_EQ(pending, (RECT{5, 5, 25, 40}));
  PAINTSTRUCT paint;
  BeginPaint(top, &paint);
  EXPECT_EQ(paint.rcPaint, (RECT{5, 5, 25, 40}));
  EXPECT_FALSE(paint.fErase) << "the window erased its background itself";
  EndPaint(top, &paint);
  EXPECT_FALSE(GetUpdateRect(top, &pending, FALSE));
}

TEST_F(PaintingTest, VisibleRegionHonoursRegionsAndClipStyles) {
  const HWND top = CreateToolWindow(0, 0, 100, 100, WS_VISIBLE);
  const HWND panel = CreateChild(top, 10, 10, 60, 60, WS_CLIPCHILDREN);
  const HWND button = CreateChild(panel, 0, 0, 20, 20);
  const HWND cover = CreateChild(panel, 10, 10, 20, 20);  // in front of the button
  // Without WS_CLIPSIBLINGS the button draws over its sibling in front.
  EXPECT_EQ(wnd::VisibleRegion(button), gdi::TRegion(RECT{10, 10, 30, 30}));
  SetWindowLongPtrA(button, GWL_STYLE, GetWindowLongPtrA(button, GWL_STYLE) | WS_CLIPSIBLINGS);
  gdi::TRegion expected(RECT{10, 10, 30, 30});
  expected.Subtract(RECT{20, 20, 30, 30});
  EXPECT_EQ(wnd::VisibleRegion(button), expected);

  gdi::TRegion panelExpected(RECT{10, 10, 70, 70});
  panelExpected.Subtract(RECT{10, 10, 30, 30});
  panelExpected.Subtract(RECT{20, 20, 40, 40});
  EXPECT_EQ(wnd::VisibleRegion(panel), panelExpected) << "WS_CLIPCHILDREN leaves out children";

  // A round-ish region on the panel cuts its children too; the children's regions cut them.
  gdi::TRegion panelShape(RECT{0, 0, 60, 15});
  Shape(panel, panelShape);
  EXPECT_EQ(wnd::VisibleRegion(cover), gdi::TRegion(RECT{20, 20, 40, 25}));
  Shape(cover, gdi::TRegion(RECT{0, 0, 5, 5}));
  EXPECT_EQ(wnd::VisibleRegion(cover), gdi::TRegion(RECT{20, 20, 25, 25}));
  ShowWindow(cover, SW_HIDE);
  EXPECT_TRUE(wnd::VisibleRegion(cover).IsEmpty());
  EXPECT_EQ(wnd::VisibleRegion(button), gdi::TRegion(RECT{10, 10, 30, 25}));

  // The top-level region is in window coordinates: the frame's offset applies.
  Shape(top, gdi::TRegion(RECT{0, 0, 30, 40}));
  EXPECT_EQ(wnd::VisibleRegion(top).Extents(), (RECT{0, 0, 27, 19}));
}

}  // namespace
}  // namespace win::testing
