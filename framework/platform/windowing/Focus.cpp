#include "framework/platform/windowing/Focus.h"

#include "framework/platform/Messages.h"
#include "framework/platform/windowing/Dispatch.h"
#include "framework/platform/windowing/Runtime.h"

namespace win::wnd {

HWND ChangeFocus(HWND hwnd) {
  TRuntime& runtime = Runtime();
  const HWND previous = runtime.FInput.FFocus;
  if (hwnd && !runtime.FWindows.Find(hwnd)) return previous;
  if (hwnd) {
    const TWindow* root = runtime.FWindows.Root(hwnd);
    if (root && root->FHandle != runtime.FInput.FActive) ActivateTopLevel(root->FHandle, WA_ACTIVE);
    if (!runtime.FWindows.Find(hwnd)) return previous;
  }
  if (runtime.FInput.FFocus == hwnd) return previous;
  const HWND old = runtime.FInput.FFocus;
  runtime.FInput.FFocus = hwnd;
  if (old && runtime.FWindows.Find(old)) {
    Deliver(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  }
  if (hwnd && runtime.FInput.FFocus == hwnd && runtime.FWindows.Find(hwnd)) {
    Deliver(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  }
  return previous;
}

void ActivateTopLevel(HWND hwnd, WORD how) {
  TRuntime& runtime = Runtime();
  if (runtime.FInput.FActive == hwnd) return;
  const HWND old = runtime.FInput.FActive;
  runtime.FInput.FActive = hwnd;
  if (old && runtime.FWindows.Find(old)) {
    Deliver(old, WM_NCACTIVATE, FALSE, 0);
    Deliver(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(hwnd));
  }
  if (!hwnd || runtime.FInput.FActive != hwnd || !runtime.FWindows.Find(hwnd)) return;
  Deliver(hwnd, WM_NCACTIVATE, TRUE, 0);
  Deliver(hwnd, WM_ACTIVATE, MAKEWPARAM(how, 0), reinterpret_cast<LPARAM>(old));
}

HWND ChangeCapture(HWND hwnd) {
  TRuntime& runtime = Runtime();
  const HWND old = runtime.FInput.FCapture;
  runtime.FInput.FCapture = hwnd;
  if (old && old != hwnd && runtime.FWindows.Find(old)) {
    Deliver(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
  }
  return old;
}

}  // namespace win::wnd
