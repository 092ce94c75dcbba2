// The hook through which the windowing runtime draws into a top-level window's framebuffer:
// device contexts over a shared 32-bit surface, with a device origin (the client area's place in
// the framebuffer) and a visible region the runtime keeps up to date. The framebuffer records
// the rectangles that painting damaged, so a backend knows what to present.
//
// Reading from such a context (BitBlt from it, GetPixel) reads the framebuffer: what is shown.
// Release a context with DeleteDC; the framebuffer lives as long as someone holds it.
#pragma once

#include <memory>

#include "framework/platform/GdiTypes.h"
#include "framework/platform/gdi/Region.h"
#include "framework/platform/gdi/Surface.h"

namespace win::gdi {

// A zero-filled 32-bit top-down framebuffer that tracks damage; null when too large.
std::shared_ptr<TSurface> CreateFramebuffer(LONG width, LONG height);

// A context drawing into `surface` with device (0, 0) at `origin`; it paints only inside
// `visible` (surface coordinates). Null for a null surface.
HDC CreateSurfaceDC(std::shared_ptr<TSurface> surface, POINT origin, const TRegion& visible);
// Moves a surface context's device origin (the window moved inside its framebuffer).
bool SetSurfaceDCOrigin(HDC dc, POINT origin);
// Replaces a surface context's visible region (surface coordinates).
bool SetSurfaceDCVisibleRegion(HDC dc, const TRegion& visible);
// The surface a context draws into (memory contexts: their selected bitmap's pixels).
std::shared_ptr<TSurface> SurfaceOf(HDC dc);

}  // namespace win::gdi
