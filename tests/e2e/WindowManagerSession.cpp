#include "tests/e2e/WindowManagerSession.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace tovu::e2e {

namespace {

// One connection to the display for the length of a query.
class TConnection {
 public:
  explicit TConnection(const std::string& display) : FDisplay(XOpenDisplay(display.c_str())) {}
  ~TConnection() {
    if (FDisplay) XCloseDisplay(FDisplay);
  }
  TConnection(const TConnection&) = delete;
  TConnection& operator=(const TConnection&) = delete;
  ::Display* Get() const { return FDisplay; }

 private:
  ::Display* FDisplay;
};

// Xlib reports a failed request (a window gone meanwhile) through this handler; the query then
// simply finds nothing.
int IgnoreErrors(::Display*, XErrorEvent*) {
  return 0;
}

// The 32-bit items of a property of any type.
std::optional<std::vector<long>> ReadItems(::Display* display, Window window, const char* name) {
  const Atom property = XInternAtom(display, name, True);
  if (property == None) return std::nullopt;
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  XSetErrorHandler(IgnoreErrors);
  const int status = XGetWindowProperty(display, window, property, 0, 1024, False, AnyPropertyType,
                                        &type, &format, &count, &remaining, &data);
  XSync(display, False);
  if (status != Success || type == None || format != 32) {
    if (data) XFree(data);
    return std::nullopt;
  }
  std::vector<long> items(reinterpret_cast<long*>(data), reinterpret_cast<long*>(data) + count);
  XFree(data);
  return items;
}

Window WindowOfId(const std::string& window) {
  return Window(std::strtoul(window.c_str(), nullptr, 0));
}

}  // namespace

TWindowManagerSession::TWindowManagerSession(const std::string& display,
                                             const std::string& program) {
  FManager = std::make_unique<TChildProcess>(std::vector<std::string>{program},
                                             std::vector<std::string>{"DISPLAY=" + display}, false);
  if (!FManager->Started()) return;
  // A window manager that follows the conventions announces itself on the root window.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!FRunning && std::chrono::steady_clock::now() < deadline) {
    TConnection connection(display);
    if (connection.Get()) {
      FRunning = ReadItems(connection.Get(), DefaultRootWindow(connection.Get()),
                           "_NET_SUPPORTING_WM_CHECK")
                     .has_value();
    }
    if (!FRunning) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

std::vector<std::string> AtomNames(const std::string& display, const std::string& window,
                                   const std::string& property) {
  TConnection connection(display);
  if (!connection.Get()) return {};
  const auto atoms = ReadItems(connection.Get(), WindowOfId(window), property.c_str());
  std::vector<std::string> names;
  for (const long atom : atoms.value_or(std::vector<long>{})) {
    if (char* name = XGetAtomName(connection.Get(), Atom(atom))) {
      names.emplace_back(name);
      XFree(name);
    }
  }
  return names;
}

std::optional<std::vector<long>> PropertyItems(const std::string& display,
                                               const std::string& window,
                                               const std::string& property) {
  TConnection connection(display);
  if (!connection.Get()) return std::nullopt;
  return ReadItems(connection.Get(), WindowOfId(window), property.c_str());
}

bool SendCloseRequest(const std::string& display, const std::string& window) {
  TConnection connection(display);
  if (!connection.Get()) return false;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = WindowOfId(window);
  event.xclient.message_type = XInternAtom(connection.Get(), "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = long(XInternAtom(connection.Get(), "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSetErrorHandler(IgnoreErrors);
  XSendEvent(connection.Get(), event.xclient.window, False, NoEventMask, &event);
  XSync(connection.Get(), False);
  return true;
}

}  // namespace tovu::e2e
