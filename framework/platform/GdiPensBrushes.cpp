#include "framework/platform/GdiPensBrushes.h"

#include <algorithm>

#include "framework/platform/gdi/DeviceContext.h"

namespace win {
namespace {

using gdi::RegisterObject;

HPEN MakePen(gdi::TPenInfo info) {
  return RegisterObject<HPEN>(std::make_shared<gdi::TPenObject>(std::move(info)));
}

}  // namespace

HPEN CreatePen(int style, int width, COLORREF color) {
  if (style < PS_SOLID || style > PS_INSIDEFRAME) return nullptr;
  gdi::TPenInfo info;
  info.Style = style;
  info.Width = width < 0 ? 0 : width;
  info.Color = color;
  return MakePen(std::move(info));
}

HPEN CreatePenIndirect(const LOGPEN* pen) {
  if (!pen) return nullptr;
  return CreatePen(int(pen->lopnStyle), pen->lopnWidth.x, pen->lopnColor);
}

HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD styleCount,
                  const DWORD* styles) {
  if (!brush) return nullptr;
  const int kind = int(style & PS_TYPE_MASK);
  const int lineStyle = int(style & PS_STYLE_MASK);
  if (kind != PS_COSMETIC && kind != PS_GEOMETRIC) return nullptr;
  if (lineStyle > PS_ALTERNATE) return nullptr;
  // A cosmetic pen is one pixel wide; PS_ALTERNATE exists only for cosmetic pens.
  if (kind == PS_COSMETIC && width != 1) return nullptr;
  if (kind == PS_GEOMETRIC && lineStyle == PS_ALTERNATE) return nullptr;
  if (lineStyle == PS_USERSTYLE) {
    if (styleCount == 0 || styleCount > 16 || !styles) return nullptr;
  } else if (styleCount != 0 || styles) {
    return nullptr;
  }
  if (brush->lbStyle != BS_SOLID && brush->lbStyle != BS_NULL) return nullptr;
  gdi::TPenInfo info;
  info.Style = brush->lbStyle == BS_NULL ? PS_NULL : lineStyle;
  info.Width = int(std::min<DWORD>(width, 0x7FFFFFFF));
  info.Color = brush->lbColor;
  info.EndCap = int(style & PS_ENDCAP_MASK);
  info.Join = int(style & PS_JOIN_MASK);
  info.Geometric = kind == PS_GEOMETRIC;
  info.Extended = true;
  if (lineStyle == PS_USERSTYLE) info.StyleEntries.assign(styles, styles + styleCount);
  return MakePen(std::move(info));
}

HBRUSH CreateSolidBrush(COLORREF color) {
  return RegisterObject<HBRUSH>(std::make_shared<gdi::TBrushObject>(BS_SOLID, color, 0));
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
  if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS) return nullptr;
  return RegisterObject<HBRUSH>(std::make_shared<gdi::TBrushObject>(BS_HATCHED, color, hatch));
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
  const auto object = gdi::FindObject<gdi::TBitmapObject>(bitmap);
  if (!object) return nullptr;
  const gdi::TSurface& source = *object->Surface();
  // The brush keeps a copy: the bitmap may be deleted while the brush lives on.
  auto copy = gdi::TSurface::Create(source.Width(), source.Height(), source.Format(), true);
  if (!copy) return nullptr;
  for (LONG y = 0; y < source.Height(); ++y) {
    std::copy_n(source.Row(y), source.Stride(), copy->Row(y));
  }
  return RegisterObject<HBRUSH>(
      std::make_shared<gdi::TBrushObject>(std::move(copy), object->IsMonochromeDevice(), bitmap));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
  if (!brush) return nullptr;
  switch (brush->lbStyle) {
    case BS_SOLID:
      return CreateSolidBrush(brush->lbColor);
    case BS_NULL:
      return RegisterObject<HBRUSH>(std::make_shared<gdi::TBrushObject>(BS_NULL, 0, 0));
    case BS_HATCHED:
      return CreateHatchBrush(int(brush->lbHatch), brush->lbColor);
    case BS_PATTERN:
      return CreatePatternBrush(reinterpret_cast<HBITMAP>(brush->lbHatch));
    default:
      return nullptr;
  }
}

HPALETTE CreatePalette(const LOGPALETTE* palette) {
  if (!palette || palette->palVersion != 0x300 || palette->palNumEntries == 0) return nullptr;
  std::vector<PALETTEENTRY> entries(palette->palPalEntry,
                                    palette->palPalEntry + palette->palNumEntries);
  return RegisterObject<HPALETTE>(std::make_shared<gdi::TPaletteObject>(std::move(entries)));
}

HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL /*forceBackground*/) {
  const auto context = gdi::FindDc(dc);
  const auto object = gdi::FindObject<gdi::TPaletteObject>(palette);
  if (!context || !object) return nullptr;
  return context->SelectPalette(object);
}

UINT RealizePalette(HDC dc) {
  // A true-colour screen has no hardware palette to map entries into.
  return gdi::FindDc(dc) ? 0 : GDI_ERROR;
}

UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF color) {
  const auto object = gdi::FindObject<gdi::TPaletteObject>(palette);
  return object ? object->NearestIndex(color) : CLR_INVALID;
}

UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries) {
  const auto object = gdi::FindObject<gdi::TPaletteObject>(palette);
  if (!object) return 0;
  const auto& all = object->Entries();
  if (!entries) return UINT(all.size());
  if (start >= all.size()) return 0;
  const UINT n = std::min<UINT>(count, UINT(all.size()) - start);
  std::copy_n(all.begin() + start, n, entries);
  return n;
}

COLORREF GetNearestColor(HDC dc, COLORREF color) {
  const auto context = gdi::FindDc(dc);
  if (!context) return CLR_INVALID;
  const gdi::TSurface& target = context->Target();
  return target.ToColor(target.FromColor(color));
}

}  // namespace win
