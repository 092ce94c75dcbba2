// The on-off sequences of the styled pens (dash, dot, dash-dot, dash-dot-dot), counted in pixels
// along a line; the position runs on from segment to segment of one polyline. Cosmetic pens have
// fixed lengths; geometric pens' runs are multiples of their width.
#pragma once

#include <cstdint>
#include <span>

namespace win::gdi {

enum class TDashStyle { dsSolid, dsDash, dsDot, dsDashDot, dsDashDotDot };

// A geometric pen's runs as multiples of its width, alternating on and off, starting with on.
std::span<const int> GeometricMultiples(TDashStyle style);

class TDashPattern {
 public:
  // `geometric`: the runs of a geometric pen one pixel wide.
  explicit TDashPattern(TDashStyle style, bool geometric = false);

  TDashStyle Style() const { return FStyle; }
  bool IsSolid() const { return FStyle == TDashStyle::dsSolid; }
  // True when the pixel at this position along the line belongs to a dash, false in a gap.
  bool IsOn(std::int64_t position) const;

 private:
  TDashStyle FStyle;
  std::span<const int> FRuns;  // alternating on and off lengths, starting with on
  int FPeriod = 1;
};

}  // namespace win::gdi
