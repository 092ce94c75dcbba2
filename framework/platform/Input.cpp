// The public input calls: capture, pointer, hit testing, key states, focus, activation, tracking.
#include "framework/platform/Input.h"

#include <algorithm>

#include "framework/platform/LastError.h"
#include "framework/platform/MessageQueue.h"
#include "framework/platform/Messages.h"
#include "framework/platform/SystemMetrics.h"
#include "framework/platform/windowing/Focus.h"
#include "framework/platform/windowing/InputInjection.h"
#include "framework/platform/windowing/InputRouting.h"
#include "framework/platform/windowing/Painting.h"
#include "framework/platform/windowing/Runtime.h"

namespace win {

namespace {

bool Exists(HWND hwnd) {
  return wnd::FindWindowOrFail(hwnd) != nullptr;
}

}  // namespace

HWND SetCapture(HWND hwnd) {
  wnd::TRuntime& runtime = wnd::Runtime();
  if (!Exists(hwnd)) return nullptr;
  const HWND previous = runtime.FInput.FCapture;
  wnd::ChangeCapture(hwnd);
  return previous;
}

BOOL ReleaseCapture() {
  wnd::ChangeCapture(nullptr);
  return TRUE;
}

HWND GetCapture() {
  return wnd::Runtime().FInput.FCapture;
}

BOOL GetCursorPos(POINT* point) {
  if (!point) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *point = wnd::Runtime().FInput.FCursor;
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  wnd::InjectPointerMove(
      POINT{std::clamp(x, 0, std::max(0, width - 1)), std::clamp(y, 0, std::max(0, height - 1))});
  return TRUE;
}

HWND WindowFromPoint(POINT point) {
  return wnd::HitTestWindow(point);
}

HWND ChildWindowFromPoint(HWND parent, POINT point) {
  wnd::TWindowTable& windows = wnd::Runtime().FWindows;
  const wnd::TWindow* window = windows.Find(parent);
  if (!window) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  const SIZE size = window->ClientSize();
  if (point.x < 0 || point.y < 0 || point.x >= size.cx || point.y >= size.cy) return nullptr;
  for (HWND child : window->FChildren) {
    const wnd::TWindow* other = windows.Find(child);
    if (other && wnd::WindowArea(*other).Contains(point.x, point.y)) return child;
  }
  return parent;
}

SHORT GetKeyState(int virtualKey) {
  return wnd::Runtime().FInput.FSyncKeys.State(virtualKey);
}

SHORT GetAsyncKeyState(int virtualKey) {
  wnd::TKeyStates& keys = wnd::Runtime().FInput.FAsyncKeys;
  const bool pressed = keys.TakePressedSince(virtualKey);
  const unsigned value = (keys.IsDown(virtualKey) ? 0x8000u : 0u) | (pressed ? 1u : 0u);
  return SHORT(std::uint16_t(value));
}

HWND SetFocus(HWND hwnd) {
  wnd::TRuntime& runtime = wnd::Runtime();
  if (hwnd && !Exists(hwnd)) return nullptr;
  if (hwnd && !runtime.FWindows.IsEnabledChain(hwnd)) return nullptr;
  return wnd::ChangeFocus(hwnd);
}

HWND GetFocus() {
  return wnd::Runtime().FInput.FFocus;
}

HWND SetActiveWindow(HWND hwnd) {
  wnd::TRuntime& runtime = wnd::Runtime();
  const HWND previous = runtime.FInput.FActive;
  if (hwnd && !Exists(hwnd)) return nullptr;
  const wnd::TWindow* root = hwnd ? runtime.FWindows.Root(hwnd) : nullptr;
  wnd::ActivateTopLevel(root ? root->FHandle : nullptr, WA_ACTIVE);
  return previous;
}

HWND GetActiveWindow() {
  return wnd::Runtime().FInput.FActive;
}

BOOL SetForegroundWindow(HWND hwnd) {
  if (!Exists(hwnd)) return FALSE;
  SetActiveWindow(hwnd);
  return TRUE;
}

HWND GetForegroundWindow() {
  return wnd::Runtime().FInput.FActive;
}

BOOL TrackMouseEvent(TRACKMOUSEEVENT* track) {
  wnd::TRuntime& runtime = wnd::Runtime();
  if (!track || track->cbSize != sizeof(TRACKMOUSEEVENT)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  wnd::TInputState& input = runtime.FInput;
  if (track->dwFlags & TME_QUERY) {
    track->dwFlags = input.FTrackFlags;
    track->hwndTrack = input.FTracked;
    track->dwHoverTime = 0;
    return TRUE;
  }
  if (!Exists(track->hwndTrack)) return FALSE;
  if (track->dwFlags & TME_CANCEL) {
    if (input.FTracked == track->hwndTrack) {
      input.FTrackFlags &= ~(track->dwFlags & (TME_LEAVE | TME_HOVER));
      if (!(input.FTrackFlags & TME_LEAVE)) input.FTracked = nullptr;
    }
    return TRUE;
  }
  if (!(track->dwFlags & TME_LEAVE)) return TRUE;
  if (!wnd::PointerIsOverClient(track->hwndTrack, input.FCursor)) {
    // Tracking starts outside the window: the leave is reported at once.
    PostMessageA(track->hwndTrack, WM_MOUSELEAVE, 0, 0);
    return TRUE;
  }
  input.FTracked = track->hwndTrack;
  input.FTrackFlags = TME_LEAVE;
  return TRUE;
}

UINT GetDoubleClickTime() {
  return 500;
}

}  // namespace win
