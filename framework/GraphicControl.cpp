#include "framework/GraphicControl.h"

#include "framework/TypeInfo.h"
#include "framework/platform/Messages.h"

namespace fw {

TOVU_IMPLEMENT_CLASS(TGraphicControl)

void TGraphicControl::DefineClass(TClassBuilder<TGraphicControl>& b) {
  b.Message(win::WM_PAINT, &TGraphicControl::WMPaint);
}

void TGraphicControl::WMPaint(TMessage& Message) {
  const auto dc = reinterpret_cast<win::HDC>(Message.WParam);
  if (dc == nullptr) return;
  const TWeakRef<TControl> self(this);
  FPaintDC = dc;
  try {
    Paint();
  } catch (...) {
    if (self) FPaintDC = nullptr;
    throw;
  }
  if (self) FPaintDC = nullptr;
}

}  // namespace fw
