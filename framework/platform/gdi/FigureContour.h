// The closed outlines the platform's pens follow for Rectangle, RoundRect and Ellipse, and the
// interior spans its brushes fill for the rounded figures. Outlines run through left/top and
// right-1/bottom-1 and start on the right, going counter-clockwise on the screen.
#pragma once

#include <vector>

#include "framework/platform/WinTypes.h"
#include "framework/platform/gdi/EllipseQuarter.h"
#include "framework/platform/gdi/SpanSet.h"

namespace win::gdi {

// The corners of a normalised, non-empty rectangle: top-right, top-left, bottom-left,
// bottom-right.
std::vector<POINT> RectangleContour(const RECT& rect);

// A rectangle whose corners are quarters of the given corner ellipse; an ellipse is the case where
// the corner ellipse is as large as the rectangle. The corner ellipse must have been clamped to
// the rectangle and be at least 3 pixels in both directions.
class TRoundedContour {
 public:
  TRoundedContour(const RECT& rect, LONG cornerWidth, LONG cornerHeight);

  // The outline, starting at the right end of the top-right corner arc.
  std::vector<POINT> Points() const;
  // The figure's interior including its outline pixels.
  void AddInterior(TSpanSet& pixels) const;

 private:
  POINT Place(const TQuarterPoint& p, int sx, int sy) const;

  RECT FRect;
  TEllipseQuarter FQuarter;
};

}  // namespace win::gdi
