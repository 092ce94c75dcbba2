// A set of pixels as a union of rectangles: the value type behind region handles, clipping and the
// coverage that every drawing primitive computes. Backed by pixman's 32-bit regions.
#pragma once

#include <pixman.h>

#include <span>
#include <vector>

#include "framework/platform/WinTypes.h"

namespace win::gdi {

class TRegion {
 public:
  TRegion();
  explicit TRegion(const RECT& rect);  // empty when the rectangle is empty or given inverted
  TRegion(const TRegion& other);
  TRegion(TRegion&& other) noexcept;
  TRegion& operator=(const TRegion& other);
  TRegion& operator=(TRegion&& other) noexcept;
  ~TRegion();

  // Builds a region from rectangles that may overlap; empty rectangles are skipped.
  static TRegion FromRects(std::span<const RECT> rects);

  bool IsEmpty() const;
  // True when the region is one rectangle (or empty).
  bool IsSimple() const;
  RECT Extents() const;  // all zero when empty
  bool Contains(LONG x, LONG y) const;
  bool Intersects(const RECT& rect) const;
  // The rectangles in y-x banded order: sorted by top, then left; no two overlap.
  std::vector<RECT> Rects() const;
  std::size_t RectCount() const;

  void Clear();
  void SetRect(const RECT& rect);
  void Offset(LONG dx, LONG dy);
  void Union(const TRegion& other);
  void Union(const RECT& rect);
  void Intersect(const TRegion& other);
  void Intersect(const RECT& rect);
  void Subtract(const TRegion& other);
  void Subtract(const RECT& rect);
  void Xor(const TRegion& other);

  friend bool operator==(const TRegion& a, const TRegion& b);

  const pixman_region32_t* Native() const { return &FRegion; }
  pixman_region32_t* Native() { return &FRegion; }

 private:
  pixman_region32_t FRegion;
};

}  // namespace win::gdi
