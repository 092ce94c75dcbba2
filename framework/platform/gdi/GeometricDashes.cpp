#include "framework/platform/gdi/GeometricDashes.h"

#include <algorithm>
#include <cmath>

namespace win::gdi {
namespace {

// The part [Enter, Leave] of a segment's length that lies in `box` grown by `margin`; empty when
// Leave < Enter.
struct TVisiblePart {
  double Enter = 0;
  double Leave = -1;
};

TVisiblePart VisiblePart(POINT from, double dx, double dy, double length, const RECT& box,
                         double margin) {
  double enter = 0;
  double leave = 1;
  // Each side keeps the points with q * u <= r, u the fraction of the segment.
  auto keep = [&](double q, double r) {
    if (q == 0) return r >= 0;
    const double u = r / q;
    if (q < 0) {
      enter = std::max(enter, u);
    } else {
      leave = std::min(leave, u);
    }
    return true;
  };
  const bool inside =
      keep(-dx, from.x - (box.left - margin)) && keep(dx, box.right + margin - from.x) &&
      keep(-dy, from.y - (box.top - margin)) && keep(dy, box.bottom + margin - from.y);
  if (!inside || leave < enter) return TVisiblePart{};
  return TVisiblePart{enter * length, leave * length};
}

// The point `t` along the segment from p to q of the given length: p moved by the offset, each
// coordinate cut toward p; the segment's end is q itself.
POINT PointAlong(POINT p, POINT q, double length, double t) {
  if (t >= length) return q;
  const double dx = double(q.x) - p.x;
  const double dy = double(q.y) - p.y;
  return POINT{LONG(p.x + std::trunc(dx * t / length)), LONG(p.y + std::trunc(dy * t / length))};
}

}  // namespace

TDashSplitter::TDashSplitter(TDashStyle style, std::int64_t width, bool capped) {
  const std::span<const int> multiples = GeometricMultiples(style);
  bool anyOn = false;
  for (std::size_t i = 0; i < multiples.size(); ++i) {
    const bool on = i % 2 == 0;
    double run = double(multiples[i]) * double(width);
    if (capped) run += on ? -double(width) : double(width);
    FRuns.push_back(run);
    FPeriod += run;
    anyOn = anyOn || (on && run > 0);
  }
  FFirstDotsOnly = !anyOn;
}

void TDashSplitter::SplitFirstDots(std::span<const POINT> path, bool closed,
                                   const std::function<void(const TDash&)>& visit) const {
  const std::size_t n = path.size();
  const std::size_t segments = closed ? n : n - 1;
  double phase = 0;  // the position where the segment starts, within the period
  bool atStart = true;
  for (std::size_t i = 0; i < segments; ++i) {
    const POINT p = path[i];
    const POINT q = path[(i + 1) % n];
    const double exact = std::hypot(double(q.x) - p.x, double(q.y) - p.y);
    if (exact == 0) continue;
    // As for dashes, the pattern moves on by the length cut to whole pixels. The path's start
    // has its dot; after that, a segment draws only the dot that ends a gap begun before it,
    // when that falls within its whole pixels.
    const double length = std::floor(exact);
    const double t = atStart ? 0 : FPeriod - phase;
    if (atStart || (phase != 0 && t <= length)) {
      const POINT direction{q.x - p.x, q.y - p.y};
      const POINT dot = PointAlong(p, q, exact, t);
      visit(TDash{{dot, dot}, {direction}, direction, std::nullopt});
    }
    atStart = false;
    phase = std::fmod(phase + length, FPeriod);
  }
}

namespace {

// One walk of the pattern along a path: where in the pattern it is, the dash being drawn, and, on
// a closed path, the dash starting at the first point, held back because a dash still open when
// the path closes runs on into it.
class TDashWalk {
 public:
  TDashWalk(const std::vector<double>& runs, double period, bool closed,
            const std::function<void(const TDash&)>& visit)
      : FRuns(runs), FPeriod(period), FClosed(closed), FVisit(visit) {}

  // Walks the segment from p to q, the index-th of the path.
  void Segment(std::size_t index, POINT p, POINT q, const RECT& bound, double margin);
  // Ends the walk where the path ends: the held-back dash, an open one, or one of no length.
  void Finish(std::span<const POINT> path);

 private:
  bool OnRun() const { return FRun % 2 == 0; }
  void NextRun() {
    FRun = (FRun + 1) % FRuns.size();
    FDone = 0;
  }
  // Moves the pattern on by `distance` without drawing.
  void Advance(double distance);
  void Emit(const TDash& finished);
  void StartDash(std::size_t index, POINT start, POINT along, double t,
                 std::optional<POINT> arrivedAlong);
  void DashAtSegmentEnd(POINT at, POINT q, POINT along);

