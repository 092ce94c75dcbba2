// The platform's thin-line rasterisation: one pixel per step along the major axis, the minor
// coordinate rounded to the nearest pixel (ties toward the smaller coordinate), last pixel left
// out.
#pragma once

#include <cstdint>

#include "framework/platform/WinTypes.h"
#include "framework/platform/gdi/DashPattern.h"
#include "framework/platform/gdi/SpanSet.h"

namespace win::gdi {

// How many pixels the line from `from` to `to` covers: its length along the major axis.
std::int64_t LinePixelCount(POINT from, POINT to);

// Adds the pixels of the line to `pixels`.
void AddLine(TSpanSet& pixels, POINT from, POINT to);

// Adds the pixels of a styled line: pixel i of the line sits at pattern position start + i and
// goes to `dashes` or to `gaps`.
void AddStyledLine(TSpanSet& dashes, TSpanSet& gaps, POINT from, POINT to,
                   const TDashPattern& pattern, std::int64_t start);

}  // namespace win::gdi
