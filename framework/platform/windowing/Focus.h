// Keyboard focus, activation of top-level windows and mouse capture, with the notifications each
// change sends (WM_KILLFOCUS/WM_SETFOCUS, WM_NCACTIVATE/WM_ACTIVATE, WM_CAPTURECHANGED).
#pragma once

#include "framework/platform/WindowTypes.h"

namespace win::wnd {

// Moves the focus (NULL: nowhere) and answers the window that had it.
HWND ChangeFocus(HWND hwnd);
// Makes a top-level window the active one; `how` is WA_ACTIVE or WA_CLICKACTIVE.
void ActivateTopLevel(HWND hwnd, WORD how);
// Gives the capture to a window (NULL: releases it) and answers the window that had it.
HWND ChangeCapture(HWND hwnd);

}  // namespace win::wnd
