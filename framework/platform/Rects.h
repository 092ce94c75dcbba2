// The platform's rectangle helpers: construction, emptiness, offsetting and inflating,
// intersection and union, point tests and comparison.
#pragma once

#include "framework/platform/WinTypes.h"

namespace win {

BOOL SetRect(RECT* rect, int left, int top, int right, int bottom);
BOOL SetRectEmpty(RECT* rect);
BOOL CopyRect(RECT* destination, const RECT* source);
// True for a null rectangle or one without area (right <= left or bottom <= top).
BOOL IsRectEmpty(const RECT* rect);
BOOL OffsetRect(RECT* rect, int dx, int dy);
BOOL InflateRect(RECT* rect, int dx, int dy);
// The overlap; an empty result is set to all zero and answers FALSE.
BOOL IntersectRect(RECT* destination, const RECT* a, const RECT* b);
// The smallest rectangle holding both; empty rectangles do not count.
BOOL UnionRect(RECT* destination, const RECT* a, const RECT* b);
BOOL SubtractRect(RECT* destination, const RECT* a, const RECT* b);
BOOL PtInRect(const RECT* rect, POINT point);
BOOL EqualRect(const RECT* a, const RECT* b);

}  // namespace win
