#include "framework/platform/SystemMetrics.h"

#include "framework/platform/windowing/Runtime.h"

namespace win {

int GetSystemMetrics(int index) {
  wnd::TBackend& backend = wnd::Runtime().Backend();
  switch (index) {
    case SM_CXSCREEN:
    case SM_CXVIRTUALSCREEN:
    case SM_CXFULLSCREEN:
      return backend.ScreenSize().cx;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN:
      return backend.ScreenSize().cy;
    case SM_CYFULLSCREEN:
      return backend.ScreenSize().cy - backend.Metric(SM_CYCAPTION);
    default:
      return backend.Metric(index);
  }
}

}  // namespace win
