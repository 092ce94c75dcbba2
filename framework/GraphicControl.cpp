#include "framework/GraphicControl.h"

#include "framework/PaintThroughCanvas.h"
#include "framework/TypeInfo.h"
#include "framework/platform/Messages.h"

namespace fw {

TOVU_IMPLEMENT_CLASS(TGraphicControl)

void TGraphicControl::DefineClass(TClassBuilder<TGraphicControl>& b) {
  b.Message(win::WM_PAINT, &TGraphicControl::WMPaint);
}

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>()) {
  FCanvas->SetControl(this);
}

TGraphicControl::~TGraphicControl() {
  FCanvas->FreeHandle();
}

void TGraphicControl::WMPaint(TMessage& Message) {
  const auto dc = reinterpret_cast<win::HDC>(Message.WParam);
  if (dc == nullptr) return;
  PaintThroughCanvas(*this, *FCanvas, dc, [this] { Paint(); });
}

}  // namespace fw
