#include "framework/platform/windowing/Backend.h"

#include "framework/platform/SystemMetrics.h"

namespace win::wnd {

// Classic desktop metrics: 1-pixel borders, 3-pixel fixed frames, 4-pixel sizing frames, an
// 18-pixel tool-window caption and the minimum tracking size of a captioned window.
int TBackend::Metric(int index) {
  switch (index) {
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
      return 16;
    case SM_CYCAPTION:
      return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
      return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
      return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
      return 4;
    case SM_CXMINTRACK:
      return 112;
    case SM_CYMINTRACK:
      return 27;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
      return 4;
    case SM_CXEDGE:
    case SM_CYEDGE:
      return 2;
    case SM_CYSMCAPTION:
      return 18;
    case SM_CMOUSEBUTTONS:
      return 3;
    case SM_CMONITORS:
      return 1;
    default:
      return 0;
  }
}

}  // namespace win::wnd
