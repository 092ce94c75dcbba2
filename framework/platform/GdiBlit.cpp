#include "framework/platform/GdiBlit.h"

#include <cstring>

#include "framework/platform/gdi/BlockTransfer.h"
#include "framework/platform/gdi/RasterOp.h"
#include "framework/platform/gdi/StretchAxis.h"

namespace win {
namespace {

struct TResolvedSource {
  std::shared_ptr<gdi::TDeviceContext> Dc;
  std::shared_ptr<gdi::TSurface> Snapshot;  // a copy when source and target share pixels
  gdi::TTransferSource Source;
};

// The source of a transfer, copied first when it is the target itself so that overlapping
// rectangles read the pixels as they were before the call.
std::optional<TResolvedSource> ResolveSource(HDC source, const gdi::TDeviceContext& target) {
  TResolvedSource r;
  r.Dc = gdi::FindDc(source);
  if (!r.Dc) return std::nullopt;
  const gdi::TSurface& pixels = r.Dc->Target();
  r.Source.Surface = &pixels;
  if (&pixels == &target.Target()) {
    r.Snapshot = gdi::TSurface::Create(pixels.Width(), pixels.Height(), pixels.Format(), true);
    if (!r.Snapshot) return std::nullopt;
    for (LONG y = 0; y < pixels.Height(); ++y) {
      std::memcpy(r.Snapshot->Row(y), pixels.Row(y), pixels.Stride());
    }
    r.Source.Surface = r.Snapshot.get();
  }
  r.Source.Origin = r.Dc->DeviceOrigin();
  const gdi::TBitmapObject* bitmap = r.Dc->IsMemory() ? r.Dc->SelectedBitmap() : nullptr;
  r.Source.MonochromeDevice = bitmap && bitmap->IsMonochromeDevice();
  r.Source.BkColor = r.Dc->State().BkColor;
  return r;
}

gdi::TTransferRects Rects(const gdi::TDeviceContext& dest, int xd, int yd, int wd, int hd,
                          const gdi::TDeviceContext* source, int xs, int ys, int ws, int hs) {
  const POINT d = dest.ToDevice(POINT{xd, yd});
  const POINT s = source ? source->ToDevice(POINT{xs, ys}) : POINT{xs, ys};
  return {d.x, d.y, wd, hd, s.x, s.y, ws, hs};
}

}  // namespace

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSrc, int ySrc,
            DWORD rop) {
  return StretchBlt(dest, x, y, width, height, source, xSrc, ySrc, width, height, rop);
}

BOOL StretchBlt(HDC dest, int xDest, int yDest, int destWidth, int destHeight, HDC source, int xSrc,
                int ySrc, int srcWidth, int srcHeight, DWORD rop) {
  const auto target = gdi::FindDc(dest);
  if (!target) return FALSE;
  const gdi::TPainter painter(target);
  if (!gdi::RopUsesSource(gdi::Rop3Code(rop))) {
    return gdi::Transfer(painter,
                         Rects(*target, xDest, yDest, destWidth, destHeight, nullptr, 0, 0, 0, 0),
                         nullptr, rop, target->State().StretchMode)
               ? TRUE
               : FALSE;
  }
  const auto from = ResolveSource(source, *target);
  if (!from) return FALSE;
  const auto rects = Rects(*target, xDest, yDest, destWidth, destHeight, from->Dc.get(), xSrc, ySrc,
                           srcWidth, srcHeight);
  return gdi::Transfer(painter, rects, &from->Source, rop, target->State().StretchMode) ? TRUE
                                                                                        : FALSE;
}

BOOL MaskBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSrc, int ySrc,
             HBITMAP mask, int xMask, int yMask, DWORD rop) {
  const DWORD foreground = (rop & 0x00FFFFFF);
  const DWORD background = ((rop >> 8) & 0x00FF0000) | (rop & 0xFFFF);
  if (!mask) return BitBlt(dest, x, y, width, height, source, xSrc, ySrc, foreground);
  const auto target = gdi::FindDc(dest);
  const auto maskObject = gdi::FindObject<gdi::TBitmapObject>(mask);
  if (!target || !maskObject || maskObject->Surface()->BitCount() != 1) return FALSE;
  const gdi::TSurface& bits = *maskObject->Surface();
  // The 1 bits of the mask as a region in device coordinates of the target.
  const POINT d = target->ToDevice(POINT{x, y});
  std::vector<RECT> ones;
  for (LONG row = 0; row < height; ++row) {
    const LONG my = yMask + row;
    if (my < 0 || my >= bits.Height()) continue;
    LONG runStart = -1;
    for (LONG col = 0; col <= width; ++col) {
      const LONG mx = xMask + col;
      const bool set = col < width && mx >= 0 && mx < bits.Width() && bits.GetPixel(mx, my);
      if (set && runStart < 0) runStart = col;
      if (!set && runStart >= 0) {
        ones.push_back(RECT{d.x + runStart, d.y + row, d.x + col, d.y + row + 1});
        runStart = -1;
      }
    }
  }
  gdi::TRegion foreArea = gdi::TRegion::FromRects(ones);
  gdi::TRegion backArea(RECT{d.x, d.y, d.x + width, d.y + height});
  backArea.Subtract(foreArea);

  std::optional<TResolvedSource> from;
  if (gdi::RopUsesSource(gdi::Rop3Code(foreground)) ||
      gdi::RopUsesSource(gdi::Rop3Code(background))) {
    from = ResolveSource(source, *target);
    if (!from) return FALSE;
  }
  const auto rects = Rects(*target, x, y, width, height, from ? from->Dc.get() : nullptr, xSrc,
                           ySrc, width, height);
  // Each operation is painted through a context clipped to its part of the mask.
  for (const auto& [area, op] :
       {std::pair{&foreArea, foreground}, std::pair{&backArea, background}}) {
    const std::optional<gdi::TRegion> saved = target->State().Clip;
    gdi::TRegion clip = *area;
    if (saved) clip.Intersect(*saved);
    target->State().Clip = clip;
    gdi::Transfer(gdi::TPainter(target), rects, from ? &from->Source : nullptr, op, COLORONCOLOR);
    target->State().Clip = saved;
  }
  return TRUE;
}

BOOL TransparentBlt(HDC dest, int xDest, int yDest, int destWidth, int destHeight, HDC source,
                    int xSrc, int ySrc, int srcWidth, int srcHeight, UINT transparent) {
  const auto target = gdi::FindDc(dest);
  if (!target || destWidth <= 0 || destHeight <= 0 || srcWidth <= 0 || srcHeight <= 0) return FALSE;
  const auto from = ResolveSource(source, *target);
  if (!from) return FALSE;
  const auto rects = Rects(*target, xDest, yDest, destWidth, destHeight, from->Dc.get(), xSrc, ySrc,
                           srcWidth, srcHeight);
  const std::uint32_t key = from->Source.Surface->FromColor(transparent);
  return gdi::TransferKeyed(gdi::TPainter(target), rects, from->Source, key) ? TRUE : FALSE;
}

std::vector<LONG> StretchSourceOffsets(LONG sourceSize, LONG targetSize, bool rows) {
  std::vector<LONG> offsets;
  if (sourceSize <= 0 || targetSize <= 0) return offsets;
  offsets.reserve(std::size_t(targetSize));
  const auto kind = rows ? gdi::TAxisKind::akRows : gdi::TAxisKind::akColumns;
  for (LONG d = 0; d < targetSize; ++d)
    offsets.push_back(LONG(gdi::TStretchAxis::SampleOffset(d, sourceSize, targetSize, kind)));
  return offsets;
}

}  // namespace win
