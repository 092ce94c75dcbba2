// Logical palettes as GDI objects: an ordered list of colours that indexed pictures and
// palette-relative colour requests refer to.
#pragma once

#include <vector>

#include "framework/platform/gdi/GdiObject.h"

namespace win::gdi {

class TPaletteObject : public TGdiObject {
 public:
  explicit TPaletteObject(std::vector<PALETTEENTRY> entries) : FEntries(std::move(entries)) {}
  DWORD ObjectType() const override { return OBJ_PAL; }
  // GetObject answers the entry count as a WORD.
  int GetObjectData(int size, void* buffer) const override {
    return CopyObjectData(WORD(FEntries.size()), size, buffer);
  }
  const std::vector<PALETTEENTRY>& Entries() const { return FEntries; }
  std::vector<PALETTEENTRY>& Entries() { return FEntries; }
  // The nearest entry to a colour by squared distance, the first of equals.
  UINT NearestIndex(COLORREF color) const;

 private:
  std::vector<PALETTEENTRY> FEntries;
};

}  // namespace win::gdi
