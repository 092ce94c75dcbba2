#include "framework/platform/windowing/BackendNotifications.h"

#include "framework/platform/Messages.h"
#include "framework/platform/WindowStyles.h"
#include "framework/platform/windowing/Focus.h"
#include "framework/platform/windowing/Placement.h"
#include "framework/platform/windowing/Runtime.h"

namespace win::wnd {

void TopLevelMovedByUser(HWND hwnd, POINT clientOrigin) {
  const TWindow* window = Runtime().FWindows.Find(hwnd);
  if (!window || window->IsChild()) return;
  const RECT client = window->ClientRectInParent();
  if (client.left == clientOrigin.x && client.top == clientOrigin.y) return;
  PlaceWindow(hwnd, nullptr, clientOrigin.x - window->FFrame.left,
              clientOrigin.y - window->FFrame.top, 0, 0,
              SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TopLevelFrameReported(HWND hwnd, const RECT& insets) {
  TWindow* window = Runtime().FWindows.Find(hwnd);
  if (!window || window->IsChild()) return;
  window->FBackendFrame = insets;
  if (window->FFrame == insets) return;
  const RECT client = window->ClientRectInParent();
  window->FFrame = insets;
  window->FRect = RECT{client.left - insets.left, client.top - insets.top,
                       client.right + insets.right, client.bottom + insets.bottom};
}

void TopLevelActivatedByUser(HWND hwnd) {
  if (Runtime().FWindows.Find(hwnd)) ActivateTopLevel(hwnd, WA_ACTIVE);
}

}  // namespace win::wnd
