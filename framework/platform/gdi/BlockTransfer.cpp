#include "framework/platform/gdi/BlockTransfer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

#include "framework/platform/gdi/RasterOp.h"
#include "framework/platform/gdi/StretchAxis.h"

namespace win::gdi {
namespace {

// Reads one source pixel per target pixel (nearest-pixel choice, no combining).
class TSampledSource : public TRowSource {
 public:
  TSampledSource(const TSurface& source, const TPixelConverter& converter, const TStretchAxis& cols,
                 const TStretchAxis& rows, POINT shift)
      : FSource(source), FConverter(converter), FCols(cols), FRows(rows), FShift(shift) {}

  void Fetch(LONG y, LONG x, std::size_t count, std::uint32_t* out) const override {
    const LONG ty = y - FShift.y;
    const LONG tx = x - FShift.x;
    const LONG sy = FRows.Source(ty);
    if (FCols.IsIdentity()) {
      FSource.ReadRow(sy, FCols.Source(tx), count, out);
    } else {
      ReadSampled(sy, tx, count, out);
    }
    FConverter.ConvertRow(out, count);
  }

 private:
  void ReadSampled(LONG sy, LONG tx, std::size_t count, std::uint32_t* out) const {
    const std::uint8_t* row = FSource.Row(sy);
    switch (FSource.BitCount()) {
      case 32:
        for (std::size_t i = 0; i < count; ++i) {
          std::uint32_t v;
          std::memcpy(&v, row + 4 * std::size_t(FCols.Source(tx + LONG(i))), 4);
          out[i] = v & FSource.ValueMask();
        }
        return;
      case 24:
        for (std::size_t i = 0; i < count; ++i) {
          const std::uint8_t* p = row + 3 * std::size_t(FCols.Source(tx + LONG(i)));
          out[i] = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16;
        }
        return;
      default:
        for (std::size_t i = 0; i < count; ++i)
          out[i] = FSource.GetPixel(FCols.Source(tx + LONG(i)), sy);
        return;
    }
  }

  const TSurface& FSource;
  const TPixelConverter& FConverter;
  const TStretchAxis& FCols;
  const TStretchAxis& FRows;
  POINT FShift;  // target surface coordinate minus target device coordinate
};

// BLACKONWHITE and WHITEONBLACK: a shrinking copy ANDs (or ORs) the pixels it drops into the
// pixel it keeps, on the target's values.
class TCombinedSource : public TRowSource {
 public:
  TCombinedSource(const TSurface& source, const TPixelConverter& converter,
                  const TStretchAxis& cols, const TStretchAxis& rows, POINT shift, bool useAnd)
      : FSource(source),
        FConverter(converter),
        FCols(cols),
        FRows(rows),
        FShift(shift),
        FAnd(useAnd) {}

  void Fetch(LONG y, LONG x, std::size_t count, std::uint32_t* out) const override {
    const LONG ty = y - FShift.y;
    const LONG rowLow = FRows.IsShrinking() ? FRows.SpanLow(ty) : FRows.Source(ty);
    const LONG rowHigh = FRows.IsShrinking() ? FRows.SpanHigh(ty) : FRows.Source(ty);
    for (std::size_t i = 0; i < count; ++i) {
      const LONG tx = x - FShift.x + LONG(i);
      const LONG colLow = FCols.IsShrinking() ? FCols.SpanLow(tx) : FCols.Source(tx);
      const LONG colHigh = FCols.IsShrinking() ? FCols.SpanHigh(tx) : FCols.Source(tx);
      std::uint32_t acc = FAnd ? ~0u : 0u;
      for (LONG sy = rowLow; sy <= rowHigh; ++sy) {
        for (LONG sx = colLow; sx <= colHigh; ++sx) {
          const std::uint32_t v = FConverter.Convert(FSource.GetPixel(sx, sy));
          acc = FAnd ? (acc & v) : (acc | v);
        }
      }
      out[i] = acc;
    }
  }

