// Bitmaps as GDI objects: DIB sections (pixels in a caller-visible layout) and device-compatible
// bitmaps (screen format or monochrome), each selectable into one memory context at a time.
#pragma once

#include <memory>

#include "framework/platform/gdi/GdiObject.h"
#include "framework/platform/gdi/Surface.h"

namespace win::gdi {

class TDeviceContext;

class TBitmapObject : public TGdiObject {
 public:
  // A device-compatible bitmap (not a DIB section) over the surface.
  explicit TBitmapObject(std::shared_ptr<TSurface> surface) : FSurface(std::move(surface)) {}
  // A DIB section: the header as created (height sign kept) and, for bit fields, the masks.
  TBitmapObject(std::shared_ptr<TSurface> surface, const BITMAPINFOHEADER& header);

  DWORD ObjectType() const override { return OBJ_BITMAP; }
  int GetObjectData(int size, void* buffer) const override;

  const std::shared_ptr<TSurface>& Surface() const { return FSurface; }
  bool IsDibSection() const { return FDibSection; }
  // A monochrome device bitmap: its pixels are colour-less, so blits take the colours of the
  // contexts involved.
  bool IsMonochromeDevice() const { return !FDibSection && FSurface->BitCount() == 1; }

  TDeviceContext* SelectedInto() const { return FSelectedInto; }
  void SetSelectedInto(TDeviceContext* dc) { FSelectedInto = dc; }

  SIZE Dimension() const { return FDimension; }
  void SetDimension(SIZE size) { FDimension = size; }

 private:
  std::shared_ptr<TSurface> FSurface;
  bool FDibSection = false;
  BITMAPINFOHEADER FHeader;
  TDeviceContext* FSelectedInto = nullptr;
  SIZE FDimension;
};

}  // namespace win::gdi
