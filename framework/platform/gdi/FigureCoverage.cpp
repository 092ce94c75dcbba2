#include "framework/platform/gdi/FigureCoverage.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <unordered_set>
#include <utility>

#include "framework/platform/gdi/FigureContour.h"
#include "framework/platform/gdi/LineRaster.h"

namespace win::gdi {
namespace {

// Collects thin-pen segments into passes: a segment that would paint a pixel the current pass
// already holds starts a new pass, so that such pixels are painted twice, as segment-by-segment
// drawing does.
class TThinPenPasses {
 public:
  TThinPenPasses(const RECT& bound, const TDashPattern& pattern)
      : FBound(bound), FPattern(pattern), FDashes(bound), FGaps(bound) {}

  void AddSegment(POINT from, POINT to) {
    if (OutsideBound(from, to)) {
      // Nothing to paint, but the dash pattern moves on.
      FPosition += LinePixelCount(from, to);
      return;
    }
    TSpanSet dashes(FBound);
    TSpanSet gaps(FBound);
    AddStyledLine(dashes, gaps, from, to, FPattern, FPosition);
    FPosition += LinePixelCount(from, to);
    if (Overlaps(dashes) || Overlaps(gaps)) Flush();
    Take(dashes);
    Take(gaps);
    FDashes.Append(dashes);
    FGaps.Append(gaps);
  }

  // A single pixel painted with the pen (the kept last pixel of a geometric thin line).
  void AddPixel(POINT p) {
    TSpanSet pixel(FBound);
    pixel.AddPixel(p.x, p.y);
    if (Overlaps(pixel)) Flush();
    Take(pixel);
    FDashes.Append(pixel);
  }

  std::vector<TPenPass> Finish() {
    Flush();
    return std::move(FPasses);
  }

 private:
  bool OutsideBound(POINT from, POINT to) const {
    return std::max(from.x, to.x) < FBound.left || std::min(from.x, to.x) >= FBound.right ||
           std::max(from.y, to.y) < FBound.top || std::min(from.y, to.y) >= FBound.bottom;
  }

  static std::uint64_t Key(LONG x, LONG y) {
    return (std::uint64_t(std::uint32_t(y)) << 32) | std::uint32_t(x);
  }

  bool Overlaps(const TSpanSet& spans) const {
    bool found = false;
    spans.ForEachSpan([&](LONG y, LONG left, LONG right) {
      for (LONG x = left; x < right && !found; ++x)
        found = FTaken.contains(Key(x, y));
    });
    return found;
  }

  void Take(const TSpanSet& spans) {
    spans.ForEachSpan([&](LONG y, LONG left, LONG right) {
      for (LONG x = left; x < right; ++x)
        FTaken.insert(Key(x, y));
    });
  }

  void Flush() {
    if (FDashes.IsEmpty() && FGaps.IsEmpty()) return;
    FPasses.push_back({FGaps.ToRegion(), FDashes.ToRegion()});
    FDashes.Clear();
    FGaps.Clear();
    FTaken.clear();
  }

