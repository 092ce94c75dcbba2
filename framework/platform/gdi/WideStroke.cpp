#include "framework/platform/gdi/WideStroke.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "framework/platform/gdi/ExactMath.h"
#include "framework/platform/gdi/FigureContour.h"
#include "framework/platform/gdi/PolygonFill.h"

namespace win::gdi {
namespace {

struct TOffset {
  std::int64_t Near;   // offset of the polygon side along +normal
  std::int64_t Width;  // distance to the other side, same sign as the normal component
};

// For a normal component c (numerator over the segment length l = sqrt(length2)), the offset of
// the near side is c*w/(2l) rounded half away from zero, and the far side lies floor(|c|*w/l) + 1
// further, so that both sides together hold the pen's width.
TOffset OffsetFor(std::int64_t component, std::int64_t width, std::int64_t length2) {
  const TInt128 scaled = TInt128(component < 0 ? -component : component) * width;
  const auto whole = std::int64_t(FloorSqrtRatio(scaled * scaled, length2));
  const std::int64_t sign = component < 0 ? -1 : 1;
  return {sign * ((whole + 1) / 2), sign * (whole + 1)};
}

}  // namespace

std::vector<POINT> WideSegmentBody(POINT from, POINT to, LONG width) {
  // The segment is taken downward (or rightward when level), so that both directions give the
  // same polygon.
  if (to.y < from.y || (to.y == from.y && to.x < from.x)) std::swap(from, to);
  const std::int64_t dx = std::int64_t(to.x) - from.x;
  const std::int64_t dy = std::int64_t(to.y) - from.y;
  const std::int64_t half = width / 2;
  auto at = [](POINT p, std::int64_t ox, std::int64_t oy) {
    return POINT{LONG(p.x + ox), LONG(p.y + oy)};
  };
  if (dy == 0)
    return {at(from, 0, -half), at(to, 0, -half), at(to, 0, width - half),
            at(from, 0, width - half)};
  if (dx == 0)
    return {at(from, -half, 0), at(to, -half, 0), at(to, width - half, 0),
            at(from, width - half, 0)};
  const std::int64_t length2 = dx * dx + dy * dy;
  const TOffset ox = OffsetFor(-dy, width, length2);
  const TOffset oy = OffsetFor(dx, width, length2);
  const std::int64_t farX = ox.Near - ox.Width;
  const std::int64_t farY = oy.Near - oy.Width;
  return {at(from, ox.Near, oy.Near), at(to, ox.Near, oy.Near), at(to, farX, farY),
          at(from, farX, farY)};
}

TWideStroker::TWideStroker(LONG width, TLineCap cap, TLineJoin join)
    : FWidth(width), FCap(cap), FJoin(join) {
  // The disc is the pen-sized ellipse of the box [c - w/2, c - w/2 + w) in both directions.
  const LONG half = width / 2;
  FDiscTop = -half;
  if (width < 3) {
    FDisc.assign(std::size_t(width), TDiscRow{-half, width - half});
    return;
  }
  const RECT box{-half, -half, width - half, width - half};
  TSpanSet disc(box);
  TRoundedContour(box, width, width).AddInterior(disc);
  FDisc.assign(std::size_t(width), TDiscRow{0, 0});
  disc.ForEachSpan([this](LONG y, LONG left, LONG right) {
    TDiscRow& row = FDisc[std::size_t(y - FDiscTop)];
    if (row.Left == row.Right) {
      row = {left, right};
    } else {
      row.Left = std::min(row.Left, left);
      row.Right = std::max(row.Right, right);
    }
  });
}

void TWideStroker::AddDisc(TSpanSet& pixels, POINT centre) const {
  const RECT& bound = pixels.Bound();
  const std::int64_t top = std::int64_t(centre.y) + FDiscTop;
  if (top >= bound.bottom || top + std::int64_t(FDisc.size()) <= bound.top) return;
  if (std::int64_t(centre.x) - FWidth >= bound.right ||
      std::int64_t(centre.x) + FWidth < bound.left)
    return;
  for (std::size_t i = 0; i < FDisc.size(); ++i) {
    pixels.AddSpan(top + std::int64_t(i), std::int64_t(centre.x) + FDisc[i].Left,
                   std::int64_t(centre.x) + FDisc[i].Right);
  }
}

void TWideStroker::AddSegmentBody(TSpanSet& pixels, POINT from, POINT to) const {
  if (from.x == to.x && from.y == to.y) return;
  const std::vector<POINT> body = WideSegmentBody(from, to, FWidth);
  AddPolygon(pixels, body, TFillRule::frWinding);
}

void TWideStroker::AddPolyline(TSpanSet& pixels, std::span<const POINT> points, bool closed) const {
  if (points.empty()) return;
  const std::size_t n = points.size();
  const std::size_t segments = closed ? n : n - 1;
  for (std::size_t i = 0; i < segments; ++i)
    AddSegmentBody(pixels, points[i], points[(i + 1) % n]);
  for (std::size_t i = 0; i < n; ++i) {
    const bool end = !closed && (i == 0 || i + 1 == n);
    if (end ? FCap == TLineCap::lcRound : FJoin == TLineJoin::ljRound) AddDisc(pixels, points[i]);
  }
}

}  // namespace win::gdi
