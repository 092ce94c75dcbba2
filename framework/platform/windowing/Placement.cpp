#include "framework/platform/windowing/Placement.h"

#include <algorithm>

#include "framework/platform/Input.h"
#include "framework/platform/LastError.h"
#include "framework/platform/Messages.h"
#include "framework/platform/SystemMetrics.h"
#include "framework/platform/WindowStyles.h"
#include "framework/platform/windowing/Dispatch.h"
#include "framework/platform/windowing/Focus.h"
#include "framework/platform/windowing/Painting.h"
#include "framework/platform/windowing/Runtime.h"
#include "framework/platform/windowing/WindowDC.h"

namespace win::wnd {

RECT FrameInsetsFor(DWORD style, DWORD exStyle) {
  int border = 0;
  if (style & WS_THICKFRAME) {
    border = GetSystemMetrics(SM_CXFRAME);
  } else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) {
    border = GetSystemMetrics(SM_CXDLGFRAME);
  } else if (style & WS_BORDER) {
    border = GetSystemMetrics(SM_CXBORDER);
  }
  if (exStyle & WS_EX_CLIENTEDGE) border += GetSystemMetrics(SM_CXEDGE);
  int caption = 0;
  if ((style & WS_CAPTION) == WS_CAPTION) {
    caption = GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
  }
  return RECT{border, border + caption, border, border};
}

bool HasTrackingSize(DWORD style) {
  return !(style & WS_CHILD) && ((style & WS_CAPTION) == WS_CAPTION || (style & WS_THICKFRAME));
}

MINMAXINFO DefaultMinMaxInfo() {
  MINMAXINFO info;
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  info.ptMaxSize = POINT{screenWidth, screenHeight};
  info.ptMaxPosition = POINT{0, 0};
  info.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
  info.ptMaxTrackSize = POINT{MaxCoordinate, MaxCoordinate};
  return info;
}

