#include "framework/platform/gdi/FigureContour.h"

#include <algorithm>

namespace win::gdi {

std::vector<POINT> RectangleContour(const RECT& rect) {
  return {{rect.right - 1, rect.top},
          {rect.left, rect.top},
          {rect.left, rect.bottom - 1},
          {rect.right - 1, rect.bottom - 1}};
}

TRoundedContour::TRoundedContour(const RECT& rect, LONG cornerWidth, LONG cornerHeight)
    : FRect(rect), FQuarter(cornerWidth, cornerHeight) {}

POINT TRoundedContour::Place(const TQuarterPoint& p, int sx, int sy) const {
  // The corner ellipse sits in the top-left corner; right and bottom quarters move across.
  const std::int64_t a = FQuarter.Width() - 1;
  const std::int64_t b = FQuarter.Height() - 1;
  std::int64_t x = FRect.left + (a + sx * p.U) / 2;
  std::int64_t y = FRect.top + (b + sy * p.V) / 2;
  if (sx > 0) x += (FRect.right - FRect.left) - FQuarter.Width();
  if (sy > 0) y += (FRect.bottom - FRect.top) - FQuarter.Height();
  return {LONG(x), LONG(y)};
}

std::vector<POINT> TRoundedContour::Points() const {
  const std::vector<TQuarterPoint>& quarter = FQuarter.Points();
  std::vector<POINT> points;
  points.reserve(quarter.size() * 4);
  auto append = [&points](POINT p) {
    if (points.empty() || points.back().x != p.x || points.back().y != p.y) points.push_back(p);
  };
  for (auto it = quarter.begin(); it != quarter.end(); ++it)
    append(Place(*it, 1, -1));
  for (auto it = quarter.rbegin(); it != quarter.rend(); ++it)
    append(Place(*it, -1, -1));
  for (auto it = quarter.begin(); it != quarter.end(); ++it)
    append(Place(*it, -1, 1));
  for (auto it = quarter.rbegin(); it != quarter.rend(); ++it)
    append(Place(*it, 1, 1));
  if (points.size() > 1 && points.front().x == points.back().x &&
      points.front().y == points.back().y) {
    points.pop_back();
  }
  return points;
}

void TRoundedContour::AddInterior(TSpanSet& pixels) const {
  const std::int64_t height = FRect.bottom - FRect.top;
  const std::int64_t cornerHeight = FQuarter.Height();
  // Rows 0 .. cornerRows-1 belong to the top arcs, the same number at the bottom to the bottom
  // arcs; rows an arc never reaches stay empty.
  const std::int64_t cornerRows = (cornerHeight + 1) / 2;
  for (const TQuarterPoint& row : FQuarter.RowExtents()) {
    const POINT topLeft = Place(row, -1, -1);
    const POINT bottomLeft = Place(row, -1, 1);
    const POINT right = Place(row, 1, 1);
    pixels.AddSpan(topLeft.y, topLeft.x, std::int64_t(right.x) + 1);
    if (bottomLeft.y != topLeft.y)
      pixels.AddSpan(bottomLeft.y, bottomLeft.x, std::int64_t(right.x) + 1);
  }
  const std::int64_t middleTop = std::int64_t(FRect.top) + cornerRows;
  const std::int64_t middleBottom = std::int64_t(FRect.top) + height - cornerRows;
  const RECT& bound = pixels.Bound();
  for (std::int64_t y = std::max<std::int64_t>(middleTop, bound.top);
       y < std::min<std::int64_t>(middleBottom, bound.bottom); ++y) {
    pixels.AddSpan(y, FRect.left, FRect.right);
  }
}

}  // namespace win::gdi
