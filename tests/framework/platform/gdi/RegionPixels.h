// Test support: regions compared as plain pixel lists, which read well in failure messages.
#pragma once

#include <ostream>
#include <set>
#include <utility>

#include "framework/platform/gdi/Region.h"

namespace win::gdi::testing {

using TPixels = std::set<std::pair<LONG, LONG>>;  // (x, y)

inline TPixels PixelsOf(const TRegion& region) {
  TPixels pixels;
  for (const RECT& r : region.Rects()) {
    for (LONG y = r.top; y < r.bottom; ++y) {
      for (LONG x = r.left; x < r.right; ++x)
        pixels.insert({x, y});
    }
  }
  return pixels;
}

}  // namespace win::gdi::testing

namespace win::gdi {

// Failure messages show regions as their rectangles.
inline void PrintTo(const TRegion& region, std::ostream* out) {
  *out << "{";
  for (const RECT& r : region.Rects())
    *out << " [" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
  *out << " }";
}

}  // namespace win::gdi
