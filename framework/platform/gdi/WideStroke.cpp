#include "framework/platform/gdi/WideStroke.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
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

// Twice the signed area of the triangle (o, a, b): which side of the line o->a the point b is on.
std::int64_t Cross(POINT o, POINT a, POINT b) {
  return (std::int64_t(a.x) - o.x) * (std::int64_t(b.y) - o.y) -
         (std::int64_t(a.y) - o.y) * (std::int64_t(b.x) - o.x);
}

}  // namespace

bool TWideStroker::Reaches(const RECT& bound, POINT a, POINT b) const {
  // Bodies, caps, discs and even miter tips stay within ten widths of their points.
  const std::int64_t margin = std::int64_t(FWidth) * 10 + 2;
  return std::int64_t(std::max(a.x, b.x)) + margin >= bound.left &&
         std::int64_t(std::min(a.x, b.x)) - margin < bound.right &&
         std::int64_t(std::max(a.y, b.y)) + margin >= bound.top &&
         std::int64_t(std::min(a.y, b.y)) - margin < bound.bottom;
}

namespace {

// How far a segment's body reaches from its centre line: the side offsets (near = +normal side,
// far = the other) and a square cap's extension behind the start and beyond the end, for a
// segment taken downward (or rightward when level).
struct TBodyReach {
  std::int64_t NearX = 0, NearY = 0, FarX = 0, FarY = 0;
  std::int64_t BackX = 0, BackY = 0, AheadX = 0, AheadY = 0;
};

TBodyReach BodyReach(std::int64_t dx, std::int64_t dy, LONG width) {
  TBodyReach r;
  const std::int64_t half = width / 2;
  if (dx == 0 || dy == 0) {
    // Level and upright segments are plain rectangles [c - w/2, c - w/2 + w).
    const std::int64_t ux = dx != 0 ? 1 : 0;
    const std::int64_t uy = dy != 0 ? 1 : 0;
    r.NearX = -half * uy;
    r.FarX = (width - half) * uy;
    r.NearY = -half * ux;
    r.FarY = (width - half) * ux;
    r.BackX = r.AheadX = half * ux;
    r.BackY = r.AheadY = half * uy;
    return r;
  }
  const std::int64_t length2 = dx * dx + dy * dy;
  const TOffset ox = OffsetFor(-dy, width, length2);
  const TOffset oy = OffsetFor(dx, width, length2);
  r.NearX = ox.Near;
  r.NearY = oy.Near;
  r.FarX = ox.Near - ox.Width;
  r.FarY = oy.Near - oy.Width;
  // A square cap reaches half the width along the segment, rounded like the sides.
  const TOffset ex = OffsetFor(dx, width, length2);
  const TOffset ey = OffsetFor(dy, width, length2);
  r.BackX = ex.Near;
  r.BackY = ey.Near;
  r.AheadX = ex.Width - ex.Near;
  r.AheadY = ey.Width - ey.Near;
  return r;
}

POINT Moved(POINT p, std::int64_t ox, std::int64_t oy) {
  return POINT{LONG(p.x + ox), LONG(p.y + oy)};
}

// The four corners of a body from `start` to `end` (start and end on the near side, end and
// start on the far side), reaching `back` behind the start and `ahead` beyond the end.
std::array<POINT, 4> BodyCorners(POINT start, POINT end, const TBodyReach& r, bool back,
                                 bool ahead) {
  const std::int64_t bx = back ? r.BackX : 0, by = back ? r.BackY : 0;
  const std::int64_t ax = ahead ? r.AheadX : 0, ay = ahead ? r.AheadY : 0;
  return {Moved(start, r.NearX - bx, r.NearY - by), Moved(end, r.NearX + ax, r.NearY + ay),
          Moved(end, r.FarX + ax, r.FarY + ay), Moved(start, r.FarX - bx, r.FarY - by)};
}

// Segments are taken downward (or rightward when level), so that both directions give the same
// polygon.
bool TakenBackwards(std::int64_t dx, std::int64_t dy) {
  return dy < 0 || (dy == 0 && dx < 0);
}

}  // namespace

