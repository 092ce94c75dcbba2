// Time as the program sees it: the millisecond tick count and the local date and time. Both follow
// the backend's clock, which is virtual in the headless backend.
#pragma once

#include "framework/platform/WindowTypes.h"

namespace win {

DWORD GetTickCount();
std::uint64_t GetTickCount64();
void GetLocalTime(SYSTEMTIME* time);
// Waits; the headless backend advances its virtual clock instead.
void Sleep(DWORD milliseconds);

}  // namespace win
