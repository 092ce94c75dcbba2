// The window tree as the platform exposes it: parents, owners, siblings, per-window values.
#include <algorithm>

#include "framework/platform/LastError.h"
#include "framework/platform/Window.h"
#include "framework/platform/windowing/Dispatch.h"
#include "framework/platform/windowing/Painting.h"
#include "framework/platform/windowing/Runtime.h"
#include "framework/platform/windowing/WindowDC.h"

namespace win {

namespace {

constexpr DWORD ERROR_INVALID_INDEX = 1413;

// A top-level window's new owner is the top-level window of the one named (none for nullptr).
// A child window keeps its parent, and no window may come to own itself through a chain.
bool SetOwner(wnd::TWindow& window, HWND named) {
  wnd::TWindowTable& windows = wnd::Runtime().FWindows;
  const wnd::TWindow* root = named ? windows.Root(named) : nullptr;
  if (window.IsChild() || (named && !root)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  const HWND owner = root ? root->FHandle : nullptr;
  for (HWND link = owner; link; link = windows.Find(link) ? windows.Find(link)->FOwner : nullptr) {
    if (link == window.FHandle) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return false;
    }
  }
  window.FOwner = owner;
  wnd::SyncTopLevel(window.FHandle);
  return true;
}

}  // namespace

LONG_PTR GetWindowLongPtrA(HWND hwnd, int index) {
  const wnd::TWindow* window = wnd::FindWindowOrFail(hwnd);
  if (!window) return 0;
  switch (index) {
    case GWLP_WNDPROC:
      return reinterpret_cast<LONG_PTR>(window->FProc);
    case GWLP_HINSTANCE:
      return reinterpret_cast<LONG_PTR>(window->FInstance);
    case GWLP_HWNDPARENT:
      return reinterpret_cast<LONG_PTR>(window->IsChild() ? window->FParent : window->FOwner);
    case GWLP_ID:
      return window->FId;
    case GWL_STYLE:
      return LONG_PTR(LONG(window->FStyle));
    case GWL_EXSTYLE:
      return LONG_PTR(LONG(window->FExStyle));
    case GWLP_USERDATA:
      return window->FUserData;
    default:
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
  }
}

LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value) {
  wnd::TWindow* window = wnd::FindWindowOrFail(hwnd);
  if (!window) return 0;
  const LONG_PTR previous = GetWindowLongPtrA(hwnd, index);
  switch (index) {
    case GWLP_WNDPROC:
      if (!value) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
      }
      window->FProc = reinterpret_cast<WNDPROC>(value);
      break;
    case GWLP_HINSTANCE:
      window->FInstance = reinterpret_cast<HINSTANCE>(value);
      break;
    case GWLP_ID:
      window->FId = value;
      break;
    case GWLP_HWNDPARENT:
      if (!SetOwner(*window, reinterpret_cast<HWND>(value))) return 0;
      break;
    case GWL_STYLE: {
      // WS_CHILD decides the window's place in the tree; it cannot be switched here.
      const DWORD keep = window->FStyle & WS_CHILD;
      window->FStyle = (DWORD(value) & ~WS_CHILD) | keep;
      if (!window->IsChild()) wnd::SyncTopLevel(hwnd);
      wnd::RefreshWindowDCs();  // the clip styles may have changed
      break;
    }
    case GWL_EXSTYLE: {
      // The topmost band changes only through SetWindowPos.
      const DWORD keep = window->FExStyle & WS_EX_TOPMOST;
      window->FExStyle = (DWORD(value) & ~WS_EX_TOPMOST) | keep;
      if (!window->IsChild()) wnd::SyncTopLevel(hwnd);
      break;
    }
    case GWLP_USERDATA:
      window->FUserData = value;
      break;
    default:
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
  }
  return previous;
}

HWND GetParent(HWND hwnd) {
  const wnd::TWindow* window = wnd::FindWindowOrFail(hwnd);
  if (!window) return nullptr;
  if (window->IsChild()) return window->FParent;
  return (window->FStyle & WS_POPUP) ? window->FOwner : nullptr;
}

