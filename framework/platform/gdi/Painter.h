// The painter: the one place where the pixels of a context's target change. Drawing calls hand
// it the pixels they cover as a region in device coordinates; it clips them (clip region,
// visible region, surface bounds) and paints them with a colour, a brush or a source.
#pragma once

#include <cstdint>

#include "framework/platform/gdi/DeviceContext.h"
#include "framework/platform/gdi/Region.h"

namespace win::gdi {

// Supplies the source of a block transfer, already in the target's physical format.
class TRowSource {
 public:
  virtual ~TRowSource() = default;
  // Fills out[0 .. count) with the source values for the target pixels (x .. x + count, y), in
  // surface coordinates of the target.
  virtual void Fetch(LONG y, LONG x, std::size_t count, std::uint32_t* out) const = 0;
  // A source with holes (TransparentBlt) leaves the target alone where FetchPaint answers 0.
  virtual bool HasHoles() const { return false; }
  virtual void FetchPaint(LONG /*y*/, LONG /*x*/, std::size_t /*count*/,
                          std::uint8_t* /*paint*/) const {}
};

// The pixels of a rectangle given by two corners: an inverted rectangle covers (right, left]
// and (bottom, top], as the platform fills it.
RECT OrderedRect(const RECT& r);

class TPainter {
 public:
  // Invalid (IsValid() false, every call a no-op) when the handle is no device context.
  explicit TPainter(HDC dc);
  explicit TPainter(std::shared_ptr<TDeviceContext> dc);

  bool IsValid() const { return FDc != nullptr; }
  TDeviceContext& Dc() const { return *FDc; }

  // Logical to device coordinates of the context.
  POINT ToDevice(POINT logical) const { return FDc->ToDevice(logical); }
  RECT ToDevice(const RECT& logical) const { return FDc->ToDevice(logical); }
  TRegion ToDevice(TRegion logical) const;

  // A solid colour through the context's mix mode (pens), or an explicit one.
  void PaintSolid(const TRegion& device, COLORREF color) const;
  void PaintSolid(const TRegion& device, COLORREF color, int rop2) const;
  // The selected brush (or a given one) through the mix mode: hatch backgrounds only in OPAQUE
  // mode, pattern brushes in the context's text and background colours when monochrome, all
  // aligned to the brush origin.
  void PaintBrush(const TRegion& device) const;
  void PaintBrush(const TRegion& device, const TBrushObject* brush, int rop2) const;
  // The background colour through the mix mode (gaps of styled pens), or an explicit one.
  void PaintBackground(const TRegion& device) const;
  void PaintBackground(const TRegion& device, int rop2) const;
  // A ternary raster operation (e.g. PATCOPY, SRCCOPY, 0x00E20746) with a brush as the pattern
  // and an optional source.
  void PaintRop3(const TRegion& device, DWORD rop, const TBrushObject* pattern,
                 const TRowSource* source) const;

  // The part of a device region that painting reaches, in surface coordinates.
  TRegion Reach(const TRegion& device) const;
  // Whether a device pixel lies inside the reach.
  bool Reaches(LONG x, LONG y) const;

 private:
  void PaintCode(const TRegion& surfaceRegion, std::uint8_t code, const TBrushTile* tile,
                 const TRowSource* source) const;
  TBrushContext BrushContext() const;
  TBrushTile TileOf(const TBrushObject* brush, std::uint8_t code) const;

  std::shared_ptr<TDeviceContext> FDc;
};

}  // namespace win::gdi
