// The choice of the backend at start: TOVU_BACKEND=sdl|headless forces one; otherwise SDL2 when a
// display can be opened, and the headless backend (with one line on standard error) when not.
#pragma once

#include <memory>

#include "framework/platform/windowing/Backend.h"

namespace win::wnd {

std::unique_ptr<TBackend> ChooseBackend();

// Whether the SDL2 library is mapped into the process (it is loaded only when SDL is chosen).
bool SdlMapped();

}  // namespace win::wnd
