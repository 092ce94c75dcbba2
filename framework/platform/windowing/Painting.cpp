#include "framework/platform/windowing/Painting.h"

#include "framework/platform/WindowStyles.h"
#include "framework/platform/windowing/Runtime.h"

namespace win::wnd {

namespace {

RECT ClientRectOwn(const TWindow& window) {
  const SIZE size = window.ClientSize();
  return RECT{0, 0, size.cx, size.cy};
}

// The window's client rectangle cut by its own window region, in framebuffer coordinates.
gdi::TRegion ClientAreaInFramebuffer(const TWindow& window) {
  TWindowTable& windows = Runtime().FWindows;
  const POINT client = windows.ClientOriginInFramebuffer(window.FHandle);
  RECT rect = ClientRectOwn(window);
  gdi::TRegion area(RECT{client.x, client.y, client.x + rect.right, client.y + rect.bottom});
  if (window.FRegion) {
    const POINT origin = windows.WindowOriginInFramebuffer(window.FHandle);
    gdi::TRegion shape = *window.FRegion;
    shape.Offset(origin.x, origin.y);
    area.Intersect(shape);
  }
  return area;
}

// A sibling's or child's area (outer rectangle and window region) in framebuffer coordinates.
gdi::TRegion AreaInFramebuffer(const TWindow& window) {
  TWindowTable& windows = Runtime().FWindows;
  gdi::TRegion area = WindowArea(window);
  if (window.IsChild()) {
    const POINT parent = windows.ClientOriginInFramebuffer(window.FParent);
    area.Offset(parent.x, parent.y);
  }
  return area;
}

void SubtractSiblingsInFront(const TWindow& window, gdi::TRegion& region) {
  TWindowTable& windows = Runtime().FWindows;
  for (HWND sibling : windows.SiblingsOf(window)) {
    if (sibling == window.FHandle) break;
    const TWindow* other = windows.Find(sibling);
    if (other && other->IsVisibleStyle()) region.Subtract(AreaInFramebuffer(*other));
  }
}

}  // namespace

gdi::TRegion WholeClientArea(const TWindow& window) {
  const SIZE size = window.ClientSize();
  return gdi::TRegion(RECT{0, 0, size.cx, size.cy});
}

gdi::TRegion WindowArea(const TWindow& window) {
  gdi::TRegion area(window.FRect);
  if (window.FRegion) {
    gdi::TRegion shape = *window.FRegion;
    shape.Offset(window.FRect.left, window.FRect.top);
    area.Intersect(shape);
  }
  return area;
}

gdi::TRegion VisibleRegion(HWND hwnd) {
  TWindowTable& windows = Runtime().FWindows;
  const TWindow* window = windows.Find(hwnd);
  if (!window || !windows.IsVisible(hwnd)) return gdi::TRegion();
  gdi::TRegion region = ClientAreaInFramebuffer(*window);
  if (window->FStyle & WS_CLIPCHILDREN) {
    for (HWND child : window->FChildren) {
      const TWindow* other = windows.Find(child);
      if (other && other->IsVisibleStyle()) region.Subtract(AreaInFramebuffer(*other));
    }
  }
  const TWindow* current = window;
  while (current->IsChild()) {
    if (current->FStyle & WS_CLIPSIBLINGS) SubtractSiblingsInFront(*current, region);
    const TWindow* parent = windows.Find(current->FParent);
    if (!parent) break;
    region.Intersect(ClientAreaInFramebuffer(*parent));
    current = parent;
  }
  return region;
}

void InvalidateClientArea(HWND hwnd, const gdi::TRegion& area, bool erase, bool children) {
  TWindowTable& windows = Runtime().FWindows;
  TWindow* window = windows.Find(hwnd);
  // A hidden window gathers no update region: showing it invalidates it whole.
  if (!window || !windows.IsVisible(hwnd)) return;
  gdi::TRegion clipped = area;
  clipped.Intersect(ClientRectOwn(*window));
  if (!clipped.IsEmpty()) {
    window->FUpdate.Union(clipped);
    window->FEraseNeeded = window->FEraseNeeded || erase;
  }
  if (!children || (window->FStyle & WS_CLIPCHILDREN)) return;
  for (HWND child : window->FChildren) {
    const TWindow* other = windows.Find(child);
    if (!other || !other->IsVisibleStyle()) continue;
    gdi::TRegion part = clipped;
    part.Intersect(WindowArea(*other));
    if (part.IsEmpty()) continue;
    const RECT client = other->ClientRectInParent();
    part.Offset(-client.left, -client.top);
    InvalidateClientArea(child, part, erase, true);
  }
}

void InvalidateWholeWindow(HWND hwnd, bool erase) {
  TWindowTable& windows = Runtime().FWindows;
  windows.ForEachInSubtree(hwnd, [&](TWindow& window) {
    if (!windows.IsVisible(window.FHandle)) return;
    window.FUpdate.Union(ClientRectOwn(window));
    window.FEraseNeeded = window.FEraseNeeded || erase;
  });
}

void Expose(HWND hwnd, const gdi::TRegion& area) {
  TWindowTable& windows = Runtime().FWindows;
  TWindow* window = windows.Find(hwnd);
  if (!window || area.IsEmpty() || !windows.IsVisible(hwnd)) return;
  gdi::TRegion clipped = area;
  clipped.Intersect(ClientRectOwn(*window));
  window->FUpdate.Union(clipped);
  window->FEraseNeeded = window->FEraseNeeded || !clipped.IsEmpty();
  for (HWND child : window->FChildren) {
    const TWindow* other = windows.Find(child);
    if (!other) continue;
    gdi::TRegion part = clipped;
    part.Intersect(WindowArea(*other));
    if (part.IsEmpty()) continue;
    const RECT client = other->ClientRectInParent();
    part.Offset(-client.left, -client.top);
    Expose(child, part);
  }
}

void ValidateClientArea(HWND hwnd, const gdi::TRegion* area) {
  TWindow* window = Runtime().FWindows.Find(hwnd);
  if (!window) return;
  if (area) {
    window->FUpdate.Subtract(*area);
  } else {
    window->FUpdate.Clear();
  }
  if (window->FUpdate.IsEmpty()) window->FEraseNeeded = false;
}

namespace {

std::optional<HWND> FindInSubtree(const TWindowTable& windows, HWND hwnd, HWND filter) {
  const TWindow* window = windows.Find(hwnd);
  if (!window || !window->IsVisibleStyle()) return std::nullopt;
  if ((!filter || filter == hwnd) && !window->FUpdate.IsEmpty()) return hwnd;
  for (HWND child : window->FChildren) {
    if (auto found = FindInSubtree(windows, child, filter)) return found;
  }
  return std::nullopt;
}

}  // namespace

std::optional<HWND> FindWindowNeedingPaint(HWND filter) {
  const TWindowTable& windows = Runtime().FWindows;
  for (HWND top : windows.TopLevel()) {
    if (auto found = FindInSubtree(windows, top, filter)) return found;
  }
  return std::nullopt;
}

}  // namespace win::wnd