HWND SetParent(HWND child, HWND newParent) {
  wnd::TRuntime& runtime = wnd::Runtime();
  wnd::TWindow* window = wnd::FindWindowOrFail(child);
  if (!window) return nullptr;
  if (newParent && (!runtime.FWindows.Find(newParent) || newParent == child ||
                    runtime.FWindows.IsAncestor(child, newParent))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const HWND oldParent = window->IsChild() ? window->FParent : nullptr;
  const bool wasTopLevel = !window->IsChild();
  if (window->IsVisibleStyle() && oldParent) wnd::Expose(oldParent, wnd::WindowArea(*window));
  runtime.FWindows.Unlink(*window);
  window->FParent = newParent;
  if (newParent) {
    window->FStyle |= WS_CHILD;
    window->FOwner = nullptr;
  } else {
    window->FStyle &= ~WS_CHILD;
  }
  runtime.FWindows.PlaceInZOrder(*window, HWND_TOP);
  if (wasTopLevel && newParent) {
    runtime.FFramebuffers.erase(child);
    runtime.Backend().WindowDestroyed(child);
  } else if (!wasTopLevel && !newParent) {
    runtime.Backend().WindowCreated(child, wnd::TTopLevelState{});
    wnd::SyncTopLevel(child);
  }
  if (window->IsVisibleStyle()) wnd::InvalidateWholeWindow(child, true);
  wnd::RefreshWindowDCs();
  return oldParent;
}

HWND GetWindow(HWND hwnd, UINT relation) {
  wnd::TWindowTable& windows = wnd::Runtime().FWindows;
  wnd::TWindow* window = wnd::FindWindowOrFail(hwnd);
  if (!window) return nullptr;
  if (relation == GW_OWNER) return window->IsChild() ? nullptr : window->FOwner;
  if (relation == GW_CHILD) return window->FChildren.empty() ? nullptr : window->FChildren.front();
  const auto& siblings = windows.SiblingsOf(*window);
  if (siblings.empty()) return nullptr;
  const auto at = std::find(siblings.begin(), siblings.end(), hwnd);
  switch (relation) {
    case GW_HWNDFIRST:
      return siblings.front();
    case GW_HWNDLAST:
      return siblings.back();
    case GW_HWNDNEXT:
      return at == siblings.end() || at + 1 == siblings.end() ? nullptr : *(at + 1);
    case GW_HWNDPREV:
      return at == siblings.begin() || at == siblings.end() ? nullptr : *(at - 1);
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
  }
}

HWND GetAncestor(HWND hwnd, UINT flags) {
  wnd::TWindowTable& windows = wnd::Runtime().FWindows;
  const wnd::TWindow* window = wnd::FindWindowOrFail(hwnd);
  if (!window) return nullptr;
  switch (flags) {
    case GA_PARENT:
      return window->IsChild() ? window->FParent : nullptr;
    case GA_ROOT:
      return windows.Root(hwnd)->FHandle;
    case GA_ROOTOWNER: {
      const wnd::TWindow* root = windows.Root(hwnd);
      while (root->FOwner && windows.Find(root->FOwner))
        root = windows.Root(root->FOwner);
      return root->FHandle;
    }
    default:
      return nullptr;
  }
}

HWND GetTopWindow(HWND hwnd) {
  if (!hwnd) {
    const auto& top = wnd::Runtime().FWindows.TopLevel();
    return top.empty() ? nullptr : top.front();
  }
  return GetWindow(hwnd, GW_CHILD);
}

BOOL IsChild(HWND parent, HWND hwnd) {
  return wnd::Runtime().FWindows.IsAncestor(parent, hwnd) ? TRUE : FALSE;
}

int SetWindowTextA(HWND hwnd, LPCSTR text) {
  if (!wnd::FindWindowOrFail(hwnd)) return FALSE;
  return wnd::Deliver(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? TRUE : FALSE;
}

int GetWindowTextA(HWND hwnd, LPSTR buffer, int maxCount) {
  if (!wnd::FindWindowOrFail(hwnd) || !buffer || maxCount <= 0) return 0;
  return int(wnd::Deliver(hwnd, WM_GETTEXT, WPARAM(maxCount), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLengthA(HWND hwnd) {
  if (!wnd::FindWindowOrFail(hwnd)) return 0;
  return int(wnd::Deliver(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

}  // namespace win
