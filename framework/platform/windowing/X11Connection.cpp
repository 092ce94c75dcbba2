#include "framework/platform/windowing/X11Connection.h"

#include <cstdio>
#include <cstdlib>

#include "framework/platform/Process.h"
#include "framework/platform/windowing/X11Library.h"

namespace win {

namespace {
UINT ExitCodeOnDisplayLoss = 1;
}  // namespace

void SetExitCodeOnDisplayLoss(UINT exitCode) {
  ExitCodeOnDisplayLoss = exitCode;
}

}  // namespace win

namespace win::wnd::x11 {

namespace {

int OnRequestError(Display*, XErrorEvent*) {
  return 0;
}

int OnConnectionBroken(Display* display) {
  std::fprintf(stderr, "tovu: the connection to the display %s broke; the program ends\n",
               DisplayString(display));
  std::_Exit(int(win::ExitCodeOnDisplayLoss));
}

}  // namespace

void InstallConnectionHandlers() {
  if (const TXlib* xlib = LoadXlib()) {
    xlib->SetErrorHandler(OnRequestError);
    xlib->SetIOErrorHandler(OnConnectionBroken);
  }
}

}  // namespace win::wnd::x11
