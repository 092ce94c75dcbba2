// What one figure call paints, as the platform computes it: the interior for the brush, then the
// pen in passes (the gaps of a styled thin pen, then its dashes). Thin pens draw segment by
// segment, so a pixel that two segments share is painted twice; within one pass it appears once.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "framework/platform/WinTypes.h"
#include "framework/platform/gdi/DashPattern.h"
#include "framework/platform/gdi/GeometricDashes.h"
#include "framework/platform/gdi/PolygonFill.h"
#include "framework/platform/gdi/Region.h"
#include "framework/platform/gdi/WideStroke.h"

namespace win::gdi {

struct TPenGeometry {
  bool Null = false;
  LONG Width = 1;  // 0 and 1 draw thin lines
  // The style: every thin pen's, and geometric pens' at every width (cosmetic pens wider than one
  // pixel draw solid).
  TDashStyle Dash = TDashStyle::dsSolid;
  bool Geometric = false;    // made by ExtCreatePen: dashes scale with the width
  bool InsideFrame = false;  // figures shrink so that a wide pen stays inside
  TLineCap Cap = TLineCap::lcRound;
  TLineJoin Join = TLineJoin::ljRound;
  // Solid geometric pens (ExtCreatePen) one pixel wide draw thin lines that keep their last pixel.
  bool KeepsLastPixel = false;

  bool IsThin() const { return Width <= 1; }
  friend bool operator==(const TPenGeometry&, const TPenGeometry&) = default;
};

struct TPenPass {
  TRegion Gaps;    // painted with the background colour in opaque background mode
  TRegion Pixels;  // painted with the pen
};

struct TFigureCoverage {
  TRegion Interior;
  std::vector<TPenPass> Pen;
};

// Each function computes only the pixels inside `bound` and the interior only when asked for.
// Empty results for figures without area; no value when a curved figure exceeds what the tracer
// accepts (kMaxEllipseExtent) or a pen is wider than kMaxPenWidth.
std::optional<TFigureCoverage> RectangleCoverage(const RECT& rect, const TPenGeometry& pen,
                                                 bool interior, const RECT& bound);
std::optional<TFigureCoverage> RoundRectCoverage(const RECT& rect, LONG cornerWidth,
                                                 LONG cornerHeight, const TPenGeometry& pen,
                                                 bool interior, const RECT& bound);
std::optional<TFigureCoverage> EllipseCoverage(const RECT& rect, const TPenGeometry& pen,
                                               bool interior, const RECT& bound);
std::optional<TFigureCoverage> PolygonCoverage(std::span<const POINT> points, TFillRule rule,
                                               const TPenGeometry& pen, bool interior,
                                               const RECT& bound);
// An open polyline; the dash position runs on across its segments.
std::optional<TFigureCoverage> PolylineCoverage(std::span<const POINT> points,
                                                const TPenGeometry& pen, const RECT& bound);

}  // namespace win::gdi