TSegmentBody SegmentBody(POINT from, POINT to, LONG width, bool squareFrom, bool squareTo,
                         std::optional<POINT> along) {
  const std::int64_t dx = along ? along->x : std::int64_t(to.x) - from.x;
  const std::int64_t dy = along ? along->y : std::int64_t(to.y) - from.y;
  const bool swapped = TakenBackwards(dx, dy);
  const POINT start = swapped ? to : from;
  const POINT end = swapped ? from : to;
  const bool squareStart = swapped ? squareTo : squareFrom;
  const bool squareEnd = swapped ? squareFrom : squareTo;
  const TBodyReach reach = BodyReach(swapped ? -dx : dx, swapped ? -dy : dy, width);
  TSegmentBody body;
  body.Start = start;
  body.End = end;
  body.Corners = BodyCorners(start, end, reach, squareStart, squareEnd);
  return body;
}

namespace {

TBodyReach ReachAlong(POINT direction, LONG width) {
  std::int64_t dx = direction.x, dy = direction.y;
  if (TakenBackwards(dx, dy)) {
    dx = -dx;
    dy = -dy;
  }
  return BodyReach(dx, dy, width);
}

}  // namespace

std::array<POINT, 4> SquareDot(POINT at, POINT direction, LONG width) {
  return BodyCorners(at, at, ReachAlong(direction, width), true, true);
}

std::pair<POINT, POINT> TSegmentBody::CornersAt(POINT end) const {
  if (end.x == Start.x && end.y == Start.y) return {Corners[0], Corners[3]};
  return {Corners[1], Corners[2]};
}

std::vector<POINT> WideSegmentBody(POINT from, POINT to, LONG width) {
  const TSegmentBody body = SegmentBody(from, to, width, false, false);
  return {body.Corners.begin(), body.Corners.end()};
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
  AddPolygon(pixels, SegmentBody(from, to, FWidth, false, false).Corners, TFillRule::frWinding);
}

void TWideStroker::AddDash(TSpanSet& pixels, std::span<const POINT> points,
                           std::span<const POINT> along, POINT direction,
                           std::optional<POINT> arrival) const {
  if (points.empty()) return;
  const POINT first = points.front();
  const bool hasLength = std::any_of(points.begin(), points.end(), [first](const POINT& p) {
    return p.x != first.x || p.y != first.y;
  });
  if (hasLength) {
    AddStroke(pixels, points, along, false, arrival);
    return;
  }
  // A dash of no length is its caps alone.
  if (!Reaches(pixels.Bound(), first, first)) return;
  if (arrival && (arrival->x != 0 || arrival->y != 0) && (direction.x != 0 || direction.y != 0)) {
    // It arrives at a corner and leaves along `direction`: the join between the two, and the
    // caps turned either way.
    const TBodyReach reach = ReachAlong(direction, FWidth);
    TSegmentBody leaving;
    leaving.Start = leaving.End = first;
    leaving.Corners = BodyCorners(first, first, reach, false, false);
    const POINT next{LONG(std::int64_t(first.x) + direction.x),
                     LONG(std::int64_t(first.y) + direction.y)};
    AddArrival(pixels, leaving, first, *arrival, next);
    if (FCap == TLineCap::lcSquare) {
      const bool backwards = TakenBackwards(direction.x, direction.y);
      AddPolygon(pixels, BodyCorners(first, first, reach, backwards, !backwards),
                 TFillRule::frWinding);
    }
    return;
  }
  if (FCap == TLineCap::lcRound) {
    AddDisc(pixels, first);
  } else if (FCap == TLineCap::lcSquare && (direction.x != 0 || direction.y != 0)) {
    AddPolygon(pixels, SquareDot(first, direction, FWidth), TFillRule::frWinding);
  }
}

