#include "framework/platform/GdiObjects.h"

#include "framework/platform/gdi/DeviceContext.h"
#include "framework/platform/gdi/RegionObject.h"
#include "framework/platform/gdi/StockObjects.h"

namespace win {

using gdi::TObjectTable;

HGDIOBJ GetStockObject(int index) {
  const auto object = gdi::StockObject(index);
  return object ? object->Handle() : nullptr;
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  const auto context = gdi::FindDc(dc);
  const auto selected = TObjectTable::Instance().Find(object);
  if (!context || !selected) return nullptr;
  if (auto region = std::dynamic_pointer_cast<gdi::TRegionObject>(selected)) {
    // Selecting a region sets a copy as the clip region and answers its complexity.
    context->State().Clip = region->Region();
    return reinterpret_cast<HGDIOBJ>(std::uintptr_t(gdi::RegionComplexity(context->DeviceClip())));
  }
  return context->Select(selected);
}

BOOL DeleteObject(HGDIOBJ object) {
  auto& table = TObjectTable::Instance();
  const auto found = table.Find(object);
  // Device contexts go with DeleteDC, not here.
  if (!found || found->ObjectType() == OBJ_MEMDC || found->ObjectType() == OBJ_DC) return FALSE;
  return table.Delete(object) ? TRUE : FALSE;
}

int GetObjectA(HGDIOBJ object, int size, void* buffer) {
  const auto found = TObjectTable::Instance().Find(object);
  if (!found || size < 0) return 0;
  return found->GetObjectData(size, buffer);
}

DWORD GetObjectType(HGDIOBJ object) {
  const auto found = TObjectTable::Instance().Find(object);
  return found ? found->ObjectType() : 0;
}

HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
  const auto context = gdi::FindDc(dc);
  if (!context) return nullptr;
  const gdi::TDcState& s = context->State();
  const std::shared_ptr<gdi::TGdiObject>* slot = nullptr;
  switch (type) {
    case OBJ_PEN:
    case OBJ_EXTPEN:
      slot = &s.Pen;
      break;
    case OBJ_BRUSH:
      slot = &s.Brush;
      break;
    case OBJ_FONT:
      slot = &s.Font;
      break;
    case OBJ_PAL:
      slot = &s.Palette;
      break;
    case OBJ_BITMAP:
      slot = &s.Bitmap;
      break;
    default:
      return nullptr;
  }
  return *slot ? (*slot)->Handle() : nullptr;
}

BOOL UnrealizeObject(HGDIOBJ object) {
  const auto found = TObjectTable::Instance().Find(object);
  return found && found->Unrealize() ? TRUE : FALSE;
}

}  // namespace win
