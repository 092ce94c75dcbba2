// Regions as GDI objects: the handle side of TRegion, for CombineRgn and friends, clipping and
// window regions.
#pragma once

#include "framework/platform/gdi/GdiObject.h"
#include "framework/platform/gdi/Region.h"

namespace win::gdi {

class TRegionObject : public TGdiObject {
 public:
  explicit TRegionObject(TRegion region = TRegion()) : FRegion(std::move(region)) {}
  DWORD ObjectType() const override { return OBJ_REGION; }
  TRegion& Region() { return FRegion; }
  const TRegion& Region() const { return FRegion; }

 private:
  TRegion FRegion;
};

// The complexity code the region calls answer for a region.
int RegionComplexity(const TRegion& region);

// The region behind a handle (for SetWindowRgn and the like), or null for a non-region handle.
TRegion* RegionOf(HRGN region);
// A new region handle holding a copy of the region.
HRGN CreateRegionHandle(const TRegion& region);

}  // namespace win::gdi
