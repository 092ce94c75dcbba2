#include "framework/platform/windowing/X11Library.h"

#include <SDL_syswm.h>
#include <dlfcn.h>

#include "framework/platform/windowing/SdlLibrary.h"

namespace win::wnd::x11 {

namespace {

template <typename Function>
bool Load(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(library, name));
  return function != nullptr;
}

}  // namespace

const TXlib* LoadXlib() {
  static const TXlib* const loaded = []() -> const TXlib* {
    void* library = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) return nullptr;
    static TXlib xlib;
    const bool complete = Load(library, "XInternAtom", xlib.InternAtom) &&
                          Load(library, "XChangeProperty", xlib.ChangeProperty) &&
                          Load(library, "XDeleteProperty", xlib.DeleteProperty) &&
                          Load(library, "XSendEvent", xlib.SendEvent) &&
                          Load(library, "XFlush", xlib.Flush) &&
                          Load(library, "XSync", xlib.Sync) && Load(library, "XBell", xlib.Bell) &&
                          Load(library, "XSetErrorHandler", xlib.SetErrorHandler) &&
                          Load(library, "XSetIOErrorHandler", xlib.SetIOErrorHandler) &&
                          Load(library, "XOpenDisplay", xlib.OpenDisplay) &&
                          Load(library, "XCloseDisplay", xlib.CloseDisplay) &&
                          Load(library, "XCreateWindow", xlib.CreateWindow) &&
                          Load(library, "XGetWindowAttributes", xlib.GetWindowAttributes) &&
                          Load(library, "XESetWireToEvent", xlib.SetWireToEvent);
    return complete ? &xlib : nullptr;
  }();
  return loaded;
}

TTarget TargetOf(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || !Sdl().GetWindowWMInfo(window, &info) ||
      info.subsystem != SDL_SYSWM_X11) {
    return {};
  }
  const TXlib* xlib = LoadXlib();
  if (xlib == nullptr) return {};
  return TTarget{xlib, info.info.x11.display, info.info.x11.window};
}

}  // namespace win::wnd::x11
