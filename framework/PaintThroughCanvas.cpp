#include "framework/PaintThroughCanvas.h"

#include "framework/Control.h"
#include "framework/ScopeExit.h"

namespace fw {

void PaintThroughCanvas(TControl& Control, TControlCanvas& Canvas, win::HDC DC,
                        const std::function<void()>& Paint) {
  const TWeakRef<TControl> alive(&Control);
  Canvas.FreeHandle();
  Canvas.Lock();
  Canvas.SetHandle(DC);
  const TScopeExit detach([&] {
    if (!alive) return;
    Canvas.SetHandle(nullptr);
    Canvas.Unlock();
  });
  Paint();
}

}  // namespace fw
