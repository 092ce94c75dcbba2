// Pens as GDI objects: the logical pen that CreatePen, CreatePenIndirect and ExtCreatePen make,
// and the description of it that line and shape drawing reads from the selected pen.
#pragma once

#include <vector>

#include "framework/platform/gdi/GdiObject.h"

namespace win::gdi {

struct TPenInfo {
  int Style = PS_SOLID;  // PS_SOLID ... PS_ALTERNATE (the style bits alone)
  int Width = 0;         // pixels; 0 and 1 are the thinnest pen
  COLORREF Color = 0;
  int EndCap = PS_ENDCAP_ROUND;
  int Join = PS_JOIN_ROUND;
  bool Geometric = false;           // made by ExtCreatePen with PS_GEOMETRIC
  bool Extended = false;            // made by ExtCreatePen
  std::vector<DWORD> StyleEntries;  // PS_USERSTYLE dash lengths
};

class TPenObject : public TGdiObject {
 public:
  explicit TPenObject(TPenInfo info) : FInfo(std::move(info)) {}
  DWORD ObjectType() const override { return FInfo.Extended ? OBJ_EXTPEN : OBJ_PEN; }
  int GetObjectData(int size, void* buffer) const override;
  const TPenInfo& Info() const { return FInfo; }

 private:
  TPenInfo FInfo;
};

}  // namespace win::gdi
