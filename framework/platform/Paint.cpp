// The public invalidation and painting calls.
#include "framework/platform/Paint.h"

#include "framework/platform/LastError.h"
#include "framework/platform/Messages.h"
#include "framework/platform/windowing/Dispatch.h"
#include "framework/platform/windowing/Painting.h"
#include "framework/platform/windowing/Runtime.h"
#include "framework/platform/windowing/WindowDC.h"

namespace win {

namespace {

void InvalidateEverything() {
  const std::vector<HWND> top = wnd::Runtime().FWindows.TopLevel();
  for (HWND hwnd : top)
    wnd::InvalidateWholeWindow(hwnd, true);
}

void PaintSubtree(HWND hwnd) {
  wnd::TRuntime& runtime = wnd::Runtime();
  const wnd::TWindow* window = runtime.FWindows.Find(hwnd);
  if (!window || !runtime.FWindows.IsVisible(hwnd)) return;
  if (!window->FUpdate.IsEmpty()) wnd::Deliver(hwnd, WM_PAINT, 0, 0);
  window = runtime.FWindows.Find(hwnd);
  if (!window) return;
  const std::vector<HWND> children = window->FChildren;
  for (HWND child : children)
    PaintSubtree(child);
}

}  // namespace

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
  if (!hwnd) {
    InvalidateEverything();
    return TRUE;
  }
  const wnd::TWindow* window = wnd::FindWindowOrFail(hwnd);
  if (!window) return FALSE;
  const gdi::TRegion area = rect ? gdi::TRegion(*rect) : wnd::WholeClientArea(*window);
  wnd::InvalidateClientArea(hwnd, area, erase != FALSE, true);
  return TRUE;
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
  if (!hwnd) {
    InvalidateEverything();
    return TRUE;
  }
  if (!wnd::FindWindowOrFail(hwnd)) return FALSE;
  if (rect) {
    const gdi::TRegion area(*rect);
    wnd::ValidateClientArea(hwnd, &area);
  } else {
    wnd::ValidateClientArea(hwnd, nullptr);
  }
  return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase) {
  const wnd::TWindow* window = wnd::FindWindowOrFail(hwnd);
  if (!window) return FALSE;
  const bool pending = !window->FUpdate.IsEmpty();
  if (rect) *rect = window->FUpdate.Extents();
  if (pending && erase && window->FEraseNeeded) {
    HDC hdc = wnd::AcquireWindowDC(hwnd, &window->FUpdate);
    if (wnd::Deliver(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0)) {
      if (wnd::TWindow* still = wnd::Runtime().FWindows.Find(hwnd)) still->FEraseNeeded = false;
    }
    wnd::ReleaseWindowDC(hwnd, hdc);
  }
  return pending ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND hwnd) {
  if (!wnd::FindWindowOrFail(hwnd)) return FALSE;
  PaintSubtree(hwnd);
  return TRUE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint) {
  wnd::TWindow* window = wnd::FindWindowOrFail(hwnd);
  if (!window || !paint) return nullptr;
  const gdi::TRegion area = window->FUpdate;
  const bool erase = window->FEraseNeeded;
  window->FUpdate.Clear();
  window->FEraseNeeded = false;
  *paint = PAINTSTRUCT();
  paint->rcPaint = area.Extents();
  HDC hdc = wnd::AcquireWindowDC(hwnd, &area);
  paint->hdc = hdc;
  paint->fErase = erase ? TRUE : FALSE;
  if (erase && !area.IsEmpty()) {
    const LRESULT erased = wnd::Deliver(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
    paint->fErase = erased ? FALSE : TRUE;
  }
  return hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* paint) {
  if (!paint) return FALSE;
  if (paint->hdc) wnd::ReleaseWindowDC(hwnd, paint->hdc);
  return TRUE;
}

HDC GetDC(HWND hwnd) {
  if (hwnd && !wnd::FindWindowOrFail(hwnd)) return nullptr;
  return wnd::AcquireWindowDC(hwnd, nullptr);
}

int ReleaseDC(HWND hwnd, HDC hdc) {
  return wnd::ReleaseWindowDC(hwnd, hdc);
}

HWND WindowFromDC(HDC hdc) {
  return wnd::WindowOfDC(hdc);
}

}  // namespace win
