// Update regions and visible regions: invalidation with its spread to child windows, exposure of
// a parent's area, the search for the next window that WM_PAINT is generated for, and the area of
// a top-level window's framebuffer that a window's drawing may reach.
#pragma once

#include <optional>

#include "framework/platform/WindowTypes.h"
#include "framework/platform/gdi/Region.h"

namespace win::wnd {

struct TWindow;

// The window's whole client area, in client coordinates.
gdi::TRegion WholeClientArea(const TWindow& window);

// The window's outer rectangle cut by its window region, in its parent's client coordinates.
gdi::TRegion WindowArea(const TWindow& window);

// The part of the framebuffer of the window's top-level window that drawing into the window's
// client area may change: its client area cut by its own and its ancestors' window regions and
// client areas, less overlapping siblings in front (WS_CLIPSIBLINGS, for the window and each
// ancestor) and visible children (WS_CLIPCHILDREN). Empty for a hidden window.
gdi::TRegion VisibleRegion(HWND hwnd);

// Adds `area` (client coordinates) to the update region of a visible window. The area spreads to
// visible children it overlaps unless the window clips its children or `children` is false.
void InvalidateClientArea(HWND hwnd, const gdi::TRegion& area, bool erase, bool children);
void InvalidateWholeWindow(HWND hwnd, bool erase);
// Marks an area of a window's client area (or, for NULL, nothing) as needing a repaint, with every
// visible descendant it overlaps: what lay on top of it has gone.
void Expose(HWND hwnd, const gdi::TRegion& area);
void ValidateClientArea(HWND hwnd, const gdi::TRegion* area);

// The first visible window with a non-empty update region, parents before children and front
// windows before back ones; limited to `filter` when given.
std::optional<HWND> FindWindowNeedingPaint(HWND filter);

}  // namespace win::wnd
