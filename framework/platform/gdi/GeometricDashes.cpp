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

void TDashSplitter::Split(std::span<const POINT> path, bool closed, const RECT& bound,
                          std::int64_t margin,
                          const std::function<void(const TDash&)>& visit) const {
  const std::size_t n = path.size();
  if (n < 2 || FPeriod <= 0) return;
  const std::size_t segments = closed ? n : n - 1;
  if (FFirstDotsOnly) {
    SplitFirstDots(path, closed, visit);
    return;
  }

  std::size_t run = 0;  // the run the walk is in
  double done = 0;      // how much of it lies behind
  auto nextRun = [&] {
    run = (run + 1) % FRuns.size();
    done = 0;
  };
  // Moves the pattern on by `distance` without drawing.
  auto advance = [&](double distance) {
    for (;;) {
      const double left = FRuns[run] - done;
      if (distance < left) {
        done += distance;
        return;
      }
      distance -= left;
      nextRun();
      if (distance >= FPeriod) distance = std::fmod(distance, FPeriod);
    }
  };

  TDash dash;
  bool open = false;
  // On a closed path, the dash that starts right at its first point is held back: a dash still
  // open when the path closes runs on into it.
  std::optional<TDash> firstDash;
  bool holdingFirst = false;
  bool anyVisited = false;
  auto finish = [&](const TDash& finished) {
    if (holdingFirst && !firstDash) {
      firstDash = finished;
    } else {
      visit(finished);
    }
    anyVisited = true;
  };
  std::optional<POINT> arriving;  // the direction of the last segment walked
  std::optional<POINT> firstDirection;
  for (std::size_t i = 0; i < segments; ++i) {
    const POINT p = path[i];
    const POINT q = path[(i + 1) % n];
    const double dx = double(q.x) - p.x;
    const double dy = double(q.y) - p.y;
    // The pattern moves on by the segment's length cut to whole pixels; its dashes are placed
    // along the segment's exact length.
    const double exact = std::hypot(dx, dy);
    const double length = std::floor(exact);
    if (length == 0) continue;
    auto at = [&](double t) { return PointAlong(p, q, exact, t); };
    const TVisiblePart visible = VisiblePart(p, dx, dy, length, bound, double(margin));
    double t = 0;
    if (!open && visible.Enter > 0) {
      // Skip the stretch before the visible part, back to the start of a dash running into it.
      const double skip = std::min(visible.Enter, length);
      advance(skip);
      t = skip;
      if (run % 2 == 0 && done > 0) {
        t -= done;
        done = 0;
      }
    }
    const std::optional<POINT> arrivedAlong = arriving;
    arriving = POINT{q.x - p.x, q.y - p.y};
    if (!firstDirection) firstDirection = arriving;
    while (t < length) {
      if (!open && t > visible.Leave) {
        advance(length - t);
        break;
      }
      const bool on = run % 2 == 0;
      const double left = FRuns[run] - done;
      if (on && !open) {
        dash.Points.assign(1, at(t));
        dash.Along.clear();
        dash.Direction = POINT{q.x - p.x, q.y - p.y};
        dash.Arrival = t == 0 ? arrivedAlong : std::nullopt;
        holdingFirst = closed && !anyVisited && i == 0 && t == 0;
        open = true;
      }
      if (t + left <= length) {
        t += left;
        if (on) {
          dash.Points.push_back(at(t));
          dash.Along.push_back(POINT{q.x - p.x, q.y - p.y});
          finish(dash);
          open = false;
        }
        nextRun();
      } else {
        done += length - t;
        t = length;
        if (on) {
          dash.Points.push_back(q);
          dash.Along.push_back(POINT{q.x - p.x, q.y - p.y});
        }
      }
    }
    if (!open && t == length && (length < exact || FRuns[run] == 0) && length <= visible.Leave &&
        run % 2 == 0) {
      // A dash starting right where the pattern's share of the segment ends still runs on over
      // the fraction left to the segment's end; a dot of no length falling there is drawn there,
      // along this segment, and not where the next one starts.
      dash.Points.assign(1, at(t));
      dash.Along.assign(1, POINT{q.x - p.x, q.y - p.y});
      dash.Direction = dash.Along.front();
      dash.Arrival = std::nullopt;
      if (FRuns[run] > 0) {
        dash.Points.push_back(q);
        open = true;
      } else {
        dash.Points.push_back(dash.Points.front());
        finish(dash);
        nextRun();
      }
    }
  }
  if (open && firstDash) {
    dash.Points.insert(dash.Points.end(), firstDash->Points.begin() + 1, firstDash->Points.end());
    dash.Along.insert(dash.Along.end(), firstDash->Along.begin(), firstDash->Along.end());
    visit(dash);
    return;
  }
  if (firstDash) visit(*firstDash);
  if (open) {
    visit(dash);
  } else if (run % 2 == 0 && done == 0 && arriving) {
    // A dash that starts right at the end of the path has no length: its caps alone, and where
    // the path closes, the join to the first segment as well.
    const POINT end = closed ? path[0] : path[n - 1];
    visit(closed ? TDash{{end, end}, {*firstDirection}, *firstDirection, arriving}
                 : TDash{{end, end}, {*arriving}, *arriving, std::nullopt});
  }
}

}  // namespace win::gdi