void TWideStroker::AddJoin(TSpanSet& pixels, const TSegmentBody& in, const TSegmentBody& out,
                           POINT previous, POINT joint, POINT next, bool inIsCap) const {
  if (inIsCap && FJoin != TLineJoin::ljRound && Cross(previous, joint, next) == 0) {
    // A dash starting where the path runs straight on gets no bevel or miter; on a level path
    // just the pixel before its start on its top row.
    if (previous.y == joint.y && next.y == joint.y) {
      const LONG top =
          std::min({out.Corners[0].y, out.Corners[1].y, out.Corners[2].y, out.Corners[3].y});
      pixels.AddPixel(next.x > joint.x ? joint.x - 1 : joint.x, top);
    }
    return;
  }
  if (FJoin == TLineJoin::ljRound) {
    AddDisc(pixels, joint);
    return;
  }
  // Bevel: the four side corners around the joint, in both orders so that the quadrilateral
  // covers the gap whichever way the sides cross. A level or upright segment arriving at the
  // joint ends its body with the pixel line before the joint, and its corners sit on that line.
  auto [inA, inB] = in.CornersAt(joint);
  const auto [outA, outB] = out.CornersAt(joint);
  if (previous.x == joint.x || previous.y == joint.y) {
    const LONG backX = previous.x < joint.x ? 1 : (previous.x > joint.x ? -1 : 0);
    const LONG backY = previous.y < joint.y ? 1 : (previous.y > joint.y ? -1 : 0);
    inA = POINT{inA.x - backX, inA.y - backY};
    inB = POINT{inB.x - backX, inB.y - backY};
  }
  const std::array<POINT, 4> bevel1{inA, inB, outA, outB};
  const std::array<POINT, 4> bevel2{inA, inB, outB, outA};
  AddPolygon(pixels, bevel1, TFillRule::frWinding);
  AddPolygon(pixels, bevel2, TFillRule::frWinding);
  if (FJoin != TLineJoin::ljMiter) return;
  const std::int64_t turn = Cross(previous, joint, next);
  if (turn == 0) return;
  // Miter: the outer sides run on to where they meet, unless that lies further from the joint
  // than the miter limit (ten half widths).
  auto outer = [turn](POINT from, POINT to, POINT a, POINT b) {
    return -Cross(from, to, a) * (turn > 0 ? 1 : -1) >= -Cross(from, to, b) * (turn > 0 ? 1 : -1)
               ? a
               : b;
  };
  const POINT o1 = outer(previous, joint, inA, inB);
  const POINT o2 = outer(joint, next, outA, outB);
  const double d1x = double(joint.x) - previous.x, d1y = double(joint.y) - previous.y;
  const double d2x = double(next.x) - joint.x, d2y = double(next.y) - joint.y;
  const double denominator = d1x * d2y - d1y * d2x;
  const double t = ((double(o2.x) - o1.x) * d2y - (double(o2.y) - o1.y) * d2x) / denominator;
  const double mx = o1.x + t * d1x;
  const double my = o1.y + t * d1y;
  if (std::hypot(mx - joint.x, my - joint.y) > kMiterLimit * FWidth / 2.0) return;
  const std::array<POINT, 4> miter{joint, o1, POINT{LONG(std::lround(mx)), LONG(std::lround(my))},
                                   o2};
  AddPolygon(pixels, miter, TFillRule::frWinding);
}

void TWideStroker::AddPolyline(TSpanSet& pixels, std::span<const POINT> points, bool closed) const {
  AddStroke(pixels, points, {}, closed, std::nullopt);
}

void TWideStroker::AddArrival(TSpanSet& pixels, const TSegmentBody& first, POINT corner,
                              POINT direction, POINT next) const {
  // The arriving line has no length: at the corner it brings its cap, turned its way, and the
  // join to the first segment.
  const TBodyReach reach = ReachAlong(direction, FWidth);
  TSegmentBody arriving;
  arriving.Start = arriving.End = corner;
  arriving.Corners = BodyCorners(corner, corner, reach, false, false);
  if (FCap == TLineCap::lcRound) {
    AddDisc(pixels, corner);
  } else if (FCap == TLineCap::lcSquare) {
    const bool backwards = TakenBackwards(direction.x, direction.y);
    AddPolygon(pixels, BodyCorners(corner, corner, reach, !backwards, backwards),
               TFillRule::frWinding);
  }
  const POINT previous{LONG(std::int64_t(corner.x) - direction.x),
                       LONG(std::int64_t(corner.y) - direction.y)};
  AddJoin(pixels, arriving, first, previous, corner, next, true);
}

