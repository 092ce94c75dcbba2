#include "framework/platform/windowing/X11Hints.h"

#include <X11/Xatom.h>

#include "framework/platform/windowing/X11Library.h"

namespace win::wnd::x11 {

namespace {

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

}  // namespace

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
