// A private X server for one test: Xvfb started on a display number it picks itself (so parallel
// runs never collide), stopped on every path; and reading the screen's pixels back.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/ChildProcess.h"

namespace tovu::e2e {

class TXvfbSession {
 public:
  // Starts Xvfb with a screen of this size; Running() tells whether it came up within 10 s.
  TXvfbSession(int width, int height);
  bool Running() const { return !FDisplay.empty(); }
  // ":N"
  const std::string& Display() const { return FDisplay; }
  // Pixels 0x00RRGGBB of a screen rectangle, row by row; none when the server cannot be read.
  std::optional<std::vector<std::uint32_t>> Capture(int x, int y, int width, int height) const;
  // Environment for a program of ours on this display with the SDL2 backend and no sound.
  std::vector<std::string> SdlProgramEnvironment() const;
  // Ends the server at once, as a crash would: every client's connection breaks.
  void Kill();

 private:
  std::unique_ptr<TChildProcess> FServer;
  std::string FDisplay;
};

}  // namespace tovu::e2e
