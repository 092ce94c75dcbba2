// The window-region side of a state image: the drawn pixels (those whose colour is not the
// control's transparent colour) of a 24-bit bitmap, gathered run by run into a region.
#pragma once

#include <functional>
#include <span>

#include "framework/Bitmap.h"
#include "framework/Color.h"
#include "framework/platform/GdiTypes.h"

namespace clear {

// Calls `Run` (first column, column after the last, row) for each maximal run of drawn pixels of
// the bitmap within `Area` (clipped to the bitmap), row by row from the top, left to right.
// `Image` must hold 24 bits per pixel.
void ForEachDrawnRun(fw::TBitmap& Image, fw::TColor Empty, const win::RECT& Area,
                     const std::function<void(int X0, int X1, int Y)>& Run);

// Adds to `Region` every maximal run of drawn pixels of the bitmap within any of the areas, as
// one-pixel-high rectangles. A pixel in several areas is looked at once.
void AddOpaqueRuns(fw::TBitmap& Image, fw::TColor Empty, std::span<const win::RECT> Areas,
                   win::HRGN Region);

// A new region of every drawn pixel of the 24-bit image; the caller owns it.
win::HRGN ScanOpaqueRuns(fw::TBitmap& Image, fw::TColor Empty);

}  // namespace clear
