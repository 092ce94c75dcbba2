// Lines and figures: the current position, LineTo and polylines, Polygon, Rectangle, RoundRect
// and Ellipse with the platform's pixels, return values and logical-to-device mapping.
#pragma once

#include "framework/platform/GdiTypes.h"

namespace win {

BOOL MoveToEx(HDC dc, int x, int y, POINT* previous);
BOOL GetCurrentPositionEx(HDC dc, POINT* position);
// Draws from the current position to (x, y), leaving out the last pixel of a thin pen, and makes
// (x, y) the current position.
BOOL LineTo(HDC dc, int x, int y);
// At least two points; the dash pattern of a styled pen runs on from segment to segment.
BOOL Polyline(HDC dc, const POINT* points, int count);
// Draws from the current position through the points; the last one becomes the current position.
BOOL PolylineTo(HDC dc, const POINT* points, DWORD count);
// At least two points, closed automatically, filled in the context's polygon fill mode.
BOOL Polygon(HDC dc, const POINT* points, int count);
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom);
// width and height are the full size of the ellipse whose quarters round the corners.
BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int width, int height);
BOOL Ellipse(HDC dc, int left, int top, int right, int bottom);

}  // namespace win
