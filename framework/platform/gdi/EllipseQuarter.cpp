#include "framework/platform/gdi/EllipseQuarter.h"

#include "framework/platform/gdi/ExactMath.h"

namespace win::gdi {

TEllipseQuarter::TEllipseQuarter(std::int64_t width, std::int64_t height)
    : FWidth(width), FHeight(height) {
  Trace();
}

void TEllipseQuarter::Trace() {
  const std::int64_t a = FWidth - 1;  // doubled radii
  const std::int64_t b = FHeight - 1;
  const TInt128 a2 = TInt128(a) * a;
  const TInt128 b2 = TInt128(b) * b;
  const TInt128 a2b2 = a2 * b2;
  // Twice the implicit function at (u, v): positive outside the ellipse.
  auto error = [&](std::int64_t u, std::int64_t v) {
    return TInt128(u) * u * b2 + TInt128(v) * v * a2 - a2b2;
  };
  std::int64_t u = a;
  std::int64_t v = b % 2;
  FPoints.reserve(std::size_t(a / 2 + b / 2 + 2));
  FPoints.push_back({std::int32_t(u), std::int32_t(v)});
  // Steep part: one row per step; move inward when that pixel is the closer one. The part ends
  // before a step whose new point no longer has a slope steeper than one.
  for (;;) {
    const std::int64_t nextV = v + 2;
    const std::int64_t nextU = error(u, nextV) + error(u - 2, nextV) >= 0 ? u - 2 : u;
    if (b2 * nextU < a2 * (nextV - 1)) break;
    u = nextU;
    v = nextV;
    FPoints.push_back({std::int32_t(u), std::int32_t(v)});
  }
  // Flat part: one column per step toward the top; move up when that pixel is the closer one.
  const std::int64_t lastU = a % 2;
  while (u - 2 >= lastU) {
    u -= 2;
    if (error(u, v) + error(u, v + 2) <= 0) v += 2;
    FPoints.push_back({std::int32_t(u), std::int32_t(v)});
  }
  for (const TQuarterPoint& p : FPoints) {
    if (FRowExtents.empty() || FRowExtents.back().V != p.V) FRowExtents.push_back(p);
  }
}

}  // namespace win::gdi
