// Placement of windows: frame insets for a window's styles, clamping of hostile coordinates, the
// minimum tracking size of captioned top-level windows, and the one routine behind SetWindowPos,
// MoveWindow and ShowWindow that moves, sizes, reorders, shows and hides a window.
#pragma once

#include "framework/platform/WindowTypes.h"

namespace win::wnd {

inline constexpr LONG MaxCoordinate = 32767;
inline constexpr LONG MinCoordinate = -32768;

// Frame insets (left, top with the caption, right, bottom) of a window of these styles.
RECT FrameInsetsFor(DWORD style, DWORD exStyle);
// True for windows whose size is held within the minimum and maximum tracking sizes.
bool HasTrackingSize(DWORD style);
// The tracking sizes the platform proposes before the window's WM_GETMINMAXINFO adjusts them.
MINMAXINFO DefaultMinMaxInfo();
// Asks the window for its tracking sizes and holds the size within them.
void ClampToTrackingSize(HWND hwnd, int& cx, int& cy);

LONG ClampCoordinate(long long value);
LONG ClampSize(long long value);

BOOL PlaceWindow(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);

}  // namespace win::wnd
