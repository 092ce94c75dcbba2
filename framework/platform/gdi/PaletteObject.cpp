#include "framework/platform/gdi/PaletteObject.h"

namespace win::gdi {

UINT TPaletteObject::NearestIndex(COLORREF color) const {
  if (FEntries.empty()) return GDI_ERROR;
  UINT best = 0;
  int bestDistance = 1 << 30;
  for (std::size_t i = 0; i < FEntries.size(); ++i) {
    const PALETTEENTRY& e = FEntries[i];
    const int dr = GetRValue(color) - e.peRed;
    const int dg = GetGValue(color) - e.peGreen;
    const int db = GetBValue(color) - e.peBlue;
    const int d = dr * dr + dg * dg + db * db;
    if (d < bestDistance) {
      bestDistance = d;
      best = UINT(i);
    }
  }
  return best;
}

}  // namespace win::gdi
