#include "framework/platform/windowing/Dispatch.h"

#include "framework/platform/LastError.h"
#include "framework/platform/WindowStyles.h"
#include "framework/platform/windowing/Runtime.h"

namespace win::wnd {

LRESULT Deliver(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const TWindow* window = Runtime().FWindows.Find(hwnd);
  if (!window || !window->FProc) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  const WNDPROC proc = window->FProc;
  return proc(hwnd, msg, wParam, lParam);
}

void SyncTopLevel(HWND hwnd) {
  TRuntime& runtime = Runtime();
  const TWindow* window = runtime.FWindows.Find(hwnd);
  if (!window || window->IsChild()) return;
  TTopLevelState state;
  state.FClientOnScreen = window->ClientRectInParent();
  state.FVisible = window->IsVisibleStyle();
  state.FTopMost = window->IsTopMost();
  state.FToolWindow = (window->FExStyle & WS_EX_TOOLWINDOW) != 0;
  state.FCaption = (window->FStyle & WS_CAPTION) == WS_CAPTION;
  state.FDialogFrame = (window->FExStyle & WS_EX_DLGMODALFRAME) != 0;
  state.FCloseButton = (window->FStyle & WS_SYSMENU) != 0;
  state.FMinimizeButton =
      (window->FStyle & (WS_SYSMENU | WS_MINIMIZEBOX)) == (WS_SYSMENU | WS_MINIMIZEBOX);
  state.FMaximizeButton =
      (window->FStyle & (WS_SYSMENU | WS_MAXIMIZEBOX)) == (WS_SYSMENU | WS_MAXIMIZEBOX);
  state.FSizable = (window->FStyle & WS_THICKFRAME) != 0;
  state.FOwner = window->FOwner;
  state.FTitle = window->FText;
  const SIZE client = window->ClientSize();
  runtime.FFramebuffers[hwnd].Resize(client.cx, client.cy);
  runtime.Backend().WindowChanged(hwnd, state);
}

}  // namespace win::wnd
