#include "framework/platform/gdi/PixelConverter.h"

namespace win::gdi {
namespace {

bool SameValueLayout(const TSurface& a, const TSurface& b) {
  const TPixelFormat& fa = a.Format();
  const TPixelFormat& fb = b.Format();
  if (fa.IsIndexed() || fb.IsIndexed()) return fa == fb;
  // 24 and 32 bits per pixel share the value 0x00RRGGBB.
  auto masks = [](const TPixelFormat& f) { return f.BitCount == 24 ? TPixelFormat::Rgb(24) : f; };
  const TPixelFormat ma = masks(fa), mb = masks(fb);
  const bool sameSize = fa.BitCount == fb.BitCount || (fa.BitCount >= 24 && fb.BitCount >= 24);
  return sameSize && ma.RedMask == mb.RedMask && ma.GreenMask == mb.GreenMask &&
         ma.BlueMask == mb.BlueMask;
}

}  // namespace

TPixelConverter::TPixelConverter(const TSurface& source, const TSurface& target,
                                 const TConversionColors& colors)
    : FSource(source), FTarget(target) {
  const bool sourceMono = source.BitCount() == 1;
  const bool targetMono = target.BitCount() == 1;
  if (sourceMono && targetMono) {
    // Monochrome to monochrome copies the bits as they are.
    FIdentity = true;
    return;
  }
  if (colors.ByColorOnly) {
    if (SameValueLayout(source, target) && !source.Format().IsIndexed()) {
      FIdentity = true;
    } else if (source.Format().IsIndexed()) {
      const std::size_t count = std::size_t(1) << source.BitCount();
      FTable.resize(count);
      for (std::size_t i = 0; i < count; ++i) {
        FTable[i] = target.FromColor(source.ToColor(std::uint32_t(i)));
      }
    }
    return;
  }
  if (sourceMono && colors.SourceIsMonochromeDevice) {
    FTable = {target.FromColor(colors.TargetTextColor), target.FromColor(colors.TargetBkColor)};
    return;
  }
  if (targetMono) {
    FToMonochrome = true;
    FSourceBk = source.FromColor(colors.SourceBkColor);
    if (source.Format().IsIndexed()) {
      // Indices compare by their colours: any index showing the background colour gives 1.
      const std::size_t count = std::size_t(1) << source.BitCount();
      FTable.resize(count);
      const COLORREF bk = source.ToColor(FSourceBk);
      for (std::size_t i = 0; i < count; ++i)
        FTable[i] = source.ToColor(std::uint32_t(i)) == bk;
    }
    return;
  }
  if (SameValueLayout(source, target)) {
    FIdentity = true;
    return;
  }
  if (source.Format().IsIndexed()) {
    const std::size_t count = std::size_t(1) << source.BitCount();
    FTable.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
      FTable[i] = target.FromColor(source.ToColor(std::uint32_t(i)));
    }
  }
}

std::uint32_t TPixelConverter::ConvertSlow(std::uint32_t value) const {
  if (FHasLast && value == FLastIn) return FLastOut;
  std::uint32_t out;
  if (FToMonochrome) {
    out = value == FSourceBk ? 1 : 0;
  } else {
    out = FTarget.FromColor(FSource.ToColor(value));
  }
  FLastIn = value;
  FLastOut = out;
  FHasLast = true;
  return out;
}

void TPixelConverter::ConvertRow(std::uint32_t* values, std::size_t count) const {
  if (FIdentity) return;
  for (std::size_t i = 0; i < count; ++i)
    values[i] = Convert(values[i]);
}

}  // namespace win::gdi
