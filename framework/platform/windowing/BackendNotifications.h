// What a display backend reports about top-level windows that changed outside the program: the
// window manager moved one, reported its frame extents, activated it, or exposed its pixels.
#pragma once

#include "framework/platform/WindowTypes.h"

namespace win::wnd {

// The window manager put the client area's top-left corner at this screen point.
void TopLevelMovedByUser(HWND hwnd, POINT clientOrigin);
// The frame around the client area measures this (left, top, right, bottom); the client area
// keeps its place and size and the outer rectangle follows.
void TopLevelFrameReported(HWND hwnd, const RECT& insets);
void TopLevelActivatedByUser(HWND hwnd);

}  // namespace win::wnd
