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
  if (s > t) {
    // A shrinking copy keeps the last source pixel of a column's share and the first of a row's.
    return kind == TAxisKind::akColumns ? ShareLast(d, s, t) : ShareFirst(d, s, t);
  }
  // Enlarging: the source pixel under the target pixel's centre, a centre on a boundary taking
  // the lower one: ceil((d + 1/2) * s / t) - 1. Unsigned 64-bit products: d < 2^31 and
  // s <= 2^31 keep them below 2^64.
  return std::int64_t(((2 * std::uint64_t(d) + 1) * std::uint64_t(s) - 1) / (2 * std::uint64_t(t)));
}

std::int64_t TStretchAxis::ShareFirst(std::int64_t d, std::int64_t s, std::int64_t t) {
  // floor(d * s / t + 1/2)
  return std::int64_t((2 * std::uint64_t(d) * std::uint64_t(s) + std::uint64_t(t)) /
                      (2 * std::uint64_t(t)));
}

std::int64_t TStretchAxis::ShareLast(std::int64_t d, std::int64_t s, std::int64_t t) {
  // floor((d + 1) * s / t - 1/2)
  return std::int64_t(((2 * std::uint64_t(d) + 2) * std::uint64_t(s) - std::uint64_t(t)) /
                      (2 * std::uint64_t(t)));
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
  if (FTargetCount == 0 || FSourceCount == 0 || sourceLimit <= 0) return;
  const std::int64_t lo = std::max<std::int64_t>(FTargetLow, limitLow);
  const std::int64_t hi = std::min<std::int64_t>(FTargetLow + FTargetCount, limitHigh);
  if (hi <= lo) return;
  // The shares move steadily along the source, so the pixels that reach the source bitmap form
  // one run.
  std::int64_t first = -1, last = -1;
  for (std::int64_t t = lo; t < hi; ++t) {
    const TShare share = ShareOf(t);
    const bool inside = share.Low < sourceLimit && share.High >= 0;
    if (inside) {
      if (first < 0) first = t;
      last = t + 1;
      // A share that runs past the bitmap's edge keeps the edge pixel.
      FSamples.push_back(LONG(std::clamp<std::int64_t>(share.Sample, 0, sourceLimit - 1)));
      FSpanLow.push_back(LONG(std::max<std::int64_t>(share.Low, 0)));
      FSpanHigh.push_back(LONG(std::min<std::int64_t>(share.High, sourceLimit - 1)));
    } else if (first >= 0) {
      break;
    }
  }
  if (first < 0) return;
  FFirst = LONG(first);
  FLast = LONG(last);
}

TStretchAxis::TShare TStretchAxis::ShareOf(std::int64_t target) const {
  // A negative target size walks the target backwards, a negative source size the source.
  const std::int64_t d = target - FTargetLow;
  const std::int64_t e = FTargetReversed ? FTargetCount - 1 - d : d;
  const std::int64_t sample = SampleOffset(e, FSourceCount, FTargetCount, FKind);
  std::int64_t low = sample, high = sample;
  if (FSourceCount > FTargetCount) {
    low = ShareFirst(e, FSourceCount, FTargetCount);
    high = ShareLast(e, FSourceCount, FTargetCount);
  }
  auto place = [this](std::int64_t offset) {
    return FSourceLow + (FSourceReversed ? FSourceCount - 1 - offset : offset);
  };
  if (FSourceReversed) std::swap(low, high);
  return TShare{place(sample), place(low), place(high)};
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