  const std::vector<double>& FRuns;
  const double FPeriod;
  const bool FClosed;
  const std::function<void(const TDash&)>& FVisit;
  std::size_t FRun = 0;  // the run the walk is in
  double FDone = 0;      // how much of it lies behind
  TDash FDash;
  bool FOpen = false;
  std::optional<TDash> FFirstDash;
  bool FHoldingFirst = false;
  bool FAnyVisited = false;
  std::optional<POINT> FArriving;  // the direction of the last segment walked
  std::optional<POINT> FFirstDirection;
};

void TDashWalk::Advance(double distance) {
  for (;;) {
    const double left = FRuns[FRun] - FDone;
    if (distance < left) {
      FDone += distance;
      return;
    }
    distance -= left;
    NextRun();
    if (distance >= FPeriod) distance = std::fmod(distance, FPeriod);
  }
}

void TDashWalk::Emit(const TDash& finished) {
  if (FHoldingFirst && !FFirstDash) {
    FFirstDash = finished;
  } else {
    FVisit(finished);
  }
  FAnyVisited = true;
}

void TDashWalk::StartDash(std::size_t index, POINT start, POINT along, double t,
                          std::optional<POINT> arrivedAlong) {
  FDash.Points.assign(1, start);
  FDash.Along.clear();
  FDash.Direction = along;
  FDash.Arrival = t == 0 ? arrivedAlong : std::nullopt;
  FHoldingFirst = FClosed && !FAnyVisited && index == 0 && t == 0;
  FOpen = true;
}

// A dash starting right where the pattern's share of the segment ends still runs on over the
// fraction left to the segment's end; a dot of no length falling there is drawn there, along this
// segment, and not where the next one starts.
void TDashWalk::DashAtSegmentEnd(POINT at, POINT q, POINT along) {
  FDash.Points.assign(1, at);
  FDash.Along.assign(1, along);
  FDash.Direction = along;
  FDash.Arrival = std::nullopt;
  if (FRuns[FRun] > 0) {
    FDash.Points.push_back(q);
    FOpen = true;
  } else {
    FDash.Points.push_back(at);
    Emit(FDash);
    NextRun();
  }
}

void TDashWalk::Segment(std::size_t index, POINT p, POINT q, const RECT& bound, double margin) {
  const double dx = double(q.x) - p.x;
  const double dy = double(q.y) - p.y;
  // The pattern moves on by the segment's length cut to whole pixels; its dashes are placed along
  // the segment's exact length.
  const double exact = std::hypot(dx, dy);
  const double length = std::floor(exact);
  if (length == 0) return;
  const POINT along{q.x - p.x, q.y - p.y};
  auto at = [&](double t) { return PointAlong(p, q, exact, t); };
  const TVisiblePart visible = VisiblePart(p, dx, dy, length, bound, margin);
  double t = 0;
  if (!FOpen && visible.Enter > 0) {
    // Skip the stretch before the visible part, back to the start of a dash running into it.
    const double skip = std::min(visible.Enter, length);
    Advance(skip);
    t = skip;
    if (OnRun() && FDone > 0) {
      t -= FDone;
      FDone = 0;
    }
  }
  const std::optional<POINT> arrivedAlong = FArriving;
  FArriving = along;
  if (!FFirstDirection) FFirstDirection = along;
  while (t < length) {
    if (!FOpen && t > visible.Leave) {
      Advance(length - t);
      break;
    }
    const bool on = OnRun();
    const double left = FRuns[FRun] - FDone;
    if (on && !FOpen) StartDash(index, at(t), along, t, arrivedAlong);
    if (t + left <= length) {
      t += left;
      if (on) {
        FDash.Points.push_back(at(t));
        FDash.Along.push_back(along);
        Emit(FDash);
        FOpen = false;
      }
      NextRun();
    } else {
      FDone += length - t;
      t = length;
      if (on) {
        FDash.Points.push_back(q);
        FDash.Along.push_back(along);
      }
    }
  }
  if (!FOpen && t == length && (length < exact || FRuns[FRun] == 0) && length <= visible.Leave &&
      OnRun()) {
    DashAtSegmentEnd(at(t), q, along);
  }
}

void TDashWalk::Finish(std::span<const POINT> path) {
  if (FOpen && FFirstDash) {
    FDash.Points.insert(FDash.Points.end(), FFirstDash->Points.begin() + 1,
                        FFirstDash->Points.end());
    FDash.Along.insert(FDash.Along.end(), FFirstDash->Along.begin(), FFirstDash->Along.end());
    FVisit(FDash);
    return;
  }
  if (FFirstDash) FVisit(*FFirstDash);
  if (FOpen) {
    FVisit(FDash);
  } else if (OnRun() && FDone == 0 && FArriving) {
    // A dash that starts right at the end of the path has no length: its caps alone, and where
    // the path closes, the join to the first segment as well.
    const POINT end = FClosed ? path[0] : path[path.size() - 1];
    FVisit(FClosed ? TDash{{end, end}, {*FFirstDirection}, *FFirstDirection, FArriving}
                   : TDash{{end, end}, {*FArriving}, *FArriving, std::nullopt});
  }
}

}  // namespace

void TDashSplitter::Split(std::span<const POINT> path, bool closed, const RECT& bound,
                          std::int64_t margin,
                          const std::function<void(const TDash&)>& visit) const {
  const std::size_t n = path.size();
  if (n < 2 || FPeriod <= 0) return;
  if (FFirstDotsOnly) {
    SplitFirstDots(path, closed, visit);
    return;
  }
  TDashWalk walk(FRuns, FPeriod, closed, visit);
  const std::size_t segments = closed ? n : n - 1;
  for (std::size_t i = 0; i < segments; ++i)
    walk.Segment(i, path[i], path[(i + 1) % n], bound, double(margin));
  walk.Finish(path);
}

}  // namespace win::gdi
