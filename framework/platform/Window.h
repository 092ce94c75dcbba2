// Windows: creation with a window procedure instead of a class, the window tree, styles and
// per-window storage, placement and geometry, visibility, enabling, text and window regions.
#pragma once

#include "framework/platform/Messages.h"
#include "framework/platform/WindowStyles.h"
#include "framework/platform/WindowTypes.h"

namespace win {

// Creates a window whose messages go to `windowProc` (there are no window classes). Coordinates
// of a child window are relative to its parent's client area, of a top-level window to the screen.
// Returns NULL when WM_NCCREATE answers FALSE, WM_CREATE answers -1, the procedure is missing or
// a child has no valid parent.
HWND CreateWindowExA(DWORD exStyle, WNDPROC windowProc, LPCSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance,
                     LPVOID param);
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);

LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

LONG_PTR GetWindowLongPtrA(HWND hwnd, int index);
LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value);

HWND GetParent(HWND hwnd);
HWND SetParent(HWND child, HWND newParent);
HWND GetWindow(HWND hwnd, UINT relation);
HWND GetAncestor(HWND hwnd, UINT flags);
HWND GetTopWindow(HWND hwnd);
BOOL IsChild(HWND parent, HWND hwnd);

BOOL ShowWindow(HWND hwnd, int cmdShow);
BOOL IsWindowVisible(HWND hwnd);
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsWindowEnabled(HWND hwnd);
BOOL BringWindowToTop(HWND hwnd);

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL GetWindowRect(HWND hwnd, RECT* rect);
BOOL GetClientRect(HWND hwnd, RECT* rect);
BOOL ClientToScreen(HWND hwnd, POINT* point);
BOOL ScreenToClient(HWND hwnd, POINT* point);
// Maps points from one window's client coordinates to another's (NULL: the screen); the low word
// of the result is the horizontal shift, the high word the vertical one.
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
// The outer rectangle a window of these styles needs around the client rectangle `rect`.
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle);

int SetWindowTextA(HWND hwnd, LPCSTR text);
int GetWindowTextA(HWND hwnd, LPSTR buffer, int maxCount);
int GetWindowTextLengthA(HWND hwnd);

// The window takes over `region` (window coordinates, origin at the outer top-left corner) on
// success; NULL removes the region. The caller must not use the handle afterwards.
int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw);
// Copies the window region into `region`; ERROR when the window has none.
int GetWindowRgn(HWND hwnd, HRGN region);

}  // namespace win
