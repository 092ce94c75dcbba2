// Routing of raw input to windows: hit testing through window regions (a disabled child yields
// its parent, HTTRANSPARENT passes to what lies behind), capture, activation by click, double
// clicks, leave tracking, and the keyboard focus for key and character messages.
#pragma once

#include "framework/platform/WindowTypes.h"

namespace win::wnd {

// The deepest visible window under a screen point; windows answering HTTRANSPARENT are looked
// through. `code` receives the window's WM_NCHITTEST answer.
HWND HitTestWindow(POINT screen, LRESULT* code = nullptr);
// True when the point lies in the window's client area and the window is the one hit there.
bool PointerIsOverClient(HWND hwnd, POINT screen);

// Turns the oldest raw input event into input messages (possibly none).
void CookOneRawInput();

// Posts WM_MOUSELEAVE to the tracked window when the pointer is no longer over its client area.
void CheckLeaveTracking(POINT screen);

}  // namespace win::wnd
