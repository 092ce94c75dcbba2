// Delivery of messages to window procedures and the mirroring of top-level windows on the
// backend. Callers hold handles, never window objects, across a delivery: the procedure may
// destroy any window.
#pragma once

#include "framework/platform/WindowTypes.h"

namespace win::wnd {

// Calls the window's procedure; 0 (and ERROR_INVALID_WINDOW_HANDLE) for a handle that is gone.
LRESULT Deliver(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Tells the backend the current place, visibility, caption and band of a top-level window, and
// keeps its framebuffer as large as its client area.
void SyncTopLevel(HWND hwnd);

}  // namespace win::wnd
