// Windows of a test's X server seen and driven from outside through xdotool: found by their UTF-8
// title, their position and size read back, keys typed into them.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace tovu::e2e {

struct TWindowGeometry {
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
};

// Runs xdotool with these arguments on the display; true when it ended with status 0.
bool Xdotool(const std::string& display, const std::vector<std::string>& arguments);

// The id of a mapped window whose title is exactly `title`, waiting at most `timeout`; empty when
// none appeared. xdotool matches names on the Latin-1 property, so each window's UTF-8 title is
// read and compared here.
std::string FindWindowTitled(const std::string& display, const std::string& title,
                             std::chrono::milliseconds timeout);

// Ids of the windows mapped and viewable right now.
std::vector<std::string> ViewableWindows(const std::string& display);

struct TViewableWindow {
  std::string Id;
  TWindowGeometry Geometry;
};

// The viewable windows with their geometries, read by one xdotool run (so that a test can sample
// a moving window often).
std::vector<TViewableWindow> ViewableWindowGeometries(const std::string& display);

// The window's UTF-8 title; empty once it is gone.
std::string WindowTitle(const std::string& display, const std::string& window);

// Position (of the client area, no window manager decorating it) and size; none once it is gone.
std::optional<TWindowGeometry> WindowGeometry(const std::string& display,
                                              const std::string& window);

}  // namespace tovu::e2e
