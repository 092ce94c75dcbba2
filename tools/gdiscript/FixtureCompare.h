// Replays a fixture script on our GDI and compares the canvas with the oracle's golden BMP,
// pixel for pixel, for tests and for the replay tool.
#pragma once

#include <string>
#include <vector>

#include "framework/platform/GdiTypes.h"

namespace tovu::gdiscript {

struct TPixelDifference {
  int X = 0;
  int Y = 0;
  win::COLORREF Expected = 0;
  win::COLORREF Actual = 0;
};

struct TComparison {
  std::string Error;  // a script or file error; empty when both pictures were there
  int Width = 0;
  int Height = 0;
  long DifferentPixels = 0;
  std::vector<TPixelDifference> FirstDifferences;  // a few, in row order

  bool Matches() const { return Error.empty() && DifferentPixels == 0; }
  // One line per finding, for a test failure message.
  std::string Describe() const;
};

// Runs `script` (relative paths in it resolve against its folder) and compares the final canvas
// with `golden`, a 24-bit BMP.
TComparison ReplayAndCompare(const std::string& script, const std::string& golden,
                             std::size_t keep = 8);

}  // namespace tovu::gdiscript
