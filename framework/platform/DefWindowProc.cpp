// The default handling of window messages.
#include <algorithm>
#include <cstring>

#include "framework/platform/Input.h"
#include "framework/platform/MessageQueue.h"
#include "framework/platform/Paint.h"
#include "framework/platform/SystemMetrics.h"
#include "framework/platform/VirtualKeys.h"
#include "framework/platform/Window.h"
#include "framework/platform/windowing/Dispatch.h"
#include "framework/platform/windowing/Focus.h"
#include "framework/platform/windowing/Placement.h"
#include "framework/platform/windowing/Runtime.h"

namespace win {

namespace {

LRESULT HitTestFrame(const wnd::TWindow& window, POINT screen) {
  wnd::TWindowTable& windows = wnd::Runtime().FWindows;
  const POINT origin = windows.WindowOriginOnScreen(window.FHandle);
  const POINT at{screen.x - origin.x, screen.y - origin.y};
  const LONG width = window.Width();
  const LONG height = window.Height();
  if (at.x < 0 || at.y < 0 || at.x >= width || at.y >= height) return HTNOWHERE;
  const RECT& frame = window.FFrame;
  if (at.x >= frame.left && at.x < width - frame.right && at.y >= frame.top &&
      at.y < height - frame.bottom) {
    return HTCLIENT;
  }
  const LONG border = frame.left;
  const bool caption = (window.FStyle & WS_CAPTION) == WS_CAPTION;
  if (caption && at.y >= border && at.y < frame.top && at.x >= border && at.x < width - border) {
    // The close button is a square at the right end of the caption.
    const LONG button = frame.top - border - 2;
    if ((window.FStyle & WS_SYSMENU) && at.x >= width - border - 2 - button) return HTCLOSE;
    return HTCAPTION;
  }
  if (!(window.FStyle & WS_THICKFRAME)) return HTBORDER;
  const bool left = at.x < border;
  const bool right = at.x >= width - border;
  const bool top = at.y < border;
  const bool bottom = at.y >= height - border;
  if (top) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
  if (bottom) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
  return left ? HTLEFT : HTRIGHT;
}

LRESULT SetText(HWND hwnd, LPCSTR text) {
  wnd::TWindow* window = wnd::Runtime().FWindows.Find(hwnd);
  if (!window) return FALSE;
  window->FText = text ? text : "";
  if (!window->IsChild()) wnd::SyncTopLevel(hwnd);
  return TRUE;
}

LRESULT CopyText(HWND hwnd, WPARAM capacity, LPSTR buffer) {
  const wnd::TWindow* window = wnd::Runtime().FWindows.Find(hwnd);
  if (!window || !buffer || capacity == 0) return 0;
  const std::size_t count = std::min<std::size_t>(window->FText.size(), capacity - 1);
  std::memcpy(buffer, window->FText.data(), count);
  buffer[count] = '\0';
  return LRESULT(count);
}

void SendSizeAndMove(HWND hwnd, const WINDOWPOS& pos) {
  const wnd::TWindow* window = wnd::Runtime().FWindows.Find(hwnd);
  if (!window) return;
  const RECT client = window->ClientRectInParent();
  const SIZE size = window->ClientSize();
  if (!(pos.flags & SWP_NOMOVE)) {
    wnd::Deliver(hwnd, WM_MOVE, 0, MAKEPOINTLPARAM(client.left, client.top));
  }
  if (!(pos.flags & SWP_NOSIZE) && wnd::Runtime().FWindows.Find(hwnd)) {
    wnd::Deliver(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(WORD(size.cx), WORD(size.cy)));
  }
}

void HoldTrackingSize(HWND hwnd, WINDOWPOS& pos) {
  const wnd::TWindow* window = wnd::Runtime().FWindows.Find(hwnd);
  if (!window || (pos.flags & SWP_NOSIZE) || !wnd::HasTrackingSize(window->FStyle)) return;
  wnd::ClampToTrackingSize(hwnd, pos.cx, pos.cy);
}

}  // namespace

LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  wnd::TRuntime& runtime = wnd::Runtime();
  const wnd::TWindow* window = runtime.FWindows.Find(hwnd);
  if (!window) return 0;
  switch (msg) {
    case WM_NCCREATE:
      return TRUE;
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return 0;
    case WM_WINDOWPOSCHANGING:
      if (lParam) HoldTrackingSize(hwnd, *reinterpret_cast<WINDOWPOS*>(lParam));
      return 0;
    case WM_WINDOWPOSCHANGED:
      if (lParam) SendSizeAndMove(hwnd, *reinterpret_cast<const WINDOWPOS*>(lParam));
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(hwnd, &paint);
      EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_NCHITTEST:
      return HitTestFrame(*window, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_SETTEXT:
      return SetText(hwnd, reinterpret_cast<LPCSTR>(lParam));
    case WM_GETTEXT:
      return CopyText(hwnd, wParam, reinterpret_cast<LPSTR>(lParam));
    case WM_GETTEXTLENGTH:
      return LRESULT(window->FText.size());
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) wnd::Deliver(hwnd, WM_CLOSE, 0, 0);
      return 0;
    case WM_NCLBUTTONDOWN:
      if (wParam == WPARAM(HTCLOSE)) wnd::Deliver(hwnd, WM_SYSCOMMAND, SC_CLOSE, lParam);
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == WPARAM(VK_F4) && (lParam & (LPARAM(1) << 29))) {
        if (const wnd::TWindow* root = runtime.FWindows.Root(hwnd)) {
          wnd::Deliver(root->FHandle, WM_SYSCOMMAND, SC_CLOSE, 0);
        }
      }
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) {
        const HWND focus = runtime.FInput.FFocus;
        if (!focus || (focus != hwnd && !runtime.FWindows.IsAncestor(hwnd, focus))) {
          wnd::ChangeFocus(hwnd);
        }
      }
      return 0;
    case WM_MOUSEACTIVATE:
      if (window->IsChild()) {
        const LRESULT parent = wnd::Deliver(window->FParent, WM_MOUSEACTIVATE, wParam, lParam);
        if (parent) return parent;
      }
      return MA_ACTIVATE;
    case WM_SETCURSOR:
      if (window->IsChild()) return wnd::Deliver(window->FParent, WM_SETCURSOR, wParam, lParam);
      return FALSE;
    case WM_CANCELMODE:
      if (runtime.FInput.FCapture == hwnd) ReleaseCapture();
      return 0;
    case WM_NCACTIVATE:
      return TRUE;
    default:
      return 0;
  }
}

LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return proc ? proc(hwnd, msg, wParam, lParam) : 0;
}

}  // namespace win
