#include "framework/CanvasPainting.h"

#include "framework/Control.h"

namespace fw {

void PaintThroughCanvas(TControl& Control, TControlCanvas& Canvas, win::HDC DC,
                        const std::function<void()>& Paint) {
  const TWeakRef<TControl> alive(&Control);
  Canvas.FreeHandle();
  Canvas.Lock();
  Canvas.SetHandle(DC);
  auto detach = [&] {
    if (!alive) return;
    Canvas.SetHandle(nullptr);
    Canvas.Unlock();
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
