// Regions as handles (CreateRectRgn, CombineRgn and friends, with the platform's complexity
// return codes).
#pragma once

#include "framework/platform/GdiTypes.h"

namespace win {

HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rect);
BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom);
// A region of the rectangles in `data` (`count` bytes in all); only the identity transform
// (null) is taken.
HRGN ExtCreateRegion(const XFORM* xform, DWORD count, const RGNDATA* data);
int CombineRgn(HRGN destination, HRGN source1, HRGN source2, int mode);
int OffsetRgn(HRGN region, int dx, int dy);
int GetRgnBox(HRGN region, RECT* rect);
BOOL PtInRegion(HRGN region, int x, int y);
BOOL RectInRegion(HRGN region, const RECT* rect);
BOOL EqualRgn(HRGN region1, HRGN region2);

}  // namespace win
