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

std::vector<TSpanSet::TSpan> TSpanSet::SortedSpans() const {
  if (FSpans.empty()) return {};
  LONG top = FSpans.front().Y;
  LONG bottom = top;
  for (const TSpan& s : FSpans) {
    top = std::min(top, s.Y);
    bottom = std::max(bottom, s.Y);
  }
  const std::size_t rows = std::size_t(std::int64_t(bottom) - top) + 1;
  std::vector<TSpan> spans(FSpans.size());
  auto byLeft = [](const TSpan& a, const TSpan& b) { return a.Left < b.Left; };
  if (rows > 4 * FSpans.size() + 1024) {
    spans = FSpans;
    std::sort(spans.begin(), spans.end(), [](const TSpan& a, const TSpan& b) {
      return std::tie(a.Y, a.Left) < std::tie(b.Y, b.Left);
    });
    return spans;
  }
  // Rows first by counting (strokes add thousands of short spans over a few hundred rows), then
  // each row's few spans by their left end.
  std::vector<std::size_t> start(rows + 1, 0);
  for (const TSpan& s : FSpans)
    ++start[std::size_t(s.Y - top) + 1];
  for (std::size_t r = 0; r < rows; ++r)
    start[r + 1] += start[r];
  std::vector<std::size_t> next(start.begin(), start.end() - 1);
  for (const TSpan& s : FSpans)
    spans[next[std::size_t(s.Y - top)]++] = s;
  for (std::size_t r = 0; r < rows; ++r) {
    std::sort(spans.begin() + std::ptrdiff_t(start[r]),
              spans.begin() + std::ptrdiff_t(start[r + 1]), byLeft);
  }
  return spans;
}

TRegion TSpanSet::ToRegion() const {
  const std::vector<TSpan> spans = SortedSpans();
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
