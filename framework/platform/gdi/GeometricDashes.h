// Geometric pens with a dash or dot style: the path cut into the pieces that lie under the
// pattern's on-runs, each of which is then stroked like a short line of its own.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "framework/platform/WinTypes.h"
#include "framework/platform/gdi/DashPattern.h"

namespace win::gdi {

struct TDash {
  // The points the dash runs through: its start, the path's corners it passes and its end. A
  // dash of no length has its start only.
  std::vector<POINT> Points;
  // The direction of the path segment each piece between two points lies on.
  std::vector<POINT> Along;
  POINT Direction{1, 0};  // the direction of the path where the dash starts
  // For a dash that starts right at a corner of the path: the direction the path arrives there
  // in (the dash then starts as a line of no length arriving that way).
  std::optional<POINT> Arrival;
};

class TDashSplitter {
 public:
  // The runs are multiples of the pen's width; with round or square caps (`capped`) every
  // on-run is one width shorter and every off-run one width longer, so that the caps fill the
  // dashes back to their length. When every on-run is then empty (dots), the path's start has a
  // dot, and every further segment at most one: the dot ending a gap that began before it.
  TDashSplitter(TDashStyle style, std::int64_t width, bool capped);

  // Calls visit(dash) for the dashes along the path (closed paths run on from the last point to
  // the first) that can reach `bound` grown by `margin` on every side. Points lying inside a
  // segment are its start moved by the offset along it, each coordinate cut toward the start.
  // Each segment moves the pattern on by its length cut to whole pixels; a dash starting right
  // there still runs to the segment's end, and a dot of no length there belongs to the segment. On
  // a closed path, a dash still open at the end runs on into the one starting at the first point.
  void Split(std::span<const POINT> path, bool closed, const RECT& bound, std::int64_t margin,
             const std::function<void(const TDash&)>& visit) const;

 private:
  // Patterns whose dots have no length: the start's dot and one per segment at most.
  void SplitFirstDots(std::span<const POINT> path, bool closed,
                      const std::function<void(const TDash&)>& visit) const;

  std::vector<double> FRuns;  // alternating on and off lengths, starting with on
  double FPeriod = 0;
  bool FFirstDotsOnly = false;
};

}  // namespace win::gdi