void TWideStroker::AddStroke(TSpanSet& pixels, std::span<const POINT> points,
                             std::span<const POINT> along, bool closed,
                             std::optional<POINT> arrival) const {
  // Repeated points add nothing to a wide line, except in a dash: there a piece whose ends
  // round to one point still has its direction, and the joint before it its join.
  const bool hasAlong = !along.empty() && along.size() + 1 == points.size();
  std::vector<POINT> path;
  std::vector<POINT> pieceAlong;  // for hasAlong: the direction of the piece ending at path[i + 1]
  path.reserve(points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    const POINT& p = points[i];
    if (!hasAlong && !path.empty() && path.back().x == p.x && path.back().y == p.y) continue;
    if (hasAlong && !path.empty()) pieceAlong.push_back(along[i - 1]);
    path.push_back(p);
  }
  if (closed && path.size() > 1 && path.front().x == path.back().x &&
      path.front().y == path.back().y) {
    path.pop_back();
  }
  if (path.empty()) return;
  if (path.size() == 1) {
    // A line of no length: the round cap's disc (flat and square caps have no direction).
    if (closed || FCap == TLineCap::lcRound) AddDisc(pixels, path.front());
    return;
  }
  const std::size_t n = path.size();
  const std::size_t segments = closed ? n : n - 1;
  const bool square = !closed && FCap == TLineCap::lcSquare;
  const bool arrives = !closed && arrival && (arrival->x != 0 || arrival->y != 0);
  std::vector<TSegmentBody> bodies;
  bodies.reserve(segments);
  for (std::size_t i = 0; i < segments; ++i) {
    const std::optional<POINT> pieceDirection =
        hasAlong && !closed ? std::optional<POINT>(pieceAlong[i]) : std::nullopt;
    const bool squareFrom = square && i == 0 && !arrives;
    const bool squareTo = square && i + 1 == segments;
    const TSegmentBody capped =
        SegmentBody(path[i], path[(i + 1) % n], FWidth, squareFrom, squareTo, pieceDirection);
    if (Reaches(pixels.Bound(), path[i], path[(i + 1) % n])) {
      AddPolygon(pixels, capped.Corners, TFillRule::frWinding);
    }
    // Joins meet the sides, not the caps: a piece of no length would otherwise offer its cap's
    // corners at the joint.
    bodies.push_back(squareFrom || squareTo ? SegmentBody(path[i], path[(i + 1) % n], FWidth, false,
                                                          false, pieceDirection)
                                            : capped);
  }
  // The points a joint's two segments come from and go to; for pieces offset along a direction,
  // a step along it, so that the joint turns as the path does.
  auto previousOf = [&](std::size_t i) {
    if (!hasAlong || closed) return path[(i + n - 1) % n];
    return POINT{LONG(std::int64_t(path[i].x) - pieceAlong[i - 1].x),
                 LONG(std::int64_t(path[i].y) - pieceAlong[i - 1].y)};
  };
  auto nextOf = [&](std::size_t i) {
    if (!hasAlong || closed) return path[(i + 1) % n];
    return POINT{LONG(std::int64_t(path[i].x) + pieceAlong[i].x),
                 LONG(std::int64_t(path[i].y) + pieceAlong[i].y)};
  };
  for (std::size_t i = 0; i < n; ++i) {
    const bool end = !closed && (i == 0 || i + 1 == n);
    if (end && i == 0 && arrives) {
      if (Reaches(pixels.Bound(), path[0], path[0]))
        AddArrival(pixels, bodies[0], path[0], *arrival, nextOf(0));
      continue;
    }
    if (end) {
      if (FCap == TLineCap::lcRound) AddDisc(pixels, path[i]);
      continue;
    }
    const std::size_t in = (i + segments - 1) % segments;
    const std::size_t out = i % segments;
    if (!Reaches(pixels.Bound(), path[i], path[i])) continue;
    AddJoin(pixels, bodies[in], bodies[out], previousOf(i), path[i], nextOf(i));
  }
}

}  // namespace win::gdi
