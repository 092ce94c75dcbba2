// The public message-queue calls on top of the runtime's message store and retrieval.
#include "framework/platform/MessageQueue.h"

#include "framework/platform/Clock.h"
#include "framework/platform/LastError.h"
#include "framework/platform/VirtualKeys.h"
#include "framework/platform/WindowStyles.h"
#include "framework/platform/windowing/Dispatch.h"
#include "framework/platform/windowing/Retrieval.h"
#include "framework/platform/windowing/Runtime.h"

namespace win {

namespace {

constexpr DWORD ERROR_INVALID_THREAD_ID = 1444;
constexpr DWORD MainThreadId = 1;
const HWND ThreadOnly = reinterpret_cast<HWND>(std::intptr_t(-1));

bool ValidFilterWindow(HWND hwnd) {
  if (!hwnd || hwnd == ThreadOnly || wnd::Runtime().FWindows.Find(hwnd)) return true;
  SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return false;
}

void PostTo(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  wnd::TRuntime& runtime = wnd::Runtime();
  MSG message;
  message.hwnd = hwnd;
  message.message = msg;
  message.wParam = wParam;
  message.lParam = lParam;
  message.time = DWORD(runtime.Now());
  message.pt = runtime.FInput.FCursor;
  runtime.FMessages.Post(message);
}

// The character a key produces on a US keyboard layout, 0 for none.
int CharacterOfKey(int key, bool shift, bool control, bool capsLock) {
  if (key >= 'A' && key <= 'Z') {
    if (control) return key - 'A' + 1;
    return (shift != capsLock) ? key : key - 'A' + 'a';
  }
  if (control) return 0;
  if (key >= '0' && key <= '9') return shift ? ")!@#$%^&*("[key - '0'] : key;
  switch (key) {
    case VK_SPACE:
      return ' ';
    case VK_RETURN:
      return '\r';
    case VK_ESCAPE:
      return 0x1B;
    case VK_BACK:
      return 0x08;
    case VK_TAB:
      return '\t';
    default:
      return 0;
  }
}

}  // namespace

BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  wnd::TRuntime& runtime = wnd::Runtime();
  if (hwnd == HWND_BROADCAST) {
    for (HWND top : runtime.FWindows.TopLevel())
      PostTo(top, msg, wParam, lParam);
    return TRUE;
  }
  if (hwnd && !runtime.FWindows.Find(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  PostTo(hwnd, msg, wParam, lParam);
  return TRUE;
}

BOOL PostThreadMessageA(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (threadId != MainThreadId) {
    SetLastError(ERROR_INVALID_THREAD_ID);
    return FALSE;
  }
  PostTo(nullptr, msg, wParam, lParam);
  return TRUE;
}

LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hwnd == HWND_BROADCAST) {
    const std::vector<HWND> top = wnd::Runtime().FWindows.TopLevel();
    for (HWND window : top)
      wnd::Deliver(window, msg, wParam, lParam);
    return 0;
  }
  return wnd::Deliver(hwnd, msg, wParam, lParam);
}

BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
  if (!msg || !ValidFilterWindow(hwnd)) return FALSE;
  const auto found = wnd::Retrieve(wnd::TMessageFilter{hwnd, filterMin, filterMax},
                                   (removeFlags & PM_REMOVE) != 0);
  if (!found) return FALSE;
  *msg = *found;
  return TRUE;
}

BOOL GetMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  if (!msg) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  if (!ValidFilterWindow(hwnd)) return -1;
  const wnd::TMessageFilter filter{hwnd, filterMin, filterMax};
  for (;;) {
    if (const auto found = wnd::Retrieve(filter, true)) {
      *msg = *found;
      return found->message == WM_QUIT ? FALSE : TRUE;
    }
    wnd::WaitIdle(filter);
  }
}

LRESULT DispatchMessageA(const MSG* msg) {
  if (!msg) return 0;
  wnd::TRuntime& runtime = wnd::Runtime();
  if (msg->message == WM_TIMER && msg->lParam) {
    const auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
    // Only a timer that still exists calls its function: the parameter is not trusted.
    if (runtime.FTimers.Exists(msg->hwnd, msg->wParam, proc)) {
      proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
    }
    return 0;
  }
  if (!msg->hwnd) return 0;
  return wnd::Deliver(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

BOOL TranslateMessage(const MSG* msg) {
  if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
  const wnd::TKeyStates& keys = wnd::Runtime().FInput.FSyncKeys;
  const bool alt = msg->message == WM_SYSKEYDOWN && keys.IsDown(VK_MENU);
  const int character = CharacterOfKey(int(msg->wParam), keys.IsDown(VK_SHIFT),
                                       keys.IsDown(VK_CONTROL), keys.IsToggled(VK_CAPITAL));
  if (!character) return FALSE;
  PostTo(msg->hwnd, alt ? WM_SYSCHAR : WM_CHAR, WPARAM(character), msg->lParam);
  return TRUE;
}

void PostQuitMessage(int exitCode) {
  wnd::Runtime().FMessages.RequestQuit(exitCode);
}

BOOL WaitMessage() {
  const wnd::TMessageFilter all;
  for (;;) {
    if (wnd::Retrieve(all, false)) return TRUE;
    wnd::WaitIdle(all);
  }
}

DWORD GetMessageTime() {
  return wnd::Runtime().FLastMessageTime;
}

DWORD GetMessagePos() {
  const POINT pos = wnd::Runtime().FLastMessagePos;
  return DWORD(MAKELPARAM(WORD(pos.x), WORD(pos.y)));
}

DWORD GetCurrentThreadId() {
  return MainThreadId;
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR idEvent, UINT elapse, TIMERPROC timerFunc) {
  wnd::TRuntime& runtime = wnd::Runtime();
  if (hwnd && !runtime.FWindows.Find(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  return runtime.FTimers.Set(hwnd, idEvent, elapse, timerFunc, runtime.Now());
}

BOOL KillTimer(HWND hwnd, UINT_PTR idEvent) {
  wnd::TRuntime& runtime = wnd::Runtime();
  if (hwnd && !runtime.FWindows.Find(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  if (!runtime.FTimers.Kill(hwnd, idEvent)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return TRUE;
}

}  // namespace win
