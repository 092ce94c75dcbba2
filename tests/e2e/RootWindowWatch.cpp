#include "tests/e2e/RootWindowWatch.h"

#include <X11/Xlib.h>
#include <poll.h>

namespace tovu::e2e {

namespace {

int EventType(TWindowEvent kind) {
  switch (kind) {
    case weCreated:
      return CreateNotify;
    case weMapped:
      return MapNotify;
    case weMovedOrResized:
      return ConfigureNotify;
  }
  return 0;
}

// The window an event of these kinds is about (not the root it is reported on).
Window WindowOf(const XEvent& event) {
  switch (event.type) {
    case CreateNotify:
      return event.xcreatewindow.window;
    case MapNotify:
      return event.xmap.window;
    case ConfigureNotify:
      return event.xconfigure.window;
    default:
      return 0;
  }
}

bool BadWindowSeen = false;

int NoteFailure(Display*, XErrorEvent* error) {
  BadWindowSeen = error->error_code == BadWindow;
  return 0;
}

}  // namespace

TRootWindowWatch::TRootWindowWatch(const std::string& display) {
  FDisplay = XOpenDisplay(display.c_str());
  if (FDisplay == nullptr) return;
  XSelectInput(FDisplay, DefaultRootWindow(FDisplay), SubstructureNotifyMask);
  XSync(FDisplay, False);
}

TRootWindowWatch::~TRootWindowWatch() {
  if (FDisplay != nullptr) XCloseDisplay(FDisplay);
}

unsigned long TRootWindowWatch::NextWindow(TWindowEvent kind, std::chrono::milliseconds timeout) {
  if (FDisplay == nullptr) return 0;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    while (XPending(FDisplay) > 0) {
      XEvent event;
      XNextEvent(FDisplay, &event);
      if (event.type == EventType(kind)) return WindowOf(event);
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return 0;
    pollfd connection{ConnectionNumber(FDisplay), POLLIN, 0};
    poll(&connection, 1, int(left.count()));
  }
}

bool TRootWindowWatch::Destroy(unsigned long window) {
  if (FDisplay == nullptr) return false;
  BadWindowSeen = false;
  const auto previous = XSetErrorHandler(NoteFailure);
  XDestroyWindow(FDisplay, window);
  XSync(FDisplay, False);
  XSetErrorHandler(previous);
  return !BadWindowSeen;
}

}  // namespace tovu::e2e
