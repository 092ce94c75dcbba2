// Geometry values of the framework (points, sizes, rectangles) with the conversions to and from
// the platform's POINT, SIZE and RECT.
#pragma once

#include "framework/platform/WinTypes.h"

namespace fw {

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
  win::POINT ToPOINT() const { return win::POINT{X, Y}; }
};

struct TSize {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

// A rectangle from (Left, Top) inclusive to (Right, Bottom) exclusive.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  friend bool operator==(const TRect&, const TRect&) = default;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  TPoint TopLeft() const { return {Left, Top}; }
  TPoint BottomRight() const { return {Right, Bottom}; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  win::RECT ToRECT() const { return win::RECT{Left, Top, Right, Bottom}; }
  static TRect FromRECT(const win::RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
};

inline TPoint Point(int x, int y) {
  return {x, y};
}
inline TRect Rect(int left, int top, int right, int bottom) {
  return {left, top, right, bottom};
}
inline TRect Bounds(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

}  // namespace fw
