#include "framework/platform/windowing/InputRouting.h"

#include <cstdlib>
#include <vector>

#include "framework/platform/Input.h"
#include "framework/platform/MessageQueue.h"
#include "framework/platform/SystemMetrics.h"
#include "framework/platform/VirtualKeys.h"
#include "framework/platform/WindowStyles.h"
#include "framework/platform/windowing/Dispatch.h"
#include "framework/platform/windowing/Focus.h"
#include "framework/platform/windowing/Painting.h"
#include "framework/platform/windowing/Runtime.h"

namespace win::wnd {

namespace {

bool Contains(const std::vector<HWND>& list, HWND hwnd) {
  for (HWND item : list) {
    if (item == hwnd) return true;
  }
  return false;
}

bool AreaContains(const TWindow& window, POINT inParent) {
  return WindowArea(window).Contains(inParent.x, inParent.y);
}

HWND Descend(HWND hwnd, POINT screen, const std::vector<HWND>& skip) {
  TWindowTable& windows = Runtime().FWindows;
  const TWindow* window = windows.Find(hwnd);
  const POINT client = windows.ClientOriginOnScreen(hwnd);
  const POINT inClient{screen.x - client.x, screen.y - client.y};
  const SIZE size = window->ClientSize();
  if (inClient.x < 0 || inClient.y < 0 || inClient.x >= size.cx || inClient.y >= size.cy) {
    return hwnd;
  }
  for (HWND child : window->FChildren) {
    const TWindow* other = windows.Find(child);
    if (!other || !other->IsVisibleStyle() || Contains(skip, child)) continue;
    if (!AreaContains(*other, inClient)) continue;
    if (other->IsDisabledStyle()) return hwnd;
    return Descend(child, screen, skip);
  }
  return hwnd;
}

HWND HitTestSkipping(POINT screen, const std::vector<HWND>& skip) {
  TWindowTable& windows = Runtime().FWindows;
  for (HWND top : windows.TopLevel()) {
    const TWindow* window = windows.Find(top);
    if (!window || !window->IsVisibleStyle() || Contains(skip, top)) continue;
    if (!AreaContains(*window, screen)) continue;
    return Descend(top, screen, skip);
  }
  return nullptr;
}

UINT ButtonMessage(int button, bool down, bool doubleClick) {
  const UINT base = button == VK_LBUTTON   ? WM_LBUTTONDOWN
                    : button == VK_RBUTTON ? WM_RBUTTONDOWN
                                           : WM_MBUTTONDOWN;
  if (!down) return base + 1;
  return doubleClick ? base + 2 : base;
}

WPARAM MouseKeyFlags() {
  const TKeyStates& keys = Runtime().FInput.FSyncKeys;
  WPARAM flags = 0;
  if (keys.IsDown(VK_LBUTTON)) flags |= MK_LBUTTON;
  if (keys.IsDown(VK_RBUTTON)) flags |= MK_RBUTTON;
  if (keys.IsDown(VK_MBUTTON)) flags |= MK_MBUTTON;
  if (keys.IsDown(VK_SHIFT)) flags |= MK_SHIFT;
  if (keys.IsDown(VK_CONTROL)) flags |= MK_CONTROL;
  return flags;
}

bool IsDoubleClick(HWND target, const TRawInput& input) {
  TLastPress& last = Runtime().FInput.FLastPress;
  const bool close =
      last.FValid && last.FWindow == target && last.FButton == input.FButton &&
      input.FTime - last.FTime <= GetDoubleClickTime() &&
      std::abs(input.FPoint.x - last.FPoint.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
      std::abs(input.FPoint.y - last.FPoint.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
  if (close) {
    last = TLastPress();
  } else {
    last = TLastPress{target, input.FButton, input.FTime, input.FPoint, true};
  }
  return close;
}

void AddInputMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                     const TRawInput& input) {
  MSG msg;
  msg.hwnd = hwnd;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.time = input.FTime;
  msg.pt = input.FPoint;
  Runtime().FMessages.AddInputMessage(msg);
}

// Activates the clicked top-level window as WM_MOUSEACTIVATE decides; false: the click is eaten.
bool ActivateByClick(HWND target, LRESULT hit, UINT message) {
  TRuntime& runtime = Runtime();
  const TWindow* root = runtime.FWindows.Root(target);
  if (!root || root->FHandle == runtime.FInput.FActive || (root->FExStyle & WS_EX_NOACTIVATE)) {
    return true;
  }
  const HWND rootHandle = root->FHandle;
  const LRESULT answer = Deliver(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(rootHandle),
                                 MAKELPARAM(WORD(hit), WORD(message)));
  if (answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT) {
    if (runtime.FWindows.Find(rootHandle)) ActivateTopLevel(rootHandle, WA_CLICKACTIVE);
  }
  return answer != MA_ACTIVATEANDEAT && answer != MA_NOACTIVATEANDEAT;
}

void RouteMouse(const TRawInput& input) {
  TRuntime& runtime = Runtime();
  const bool isButton = input.FKind == TRawInputKind::rikButton;
  if (isButton) runtime.FInput.FSyncKeys.Set(input.FButton, input.FDown);
  CheckLeaveTracking(input.FPoint);

  HWND target = runtime.FInput.FCapture;
  LRESULT hit = HTCLIENT;
  if (target && !runtime.FWindows.Find(target)) target = nullptr;
  if (!target) {
    target = HitTestWindow(input.FPoint, &hit);
    if (!target) return;
    if (!runtime.FWindows.IsEnabledChain(target) || hit == HTERROR || hit == HTNOWHERE) return;
  }
  const bool down = isButton && input.FDown;
  const UINT plain = isButton ? ButtonMessage(input.FButton, input.FDown, false) : WM_MOUSEMOVE;
  if (down && !ActivateByClick(target, hit, plain)) return;
  if (!runtime.FWindows.Find(target)) return;
  const bool doubleClick = down && IsDoubleClick(target, input);
  const UINT message = isButton ? ButtonMessage(input.FButton, input.FDown, doubleClick) : plain;
  if (hit == HTCLIENT) {
    const POINT client = runtime.FWindows.ClientOriginOnScreen(target);
    AddInputMessage(target, message, MouseKeyFlags(),
                    MAKEPOINTLPARAM(input.FPoint.x - client.x, input.FPoint.y - client.y), input);
  } else {
    AddInputMessage(target, message - WM_MOUSEMOVE + WM_NCMOUSEMOVE, WPARAM(hit),
                    MAKEPOINTLPARAM(input.FPoint.x, input.FPoint.y), input);
  }
}

void RouteKey(const TRawInput& input) {
  TRuntime& runtime = Runtime();
  runtime.FInput.FSyncKeys.Set(input.FVirtualKey, input.FDown);
  HWND target = runtime.FInput.FFocus;
  const bool alt = runtime.FInput.FSyncKeys.IsDown(VK_MENU);
  const bool system = alt || input.FVirtualKey == VK_F10 || input.FVirtualKey == VK_MENU || !target;
  if (!target) target = runtime.FInput.FActive;
  if (!target || !runtime.FWindows.Find(target)) return;
  UINT message = input.FDown ? WM_KEYDOWN : WM_KEYUP;
  if (system) message += WM_SYSKEYDOWN - WM_KEYDOWN;
  // Repeat count 1; bit 29: Alt held; bit 30: previous state; bit 31: released.
  LPARAM flags = 1;
  if (alt) flags |= LPARAM(1) << 29;
  if (!input.FDown) flags |= (LPARAM(1) << 30) | (LPARAM(1) << 31);
  AddInputMessage(target, message, WPARAM(input.FVirtualKey), flags, input);
}

void RouteText(const TRawInput& input) {
  TRuntime& runtime = Runtime();
  const HWND target = runtime.FInput.FFocus;
  if (!target || !runtime.FWindows.Find(target)) return;
  for (const char byte : input.FText) {
    AddInputMessage(target, WM_CHAR, WPARAM(static_cast<unsigned char>(byte)), 1, input);
  }
}

}  // namespace

HWND HitTestWindow(POINT screen, LRESULT* code) {
  std::vector<HWND> skip;
  for (;;) {
    const HWND hit = HitTestSkipping(screen, skip);
    if (!hit) return nullptr;
    const LRESULT answer = Deliver(hit, WM_NCHITTEST, 0, MAKEPOINTLPARAM(screen.x, screen.y));
    if (!Runtime().FWindows.Find(hit)) return nullptr;
    if (answer != HTTRANSPARENT) {
      if (code) *code = answer;
      return hit;
    }
    skip.push_back(hit);
  }
}

bool PointerIsOverClient(HWND hwnd, POINT screen) {
  TWindowTable& windows = Runtime().FWindows;
  const TWindow* window = windows.Find(hwnd);
  if (!window) return false;
  const POINT client = windows.ClientOriginOnScreen(hwnd);
  const SIZE size = window->ClientSize();
  if (screen.x < client.x || screen.y < client.y || screen.x >= client.x + size.cx ||
      screen.y >= client.y + size.cy) {
    return false;
  }
  return HitTestSkipping(screen, {}) == hwnd;
}

void CheckLeaveTracking(POINT screen) {
  TInputState& input = Runtime().FInput;
  const HWND tracked = input.FTracked;
  if (!tracked || !(input.FTrackFlags & TME_LEAVE)) return;
  if (PointerIsOverClient(tracked, screen)) return;
  input.FTracked = nullptr;
  input.FTrackFlags = 0;
  PostMessageA(tracked, WM_MOUSELEAVE, 0, 0);
}

void CookOneRawInput() {
  TRuntime& runtime = Runtime();
  if (!runtime.FMessages.HasRawInput()) return;
  const TRawInput input = runtime.FMessages.TakeRawInput();
  switch (input.FKind) {
    case TRawInputKind::rikPointerMove:
    case TRawInputKind::rikButton:
      RouteMouse(input);
      break;
    case TRawInputKind::rikKey:
      RouteKey(input);
      break;
    case TRawInputKind::rikChar:
      RouteText(input);
      break;
  }
}

}  // namespace win::wnd
