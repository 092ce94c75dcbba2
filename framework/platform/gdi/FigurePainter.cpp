#include "framework/platform/gdi/FigurePainter.h"

namespace win::gdi {
namespace {

TDashStyle DashOf(int style) {
  switch (style) {
    case PS_DASH:
      return TDashStyle::dsDash;
    case PS_DOT:
      return TDashStyle::dsDot;
    case PS_DASHDOT:
      return TDashStyle::dsDashDot;
    case PS_DASHDOTDOT:
      return TDashStyle::dsDashDotDot;
    default:
      return TDashStyle::dsSolid;
  }
}

TLineCap CapOf(int endCap) {
  if (endCap == PS_ENDCAP_FLAT) return TLineCap::lcFlat;
  if (endCap == PS_ENDCAP_SQUARE) return TLineCap::lcSquare;
  return TLineCap::lcRound;
}

TLineJoin JoinOf(int join) {
  if (join == PS_JOIN_BEVEL) return TLineJoin::ljBevel;
  if (join == PS_JOIN_MITER) return TLineJoin::ljMiter;
  return TLineJoin::ljRound;
}

bool InDeviceSpace(std::int64_t value) {
  return value >= -kMaxDeviceCoordinate && value <= kMaxDeviceCoordinate;
}

}  // namespace

TPenGeometry PenGeometryOf(const TPenInfo& pen) {
  TPenGeometry geometry;
  geometry.Null = pen.Style == PS_NULL;
  geometry.InsideFrame = pen.Style == PS_INSIDEFRAME;
  geometry.Dash = DashOf(pen.Style);
  geometry.Width = pen.Width;
  geometry.Geometric = pen.Geometric;
  if (pen.Geometric) {
    geometry.Cap = CapOf(pen.EndCap);
    geometry.Join = JoinOf(pen.Join);
    // Only solid ones: a styled thin line ends before its last pixel like a cosmetic one.
    geometry.KeepsLastPixel = pen.Width <= 1 && geometry.Dash == TDashStyle::dsSolid;
  } else if (!geometry.IsThin()) {
    // Cosmetic pens wider than one pixel ignore their style.
    geometry.Dash = TDashStyle::dsSolid;
  }
  return geometry;
}

TFigurePainter::TFigurePainter(HDC dc) : FPainter(dc) {
  if (!FPainter.IsValid()) return;
  FDc = &FPainter.Dc();
  // The context resolves the DC pen's colour.
  const TPenInfo pen = FDc->PenInfo();
  FPen = PenGeometryOf(pen);
  FPenColor = pen.Color;
  FBound = FDc->DeviceClip().Extents();
}

std::optional<POINT> TFigurePainter::ToDevice(POINT logical) const {
  // MM_TEXT moves by the origins only; computed wide so that no sum can overflow.
  const POINT origin = FDc->ToDevice(POINT{0, 0});
  const std::int64_t x = std::int64_t(logical.x) + origin.x;
  const std::int64_t y = std::int64_t(logical.y) + origin.y;
  if (!InDeviceSpace(x) || !InDeviceSpace(y)) return std::nullopt;
  return POINT{LONG(x), LONG(y)};
}

std::optional<RECT> TFigurePainter::ToDevice(const RECT& logical) const {
  const auto a = ToDevice(POINT{logical.left, logical.top});
  const auto b = ToDevice(POINT{logical.right, logical.bottom});
  if (!a || !b) return std::nullopt;
  return RECT{a->x, a->y, b->x, b->y};
}

std::optional<std::vector<POINT>> TFigurePainter::ToDevice(std::span<const POINT> logical) const {
  std::vector<POINT> device;
  device.reserve(logical.size());
  for (const POINT& p : logical) {
    const auto d = ToDevice(p);
    if (!d) return std::nullopt;
    device.push_back(*d);
  }
  return device;
}

bool TFigurePainter::HasInterior() const {
  const TBrushObject* brush = FDc->Brush();
  return brush && !brush->IsHollow();
}

void TFigurePainter::Paint(const TFigureCoverage& coverage) const {
  if (!coverage.Interior.IsEmpty()) FPainter.PaintBrush(coverage.Interior);
  const bool opaque = FDc->State().BkMode == OPAQUE;
  for (const TPenPass& pass : coverage.Pen) {
    if (opaque && !pass.Gaps.IsEmpty()) FPainter.PaintBackground(pass.Gaps);
    FPainter.PaintSolid(pass.Pixels, FPenColor);
  }
}

}  // namespace win::gdi
