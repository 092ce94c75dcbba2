// Creation and destruction of windows.
#include <vector>

#include "framework/platform/Input.h"
#include "framework/platform/LastError.h"
#include "framework/platform/SystemMetrics.h"
#include "framework/platform/Window.h"
#include "framework/platform/windowing/Dispatch.h"
#include "framework/platform/windowing/Focus.h"
#include "framework/platform/windowing/Placement.h"
#include "framework/platform/windowing/Runtime.h"
#include "framework/platform/windowing/WindowDC.h"

namespace win {

namespace {

constexpr DWORD ERROR_CANNOT_FIND_WND_CLASS = 1407;
constexpr DWORD ERROR_TLW_WITH_WSCHILD = 1406;

// Top-level windows with CW_USEDEFAULT cascade from (26, 26) with three quarters of the screen;
// child windows get 0. Hostile values are clamped before any arithmetic.
RECT InitialRect(DWORD style, int x, int y, int width, int height) {
  const bool topLevel = !(style & WS_CHILD);
  if (x == CW_USEDEFAULT) x = y = topLevel ? 26 : 0;
  if (width == CW_USEDEFAULT) {
    width = topLevel ? GetSystemMetrics(SM_CXSCREEN) * 3 / 4 : 0;
    height = topLevel ? GetSystemMetrics(SM_CYSCREEN) * 3 / 4 : 0;
  }
  const LONG left = wnd::ClampCoordinate(x);
  const LONG top = wnd::ClampCoordinate(y);
  return RECT{left, top, left + wnd::ClampSize(width), top + wnd::ClampSize(height)};
}

bool ResolveRelations(DWORD style, HWND parent, HWND& childParent, HWND& owner) {
  wnd::TWindowTable& windows = wnd::Runtime().FWindows;
  if (style & WS_CHILD) {
    if (!windows.Find(parent)) {
      SetLastError(ERROR_TLW_WITH_WSCHILD);
      return false;
    }
    childParent = parent;
    return true;
  }
  if (parent) {
    const wnd::TWindow* root = windows.Root(parent);
    if (!root) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return false;
    }
    owner = root->FHandle;
  }
  return true;
}

// Forgets a window whose creation failed before WM_CREATE, or after its WM_NCDESTROY.
void RemoveWindowRecord(HWND hwnd) {
  wnd::TRuntime& runtime = wnd::Runtime();
  const wnd::TWindow* window = runtime.FWindows.Find(hwnd);
  if (!window) return;
  const bool topLevel = !window->IsChild();
  runtime.FTimers.KillAllOf(hwnd);
  runtime.FMessages.PurgeWindow(hwnd);
  runtime.FInput.Forget(hwnd);
  wnd::ReleaseAllDCsOf(hwnd);
  runtime.FWindows.Remove(hwnd);
  if (topLevel) {
    runtime.FFramebuffers.erase(hwnd);
    runtime.Backend().WindowDestroyed(hwnd);
  }
  wnd::RefreshWindowDCs();
}

void SendDestroyDownward(HWND hwnd) {
  wnd::TRuntime& runtime = wnd::Runtime();
  wnd::Deliver(hwnd, WM_DESTROY, 0, 0);
  const wnd::TWindow* window = runtime.FWindows.Find(hwnd);
  if (!window) return;
  const std::vector<HWND> children = window->FChildren;
  for (HWND child : children) {
    wnd::TWindow* childWindow = runtime.FWindows.Find(child);
    if (!childWindow || childWindow->FDestroying) continue;
    childWindow->FDestroying = true;
    SendDestroyDownward(child);
  }
}

void FinishDestroyUpward(HWND hwnd) {
  wnd::TRuntime& runtime = wnd::Runtime();
  const wnd::TWindow* window = runtime.FWindows.Find(hwnd);
  if (!window) return;
  const std::vector<HWND> children = window->FChildren;
  for (HWND child : children) {
    if (wnd::TWindow* childWindow = runtime.FWindows.Find(child)) {
      childWindow->FDestroying = true;
      FinishDestroyUpward(child);
    }
  }
  wnd::Deliver(hwnd, WM_NCDESTROY, 0, 0);
  // A child created during WM_NCDESTROY would be left without a parent: destroy it too.
  if (const wnd::TWindow* stillThere = runtime.FWindows.Find(hwnd)) {
    const std::vector<HWND> late = stillThere->FChildren;
    for (HWND child : late)
      FinishDestroyUpward(child);
  }
  RemoveWindowRecord(hwnd);
}

bool InSubtree(HWND root, HWND hwnd) {
  return hwnd && (hwnd == root || wnd::Runtime().FWindows.IsAncestor(root, hwnd));
}

// Before a window goes: capture and focus leave it, and another top-level window becomes active.
void LetGoOfWindow(HWND hwnd) {
  wnd::TRuntime& runtime = wnd::Runtime();
  if (InSubtree(hwnd, runtime.FInput.FCapture)) wnd::ChangeCapture(nullptr);
  const wnd::TWindow* window = runtime.FWindows.Find(hwnd);
  if (!window) return;
  const HWND parent = window->IsChild() ? window->FParent : nullptr;
  const HWND owner = window->FOwner;
  if (InSubtree(hwnd, runtime.FInput.FFocus)) wnd::ChangeFocus(parent);
  if (runtime.FInput.FActive == hwnd) {
    HWND next = runtime.FWindows.Find(owner) && runtime.FWindows.IsVisible(owner) ? owner : nullptr;
    if (!next) {
      for (HWND top : runtime.FWindows.TopLevel()) {
        if (top != hwnd && runtime.FWindows.IsVisible(top)) {
          next = top;
          break;
        }
      }
    }
    wnd::ActivateTopLevel(next, WA_ACTIVE);
  }
}

}  // namespace

