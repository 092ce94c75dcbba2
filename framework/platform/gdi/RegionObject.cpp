#include "framework/platform/gdi/RegionObject.h"

namespace win::gdi {

int RegionComplexity(const TRegion& region) {
  if (region.IsEmpty()) return NULLREGION;
  return region.IsSimple() ? SIMPLEREGION : COMPLEXREGION;
}

}  // namespace win::gdi
