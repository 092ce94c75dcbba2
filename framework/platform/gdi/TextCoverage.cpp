#include "framework/platform/gdi/TextCoverage.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace win::gdi {
namespace {

LONG Clamp32(std::int64_t value) {
  return static_cast<LONG>(std::clamp<std::int64_t>(value, std::numeric_limits<LONG>::min(),
                                                    std::numeric_limits<LONG>::max()));
}

int AdvanceAt(const TFontFace& face, std::u32string_view text, std::size_t i,
              std::span<const int> advances) {
  return i < advances.size() ? advances[i] : face.Advance(text[i]);
}

bool Overlaps(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
              const RECT& limit) {
  return left < limit.right && right > limit.left && top < limit.bottom && bottom > limit.top;
}

// The glyph's spans at (x, y) as rectangles; false when a coordinate does not fit in 32 bits.
bool AppendGlyphRects(const TGlyph& glyph, std::int64_t x, std::int64_t y,
                      std::vector<RECT>& rects) {
  constexpr std::int64_t low = std::numeric_limits<LONG>::min();
  constexpr std::int64_t high = std::numeric_limits<LONG>::max();
  if (x + glyph.Ink.left < low || x + glyph.Ink.right > high || y + glyph.Ink.top < low ||
      y + glyph.Ink.bottom > high)
    return false;
  for (const TGlyphSpan& span : glyph.Spans) {
    rects.push_back(RECT{static_cast<LONG>(x + span.Left), static_cast<LONG>(y + span.Y),
                         static_cast<LONG>(x + span.Right), static_cast<LONG>(y + span.Y + 1)});
  }
  return true;
}

RECT Bar(LONG left, LONG right, std::int64_t top, int size) {
  return RECT{left, Clamp32(top), right, Clamp32(top + size)};
}

}  // namespace

std::int64_t RunWidth(const TFontFace& face, std::u32string_view text,
                      std::span<const int> advances) {
  std::int64_t width = 0;
  for (std::size_t i = 0; i < text.size(); ++i)
    width += AdvanceAt(face, text, i, advances);
  return width;
}

TRegion GlyphRunInk(const TFontFace& face, std::u32string_view text, POINT origin,
                    const RECT& limit, std::span<const int> advances) {
  std::vector<RECT> rects;
  std::int64_t x = origin.x;
  const std::int64_t y = origin.y;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::shared_ptr<const TGlyph> glyph = face.Glyph(text[i]);
    const RECT& ink = glyph->Ink;
    if (ink.right > ink.left &&
        Overlaps(x + ink.left, y + ink.top, x + ink.right, y + ink.bottom, limit))
      AppendGlyphRects(*glyph, x, y, rects);
    x += AdvanceAt(face, text, i, advances);
  }
  return TRegion::FromRects(rects);
}

RECT UnderlineRect(const TFontFace& face, LONG left, LONG right, LONG baseline) {
  const TFontMetrics& m = face.Metrics();
  return Bar(left, right, std::int64_t{baseline} + m.UnderlineTop, m.UnderlineSize);
}

RECT PrefixUnderlineRect(LONG left, LONG right, LONG baseline) {
  return Bar(left, Clamp32(std::max<std::int64_t>(left, std::int64_t{right} - 1)),
             std::int64_t{baseline} + 1, 1);
}

RECT StrikeOutRect(const TFontFace& face, LONG left, LONG right, LONG baseline) {
  const TFontMetrics& m = face.Metrics();
  return Bar(left, right, std::int64_t{baseline} + m.StrikeOutTop, m.StrikeOutSize);
}

RECT TextCellBox(const TFontFace& face, LONG left, LONG width, LONG baseline) {
  const TEXTMETRICA& tm = face.Metrics().Text;
  return RECT{left, Clamp32(std::int64_t{baseline} - tm.tmAscent),
              Clamp32(std::int64_t{left} + width), Clamp32(std::int64_t{baseline} + tm.tmDescent)};
}

TRegion TextLineCoverage(const TFontFace& face, std::u32string_view text, POINT origin,
                         const RECT& limit, std::span<const int> advances) {
  TRegion coverage = GlyphRunInk(face, text, origin, limit, advances);
  const TFontRequest& request = face.Request();
  if (!request.Underline && !request.StrikeOut) return coverage;
  const LONG right = Clamp32(origin.x + RunWidth(face, text, advances));
  if (request.Underline) coverage.Union(UnderlineRect(face, origin.x, right, origin.y));
  if (request.StrikeOut) coverage.Union(StrikeOutRect(face, origin.x, right, origin.y));
  return coverage;
}

}  // namespace win::gdi