HWND CreateWindowExA(DWORD exStyle, WNDPROC windowProc, LPCSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance,
                     LPVOID param) {
  wnd::TRuntime& runtime = wnd::Runtime();
  if (!windowProc) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  HWND childParent = nullptr;
  HWND owner = nullptr;
  if (!ResolveRelations(style, parent, childParent, owner)) return nullptr;
  const bool topLevel = !(style & WS_CHILD);
  if (topLevel && !(style & WS_POPUP)) style |= WS_CAPTION;
  if (topLevel) style |= WS_CLIPSIBLINGS;
  const bool visible = (style & WS_VISIBLE) != 0;

  wnd::TWindow& window = runtime.FWindows.Add();
  const HWND hwnd = window.FHandle;
  window.FProc = windowProc;
  window.FStyle = style & ~WS_VISIBLE;
  window.FExStyle = exStyle & ~WS_EX_TOPMOST;
  window.FParent = childParent;
  window.FOwner = owner;
  window.FRect = InitialRect(style, x, y, width, height);
  window.FFrame = wnd::FrameInsetsFor(style, exStyle);
  window.FText = windowName ? windowName : "";
  window.FId = topLevel ? 0 : reinterpret_cast<LONG_PTR>(menuOrId);
  window.FInstance = instance;
  runtime.FWindows.PlaceInZOrder(window, (exStyle & WS_EX_TOPMOST) ? HWND_TOPMOST : HWND_TOP);

  if (topLevel) {
    wnd::TTopLevelState state;
    state.FTitle = window.FText;
    runtime.Backend().WindowCreated(hwnd, state);
    runtime.FFramebuffers[hwnd];
    if (wnd::HasTrackingSize(style)) {
      int cx = window.FRect.right - window.FRect.left;
      int cy = window.FRect.bottom - window.FRect.top;
      wnd::ClampToTrackingSize(hwnd, cx, cy);
      if (wnd::TWindow* sized = runtime.FWindows.Find(hwnd)) {
        sized->FRect.right = sized->FRect.left + cx;
        sized->FRect.bottom = sized->FRect.top + cy;
      }
    }
    wnd::SyncTopLevel(hwnd);
  }

  CREATESTRUCTA create;
  create.lpCreateParams = param;
  create.hInstance = instance;
  create.hMenu = menuOrId;
  create.hwndParent = parent;
  create.x = x;
  create.y = y;
  create.cx = width;
  create.cy = height;
  create.style = LONG(style);
  create.lpszName = windowName;
  create.dwExStyle = exStyle;
  if (!wnd::Deliver(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create))) {
    if (runtime.FWindows.Find(hwnd)) RemoveWindowRecord(hwnd);
    return nullptr;
  }
  if (!runtime.FWindows.Find(hwnd)) return nullptr;
  if (wnd::Deliver(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
    DestroyWindow(hwnd);
    return nullptr;
  }
  const wnd::TWindow* created = runtime.FWindows.Find(hwnd);
  if (!created) return nullptr;
  const SIZE client = created->ClientSize();
  const RECT clientRect = created->ClientRectInParent();
  wnd::Deliver(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(WORD(client.cx), WORD(client.cy)));
  wnd::Deliver(hwnd, WM_MOVE, 0, MAKEPOINTLPARAM(clientRect.left, clientRect.top));
  if (visible && runtime.FWindows.Find(hwnd)) ShowWindow(hwnd, SW_SHOW);
  return runtime.FWindows.Find(hwnd) ? hwnd : nullptr;
}

BOOL DestroyWindow(HWND hwnd) {
  wnd::TRuntime& runtime = wnd::Runtime();
  wnd::TWindow* window = runtime.FWindows.Find(hwnd);
  if (!window) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (window->FDestroying) return TRUE;
  window->FDestroying = true;

  std::vector<HWND> owned;
  for (HWND top : runtime.FWindows.TopLevel()) {
    const wnd::TWindow* other = runtime.FWindows.Find(top);
    if (other && other->FOwner == hwnd) owned.push_back(top);
  }
  for (HWND ownedWindow : owned)
    DestroyWindow(ownedWindow);

  if (runtime.FWindows.IsVisible(hwnd) ||
      (runtime.FWindows.Find(hwnd) && runtime.FWindows.Find(hwnd)->IsVisibleStyle())) {
    wnd::PlaceWindow(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (!runtime.FWindows.Find(hwnd)) return TRUE;
  LetGoOfWindow(hwnd);
  if (!runtime.FWindows.Find(hwnd)) return TRUE;
  SendDestroyDownward(hwnd);
  FinishDestroyUpward(hwnd);
  return TRUE;
}

BOOL IsWindow(HWND hwnd) {
  return wnd::Runtime().FWindows.Find(hwnd) ? TRUE : FALSE;
}

}  // namespace win
