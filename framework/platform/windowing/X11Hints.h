// What the SDL backend tells an X11 window manager beyond what SDL2 itself says: the dialog
// window type, which buttons the frame carries, a request to activate a window, and the bell.
#pragma once

#include <SDL.h>

namespace win::wnd::x11 {

// What the frame offers the user besides moving the window.
struct TFrameFunctions {
  bool FClose = false;
  bool FMinimize = false;
  bool FMaximize = false;
  bool FResize = false;
};

// Window managers read the type and the frame's functions when they take a window on, so these
// belong between the window's creation and its first showing. Nothing happens off X11.
void MarkAsDialog(SDL_Window* window);
void SetFrameFunctions(SDL_Window* window, const TFrameFunctions& functions);
// Removes the window's tie to an owner (SDL2 can set one, but not take it away).
void ForgetTransientOwner(SDL_Window* window);
// Asks the window manager to raise the window and give it the keyboard.
void RequestActivation(SDL_Window* window);
// Rings the bell of the window's display; false when the window is not on X11.
bool RingBell(SDL_Window* window);

}  // namespace win::wnd::x11