  RECT FBound;
  TDashPattern FPattern;
  std::int64_t FPosition = 0;
  TSpanSet FDashes;
  TSpanSet FGaps;
  std::unordered_set<std::uint64_t> FTaken;
  std::vector<TPenPass> FPasses;
};

std::vector<TPenPass> ThinPen(std::span<const POINT> points, bool closed, const TPenGeometry& pen,
                              const RECT& bound) {
  TThinPenPasses passes(bound, TDashPattern(pen.Dash, pen.Geometric));
  const std::size_t n = points.size();
  const std::size_t segments = closed ? n : (n == 0 ? 0 : n - 1);
  for (std::size_t i = 0; i < segments; ++i)
    passes.AddSegment(points[i], points[(i + 1) % n]);
  if (!closed && n > 0 && pen.KeepsLastPixel) passes.AddPixel(points[n - 1]);
  std::vector<TPenPass> result = passes.Finish();
  // Geometric pens leave their gaps alone, whatever the background mode.
  if (pen.Geometric) {
    for (TPenPass& pass : result)
      pass.Gaps = TRegion();
  }
  return result;
}

// The pixels of a wide pen along the points, which can be larger than the bound by the pen's
// width: the bound handed to the stroker is the caller's.
TRegion WidePen(std::span<const POINT> points, bool closed, const TPenGeometry& pen,
                const RECT& bound) {
  TSpanSet pixels(bound);
  const TWideStroker stroker(pen.Width, pen.Cap, pen.Join);
  if (pen.Dash == TDashStyle::dsSolid) {
    stroker.AddPolyline(pixels, points, closed);
    return pixels.ToRegion();
  }
  // Each dash is stroked on its own; caps, joins and even miter tips stay within ten widths.
  const TDashSplitter dashes(pen.Dash, pen.Width, pen.Cap != TLineCap::lcFlat);
  dashes.Split(points, closed, bound, std::int64_t(pen.Width) * 10 + 2, [&](const TDash& dash) {
    stroker.AddDash(pixels, dash.Points, dash.Along, dash.Direction, dash.Arrival);
  });
  return pixels.ToRegion();
}

bool PenAccepted(const TPenGeometry& pen) {
  return pen.Null || (pen.Width >= 0 && pen.Width <= kMaxPenWidth);
}

RECT Normalised(const RECT& rect) {
  return {std::min(rect.left, rect.right), std::min(rect.top, rect.bottom),
          std::max(rect.left, rect.right), std::max(rect.top, rect.bottom)};
}

// Inside-frame pens of more than one pixel shrink the figure so that the pen lies inside it.
RECT FrameFor(const RECT& rect, const TPenGeometry& pen) {
  if (pen.Null || !pen.InsideFrame || pen.IsThin()) return rect;
  const LONG before = pen.Width / 2;
  const LONG after = (pen.Width - 1) / 2;
  return {rect.left + before, rect.top + before, rect.right - after, rect.bottom - after};
}

// Adds the pen of a closed outline to the coverage and takes it out of the interior.
void AddOutline(TFigureCoverage& coverage, std::span<const POINT> outline, const TPenGeometry& pen,
                const RECT& bound, bool cutInterior) {
  if (pen.Null) return;
  if (pen.IsThin()) {
    coverage.Pen = ThinPen(outline, true, pen, bound);
    return;
  }
  TRegion pixels = WidePen(outline, true, pen, bound);
  if (cutInterior) coverage.Interior.Subtract(pixels);
  coverage.Pen.push_back({TRegion(), std::move(pixels)});
}

TFigureCoverage FrameCoverage(const RECT& frame, const TPenGeometry& pen, bool interior,
                              const RECT& bound) {
  TFigureCoverage coverage;
  const std::vector<POINT> outline = RectangleContour(frame);
  if (interior) {
    if (!pen.Null && pen.IsThin() && !pen.Geometric) {
      coverage.Interior =
          TRegion(RECT{frame.left + 1, frame.top + 1, frame.right - 1, frame.bottom - 1});
      coverage.Interior.Intersect(bound);
    } else {
      TSpanSet pixels(bound);
      AddPolygon(pixels, outline, TFillRule::frWinding);
      coverage.Interior = pixels.ToRegion();
    }
  }
  AddOutline(coverage, outline, pen, bound, true);
  return coverage;
}

bool IsEmptyFigure(const RECT& rect) {
  return rect.left == rect.right || rect.top == rect.bottom;
}

}  // namespace

std::optional<TFigureCoverage> RectangleCoverage(const RECT& rect, const TPenGeometry& pen,
                                                 bool interior, const RECT& bound) {
  if (!PenAccepted(pen)) return std::nullopt;
  const RECT normal = Normalised(rect);
  if (IsEmptyFigure(normal)) return TFigureCoverage{};
  return FrameCoverage(FrameFor(normal, pen), pen, interior, bound);
}

namespace {

std::optional<TFigureCoverage> TraceRoundRect(const RECT& rect, LONG cornerWidth, LONG cornerHeight,
                                              const TPenGeometry& pen, bool interior,
                                              const RECT& bound) {
  const RECT normal = Normalised(rect);
  if (IsEmptyFigure(normal)) return TFigureCoverage{};
  const RECT frame = FrameFor(normal, pen);
  const std::int64_t width = std::int64_t(frame.right) - frame.left;
  const std::int64_t height = std::int64_t(frame.bottom) - frame.top;
  const std::int64_t cornerW = std::min<std::int64_t>(std::llabs(cornerWidth), width);
  const std::int64_t cornerH = std::min<std::int64_t>(std::llabs(cornerHeight), height);
  // Corners too small to bend, and figures shrunk to nothing by the pen, stay rectangles.
  if (cornerW <= 2 || cornerH <= 2) return FrameCoverage(frame, pen, interior, bound);
  if (cornerW > kMaxEllipseExtent || cornerH > kMaxEllipseExtent) return std::nullopt;
  const TRoundedContour contour(frame, LONG(cornerW), LONG(cornerH));
  TFigureCoverage coverage;
  if (interior) {
    TSpanSet pixels(bound);
    contour.AddInterior(pixels);
    coverage.Interior = pixels.ToRegion();
  }
  const std::vector<POINT> outline = contour.Points();
  AddOutline(coverage, outline, pen, bound, true);
  return coverage;
}

// The last rounded rectangles traced on this thread. A window repaints the same figures again
// and again (a shape's interior and its wide frame, in turn), and tracing a wide pen round the
// corners costs far more than filling what it covers.
struct TTracedRoundRect {
  RECT Rect{};
  LONG CornerWidth = 0, CornerHeight = 0;
  TPenGeometry Pen;
  bool Interior = false;
  RECT Bound{};
  std::optional<TFigureCoverage> Coverage;
};

constexpr std::size_t TracedRoundRects = 2;

}  // namespace

std::optional<TFigureCoverage> RoundRectCoverage(const RECT& rect, LONG cornerWidth,
                                                 LONG cornerHeight, const TPenGeometry& pen,
                                                 bool interior, const RECT& bound) {
  if (!PenAccepted(pen)) return std::nullopt;
  thread_local std::array<TTracedRoundRect, TracedRoundRects> traced;
  thread_local std::size_t oldest = 0;
  for (const TTracedRoundRect& t : traced)
    if (t.Coverage && t.Rect == rect && t.CornerWidth == cornerWidth &&
        t.CornerHeight == cornerHeight && t.Pen == pen && t.Interior == interior &&
        t.Bound == bound)
      return t.Coverage;
  std::optional<TFigureCoverage> coverage =
      TraceRoundRect(rect, cornerWidth, cornerHeight, pen, interior, bound);
  if (coverage) {
    traced[oldest] = {rect, cornerWidth, cornerHeight, pen, interior, bound, coverage};
    oldest = (oldest + 1) % TracedRoundRects;
  }
  return coverage;
}

std::optional<TFigureCoverage> EllipseCoverage(const RECT& rect, const TPenGeometry& pen,
                                               bool interior, const RECT& bound) {
  // An ellipse is a rounded rectangle whose corner ellipse is the whole figure.
  const RECT normal = Normalised(rect);
  const RECT frame = FrameFor(normal, pen);
  const std::int64_t width = std::int64_t(frame.right) - frame.left;
  const std::int64_t height = std::int64_t(frame.bottom) - frame.top;
  const auto clampCorner = [](std::int64_t v) {
    return LONG(std::clamp<std::int64_t>(v, 0, kMaxEllipseExtent + 1));
  };
  return RoundRectCoverage(rect, clampCorner(width), clampCorner(height), pen, interior, bound);
}

std::optional<TFigureCoverage> PolygonCoverage(std::span<const POINT> points, TFillRule rule,
                                               const TPenGeometry& pen, bool interior,
                                               const RECT& bound) {
  if (!PenAccepted(pen)) return std::nullopt;
  TFigureCoverage coverage;
  if (interior) {
    TSpanSet pixels(bound);
    AddPolygon(pixels, points, rule);
    coverage.Interior = pixels.ToRegion();
  }
  AddOutline(coverage, points, pen, bound, true);
  return coverage;
}

std::optional<TFigureCoverage> PolylineCoverage(std::span<const POINT> points,
                                                const TPenGeometry& pen, const RECT& bound) {
  if (!PenAccepted(pen)) return std::nullopt;
  TFigureCoverage coverage;
  if (pen.Null || points.empty()) return coverage;
  if (pen.IsThin()) {
    coverage.Pen = ThinPen(points, false, pen, bound);
  } else {
    coverage.Pen.push_back({TRegion(), WidePen(points, false, pen, bound)});
  }
  return coverage;
}

}  // namespace win::gdi
