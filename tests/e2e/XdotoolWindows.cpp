#include "tests/e2e/XdotoolWindows.h"

#include <cstdio>
#include <sstream>
#include <thread>

#include "tests/e2e/ChildProcess.h"

namespace tovu::e2e {

namespace {

std::optional<std::string> XdotoolOutput(const std::string& display,
                                         const std::vector<std::string>& arguments) {
  std::vector<std::string> command{"xdotool"};
  command.insert(command.end(), arguments.begin(), arguments.end());
  return RunAndCapture(command, {"DISPLAY=" + display}, std::chrono::seconds(5));
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) {
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

}  // namespace

bool Xdotool(const std::string& display, const std::vector<std::string>& arguments) {
  return XdotoolOutput(display, arguments).has_value();
}

std::vector<std::string> ViewableWindows(const std::string& display) {
  // xdotool answers status 1 while no window matches.
  return Lines(XdotoolOutput(display, {"search", "--onlyvisible", "--name", "."}).value_or(""));
}

std::string WindowTitle(const std::string& display, const std::string& window) {
  const std::string name = XdotoolOutput(display, {"getwindowname", window}).value_or("");
  return name.substr(0, name.find('\n'));
}

std::string FindWindowTitled(const std::string& display, const std::string& title,
                             std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  do {
    for (const std::string& id : ViewableWindows(display)) {
      if (WindowTitle(display, id) == title) return id;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  } while (std::chrono::steady_clock::now() < deadline);
  return {};
}

std::optional<TWindowGeometry> WindowGeometry(const std::string& display,
                                              const std::string& window) {
  const auto output = XdotoolOutput(display, {"getwindowgeometry", window});
  if (!output) return std::nullopt;
  const std::size_t at = output->find("Position: ");
  const std::size_t size = output->find("Geometry: ");
  TWindowGeometry geometry;
  if (at == std::string::npos || size == std::string::npos ||
      std::sscanf(output->c_str() + at, "Position: %d,%d", &geometry.X, &geometry.Y) != 2 ||
      std::sscanf(output->c_str() + size, "Geometry: %dx%d", &geometry.Width, &geometry.Height) !=
          2) {
    return std::nullopt;
  }
  return geometry;
}

}  // namespace tovu::e2e
