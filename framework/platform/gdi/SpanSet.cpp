#include "framework/platform/gdi/SpanSet.h"

#include <algorithm>
#include <tuple>

namespace win::gdi {

TSpanSet::TSpanSet(const RECT& bound) : FBound(bound) {}

void TSpanSet::AddSpan(std::int64_t y, std::int64_t left, std::int64_t right) {
  if (y < FBound.top || y >= FBound.bottom) return;
  left = std::max<std::int64_t>(left, FBound.left);
  right = std::min<std::int64_t>(right, FBound.right);
  if (left >= right) return;
  FSpans.push_back({LONG(y), LONG(left), LONG(right)});
}

void TSpanSet::Append(const TSpanSet& other) {
  for (const TSpan& s : other.FSpans)
    AddSpan(s.Y, s.Left, s.Right);
}

TRegion TSpanSet::ToRegion() const {
  std::vector<TSpan> spans = FSpans;
  std::sort(spans.begin(), spans.end(), [](const TSpan& a, const TSpan& b) {
    return std::tie(a.Y, a.Left) < std::tie(b.Y, b.Left);
  });
  // Merge overlapping and touching runs row by row, then stack identical rows into bands.
  std::vector<RECT> rects;
  std::size_t bandStart = 0;  // first rect of the previous row
  std::size_t bandEnd = 0;
  std::size_t i = 0;
  while (i < spans.size()) {
    const LONG y = spans[i].Y;
    const std::size_t rowStart = rects.size();
    while (i < spans.size() && spans[i].Y == y) {
      RECT r{spans[i].Left, y, spans[i].Right, y + 1};
      for (++i; i < spans.size() && spans[i].Y == y && spans[i].Left <= r.right; ++i) {
        r.right = std::max(r.right, spans[i].Right);
      }
      rects.push_back(r);
    }
    const std::size_t rowCount = rects.size() - rowStart;
    bool sameAsBand =
        bandEnd > bandStart && bandEnd - bandStart == rowCount && rects[bandStart].bottom == y;
    for (std::size_t k = 0; sameAsBand && k < rowCount; ++k) {
      sameAsBand = rects[bandStart + k].left == rects[rowStart + k].left &&
                   rects[bandStart + k].right == rects[rowStart + k].right;
    }
    if (sameAsBand) {
      for (std::size_t k = 0; k < rowCount; ++k)
        rects[bandStart + k].bottom = y + 1;
      rects.resize(rowStart);
    } else {
      bandStart = rowStart;
      bandEnd = rects.size();
    }
  }
  return TRegion::FromRects(rects);
}

}  // namespace win::gdi