void ClampToTrackingSize(HWND hwnd, int& cx, int& cy) {
  MINMAXINFO info = DefaultMinMaxInfo();
  Deliver(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  const LONG maxWidth = std::max(info.ptMaxTrackSize.x, info.ptMinTrackSize.x);
  const LONG maxHeight = std::max(info.ptMaxTrackSize.y, info.ptMinTrackSize.y);
  cx = std::clamp<int>(cx, info.ptMinTrackSize.x, maxWidth);
  cy = std::clamp<int>(cy, info.ptMinTrackSize.y, maxHeight);
}

LONG ClampCoordinate(long long value) {
  return LONG(std::clamp<long long>(value, MinCoordinate, MaxCoordinate));
}

LONG ClampSize(long long value) {
  return LONG(std::clamp<long long>(value, 0, MaxCoordinate));
}

namespace {

struct TBefore {
  RECT FRect;
  SIZE FClient;
  gdi::TRegion FArea;
  bool FVisible = false;
  std::size_t FZIndex = 0;
};

std::size_t ZIndexOf(TWindowTable& windows, const TWindow& window) {
  const auto& siblings = windows.SiblingsOf(window);
  return std::size_t(std::find(siblings.begin(), siblings.end(), window.FHandle) -
                     siblings.begin());
}

void Repaint(HWND hwnd, const TBefore& before, bool moved, bool sized, bool reordered) {
  TRuntime& runtime = Runtime();
  TWindow* window = runtime.FWindows.Find(hwnd);
  if (!window) return;
  const bool visible = window->IsVisibleStyle();
  const bool shown = visible && !before.FVisible;
  if (window->IsChild()) {
    const bool changed = moved || sized || reordered || (before.FVisible && !visible);
    if (before.FVisible && changed) Expose(window->FParent, before.FArea);
    window = runtime.FWindows.Find(hwnd);
    if (window && visible && (changed || shown)) InvalidateWholeWindow(hwnd, true);
    return;
  }
  if (shown) {
    InvalidateWholeWindow(hwnd, true);
  } else if (visible && sized) {
    const SIZE client = window->ClientSize();
    gdi::TRegion uncovered(RECT{0, 0, client.cx, client.cy});
    uncovered.Subtract(RECT{0, 0, before.FClient.cx, before.FClient.cy});
    InvalidateClientArea(hwnd, uncovered, true, true);
  }
}

void LeaveHiddenSubtree(HWND hwnd) {
  TRuntime& runtime = Runtime();
  const HWND focus = runtime.FInput.FFocus;
  if (focus && (focus == hwnd || runtime.FWindows.IsAncestor(hwnd, focus))) {
    const TWindow* window = runtime.FWindows.Find(hwnd);
    ChangeFocus(window && window->IsChild() ? window->FParent : nullptr);
  }
}

}  // namespace

BOOL PlaceWindow(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  TRuntime& runtime = Runtime();
  TWindow* window = runtime.FWindows.Find(hwnd);
  if (!window) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  WINDOWPOS pos{hwnd,          insertAfter, ClampCoordinate(x), ClampCoordinate(y), ClampSize(cx),
                ClampSize(cy), flags};
  if (flags & SWP_NOMOVE) {
    pos.x = window->FRect.left;
    pos.y = window->FRect.top;
  }
  if (flags & SWP_NOSIZE) {
    pos.cx = window->Width();
    pos.cy = window->Height();
  }
  if (!(flags & SWP_NOSENDCHANGING)) {
    Deliver(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    window = runtime.FWindows.Find(hwnd);
    if (!window) return FALSE;
  }
  pos.x = ClampCoordinate(pos.x);
  pos.y = ClampCoordinate(pos.y);
  pos.cx = ClampSize(pos.cx);
  pos.cy = ClampSize(pos.cy);

  TBefore before{window->FRect, window->ClientSize(), WindowArea(*window), window->IsVisibleStyle(),
                 ZIndexOf(runtime.FWindows, *window)};
  window->FRect = RECT{pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy};
  if (pos.flags & SWP_FRAMECHANGED) {
    window->FFrame = window->FBackendFrame ? *window->FBackendFrame
                                           : FrameInsetsFor(window->FStyle, window->FExStyle);
  }
  if (!(pos.flags & SWP_NOZORDER)) runtime.FWindows.PlaceInZOrder(*window, pos.hwndInsertAfter);
  if (pos.flags & SWP_SHOWWINDOW) window->FStyle |= WS_VISIBLE;
  if (pos.flags & SWP_HIDEWINDOW) window->FStyle &= ~WS_VISIBLE;

  const bool moved =
      window->FRect.left != before.FRect.left || window->FRect.top != before.FRect.top;
  const bool sized = window->Width() != before.FRect.right - before.FRect.left ||
                     window->Height() != before.FRect.bottom - before.FRect.top;
  const bool reordered = ZIndexOf(runtime.FWindows, *window) != before.FZIndex;
  const bool hidden = before.FVisible && !window->IsVisibleStyle();
  const bool topLevel = !window->IsChild();
  if (!(pos.flags & SWP_NOREDRAW)) Repaint(hwnd, before, moved, sized, reordered);
  if (topLevel) SyncTopLevel(hwnd);
  RefreshWindowDCs();
  if (hidden) LeaveHiddenSubtree(hwnd);
  if (topLevel && (pos.flags & SWP_SHOWWINDOW) && !(pos.flags & SWP_NOACTIVATE)) {
    const TWindow* shownWindow = runtime.FWindows.Find(hwnd);
    if (shownWindow && !(shownWindow->FExStyle & WS_EX_NOACTIVATE))
      ActivateTopLevel(hwnd, WA_ACTIVE);
  }
  if (!runtime.FWindows.Find(hwnd)) return TRUE;
  if (!moved) pos.flags |= SWP_NOMOVE;
  if (!sized) pos.flags |= SWP_NOSIZE;
  Deliver(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
  return TRUE;
}

}  // namespace win::wnd
