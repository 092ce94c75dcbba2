#include "framework/platform/gdi/StretchAxis.h"

#include <algorithm>

namespace win::gdi {
namespace {

// A rectangle edge and size as the platform reads them: a negative size covers the pixels
// (start + size, start], so the low end is start + size + 1.
void Normalize(LONG start, LONG size, std::int64_t& low, std::int64_t& count, bool& negative) {
  negative = size < 0;
  count = negative ? -std::int64_t(size) : std::int64_t(size);
  low = negative ? std::int64_t(start) + size + 1 : std::int64_t(start);
}

}  // namespace

std::int64_t TStretchAxis::SampleOffset(std::int64_t d, std::int64_t s, std::int64_t t,
                                        TAxisKind kind) {
  if (s == t) return d;
  // Unsigned 64-bit products: d < 2^31 and s <= 2^31 keep them below 2^64.
  const std::uint64_t ud = std::uint64_t(d), us = std::uint64_t(s), ut = std::uint64_t(t);
  if (s > t) {
    if (kind == TAxisKind::akColumns) {
      // floor((d + 1) * s / t - 1/2)
      return std::int64_t(((2 * ud + 2) * us - ut) / (2 * ut));
    }
    // floor(d * s / t + 1/2)
    return std::int64_t((2 * ud * us + ut) / (2 * ut));
  }
  // floor((d + 1/2) * s / t)
  return std::int64_t(((2 * ud + 1) * us) / (2 * ut));
}

std::int64_t TStretchAxis::OffsetFor(std::int64_t d) const {
  // A negative target size walks the target backwards, a negative source size the source.
  const std::int64_t e = FTargetReversed ? FTargetCount - 1 - d : d;
  const std::int64_t offset = SampleOffset(e, FSourceCount, FTargetCount, FKind);
  return FSourceReversed ? FSourceCount - 1 - offset : offset;
}

TStretchAxis::TStretchAxis(const TAxisRequest& r, LONG limitLow, LONG limitHigh, LONG sourceLimit)
    : FKind(r.Kind) {
  bool targetNegative = false, sourceNegative = false;
  Normalize(r.TargetStart, r.TargetSize, FTargetLow, FTargetCount, targetNegative);
  Normalize(r.SourceStart, r.SourceSize, FSourceLow, FSourceCount, sourceNegative);
  FMirrored = targetNegative != sourceNegative;
  FTargetReversed = targetNegative;
  FSourceReversed = sourceNegative;
  FFirst = FLast = 0;
  if (FTargetCount == 0 || FSourceCount == 0) return;
  const std::int64_t lo = std::max<std::int64_t>(FTargetLow, limitLow);
  const std::int64_t hi = std::min<std::int64_t>(FTargetLow + FTargetCount, limitHigh);
  if (hi <= lo) return;
  // The sample positions grow (or fall, mirrored) steadily, so the pixels with a source inside
  // the source bounds form one run.
  std::int64_t first = -1, last = -1;
  std::vector<LONG> samples;
  samples.reserve(std::size_t(hi - lo));
  for (std::int64_t t = lo; t < hi; ++t) {
    const std::int64_t s = FSourceLow + OffsetFor(t - FTargetLow);
    const bool inside = s >= 0 && s < sourceLimit;
    if (inside) {
      if (first < 0) first = t;
      last = t + 1;
      samples.push_back(LONG(s));
    } else if (first >= 0) {
      break;
    }
  }
  if (first < 0) return;
  FFirst = LONG(first);
  FLast = LONG(last);
  FSamples = std::move(samples);
  FSpanLow.resize(FSamples.size());
  FSpanHigh.resize(FSamples.size());
  for (std::size_t i = 0; i < FSamples.size(); ++i) {
    const std::int64_t d = first + std::int64_t(i) - FTargetLow;
    const std::int64_t e = FTargetReversed ? FTargetCount - 1 - d : d;
    // Columns: the span ends at this pixel's sample and starts after the previous pixel's.
    // Rows: it starts at this pixel's sample and ends before the next pixel's.
    std::int64_t loOff, hiOff;
    if (FKind == TAxisKind::akColumns) {
      hiOff = SampleOffset(e, FSourceCount, FTargetCount, FKind);
      loOff = e == 0 ? 0 : SampleOffset(e - 1, FSourceCount, FTargetCount, FKind) + 1;
    } else {
      loOff = SampleOffset(e, FSourceCount, FTargetCount, FKind);
      hiOff = e + 1 == FTargetCount ? FSourceCount - 1
                                    : SampleOffset(e + 1, FSourceCount, FTargetCount, FKind) - 1;
    }
    std::int64_t a = std::min(loOff, hiOff), b = std::max(loOff, hiOff);
    if (FSourceReversed) {
      const std::int64_t flippedLow = FSourceCount - 1 - b;
      b = FSourceCount - 1 - a;
      a = flippedLow;
    }
    FSpanLow[i] = LONG(std::clamp<std::int64_t>(FSourceLow + a, 0, sourceLimit - 1));
    FSpanHigh[i] = LONG(std::clamp<std::int64_t>(FSourceLow + b, 0, sourceLimit - 1));
  }
}

std::vector<TWeight> TStretchAxis::Coverage(LONG target) const {
  // Target offset d covers source positions [d * S / T, (d + 1) * S / T); in units of 1/T the
  // source pixel j covers [j * T, (j + 1) * T).
  std::int64_t d = std::int64_t(target) - FTargetLow;
  if (FTargetReversed) d = FTargetCount - 1 - d;
  const std::int64_t from = d * FSourceCount;
  const std::int64_t to = (d + 1) * FSourceCount;
  std::vector<TWeight> out;
  for (std::int64_t j = from / FTargetCount; j * FTargetCount < to; ++j) {
    const std::int64_t a = std::max(from, j * FTargetCount);
    const std::int64_t b = std::min(to, (j + 1) * FTargetCount);
    if (b <= a) continue;
    const std::int64_t offset = FSourceReversed ? FSourceCount - 1 - j : j;
    out.push_back({LONG(FSourceLow + offset), double(b - a) / double(FSourceCount)});
  }
  return out;
}

}  // namespace win::gdi
