// One window of the window tree: procedure, styles, relations, geometry, text, per-window storage,
// window region and update region. Owned by the window table; looked up by handle.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/platform/WindowStyles.h"
#include "framework/platform/WindowTypes.h"
#include "framework/platform/gdi/Region.h"

namespace win::wnd {

struct TWindow {
  HWND FHandle = nullptr;
  WNDPROC FProc = nullptr;
  DWORD FStyle = 0;
  DWORD FExStyle = 0;
  HWND FParent = nullptr;             // child windows only
  HWND FOwner = nullptr;              // top-level windows only
  std::vector<HWND> FChildren;        // Z-order, front first
  RECT FRect;                         // outer rectangle in the parent's client coordinates (screen)
  RECT FFrame;                        // frame insets: left, top (caption included), right, bottom
  std::optional<RECT> FBackendFrame;  // frame insets a window manager reported, when it did
  std::string FText;
  LONG_PTR FUserData = 0;
  LONG_PTR FId = 0;
  HINSTANCE FInstance = nullptr;
  std::optional<gdi::TRegion> FRegion;  // window coordinates (origin at the outer top-left)
  gdi::TRegion FUpdate;                 // client coordinates
  bool FEraseNeeded = false;
  bool FDestroying = false;

  bool IsChild() const { return (FStyle & WS_CHILD) != 0; }
  bool IsVisibleStyle() const { return (FStyle & WS_VISIBLE) != 0; }
  bool IsDisabledStyle() const { return (FStyle & WS_DISABLED) != 0; }
  bool IsTopMost() const { return (FExStyle & WS_EX_TOPMOST) != 0; }
  LONG Width() const { return FRect.right - FRect.left; }
  LONG Height() const { return FRect.bottom - FRect.top; }
  // The client rectangle in the parent's client coordinates (screen for top-level windows).
  RECT ClientRectInParent() const;
  SIZE ClientSize() const;
};

}  // namespace win::wnd
