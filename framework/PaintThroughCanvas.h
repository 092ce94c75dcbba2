// Painting a control through its canvas on a device context that a paint message hands in: the
// canvas is attached and locked for the paint and detached again on every path.
#pragma once

#include <functional>

#include "framework/ControlCanvas.h"

namespace fw {

// Attaches `Canvas` to `DC`, runs `Paint`, and detaches it again, also when `Paint` throws; when
// `Paint` destroys `Control` (and with it the canvas), nothing is touched afterwards.
void PaintThroughCanvas(TControl& Control, TControlCanvas& Canvas, win::HDC DC,
                        const std::function<void()>& Paint);

}  // namespace fw
