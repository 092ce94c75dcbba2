// The SDL2 backend: real utility windows (always on top where asked), frame extents read back from
// the window manager, framebuffers presented when they change and on every expose and move, SDL
// events turned into input, window shapes, a short tone for the beep, and the desktop's opener.
#pragma once

#include <memory>

#include "framework/platform/windowing/Backend.h"

namespace win::wnd {

// NULL when SDL's video subsystem cannot start (no display).
std::unique_ptr<TBackend> CreateSdlBackend();

}  // namespace win::wnd
