// One quarter of an ellipse as the platform traces it, in doubled coordinates relative to the
// centre so that even sizes stay integral: rows are stepped up from the side while the curve is
// steep, then columns toward the top; each step takes the candidate with the smaller error.
#pragma once

#include <cstdint>
#include <vector>

namespace win::gdi {

struct TQuarterPoint {
  std::int32_t U;  // doubled horizontal distance from the centre, >= 0
  std::int32_t V;  // doubled vertical distance from the centre, >= 0
};

// Largest width or height of an ellipse the tracer accepts; larger figures are refused.
inline constexpr std::int64_t kMaxEllipseExtent = std::int64_t(1) << 16;

class TEllipseQuarter {
 public:
  // An ellipse touching a box of width x height pixels; both at least 3, at most kMaxEllipseExtent.
  TEllipseQuarter(std::int64_t width, std::int64_t height);

  std::int64_t Width() const { return FWidth; }
  std::int64_t Height() const { return FHeight; }
  // The traced points from the side (U = width - 1) toward the top, every step one pixel.
  const std::vector<TQuarterPoint>& Points() const { return FPoints; }
  // Half the span of each traced row: for V = Points' V values, the largest U on that row.
  // Rows near the top that the trace never reaches (very narrow ellipses) are absent.
  const std::vector<TQuarterPoint>& RowExtents() const { return FRowExtents; }

 private:
  void Trace();

  std::int64_t FWidth;
  std::int64_t FHeight;
  std::vector<TQuarterPoint> FPoints;
  std::vector<TQuarterPoint> FRowExtents;
};

}  // namespace win::gdi
