#include "framework/platform/gdi/PenObject.h"

#include <cstring>

namespace win::gdi {

int TPenObject::GetObjectData(int size, void* buffer) const {
  if (!FInfo.Extended) {
    LOGPEN pen;
    pen.lopnStyle = UINT(FInfo.Style);
    pen.lopnWidth = {FInfo.Width, 0};
    pen.lopnColor = FInfo.Color;
    return CopyObjectData(pen, size, buffer);
  }
  // EXTLOGPEN ends in a variable array of style entries.
  const std::size_t entries = FInfo.StyleEntries.size();
  const int needed = int(offsetof(EXTLOGPEN, elpStyleEntry) + entries * sizeof(DWORD));
  const int full = std::max<int>(needed, int(sizeof(EXTLOGPEN)));
  if (!buffer) return full;
  if (size < needed) return 0;
  EXTLOGPEN pen;
  pen.elpPenStyle = DWORD(FInfo.Style | FInfo.EndCap | FInfo.Join |
                          (FInfo.Geometric ? PS_GEOMETRIC : PS_COSMETIC));
  pen.elpWidth = DWORD(FInfo.Width);
  pen.elpBrushStyle = BS_SOLID;
  pen.elpColor = FInfo.Color;
  pen.elpNumEntries = DWORD(entries);
  std::memcpy(buffer, &pen, offsetof(EXTLOGPEN, elpStyleEntry));
  if (entries) {
    std::memcpy(static_cast<char*>(buffer) + offsetof(EXTLOGPEN, elpStyleEntry),
                FInfo.StyleEntries.data(), entries * sizeof(DWORD));
  }
  return needed;
}

}  // namespace win::gdi
