#include "framework/platform/Clock.h"

#include "framework/platform/windowing/Runtime.h"

namespace win {

DWORD GetTickCount() {
  return DWORD(wnd::Runtime().Now());
}

std::uint64_t GetTickCount64() {
  return wnd::Runtime().Now();
}

void GetLocalTime(SYSTEMTIME* time) {
  if (time) *time = wnd::Runtime().Backend().LocalTime();
}

void Sleep(DWORD milliseconds) {
  wnd::Runtime().Backend().Sleep(milliseconds);
}

}  // namespace win
