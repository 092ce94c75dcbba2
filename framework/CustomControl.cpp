#include "framework/CustomControl.h"

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
  const TWeakRef<TControl> self(this);
  TControlCanvas* canvas = FCanvas.get();
  canvas->FreeHandle();
  canvas->Lock();
  canvas->SetHandle(DC);
  auto detach = [&] {
    if (!self) return;
    canvas->SetHandle(nullptr);
    canvas->Unlock();
  };
  try {
    Paint();
  } catch (...) {
    detach();
    throw;
  }
  detach();
}

}  // namespace fw
