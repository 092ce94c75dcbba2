#include "framework/platform/windowing/WindowDC.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "framework/platform/GdiDc.h"
#include "framework/platform/gdi/SurfaceDc.h"
#include "framework/platform/windowing/Painting.h"
#include "framework/platform/windowing/Runtime.h"

namespace win::wnd {

namespace {

struct TLiveDC {
  HDC FHandle = nullptr;
  HWND FWindow = nullptr;
  std::optional<gdi::TRegion> FPaintArea;  // client coordinates
  std::weak_ptr<gdi::TSurface> FSurface;
};

std::vector<TLiveDC>& LiveDCs() {
  static std::vector<TLiveDC> list;
  return list;
}

// The screen's context (GetDC(NULL)): a screen-sized surface of the screen's format that shows
// nothing; enough for device capabilities and compatible bitmaps.
std::shared_ptr<gdi::TSurface>& ScreenSurface() {
  static std::shared_ptr<gdi::TSurface> surface;
  return surface;
}

gdi::TRegion VisibleFor(const TLiveDC& dc, POINT origin) {
  gdi::TRegion visible = VisibleRegion(dc.FWindow);
  if (dc.FPaintArea) {
    gdi::TRegion area = *dc.FPaintArea;
    area.Offset(origin.x, origin.y);
    visible.Intersect(area);
  }
  return visible;
}

}  // namespace

HDC AcquireWindowDC(HWND hwnd, const gdi::TRegion* paintArea) {
  TRuntime& runtime = Runtime();
  if (!hwnd) {
    const SIZE screen = runtime.Backend().ScreenSize();
    auto& surface = ScreenSurface();
    if (!surface || surface->Width() != screen.cx || surface->Height() != screen.cy) {
      surface = gdi::CreateFramebuffer(std::max<LONG>(screen.cx, 1), std::max<LONG>(screen.cy, 1));
    }
    return gdi::CreateSurfaceDC(surface, POINT{}, gdi::TRegion());
  }
  const TWindow* root = runtime.FWindows.Root(hwnd);
  TFramebuffer* framebuffer = root ? runtime.FramebufferOf(root->FHandle) : nullptr;
  if (!framebuffer || !framebuffer->Surface()) {
    // An empty client area: a context that draws nowhere.
    auto& surface = ScreenSurface();
    if (!surface) surface = gdi::CreateFramebuffer(1, 1);
    HDC hdc = gdi::CreateSurfaceDC(surface, POINT{}, gdi::TRegion());
    if (hdc) LiveDCs().push_back(TLiveDC{hdc, hwnd, std::nullopt, {}});
    return hdc;
  }
  TLiveDC dc{nullptr, hwnd, paintArea ? std::optional(*paintArea) : std::nullopt,
             framebuffer->Surface()};
  const POINT origin = runtime.FWindows.ClientOriginInFramebuffer(hwnd);
  dc.FHandle = gdi::CreateSurfaceDC(framebuffer->Surface(), origin, VisibleFor(dc, origin));
  if (dc.FHandle) LiveDCs().push_back(dc);
  return dc.FHandle;
}

int ReleaseWindowDC(HWND hwnd, HDC hdc) {
  auto& list = LiveDCs();
  const auto found = std::find_if(list.begin(), list.end(), [&](const TLiveDC& dc) {
    return dc.FHandle == hdc && (dc.FWindow == hwnd || !hwnd);
  });
  if (found == list.end()) {
    // The screen's contexts are not listed: they are released by handle alone.
    if (!hwnd && hdc && gdi::SurfaceOf(hdc) == ScreenSurface() && ScreenSurface()) {
      return DeleteDC(hdc) ? 1 : 0;
    }
    return 0;
  }
  list.erase(found);
  DeleteDC(hdc);
  return 1;
}

HWND WindowOfDC(HDC hdc) {
  for (const TLiveDC& dc : LiveDCs()) {
    if (dc.FHandle == hdc) return dc.FWindow;
  }
  return nullptr;
}

void RefreshWindowDCs() {
  TRuntime& runtime = Runtime();
  for (TLiveDC& dc : LiveDCs()) {
    const TWindow* root = runtime.FWindows.Root(dc.FWindow);
    TFramebuffer* framebuffer = root ? runtime.FramebufferOf(root->FHandle) : nullptr;
    const auto surface = dc.FSurface.lock();
    if (!framebuffer || !surface || framebuffer->Surface() != surface) {
      // The window is gone or its framebuffer was replaced: the context draws nowhere now.
      gdi::SetSurfaceDCVisibleRegion(dc.FHandle, gdi::TRegion());
      continue;
    }
    const POINT origin = runtime.FWindows.ClientOriginInFramebuffer(dc.FWindow);
    gdi::SetSurfaceDCOrigin(dc.FHandle, origin);
    gdi::SetSurfaceDCVisibleRegion(dc.FHandle, VisibleFor(dc, origin));
  }
}

void ReleaseAllDCsOf(HWND hwnd) {
  auto& list = LiveDCs();
  for (auto it = list.begin(); it != list.end();) {
    if (it->FWindow == hwnd) {
      DeleteDC(it->FHandle);
      it = list.erase(it);
    } else {
      ++it;
    }
  }
}

}  // namespace win::wnd
