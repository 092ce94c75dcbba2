#include "framework/platform/gdi/Painter.h"

#include <algorithm>
#include <vector>

#include "framework/platform/gdi/RasterOp.h"

namespace win::gdi {
namespace {

LONG Wrap(std::int64_t v, LONG size) {
  const std::int64_t m = v % size;
  return LONG(m < 0 ? m + size : m);
}

TBrushTile SolidTile(std::uint32_t value) {
  TBrushTile tile;
  tile.Values = {value};
  tile.Paint = {1};
  return tile;
}

}  // namespace

RECT OrderedRect(const RECT& r) {
  RECT out = r;
  if (r.right < r.left) {
    out.left = ClampToLong(std::int64_t(r.right) + 1);
    out.right = ClampToLong(std::int64_t(r.left) + 1);
  }
  if (r.bottom < r.top) {
    out.top = ClampToLong(std::int64_t(r.bottom) + 1);
    out.bottom = ClampToLong(std::int64_t(r.top) + 1);
  }
  return out;
}

TPainter::TPainter(HDC dc) : FDc(FindDc(dc)) {}

TPainter::TPainter(std::shared_ptr<TDeviceContext> dc) : FDc(std::move(dc)) {}

TRegion TPainter::ToDevice(TRegion logical) const {
  const POINT o = FDc->ToDevice(POINT{0, 0});
  logical.Offset(o.x, o.y);
  return logical;
}

TRegion TPainter::Reach(const TRegion& device) const {
  TRegion r = device;
  const POINT o = FDc->DeviceOrigin();
  r.Offset(o.x, o.y);
  r.Intersect(FDc->PaintClip());
  return r;
}

bool TPainter::Reaches(LONG x, LONG y) const {
  if (!FDc) return false;
  const POINT o = FDc->DeviceOrigin();
  return FDc->PaintClip().Contains(x + o.x, y + o.y);
}

TBrushContext TPainter::BrushContext() const {
  const TDcState& s = FDc->State();
  return {s.TextColor, s.BkColor, s.BkMode == OPAQUE};
}

void TPainter::PaintSolid(const TRegion& device, COLORREF color) const {
  if (FDc) PaintSolid(device, color, FDc->State().Rop2);
}

void TPainter::PaintSolid(const TRegion& device, COLORREF color, int rop2) const {
  if (!FDc) return;
  const TBrushTile tile = SolidTile(FDc->Target().FromColor(color));
  PaintCode(Reach(device), Rop2ToRop3Code(rop2), &tile, nullptr);
}

void TPainter::PaintBrush(const TRegion& device) const {
  if (FDc) PaintBrush(device, FDc->Brush(), FDc->State().Rop2);
}

void TPainter::PaintBrush(const TRegion& device, const TBrushObject* brush, int rop2) const {
  if (!FDc || !brush || brush->IsHollow()) return;
  const std::uint8_t code = Rop2ToRop3Code(rop2);
  const TBrushTile tile = TileOf(brush, code);
  PaintCode(Reach(device), code, &tile, nullptr);
}

TBrushTile TPainter::TileOf(const TBrushObject* brush, std::uint8_t code) const {
  // The selected brush keeps its realisation; any other is realised for this call.
  if (brush == FDc->Brush()) return FDc->RealizedBrush(code);
  return RealizeBrush(brush, FDc->Target(), BrushContext());
}

void TPainter::PaintBackground(const TRegion& device) const {
  if (FDc) PaintBackground(device, FDc->State().Rop2);
}

void TPainter::PaintBackground(const TRegion& device, int rop2) const {
  if (FDc) PaintSolid(device, FDc->State().BkColor, rop2);
}

void TPainter::PaintRop3(const TRegion& device, DWORD rop, const TBrushObject* pattern,
                         const TRowSource* source) const {
  if (!FDc) return;
  const std::uint8_t code = Rop3Code(rop);
  if (RopUsesSource(code) && !source) return;
  if (RopUsesPattern(code)) {
    // A hollow brush as pattern paints nothing where the pattern matters.
    if (!pattern || pattern->IsHollow()) return;
    const TBrushTile tile = TileOf(pattern, code);
    PaintCode(Reach(device), code, &tile, source);
  } else {
    PaintCode(Reach(device), code, nullptr, source);
  }
}

void TPainter::PaintCode(const TRegion& region, std::uint8_t code, const TBrushTile* tile,
                         const TRowSource* source) const {
  if (region.IsEmpty()) return;
  TSurface& target = FDc->Target();
  const bool usesPattern = tile && RopUsesPattern(code);
  const bool usesSource = source && RopUsesSource(code);
  const bool masked = usesPattern && !tile->Uniform &&
                      std::find(tile->Paint.begin(), tile->Paint.end(), 0) != tile->Paint.end();
  const bool holes = usesSource && source->HasHoles();
  const bool readsDestination = RopUsesDestination(code) || masked || holes;
  const POINT origin = FDc->DeviceOrigin();
  const POINT brushOrg = FDc->State().BrushOrg;
  const std::int64_t orgX = std::int64_t(origin.x) + brushOrg.x;
  const std::int64_t orgY = std::int64_t(origin.y) + brushOrg.y;

  std::vector<std::uint32_t> pattern, src, dst, before;
  std::vector<std::uint8_t> paint;
  for (const RECT& r : region.Rects()) {
    const std::size_t n = std::size_t(r.right - r.left);
    pattern.resize(n);
    src.resize(n);
    dst.resize(n);
    if (masked || holes) before.resize(n);
    if (holes) paint.resize(n);
    if (usesPattern && tile->Uniform) std::fill(pattern.begin(), pattern.end(), tile->Values[0]);
    // What neither the destination nor a source nor a varying pattern decides is the same on
    // every row: the first row is computed, the others copy it.
    if (!readsDestination && !usesSource && (!usesPattern || tile->Uniform)) {
      ApplyRop3Row(code, usesPattern ? pattern.data() : nullptr, nullptr, dst.data(), n);
      target.WriteRow(r.top, r.left, n, dst.data());
      for (LONG y = r.top + 1; y < r.bottom; ++y)
        target.CopyRowSpan(r.top, y, r.left, n);
      continue;
    }
    for (LONG y = r.top; y < r.bottom; ++y) {
      if (readsDestination) target.ReadRow(y, r.left, n, dst.data());
      if (masked || holes) before = dst;
      if (usesPattern && !tile->Uniform) {
        const LONG ty = Wrap(y - orgY, tile->Height);
        LONG tx = Wrap(r.left - orgX, tile->Width);
        for (std::size_t i = 0; i < n; ++i) {
          pattern[i] = tile->ValueAt(tx, ty);
          if (++tx == tile->Width) tx = 0;
        }
      }
      if (usesSource) source->Fetch(y, r.left, n, src.data());
      ApplyRop3Row(code, usesPattern ? pattern.data() : nullptr, usesSource ? src.data() : nullptr,
                   dst.data(), n);
      if (masked) {
        const LONG ty = Wrap(y - orgY, tile->Height);
        LONG tx = Wrap(r.left - orgX, tile->Width);
        for (std::size_t i = 0; i < n; ++i) {
          if (!tile->PaintsAt(tx, ty)) dst[i] = before[i];
          if (++tx == tile->Width) tx = 0;
        }
      }
      if (holes) {
        source->FetchPaint(y, r.left, n, paint.data());
        for (std::size_t i = 0; i < n; ++i) {
          if (!paint[i]) dst[i] = before[i];
        }
      }
      target.WriteRow(y, r.left, n, dst.data());
    }
  }
  target.AddDamage(region);
}

}  // namespace win::gdi
