// Window regions and the region forms of invalidation, from region handles of the GDI.
#include "framework/platform/GdiObjects.h"
#include "framework/platform/GdiRegions.h"
#include "framework/platform/LastError.h"
#include "framework/platform/Paint.h"
#include "framework/platform/Window.h"
#include "framework/platform/gdi/RegionObject.h"
#include "framework/platform/windowing/Painting.h"
#include "framework/platform/windowing/Runtime.h"
#include "framework/platform/windowing/WindowDC.h"

namespace win {

namespace {

// Tells the backend the shape of a top-level window in its client coordinates.
void ReshapeOnBackend(const wnd::TWindow& window) {
  if (window.IsChild()) return;
  if (!window.FRegion) {
    wnd::Runtime().Backend().WindowShapeChanged(window.FHandle, nullptr);
    return;
  }
  gdi::TRegion shape = *window.FRegion;
  shape.Offset(-window.FFrame.left, -window.FFrame.top);
  wnd::Runtime().Backend().WindowShapeChanged(window.FHandle, &shape);
}

}  // namespace

int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw) {
  wnd::TWindow* window = wnd::FindWindowOrFail(hwnd);
  if (!window) return 0;
  const gdi::TRegion* source = region ? gdi::RegionOf(region) : nullptr;
  if (region && !source) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  const gdi::TRegion oldArea = wnd::WindowArea(*window);
  if (source) {
    window->FRegion = *source;
  } else {
    window->FRegion.reset();
  }
  // The region now belongs to the window: the handle is released here, so that a later use of
  // it by the caller fails cleanly instead of changing the window's shape behind its back.
  if (region) DeleteObject(region);
  ReshapeOnBackend(*window);
  if (redraw && window->IsVisibleStyle()) {
    if (window->IsChild()) wnd::Expose(window->FParent, oldArea);
    wnd::InvalidateWholeWindow(hwnd, true);
  }
  wnd::RefreshWindowDCs();
  return 1;
}

int GetWindowRgn(HWND hwnd, HRGN region) {
  const wnd::TWindow* window = wnd::FindWindowOrFail(hwnd);
  gdi::TRegion* target = region ? gdi::RegionOf(region) : nullptr;
  if (!window || !target || !window->FRegion) return ERROR;
  *target = *window->FRegion;
  return gdi::RegionComplexity(*target);
}

BOOL InvalidateRgn(HWND hwnd, HRGN region, BOOL erase) {
  const wnd::TWindow* window = wnd::FindWindowOrFail(hwnd);
  if (!window) return FALSE;
  const gdi::TRegion* area = region ? gdi::RegionOf(region) : nullptr;
  if (region && !area) return FALSE;
  wnd::InvalidateClientArea(hwnd, area ? *area : wnd::WholeClientArea(*window), erase != FALSE,
                            true);
  return TRUE;
}

BOOL ValidateRgn(HWND hwnd, HRGN region) {
  if (!wnd::FindWindowOrFail(hwnd)) return FALSE;
  const gdi::TRegion* area = region ? gdi::RegionOf(region) : nullptr;
  if (region && !area) return FALSE;
  wnd::ValidateClientArea(hwnd, area);
  return TRUE;
}

int GetUpdateRgn(HWND hwnd, HRGN region, BOOL /*erase*/) {
  const wnd::TWindow* window = wnd::FindWindowOrFail(hwnd);
  gdi::TRegion* target = region ? gdi::RegionOf(region) : nullptr;
  if (!window || !target) return ERROR;
  *target = window->FUpdate;
  return gdi::RegionComplexity(*target);
}

}  // namespace win
