#include "tests/e2e/XdotoolWindows.h"

#include <cstdio>
#include <sstream>
#include <thread>

#include "tests/support/ChildProcess.h"

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

std::vector<TViewableWindow> ViewableWindowGeometries(const std::string& display) {
  const auto output =
      XdotoolOutput(display, {"search", "--onlyvisible", "--name", ".", "getwindowgeometry", "%@"});
  std::vector<TViewableWindow> windows;
  for (const std::string& line : Lines(output.value_or(""))) {
    char id[32] = {};
    int first = 0;
    int second = 0;
    if (std::sscanf(line.c_str(), "Window %31s", id) == 1) {
      windows.push_back({id, {}});
    } else if (!windows.empty() &&
               std::sscanf(line.c_str(), " Position: %d,%d", &first, &second) == 2) {
      windows.back().Geometry.X = first;
      windows.back().Geometry.Y = second;
    } else if (!windows.empty() &&
               std::sscanf(line.c_str(), " Geometry: %dx%d", &first, &second) == 2) {
      windows.back().Geometry.Width = first;
      windows.back().Geometry.Height = second;
    }
  }
  return windows;
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