 private:
  const TSurface& FSource;
  const TPixelConverter& FConverter;
  const TStretchAxis& FCols;
  const TStretchAxis& FRows;
  POINT FShift;
  bool FAnd;
};

// HALFTONE as documented: each target pixel is the average of the source pixels it covers,
// weighted by the covered area.
class TAveragedSource : public TRowSource {
 public:
  TAveragedSource(const TSurface& source, const TSurface& target, const TConversionColors& colors,
                  const TStretchAxis& cols, const TStretchAxis& rows, POINT shift)
      : FSource(source),
        FTarget(target),
        FColors(colors),
        FCols(cols),
        FRows(rows),
        FShift(shift) {}

  void Fetch(LONG y, LONG x, std::size_t count, std::uint32_t* out) const override {
    const auto rowWeights = Clamped(FRows.Coverage(y - FShift.y), FSource.Height());
    for (std::size_t i = 0; i < count; ++i) {
      const auto colWeights = Clamped(FCols.Coverage(x - FShift.x + LONG(i)), FSource.Width());
      double r = 0, g = 0, b = 0;
      for (const TWeight& wy : rowWeights) {
        for (const TWeight& wx : colWeights) {
          const COLORREF c = ColorOf(FSource.GetPixel(wx.Index, wy.Index));
          const double w = wx.Weight * wy.Weight;
          r += w * GetRValue(c);
          g += w * GetGValue(c);
          b += w * GetBValue(c);
        }
      }
      out[i] = FTarget.FromColor(RGB(Round(r), Round(g), Round(b)));
    }
  }

 private:
  static BYTE Round(double v) { return BYTE(std::clamp(std::lround(v), 0L, 255L)); }
  static std::vector<TWeight> Clamped(std::vector<TWeight> weights, LONG limit) {
    for (TWeight& w : weights)
      w.Index = std::clamp<LONG>(w.Index, 0, limit - 1);
    return weights;
  }
  COLORREF ColorOf(std::uint32_t v) const {
    if (FColors.SourceIsMonochromeDevice && FSource.BitCount() == 1)
      return v ? FColors.TargetBkColor : FColors.TargetTextColor;
    return FSource.ToColor(v);
  }

