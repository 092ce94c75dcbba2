#include "framework/platform/gdi/BrushObject.h"

namespace win::gdi {
namespace {

constexpr std::uint8_t kHatches[6][8] = {
    {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00},  // HS_HORIZONTAL
    {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08},  // HS_VERTICAL
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // HS_FDIAGONAL
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // HS_BDIAGONAL
    {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08},  // HS_CROSS
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // HS_DIAGCROSS
};

TBrushTile SolidTile(std::uint32_t value) {
  TBrushTile tile;
  tile.Values = {value};
  tile.Paint = {1};
  return tile;
}

}  // namespace

TBrushObject::TBrushObject(std::shared_ptr<TSurface> pattern, bool usesDcColors, HBITMAP source)
    : FStyle(BS_PATTERN),
      FPattern(std::move(pattern)),
      FUsesDcColors(usesDcColors),
      FSource(source) {}

int TBrushObject::GetObjectData(int size, void* buffer) const {
  LOGBRUSH brush;
  brush.lbStyle = FStyle;
  brush.lbColor = FStyle == BS_PATTERN ? 0 : FColor;
  brush.lbHatch = FStyle == BS_HATCHED   ? std::uintptr_t(FHatch)
                  : FStyle == BS_PATTERN ? reinterpret_cast<std::uintptr_t>(FSource)
                                         : 0;
  return CopyObjectData(brush, size, buffer);
}

const std::uint8_t* HatchRows(int hatch) {
  return hatch >= 0 && hatch < 6 ? kHatches[hatch] : kHatches[0];
}

TBrushTile RealizeBrush(const TBrushObject* brush, const TSurface& target,
                        const TBrushContext& context) {
  if (!brush || brush->IsHollow()) {
    TBrushTile tile = SolidTile(0);
    tile.Hollow = true;
    tile.Paint = {0};
    tile.Uniform = false;
    return tile;
  }
  if (brush->Style() == BS_SOLID) return SolidTile(target.FromColor(brush->Color()));

  TBrushTile tile;
  tile.Uniform = false;
  if (brush->Style() == BS_HATCHED) {
    const std::uint8_t* rows = HatchRows(brush->Hatch());
    const std::uint32_t fore = target.FromColor(brush->Color());
    const std::uint32_t back = target.FromColor(context.BkColor);
    tile.Width = tile.Height = 8;
    tile.Values.resize(64);
    tile.Paint.resize(64);
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) {
        const bool set = (rows[y] >> (7 - x)) & 1;
        tile.Values[std::size_t(y * 8 + x)] = set ? fore : back;
        tile.Paint[std::size_t(y * 8 + x)] = set || context.Opaque;
      }
    }
    return tile;
  }

  const TSurface& pattern = *brush->Pattern();
  tile.Width = pattern.Width();
  tile.Height = pattern.Height();
  tile.Values.resize(std::size_t(tile.Width) * std::size_t(tile.Height));
  tile.Paint.assign(tile.Values.size(), 1);
  // A monochrome bitmap's 0 bits take the text colour and its 1 bits the background colour.
  const std::uint32_t fore = target.FromColor(context.TextColor);
  const std::uint32_t back = target.FromColor(context.BkColor);
  const bool sameFormat = pattern.Format() == target.Format();
  for (LONG y = 0; y < tile.Height; ++y) {
    for (LONG x = 0; x < tile.Width; ++x) {
      const std::uint32_t v = pattern.GetPixel(x, y);
      std::uint32_t out;
      if (brush->PatternUsesDcColors()) {
        out = v ? back : fore;
      } else if (sameFormat) {
        out = v;
      } else {
        out = target.FromColor(pattern.ToColor(v));
      }
      tile.Values[std::size_t(y) * std::size_t(tile.Width) + std::size_t(x)] = out;
    }
  }
  return tile;
}

}  // namespace win::gdi
