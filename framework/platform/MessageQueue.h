// The user-interface thread's message queue: posting, sending, retrieving and dispatching messages,
// quitting, waiting, and window-message timers. Retrieval order: posted and input messages, then
// WM_PAINT for windows with invalid areas, then WM_TIMER.
#pragma once

#include "framework/platform/Messages.h"
#include "framework/platform/WindowTypes.h"

namespace win {

BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostThreadMessageA(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PeekMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags);
// Waits for a message; 0 on WM_QUIT, -1 on an invalid argument, otherwise nonzero.
BOOL GetMessageA(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax);
LRESULT DispatchMessageA(const MSG* msg);
// Posts WM_CHAR (WM_SYSCHAR with Alt) for a key message that produces a character.
BOOL TranslateMessage(const MSG* msg);
void PostQuitMessage(int exitCode);
BOOL WaitMessage();
DWORD GetMessageTime();
DWORD GetMessagePos();
DWORD GetCurrentThreadId();

inline constexpr UINT USER_TIMER_MINIMUM = 0x0000000A;
inline constexpr UINT USER_TIMER_MAXIMUM = 0x7FFFFFFF;
UINT_PTR SetTimer(HWND hwnd, UINT_PTR idEvent, UINT elapse, TIMERPROC timerFunc);
BOOL KillTimer(HWND hwnd, UINT_PTR idEvent);

}  // namespace win
