// Polygon interiors as the platform fills them: a pixel belongs to the polygon when its top-left
// corner does, edges on the left and top inside, edges on the right and bottom outside.
#pragma once

#include <span>

#include "framework/platform/WinTypes.h"
#include "framework/platform/gdi/SpanSet.h"

namespace win::gdi {

enum class TFillRule { frAlternate, frWinding };

// Adds the interior of the closed polygon through `points` (the last point joins the first).
void AddPolygon(TSpanSet& pixels, std::span<const POINT> points, TFillRule rule);

}  // namespace win::gdi
