// A window manager from the distribution run on a test's X server, stopped on every path; the
// window properties through which it and our programs talk (types, owners, frame functions); and
// the close request it sends when the user clicks a window's close button.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/ChildProcess.h"

namespace tovu::e2e {

class TWindowManagerSession {
 public:
  // Starts `program` (openbox, icewm, ...) on the display; Running() tells whether it took the
  // screen over within 10 s.
  TWindowManagerSession(const std::string& display, const std::string& program);
  bool Running() const { return FRunning; }

 private:
  std::unique_ptr<TChildProcess> FManager;
  bool FRunning = false;
};

// The names of the atoms in an ATOM-list property of a window ("_NET_WM_ACTION_CLOSE", ...);
// empty when the window or the property is missing. `window` is an id as xdotool prints it.
std::vector<std::string> AtomNames(const std::string& display, const std::string& window,
                                   const std::string& property);

// The 32-bit items of a property; none when the window or the property is missing.
std::optional<std::vector<long>> PropertyItems(const std::string& display,
                                               const std::string& window,
                                               const std::string& property);

// Asks the window to close (WM_DELETE_WINDOW), as a window manager does for its close button;
// false when the display cannot be reached.
bool SendCloseRequest(const std::string& display, const std::string& window);

}  // namespace tovu::e2e
