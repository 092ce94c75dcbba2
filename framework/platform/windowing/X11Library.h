// The few Xlib functions the SDL backend calls itself, taken from the libX11 that SDL's X11
// driver has already loaded (so that the program links nothing of X11 for its headless runs), and
// the X11 display and window behind an SDL window.
#pragma once

#include <SDL.h>
#include <X11/Xlib.h>

// The protocol's wire form of an event, handed through to Xlib's own conversion untouched.
union _xEvent;

namespace win::wnd::x11 {

// Converts an event read from the connection into its XEvent form; false drops it.
using TWireToEvent = Bool (*)(Display*, XEvent*, _xEvent*);

struct TXlib {
  decltype(&::XInternAtom) InternAtom = nullptr;
  decltype(&::XChangeProperty) ChangeProperty = nullptr;
  decltype(&::XDeleteProperty) DeleteProperty = nullptr;
  decltype(&::XSendEvent) SendEvent = nullptr;
  decltype(&::XFlush) Flush = nullptr;
  decltype(&::XSync) Sync = nullptr;
  decltype(&::XBell) Bell = nullptr;
  decltype(&::XSetErrorHandler) SetErrorHandler = nullptr;
  decltype(&::XSetIOErrorHandler) SetIOErrorHandler = nullptr;
  decltype(&::XOpenDisplay) OpenDisplay = nullptr;
  decltype(&::XCloseDisplay) CloseDisplay = nullptr;
  decltype(&::XCreateWindow) CreateWindow = nullptr;
  decltype(&::XGetWindowAttributes) GetWindowAttributes = nullptr;
  TWireToEvent (*SetWireToEvent)(Display*, int, TWireToEvent) = nullptr;
};

// Loads the functions once; nullptr when libX11 or one of them is missing.
const TXlib* LoadXlib();

// The X11 display and window behind an SDL window, with Xlib loaded.
struct TTarget {
  const TXlib* FXlib = nullptr;
  Display* FDisplay = nullptr;
  Window FWindow = 0;

  explicit operator bool() const { return FXlib != nullptr; }
  Atom Intern(const char* name) const { return FXlib->InternAtom(FDisplay, name, False); }
};

// Empty when the window is not on X11 or Xlib cannot be loaded.
TTarget TargetOf(SDL_Window* window);

}  // namespace win::wnd::x11