  const TSurface& FSource;
  const TSurface& FTarget;
  TConversionColors FColors;
  const TStretchAxis& FCols;
  const TStretchAxis& FRows;
  POINT FShift;
};

TRegion NormalizedRect(LONG x, LONG y, LONG w, LONG h) {
  const std::int64_t l = w < 0 ? std::int64_t(x) + w + 1 : x;
  const std::int64_t t = h < 0 ? std::int64_t(y) + h + 1 : y;
  const std::int64_t r = l + std::abs(std::int64_t(w));
  const std::int64_t b = t + std::abs(std::int64_t(h));
  auto clamp = [](std::int64_t v) {
    return LONG(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
  };
  return TRegion(RECT{clamp(l), clamp(t), clamp(r), clamp(b)});
}

// The axes and target area of a transfer, bounded by what painting can reach.
struct TPrepared {
  TStretchAxis Cols;
  TStretchAxis Rows;
  TRegion Area;  // device coordinates
};

std::optional<TPrepared> Prepare(const TPainter& painter, const TTransferRects& q,
                                 const TTransferSource& source) {
  TDeviceContext& dc = painter.Dc();
  const TSurface& src = *source.Surface;
  const POINT origin = dc.DeviceOrigin();
  const TRegion reach = painter.Reach(NormalizedRect(q.DestX, q.DestY, q.DestWidth, q.DestHeight));
  if (reach.IsEmpty()) return std::nullopt;
  const RECT box = reach.Extents();
  // Axes in target surface coordinates against source surface coordinates.
  TPrepared p{TStretchAxis({q.DestX + origin.x, q.DestWidth, q.SrcX + source.Origin.x, q.SrcWidth,
                            TAxisKind::akColumns},
                           box.left, box.right, src.Width()),
              TStretchAxis({q.DestY + origin.y, q.DestHeight, q.SrcY + source.Origin.y, q.SrcHeight,
                            TAxisKind::akRows},
                           box.top, box.bottom, src.Height()),
              TRegion()};
  if (p.Cols.IsEmpty() || p.Rows.IsEmpty()) return std::nullopt;
  p.Area = TRegion(RECT{p.Cols.First() - origin.x, p.Rows.First() - origin.y,
                        p.Cols.Last() - origin.x, p.Rows.Last() - origin.y});
  return p;
}

TConversionColors ColorsFor(const TDeviceContext& dc, const TTransferSource& source) {
  TConversionColors colors;
  colors.SourceIsMonochromeDevice = source.MonochromeDevice;
  colors.TargetTextColor = dc.State().TextColor;
  colors.TargetBkColor = dc.State().BkColor;
  colors.SourceBkColor = source.BkColor;
  return colors;
}

// The source of TransparentBlt: converted values, with holes where the raw value is the key.
class TKeyedSource : public TRowSource {
 public:
  TKeyedSource(const TRowSource& values, const TRowSource& raw, std::uint32_t key)
      : FValues(values), FRaw(raw), FKey(key) {}
  void Fetch(LONG y, LONG x, std::size_t count, std::uint32_t* out) const override {
    FValues.Fetch(y, x, count, out);
  }
  bool HasHoles() const override { return true; }
  void FetchPaint(LONG y, LONG x, std::size_t count, std::uint8_t* paint) const override {
    FBuffer.resize(count);
    FRaw.Fetch(y, x, count, FBuffer.data());
    for (std::size_t i = 0; i < count; ++i)
      paint[i] = FBuffer[i] != FKey;
  }

 private:
  const TRowSource& FValues;
  const TRowSource& FRaw;
  std::uint32_t FKey;
  mutable std::vector<std::uint32_t> FBuffer;
};

}  // namespace

bool Transfer(const TPainter& painter, const TTransferRects& q, const TTransferSource* source,
              DWORD rop, int stretchMode) {
  if (!painter.IsValid()) return false;
  TDeviceContext& dc = painter.Dc();
  const std::uint8_t code = Rop3Code(rop);
  if (!RopUsesSource(code)) {
    painter.PaintRop3(NormalizedRect(q.DestX, q.DestY, q.DestWidth, q.DestHeight), rop, dc.Brush(),
                      nullptr);
    return true;
  }
  if (!source || !source->Surface) return false;
  if (q.DestWidth == 0 || q.DestHeight == 0) return true;
  if (q.SrcWidth == 0 || q.SrcHeight == 0) return false;
  const auto prepared = Prepare(painter, q, *source);
  if (!prepared) return true;
  const TStretchAxis& cols = prepared->Cols;
  const TStretchAxis& rows = prepared->Rows;
  const TSurface& src = *source->Surface;
  TSurface& target = dc.Target();
  const TConversionColors colors = ColorsFor(dc, *source);
  const TPixelConverter converter(src, target, colors);
  const POINT shift{0, 0};

  const bool shrinking = cols.IsShrinking() || rows.IsShrinking();
  const bool stretching = !(cols.IsIdentity() && rows.IsIdentity());
  if (stretching && stretchMode == HALFTONE) {
    const TAveragedSource averaged(src, target, colors, cols, rows, shift);
    painter.PaintRop3(prepared->Area, rop, dc.Brush(), &averaged);
  } else if (shrinking && (stretchMode == BLACKONWHITE || stretchMode == WHITEONBLACK)) {
    const TCombinedSource combined(src, converter, cols, rows, shift, stretchMode == BLACKONWHITE);
    painter.PaintRop3(prepared->Area, rop, dc.Brush(), &combined);
  } else {
    const TSampledSource sampled(src, converter, cols, rows, shift);
    painter.PaintRop3(prepared->Area, rop, dc.Brush(), &sampled);
  }
  return true;
}

bool TransferKeyed(const TPainter& painter, const TTransferRects& q, const TTransferSource& source,
                   std::uint32_t key) {
  if (!painter.IsValid() || !source.Surface) return false;
  const auto prepared = Prepare(painter, q, source);
  if (!prepared) return true;
  const TSurface& src = *source.Surface;
  const TConversionColors colors = ColorsFor(painter.Dc(), source);
  const TPixelConverter converter(src, painter.Dc().Target(), colors);
  const TPixelConverter raw(src, src, colors);
  const TSampledSource values(src, converter, prepared->Cols, prepared->Rows, POINT{0, 0});
  const TSampledSource rawValues(src, raw, prepared->Cols, prepared->Rows, POINT{0, 0});
  const TKeyedSource keyed(values, rawValues, key);
  painter.PaintRop3(prepared->Area, SRCCOPY, nullptr, &keyed);
  return true;
}

}  // namespace win::gdi
