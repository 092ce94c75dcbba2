#include "framework/platform/gdi/LineRaster.h"

#include <algorithm>
#include <cstdlib>

#include "framework/platform/gdi/ExactMath.h"

namespace win::gdi {
namespace {

// Walks the pixels of a line in drawing order, limited to the steps whose major coordinate lies
// inside the bound so that a line far larger than the device costs no more than the device.
class TLineWalk {
 public:
  TLineWalk(POINT from, POINT to, const RECT& bound) {
    FX = from.x;
    FY = from.y;
    const std::int64_t dx = std::int64_t(to.x) - from.x;
    const std::int64_t dy = std::int64_t(to.y) - from.y;
    FXMajor = std::llabs(dx) >= std::llabs(dy);
    FMajor = FXMajor ? std::llabs(dx) : std::llabs(dy);
    FMinorDelta = FXMajor ? dy : dx;
    FStepX = dx < 0 ? -1 : 1;
    FStepY = dy < 0 ? -1 : 1;
    ClipToBound(bound);
  }

  std::int64_t First() const { return FFirst; }
  std::int64_t End() const { return FEnd; }

  // Pixel `k` of the line (0 <= k < LinePixelCount).
  void PixelAt(std::int64_t k, std::int64_t& x, std::int64_t& y) const {
    const auto minor =
        std::int64_t(CeilDiv128(2 * TInt128(FMinorDelta) * k - FMajor, 2 * TInt128(FMajor)));
    if (FXMajor) {
      x = FX + FStepX * k;
      y = FY + minor;
    } else {
      x = FX + minor;
      y = FY + FStepY * k;
    }
  }

 private:
  void ClipToBound(const RECT& bound) {
    FFirst = 0;
    FEnd = FMajor;
    if (FMajor == 0) return;
    const std::int64_t start = FXMajor ? FX : FY;
    const std::int64_t step = FXMajor ? FStepX : FStepY;
    const std::int64_t low = FXMajor ? bound.left : bound.top;
    const std::int64_t high = FXMajor ? bound.right : bound.bottom;
    // The major coordinate start + step * k must lie in [low, high).
    if (step > 0) {
      FFirst = std::max<std::int64_t>(FFirst, low - start);
      FEnd = std::min<std::int64_t>(FEnd, high - start);
    } else {
      FFirst = std::max<std::int64_t>(FFirst, start - high + 1);
      FEnd = std::min<std::int64_t>(FEnd, start - low + 1);
    }
    if (FEnd < FFirst) FEnd = FFirst;
  }

  std::int64_t FX = 0;
  std::int64_t FY = 0;
  bool FXMajor = true;
  std::int64_t FMajor = 0;
  std::int64_t FMinorDelta = 0;
  std::int64_t FStepX = 1;
  std::int64_t FStepY = 1;
  std::int64_t FFirst = 0;
  std::int64_t FEnd = 0;
};

// Gathers consecutive pixels of one row into runs before handing them to a span set.
class TRunCollector {
 public:
  explicit TRunCollector(TSpanSet& target) : FTarget(target) {}
  ~TRunCollector() { Flush(); }
  TRunCollector(const TRunCollector&) = delete;
  TRunCollector& operator=(const TRunCollector&) = delete;

  void Add(std::int64_t x, std::int64_t y) {
    if (FOpen && y == FY && (x == FRight || x == FLeft - 1)) {
      FLeft = std::min(FLeft, x);
      FRight = std::max(FRight, x + 1);
      return;
    }
    Flush();
    FOpen = true;
    FY = y;
    FLeft = x;
    FRight = x + 1;
  }

  void Flush() {
    if (FOpen) FTarget.AddSpan(FY, FLeft, FRight);
    FOpen = false;
  }

 private:
  TSpanSet& FTarget;
  bool FOpen = false;
  std::int64_t FY = 0;
  std::int64_t FLeft = 0;
  std::int64_t FRight = 0;
};

}  // namespace

std::int64_t LinePixelCount(POINT from, POINT to) {
  return std::max(std::llabs(std::int64_t(to.x) - from.x), std::llabs(std::int64_t(to.y) - from.y));
}

void AddLine(TSpanSet& pixels, POINT from, POINT to) {
  TLineWalk walk(from, to, pixels.Bound());
  TRunCollector runs(pixels);
  for (std::int64_t k = walk.First(); k < walk.End(); ++k) {
    std::int64_t x = 0;
    std::int64_t y = 0;
    walk.PixelAt(k, x, y);
    runs.Add(x, y);
  }
}

void AddStyledLine(TSpanSet& dashes, TSpanSet& gaps, POINT from, POINT to,
                   const TDashPattern& pattern, std::int64_t start) {
  TLineWalk walk(from, to, dashes.Bound());
  TRunCollector dashRuns(dashes);
  TRunCollector gapRuns(gaps);
  for (std::int64_t k = walk.First(); k < walk.End(); ++k) {
    std::int64_t x = 0;
    std::int64_t y = 0;
    walk.PixelAt(k, x, y);
    if (pattern.IsOn(start + k)) {
      dashRuns.Add(x, y);
    } else {
      gapRuns.Add(x, y);
    }
  }
}

}  // namespace win::gdi
