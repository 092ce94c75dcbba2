// Entry points through which a backend (or a test) hands input to the runtime: pointer moves,
// button and key presses, typed text and close requests. The asynchronous key state changes at
// once; routing to windows happens when the input is retrieved.
#pragma once

#include <string>

#include "framework/platform/WindowTypes.h"

namespace win::wnd {

void InjectPointerMove(POINT screen);
// `button` is VK_LBUTTON, VK_RBUTTON or VK_MBUTTON; the press happens at the pointer position.
void InjectButton(int button, bool down);
void InjectKey(int virtualKey, bool down);
// Characters in the process code page, delivered as WM_CHAR messages byte by byte.
void InjectText(const std::string& text);
// The user asked to close a top-level window (its frame's close button).
void InjectCloseRequest(HWND hwnd);
// Convenience for tests: move, press and release.
void InjectClick(POINT screen, int button);

}  // namespace win::wnd
