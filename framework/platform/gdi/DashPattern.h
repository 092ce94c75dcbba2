// The on-off sequences of the styled thin pens (dash, dot, dash-dot, dash-dot-dot), counted in
// pixels along a line; the position runs on from segment to segment of one polyline.
#pragma once

#include <cstdint>
#include <span>

namespace win::gdi {

enum class TDashStyle { dsSolid, dsDash, dsDot, dsDashDot, dsDashDotDot };

class TDashPattern {
 public:
  explicit TDashPattern(TDashStyle style);

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
