#include "framework/platform/gdi/PolygonFill.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "framework/platform/gdi/ExactMath.h"

namespace win::gdi {
namespace {

struct TEdge {
  std::int64_t Top;     // first row the edge crosses
  std::int64_t Bottom;  // first row it no longer crosses
  std::int64_t X0;
  std::int64_t Y0;
  std::int64_t DX;
  std::int64_t DY;  // positive
  int Winding;      // +1 downward, -1 upward

  // The first pixel column at or right of the edge on row y.
  std::int64_t FirstColumn(std::int64_t y) const {
    return std::int64_t(X0 + CeilDiv128(TInt128(y - Y0) * DX, DY));
  }
};

struct TCrossing {
  std::int64_t Column;
  int Winding;
};

// Fills `edges` with the polygon's non-horizontal edges sorted by their first row.
void CollectEdges(std::span<const POINT> points, std::vector<TEdge>& edges) {
  edges.clear();
  const std::size_t n = points.size();
  for (std::size_t i = 0; i < n; ++i) {
    POINT a = points[i];
    POINT b = points[(i + 1) % n];
    if (a.y == b.y) continue;
    int winding = 1;
    if (a.y > b.y) {
      std::swap(a, b);
      winding = -1;
    }
    edges.push_back(
        {a.y, b.y, a.x, a.y, std::int64_t(b.x) - a.x, std::int64_t(b.y) - a.y, winding});
  }
  std::sort(edges.begin(), edges.end(),
            [](const TEdge& l, const TEdge& r) { return l.Top < r.Top; });
}

void AddRow(TSpanSet& pixels, std::int64_t y, std::vector<TCrossing>& crossings, TFillRule rule) {
  std::sort(crossings.begin(), crossings.end(),
            [](const TCrossing& l, const TCrossing& r) { return l.Column < r.Column; });
  if (rule == TFillRule::frAlternate) {
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
      pixels.AddSpan(y, crossings[i].Column, crossings[i + 1].Column);
    }
    return;
  }
  int winding = 0;
  std::int64_t start = 0;
  for (const TCrossing& c : crossings) {
    if (winding == 0) start = c.Column;
    winding += c.Winding;
    if (winding == 0) pixels.AddSpan(y, start, c.Column);
  }
}

}  // namespace

void AddPolygon(TSpanSet& pixels, std::span<const POINT> points, TFillRule rule) {
  if (points.size() < 3) return;
  // Wide strokes fill one small polygon per segment: the buffers are kept between calls.
  thread_local std::vector<TEdge> edges;
  thread_local std::vector<const TEdge*> active;
  thread_local std::vector<TCrossing> crossings;
  CollectEdges(points, edges);
  if (edges.empty()) return;
  std::int64_t top = edges.front().Top;
  std::int64_t bottom = top;
  for (const TEdge& e : edges)
    bottom = std::max(bottom, e.Bottom);
  top = std::max<std::int64_t>(top, pixels.Bound().top);
  bottom = std::min<std::int64_t>(bottom, pixels.Bound().bottom);

  active.clear();
  std::size_t next = 0;
  for (std::int64_t y = top; y < bottom; ++y) {
    while (next < edges.size() && edges[next].Top <= y)
      active.push_back(&edges[next++]);
    std::erase_if(active, [y](const TEdge* e) { return e->Bottom <= y; });
    crossings.clear();
    for (const TEdge* e : active)
      crossings.push_back({e->FirstColumn(y), e->Winding});
    AddRow(pixels, y, crossings, rule);
  }
}

}  // namespace win::gdi
