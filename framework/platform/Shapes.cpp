#include "framework/platform/Shapes.h"

#include <span>
#include <vector>

#include "framework/platform/gdi/FigurePainter.h"

namespace win {
namespace {

// Point lists longer than this are refused rather than copied.
constexpr std::size_t kMaxPolyPoints = std::size_t(1) << 24;

using gdi::TFigureCoverage;
using gdi::TFigurePainter;

// Paints what a figure function computed; false when the figure was refused.
BOOL PaintResult(const TFigurePainter& painter, const std::optional<TFigureCoverage>& coverage) {
  if (!coverage) return FALSE;
  painter.Paint(*coverage);
  return TRUE;
}

gdi::TFillRule FillRuleOf(const TFigurePainter& painter) {
  return painter.Dc().State().PolyFillMode == WINDING ? gdi::TFillRule::frWinding
                                                      : gdi::TFillRule::frAlternate;
}

// Draws the open path from the current position through the points (all in logical coordinates).
BOOL DrawFromCurrentPosition(HDC dc, std::span<const POINT> points) {
  const TFigurePainter painter(dc);
  if (!painter.IsValid()) return FALSE;
  std::vector<POINT> path{painter.Dc().State().CurrentPosition};
  path.insert(path.end(), points.begin(), points.end());
  const auto device = painter.ToDevice(path);
  if (!device) return FALSE;
  if (!PaintResult(painter, gdi::PolylineCoverage(*device, painter.Pen(), painter.Bound()))) {
    return FALSE;
  }
  painter.Dc().State().CurrentPosition = path.back();
  return TRUE;
}

}  // namespace

BOOL MoveToEx(HDC dc, int x, int y, POINT* previous) {
  const auto context = gdi::FindDc(dc);
  if (!context) return FALSE;
  if (previous) *previous = context->State().CurrentPosition;
  context->State().CurrentPosition = POINT{x, y};
  return TRUE;
}

BOOL GetCurrentPositionEx(HDC dc, POINT* position) {
  const auto context = gdi::FindDc(dc);
  if (!context || !position) return FALSE;
  *position = context->State().CurrentPosition;
  return TRUE;
}

BOOL LineTo(HDC dc, int x, int y) {
  const POINT to{x, y};
  return DrawFromCurrentPosition(dc, std::span<const POINT>(&to, 1));
}

BOOL PolylineTo(HDC dc, const POINT* points, DWORD count) {
  if ((!points && count > 0) || count > kMaxPolyPoints) return FALSE;
  if (count == 0) return gdi::FindDc(dc) ? TRUE : FALSE;
  return DrawFromCurrentPosition(dc, std::span<const POINT>(points, count));
}

BOOL Polyline(HDC dc, const POINT* points, int count) {
  const TFigurePainter painter(dc);
  if (!painter.IsValid() || !points || count < 2 || std::size_t(count) > kMaxPolyPoints) {
    return FALSE;
  }
  const auto device = painter.ToDevice(std::span<const POINT>(points, std::size_t(count)));
  if (!device) return FALSE;
  return PaintResult(painter, gdi::PolylineCoverage(*device, painter.Pen(), painter.Bound()));
}

BOOL Polygon(HDC dc, const POINT* points, int count) {
  const TFigurePainter painter(dc);
  if (!painter.IsValid() || !points || count < 2 || std::size_t(count) > kMaxPolyPoints) {
    return FALSE;
  }
  const auto device = painter.ToDevice(std::span<const POINT>(points, std::size_t(count)));
  if (!device) return FALSE;
  return PaintResult(painter, gdi::PolygonCoverage(*device, FillRuleOf(painter), painter.Pen(),
                                                   painter.HasInterior(), painter.Bound()));
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
  const TFigurePainter painter(dc);
  if (!painter.IsValid()) return FALSE;
  const auto box = painter.ToDevice(RECT{left, top, right, bottom});
  if (!box) return FALSE;
  return PaintResult(
      painter, gdi::RectangleCoverage(*box, painter.Pen(), painter.HasInterior(), painter.Bound()));
}

BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int width, int height) {
  const TFigurePainter painter(dc);
  if (!painter.IsValid()) return FALSE;
  const auto box = painter.ToDevice(RECT{left, top, right, bottom});
  if (!box) return FALSE;
  return PaintResult(painter, gdi::RoundRectCoverage(*box, width, height, painter.Pen(),
                                                     painter.HasInterior(), painter.Bound()));
}

BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
  const TFigurePainter painter(dc);
  if (!painter.IsValid()) return FALSE;
  const auto box = painter.ToDevice(RECT{left, top, right, bottom});
  if (!box) return FALSE;
  return PaintResult(
      painter, gdi::EllipseCoverage(*box, painter.Pen(), painter.HasInterior(), painter.Bound()));
}

}  // namespace win
