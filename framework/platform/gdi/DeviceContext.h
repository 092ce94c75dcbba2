// Device contexts: the drawing state (selected objects, colours, modes, origins, clipping) over a
// target surface, either a memory context's selected bitmap or a window's framebuffer.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "framework/platform/gdi/BitmapObject.h"
#include "framework/platform/gdi/BrushObject.h"
#include "framework/platform/gdi/GdiObject.h"
#include "framework/platform/gdi/PaletteObject.h"
#include "framework/platform/gdi/PenObject.h"
#include "framework/platform/gdi/Region.h"
#include "framework/platform/gdi/Surface.h"

namespace win::gdi {

// Everything SaveDC keeps and RestoreDC brings back.
struct TDcState {
  std::shared_ptr<TGdiObject> Pen;
  std::shared_ptr<TGdiObject> Brush;
  std::shared_ptr<TGdiObject> Font;
  std::shared_ptr<TGdiObject> Palette;
  std::shared_ptr<TGdiObject> Bitmap;  // memory contexts only
  COLORREF TextColor = RGB(0, 0, 0);
  COLORREF BkColor = RGB(255, 255, 255);
  int BkMode = OPAQUE;
  int Rop2 = R2_COPYPEN;
  int StretchMode = BLACKONWHITE;
  int PolyFillMode = ALTERNATE;
  int MapMode = MM_TEXT;
  UINT TextAlign = 0;
  int TextCharacterExtra = 0;
  POINT BrushOrg;
  POINT CurrentPosition;
  POINT WindowOrg;
  POINT ViewportOrg;
  COLORREF DcBrushColor = RGB(255, 255, 255);
  COLORREF DcPenColor = RGB(0, 0, 0);
  std::optional<TRegion> Clip;  // device coordinates; none means unclipped
};

class TDeviceContext : public TGdiObject {
 public:
  // A memory context holding the stock pen, brush, font and palette and the default 1x1
  // monochrome bitmap.
  static std::shared_ptr<TDeviceContext> CreateMemory();
  // A context drawing into a shared surface (a window's framebuffer): its device origin is
  // `origin` in the surface, and it paints only inside `visible` (surface coordinates).
  static std::shared_ptr<TDeviceContext> CreateForSurface(std::shared_ptr<TSurface> surface,
                                                          POINT origin, TRegion visible);
  struct TKey {
    explicit TKey() = default;
  };
  explicit TDeviceContext(TKey) {}
  ~TDeviceContext() override;

  DWORD ObjectType() const override { return FMemory ? OBJ_MEMDC : OBJ_DC; }
  bool IsMemory() const { return FMemory; }

  TDcState& State() { return FState; }
  const TDcState& State() const { return FState; }

  // The pixels this context draws into; never null (a memory context always holds a bitmap).
  TSurface& Target() const { return *TargetPtr(); }
  std::shared_ptr<TSurface> TargetPtr() const;
  TBitmapObject* SelectedBitmap() const;

  // Where device (0, 0) lies in the target surface.
  POINT DeviceOrigin() const { return FOrigin; }
  void SetDeviceOrigin(POINT origin) { FOrigin = origin; }
  const std::optional<TRegion>& VisibleRegion() const { return FVisible; }
  void SetVisibleRegion(std::optional<TRegion> visible) { FVisible = std::move(visible); }

  // Logical to device coordinates (MM_TEXT: the window and viewport origins).
  POINT ToDevice(POINT logical) const;
  RECT ToDevice(const RECT& logical) const;
  POINT ToLogical(POINT device) const;

  // Where painting may change pixels, in surface coordinates: the clip region (moved by the
  // device origin), the visible region and the surface bounds.
  TRegion PaintClip() const;
  // The same in device coordinates (for GetClipBox and friends).
  TRegion DeviceClip() const;

  // SelectObject for pens, brushes, fonts, bitmaps; answers the previous object's handle, or
  // null when the object cannot be selected here.
  HGDIOBJ Select(const std::shared_ptr<TGdiObject>& object);
  HPALETTE SelectPalette(const std::shared_ptr<TGdiObject>& palette);

  int Save();
  bool Restore(int level);
  int SaveLevel() const { return int(FSaved.size()); }

  // Ends every selection (DeleteDC), so deferred deletions complete.
  void ReleaseSelections();

  // The selected brush as realised for this context's target and a raster operation. It is
  // realised at its first use, with the background mode and colours of that moment, and kept
  // while the operation stays the same and no brush or bitmap is selected (as the reference GDI
  // does: a hatch brush first used in OPAQUE mode stays opaque for later copies).
  const TBrushTile& RealizedBrush(std::uint8_t rop3Code);
  // Drops the realisation (the DC brush colour changed).
  void ForgetRealizedBrush() { FRealizedBrush.reset(); }

  // The selected pen as drawing uses it (DC_PEN takes the context's pen colour); a context always
  // holds a pen, so this never fails.
  TPenInfo PenInfo() const;

  const TPenObject* Pen() const { return dynamic_cast<const TPenObject*>(FState.Pen.get()); }
  const TBrushObject* Brush() const {
    return dynamic_cast<const TBrushObject*>(FState.Brush.get());
  }
  const TPaletteObject* Palette() const {
    return dynamic_cast<const TPaletteObject*>(FState.Palette.get());
  }

 private:
  void Replace(std::shared_ptr<TGdiObject>& slot, const std::shared_ptr<TGdiObject>& object);
  void SelectInto(TDcState& state);
  void DeselectFrom(TDcState& state);

  bool FMemory = true;
  TDcState FState;
  std::vector<TDcState> FSaved;
  std::shared_ptr<TSurface> FSurface;  // window contexts
  POINT FOrigin;
  std::optional<TRegion> FVisible;
  std::optional<TBrushTile> FRealizedBrush;
  std::uint8_t FRealizedCode = 0;
};

// The context behind a handle, or null.
std::shared_ptr<TDeviceContext> FindDc(HDC dc);

}  // namespace win::gdi
