// Device contexts of windows: each draws into the framebuffer of the window's top-level window,
// with its origin at the window's client area and clipped to the window's visible region (and,
// for a paint context, to the area being painted). Live contexts follow window changes.
#pragma once

#include "framework/platform/WindowTypes.h"
#include "framework/platform/gdi/Region.h"

namespace win::wnd {

// A context for the client area; `paintArea` (client coordinates) further limits it.
HDC AcquireWindowDC(HWND hwnd, const gdi::TRegion* paintArea);
// 1 when the context belonged to the window and is released, 0 otherwise.
int ReleaseWindowDC(HWND hwnd, HDC hdc);
HWND WindowOfDC(HDC hdc);
// Recomputes the visible regions and origins of every live window context (after a window moved,
// was resized, reordered, shown, hidden, reshaped or destroyed).
void RefreshWindowDCs();
// Deletes the contexts a window still holds (it is being destroyed).
void ReleaseAllDCsOf(HWND hwnd);

}  // namespace win::wnd
