#include "framework/CustomControl.h"

#include "framework/PaintThroughCanvas.h"
#include "framework/TypeInfo.h"

namespace fw {

TOVU_IMPLEMENT_CLASS(TCustomControl)

void TCustomControl::DefineClass(TClassBuilder<TCustomControl>&) {}

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>()) {
  FCanvas->SetControl(this);
}

TCustomControl::~TCustomControl() {
  FCanvas->FreeHandle();
}

void TCustomControl::PaintWindow(win::HDC DC) {
  PaintThroughCanvas(*this, *FCanvas, DC, [this] { Paint(); });
}

}  // namespace fw
