// Placement, visibility, enabling and coordinate conversion of windows.
#include "framework/platform/Input.h"
#include "framework/platform/LastError.h"
#include "framework/platform/Window.h"
#include "framework/platform/windowing/Dispatch.h"
#include "framework/platform/windowing/Focus.h"
#include "framework/platform/windowing/Placement.h"
#include "framework/platform/windowing/Runtime.h"

namespace win {

namespace {

bool ShowsWithoutActivation(int cmdShow) {
  return cmdShow == SW_SHOWNA || cmdShow == SW_SHOWNOACTIVATE || cmdShow == SW_SHOWMINNOACTIVE ||
         cmdShow == SW_MINIMIZE || cmdShow == SW_SHOWMINIMIZED;
}

}  // namespace

BOOL ShowWindow(HWND hwnd, int cmdShow) {
  const wnd::TWindow* window = wnd::FindWindowOrFail(hwnd);
  if (!window) return FALSE;
  const bool wasVisible = window->IsVisibleStyle();
  const UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER;
  if (cmdShow == SW_HIDE) {
    if (!wasVisible) return FALSE;
    wnd::Deliver(hwnd, WM_SHOWWINDOW, FALSE, 0);
    wnd::PlaceWindow(hwnd, nullptr, 0, 0, 0, 0, keep | SWP_HIDEWINDOW | SWP_NOACTIVATE);
    return TRUE;
  }
  if (wasVisible) return TRUE;
  const bool child = window->IsChild();
  wnd::Deliver(hwnd, WM_SHOWWINDOW, TRUE, 0);
  if (!wnd::Runtime().FWindows.Find(hwnd)) return FALSE;
  const UINT activation = child || ShowsWithoutActivation(cmdShow) ? SWP_NOACTIVATE : 0;
  wnd::PlaceWindow(hwnd, nullptr, 0, 0, 0, 0, keep | SWP_SHOWWINDOW | activation);
  return FALSE;
}

BOOL IsWindowVisible(HWND hwnd) {
  return wnd::Runtime().FWindows.IsVisible(hwnd) ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  wnd::TRuntime& runtime = wnd::Runtime();
  wnd::TWindow* window = wnd::FindWindowOrFail(hwnd);
  if (!window) return FALSE;
  const bool wasDisabled = window->IsDisabledStyle();
  if (wasDisabled == !enable) return wasDisabled ? TRUE : FALSE;
  if (enable) {
    window->FStyle &= ~WS_DISABLED;
  } else {
    window->FStyle |= WS_DISABLED;
    if (runtime.FInput.FFocus == hwnd) wnd::ChangeFocus(nullptr);
    if (runtime.FInput.FCapture == hwnd) wnd::Deliver(hwnd, WM_CANCELMODE, 0, 0);
  }
  if (runtime.FWindows.Find(hwnd)) wnd::Deliver(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
  return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
  const wnd::TWindow* window = wnd::Runtime().FWindows.Find(hwnd);
  return window && !window->IsDisabledStyle() ? TRUE : FALSE;
}

BOOL BringWindowToTop(HWND hwnd) {
  return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  return wnd::PlaceWindow(hwnd, insertAfter, x, y, cx, cy, flags);
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW);
  return wnd::PlaceWindow(hwnd, nullptr, x, y, width, height, flags);
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
  const wnd::TWindow* window = wnd::FindWindowOrFail(hwnd);
  if (!window || !rect) return FALSE;
  const POINT origin = wnd::Runtime().FWindows.WindowOriginOnScreen(hwnd);
  *rect = RECT{origin.x, origin.y, origin.x + window->Width(), origin.y + window->Height()};
  return TRUE;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
  const wnd::TWindow* window = wnd::FindWindowOrFail(hwnd);
  if (!window || !rect) return FALSE;
  const SIZE size = window->ClientSize();
  *rect = RECT{0, 0, size.cx, size.cy};
  return TRUE;
}

BOOL ClientToScreen(HWND hwnd, POINT* point) {
  if (!wnd::FindWindowOrFail(hwnd) || !point) return FALSE;
  const POINT origin = wnd::Runtime().FWindows.ClientOriginOnScreen(hwnd);
  point->x += origin.x;
  point->y += origin.y;
  return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* point) {
  if (!wnd::FindWindowOrFail(hwnd) || !point) return FALSE;
  const POINT origin = wnd::Runtime().FWindows.ClientOriginOnScreen(hwnd);
  point->x -= origin.x;
  point->y -= origin.y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
  wnd::TWindowTable& windows = wnd::Runtime().FWindows;
  if ((from && !wnd::FindWindowOrFail(from)) || (to && !wnd::FindWindowOrFail(to))) return 0;
  const POINT source = from ? windows.ClientOriginOnScreen(from) : POINT{};
  const POINT target = to ? windows.ClientOriginOnScreen(to) : POINT{};
  const LONG dx = source.x - target.x;
  const LONG dy = source.y - target.y;
  for (UINT i = 0; points && i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  SetLastError(ERROR_SUCCESS);
  return int(MAKELPARAM(WORD(dx), WORD(dy)));
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL /*menu*/, DWORD exStyle) {
  if (!rect) return FALSE;
  const RECT frame = wnd::FrameInsetsFor(style, exStyle);
  rect->left -= frame.left;
  rect->top -= frame.top;
  rect->right += frame.right;
  rect->bottom += frame.bottom;
  return TRUE;
}

}  // namespace win
