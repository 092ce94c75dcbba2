#include "framework/platform/windowing/X11Hints.h"

#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <dlfcn.h>

#include "framework/platform/windowing/SdlLibrary.h"

namespace win::wnd::x11 {

namespace {

// The few Xlib calls made here, taken from the libX11 that SDL's X11 driver has already loaded,
// so that the program links nothing of X11 for its headless runs.
struct TXlib {
  decltype(&::XInternAtom) InternAtom = nullptr;
  decltype(&::XChangeProperty) ChangeProperty = nullptr;
  decltype(&::XDeleteProperty) DeleteProperty = nullptr;
  decltype(&::XSendEvent) SendEvent = nullptr;
  decltype(&::XFlush) Flush = nullptr;
  decltype(&::XBell) Bell = nullptr;
  decltype(&::XSetErrorHandler) SetErrorHandler = nullptr;
};

template <typename Function>
bool Load(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(library, name));
  return function != nullptr;
}

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
                          Load(library, "XBell", xlib.Bell) &&
                          Load(library, "XSetErrorHandler", xlib.SetErrorHandler);
    return complete ? &xlib : nullptr;
  }();
  return loaded;
}

// The X11 display and window behind an SDL window, with Xlib loaded.
struct TTarget {
  const TXlib* FXlib = nullptr;
  Display* FDisplay = nullptr;
  Window FWindow = 0;

  explicit operator bool() const { return FXlib != nullptr; }
  Atom Intern(const char* name) const { return FXlib->InternAtom(FDisplay, name, False); }
};

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

// The Motif window-manager hints: which functions the frame offers and which decorations it has.
struct TMotifHints {
  unsigned long FFlags;
  unsigned long FFunctions;
  unsigned long FDecorations;
  long FInputMode;
  unsigned long FStatus;
};

constexpr unsigned long MwmHintsFunctions = 1UL << 0;
constexpr unsigned long MwmHintsDecorations = 1UL << 1;
constexpr unsigned long MwmFuncResize = 1UL << 1;
constexpr unsigned long MwmFuncMove = 1UL << 2;
constexpr unsigned long MwmFuncMinimize = 1UL << 3;
constexpr unsigned long MwmFuncMaximize = 1UL << 4;
constexpr unsigned long MwmFuncClose = 1UL << 5;
constexpr unsigned long MwmDecorBorder = 1UL << 1;
constexpr unsigned long MwmDecorResizeHandle = 1UL << 2;
constexpr unsigned long MwmDecorTitle = 1UL << 3;
constexpr unsigned long MwmDecorMenu = 1UL << 4;
constexpr unsigned long MwmDecorMinimize = 1UL << 5;
constexpr unsigned long MwmDecorMaximize = 1UL << 6;

TMotifHints MotifHintsFor(const TFrameFunctions& frame) {
  TMotifHints hints{MwmHintsFunctions | MwmHintsDecorations, MwmFuncMove,
                    MwmDecorBorder | MwmDecorTitle, 0, 0};
  const auto offer = [&hints](bool wanted, unsigned long function, unsigned long decoration) {
    if (!wanted) return;
    hints.FFunctions |= function;
    hints.FDecorations |= decoration;
  };
  offer(frame.FClose, MwmFuncClose, MwmDecorMenu);
  offer(frame.FMinimize, MwmFuncMinimize, MwmDecorMinimize);
  offer(frame.FMaximize, MwmFuncMaximize, MwmDecorMaximize);
  offer(frame.FResize, MwmFuncResize, MwmDecorResizeHandle);
  return hints;
}

// A request that fails (typically on a window destroyed a moment before, while the window
// manager or an expose still referred to it) is of no consequence to the program; Xlib's own
// handler would print it and end the process.
int IgnoreRequestErrors(Display*, XErrorEvent*) {
  return 0;
}

}  // namespace

void KeepGoingOnRequestErrors() {
  if (const TXlib* xlib = LoadXlib()) xlib->SetErrorHandler(IgnoreRequestErrors);
}

void MarkAsDialog(SDL_Window* window) {
  const TTarget target = TargetOf(window);
  if (!target) return;
  const Atom dialog = target.Intern("_NET_WM_WINDOW_TYPE_DIALOG");
  target.FXlib->ChangeProperty(target.FDisplay, target.FWindow,
                               target.Intern("_NET_WM_WINDOW_TYPE"), XA_ATOM, 32, PropModeReplace,
                               reinterpret_cast<const unsigned char*>(&dialog), 1);
}

void SetFrameFunctions(SDL_Window* window, const TFrameFunctions& functions) {
  const TTarget target = TargetOf(window);
  if (!target) return;
  const Atom motif = target.Intern("_MOTIF_WM_HINTS");
  const TMotifHints hints = MotifHintsFor(functions);
  target.FXlib->ChangeProperty(target.FDisplay, target.FWindow, motif, motif, 32, PropModeReplace,
                               reinterpret_cast<const unsigned char*>(&hints),
                               sizeof hints / sizeof(long));
}

void ForgetTransientOwner(SDL_Window* window) {
  const TTarget target = TargetOf(window);
  if (!target) return;
  target.FXlib->DeleteProperty(target.FDisplay, target.FWindow, XA_WM_TRANSIENT_FOR);
}

void RequestActivation(SDL_Window* window) {
  const TTarget target = TargetOf(window);
  if (!target) return;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.display = target.FDisplay;
  event.xclient.window = target.FWindow;
  event.xclient.message_type = target.Intern("_NET_ACTIVE_WINDOW");
  event.xclient.format = 32;
  event.xclient.data.l[0] = 1;  // the request comes from an application
  event.xclient.data.l[1] = CurrentTime;
  target.FXlib->SendEvent(target.FDisplay, DefaultRootWindow(target.FDisplay), False,
                          SubstructureRedirectMask | SubstructureNotifyMask, &event);
  target.FXlib->Flush(target.FDisplay);
}

bool RingBell(SDL_Window* window) {
  const TTarget target = TargetOf(window);
  if (!target) return false;
  target.FXlib->Bell(target.FDisplay, 0);
  target.FXlib->Flush(target.FDisplay);
  return true;
}

}  // namespace win::wnd::x11
