#include "framework/platform/windowing/WindowDC.h"

namespace win::wnd {

HDC AcquireWindowDC(HWND, const gdi::TRegion*) {
  return nullptr;
}

int ReleaseWindowDC(HWND, HDC) {
  return 0;
}

HWND WindowOfDC(HDC) {
  return nullptr;
}

void RefreshWindowDCs() {}

}  // namespace win::wnd
