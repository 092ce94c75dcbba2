// Horizontal pixel runs collected inside a working bound and turned into a region at the end.
// Every rasteriser writes into one, so its work never leaves the part of the device that matters.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/platform/WinTypes.h"
#include "framework/platform/gdi/Region.h"

namespace win::gdi {

class TSpanSet {
 public:
  explicit TSpanSet(const RECT& bound);

  const RECT& Bound() const { return FBound; }
  // Adds the pixels [left, right) of row y; whatever lies outside the bound is dropped.
  void AddSpan(std::int64_t y, std::int64_t left, std::int64_t right);
  void AddPixel(std::int64_t x, std::int64_t y) { AddSpan(y, x, x + 1); }
  void Append(const TSpanSet& other);
  bool IsEmpty() const { return FSpans.empty(); }
  // Calls visit(y, left, right) for every span as added (unsorted, possibly overlapping).
  template <typename TVisit>
  void ForEachSpan(TVisit&& visit) const {
    for (const TSpan& s : FSpans)
      visit(s.Y, s.Left, s.Right);
  }
  void Clear() { FSpans.clear(); }
  TRegion ToRegion() const;

 private:
  struct TSpan {
    LONG Y;
    LONG Left;
    LONG Right;
  };

  // The spans ordered by row, then by left end.
  std::vector<TSpan> SortedSpans() const;

  RECT FBound;
  std::vector<TSpan> FSpans;
};

}  // namespace win::gdi
