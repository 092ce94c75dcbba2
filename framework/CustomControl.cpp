#include "framework/CustomControl.h"

#include "framework/TypeInfo.h"

namespace fw {

TOVU_IMPLEMENT_CLASS(TCustomControl)

void TCustomControl::DefineClass(TClassBuilder<TCustomControl>&) {}

void TCustomControl::PaintWindow(win::HDC DC) {
  const TWeakRef<TControl> self(this);
  FPaintDC = DC;
  try {
    Paint();
  } catch (...) {
    if (self) FPaintDC = nullptr;
    throw;
  }
  if (self) FPaintDC = nullptr;
}

}  // namespace fw
