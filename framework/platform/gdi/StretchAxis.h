// Which source pixels each target pixel of a block transfer takes along one axis: the platform's
// nearest-pixel choice when shrinking and enlarging, mirroring by negative sizes, and the spans
// that the combining and averaging stretch modes read.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/platform/WinTypes.h"

namespace win::gdi {

enum class TAxisKind { akColumns, akRows };

// One axis of a transfer from `sourceSize` pixels at `sourceStart` to `targetSize` pixels at
// `targetStart` (sizes as given, negative meaning the rectangle extends the other way).
struct TAxisRequest {
  LONG TargetStart = 0;
  LONG TargetSize = 0;
  LONG SourceStart = 0;
  LONG SourceSize = 0;
  TAxisKind Kind = TAxisKind::akColumns;
};

// A weighted source pixel of an averaged target pixel.
struct TWeight {
  LONG Index = 0;  // source coordinate
  double Weight = 0;
};

class TStretchAxis {
 public:
  // Maps the target pixels from `limitLow` to `limitHigh` (target coordinates) that the
  // rectangle covers and that reach the source bitmap [0, sourceLimit): their sample lies
  // inside, or when shrinking, part of their share does (the sample then stops at the edge).
  TStretchAxis(const TAxisRequest& request, LONG limitLow, LONG limitHigh, LONG sourceLimit);

  // The target range that has a source, [First, Last).
  LONG First() const { return FFirst; }
  LONG Last() const { return FLast; }
  bool IsEmpty() const { return FLast <= FFirst; }
  bool IsShrinking() const { return FSourceCount > FTargetCount; }
  bool IsIdentity() const { return FSourceCount == FTargetCount && !FMirrored; }

  // The source coordinate a target coordinate (inside [First, Last)) takes.
  LONG Source(LONG target) const { return FSamples[std::size_t(target - FFirst)]; }
  // The source pixels a shrinking copy combines into the target pixel (inclusive, low and high
  // in source order, inside the bitmap): its share, the source pixels whose centres fall in it.
  LONG SpanLow(LONG target) const { return FSpanLow[std::size_t(target - FFirst)]; }
  LONG SpanHigh(LONG target) const { return FSpanHigh[std::size_t(target - FFirst)]; }
  // The source pixels a target pixel covers, weighted by the length covered (sum 1).
  std::vector<TWeight> Coverage(LONG target) const;

  // The offset inside the source rectangle that target offset d takes (no mirroring).
  static std::int64_t SampleOffset(std::int64_t d, std::int64_t sourceCount,
                                   std::int64_t targetCount, TAxisKind kind);
  // When shrinking, target offset d gets the source offsets from ShareFirst to ShareLast: those
  // whose centres fall in it, d < (j + 1/2) * targetCount / sourceCount <= d + 1.
  static std::int64_t ShareFirst(std::int64_t d, std::int64_t sourceCount,
                                 std::int64_t targetCount);
  static std::int64_t ShareLast(std::int64_t d, std::int64_t sourceCount, std::int64_t targetCount);

 private:
  // The sample and the share of a target coordinate, in source coordinates (low <= high); they
  // may lie outside the source bitmap.
  struct TShare {
    std::int64_t Sample = 0;
    std::int64_t Low = 0;
    std::int64_t High = 0;
  };
  TShare ShareOf(std::int64_t target) const;

  std::int64_t FTargetLow = 0;  // leftmost target pixel of the rectangle
  std::int64_t FSourceLow = 0;
  std::int64_t FTargetCount = 0;
  std::int64_t FSourceCount = 0;
  bool FMirrored = false;
  bool FTargetReversed = false;  // negative target size: target pixels run backwards
  bool FSourceReversed = false;  // negative source size: source offsets run backwards
  TAxisKind FKind;
  LONG FFirst = 0;
  LONG FLast = 0;
  std::vector<LONG> FSamples;
  std::vector<LONG> FSpanLow;
  std::vector<LONG> FSpanHigh;
};

}  // namespace win::gdi
