// Pointer and keyboard input state: mouse capture, pointer position, hit testing of windows,
// key states, keyboard focus and activation, and leave tracking.
#pragma once

#include "framework/platform/WindowTypes.h"

namespace win {

HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();

BOOL GetCursorPos(POINT* point);
BOOL SetCursorPos(int x, int y);
// The visible, enabled window under a screen point, honouring window regions; a disabled child
// yields its parent. NULL when no window of ours lies there.
HWND WindowFromPoint(POINT point);
// The child of `parent` (or `parent` itself) under a point in its client coordinates; hidden and
// disabled children included, window regions honoured.
HWND ChildWindowFromPoint(HWND parent, POINT point);

// High bit: down as of the last retrieved input message; low bit: toggled (lock keys).
SHORT GetKeyState(int virtualKey);
// High bit: down now; low bit: pressed since the previous call.
SHORT GetAsyncKeyState(int virtualKey);

HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();

BOOL TrackMouseEvent(TRACKMOUSEEVENT* track);
UINT GetDoubleClickTime();

}  // namespace win
