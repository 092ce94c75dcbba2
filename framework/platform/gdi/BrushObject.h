// Brushes as GDI objects (solid, hollow, hatched and pattern brushes) and their realisation for
// one target: a tile of physical pixel values with the pixels a brush leaves alone.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/platform/gdi/GdiObject.h"
#include "framework/platform/gdi/Surface.h"

namespace win::gdi {

class TBrushObject : public TGdiObject {
 public:
  TBrushObject(UINT style, COLORREF color, int hatch)
      : FStyle(style), FColor(color), FHatch(hatch) {}
  // A pattern brush keeps its own copy of the bitmap's pixels. A monochrome device bitmap's
  // pattern takes the text and background colours of the context it paints in.
  TBrushObject(std::shared_ptr<TSurface> pattern, bool usesDcColors, HBITMAP source);

  DWORD ObjectType() const override { return OBJ_BRUSH; }
  int GetObjectData(int size, void* buffer) const override;

  UINT Style() const { return FStyle; }
  COLORREF Color() const { return FColor; }
  int Hatch() const { return FHatch; }
  bool IsHollow() const { return FStyle == BS_NULL; }
  const std::shared_ptr<TSurface>& Pattern() const { return FPattern; }
  bool PatternUsesDcColors() const { return FUsesDcColors; }

 private:
  UINT FStyle;
  COLORREF FColor = 0;
  int FHatch = 0;
  std::shared_ptr<TSurface> FPattern;
  bool FUsesDcColors = false;
  HBITMAP FSource = nullptr;
};

// Rows of the 8x8 hatch patterns, bit 7 the leftmost pixel: a set bit is drawn in the brush
// colour, a clear one is background.
const std::uint8_t* HatchRows(int hatch);

// A brush turned into physical values of one target, repeated from the brush origin.
struct TBrushTile {
  LONG Width = 1;
  LONG Height = 1;
  std::vector<std::uint32_t> Values;
  std::vector<std::uint8_t> Paint;  // 0 where the brush leaves the pixel alone (transparent hatch)
  bool Hollow = false;
  bool Uniform = true;  // every pixel the same value and painted

  std::uint32_t ValueAt(LONG x, LONG y) const { return Values[std::size_t(y) * Width + x]; }
  bool PaintsAt(LONG x, LONG y) const { return Paint[std::size_t(y) * Width + x] != 0; }
};

struct TBrushContext {
  COLORREF TextColor = 0;
  COLORREF BkColor = RGB(255, 255, 255);
  bool Opaque = true;  // hatch background painted
};

// Realises a brush for a target surface; a null brush gives a hollow tile.
TBrushTile RealizeBrush(const TBrushObject* brush, const TSurface& target,
                        const TBrushContext& context);

}  // namespace win::gdi
