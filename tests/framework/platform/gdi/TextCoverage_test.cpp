#include "framework/platform/gdi/TextCoverage.h"

#include <gtest/gtest.h>

#include <climits>

#include "framework/platform/gdi/FontCache.h"

namespace win::gdi {
namespace {

constexpr RECT Everywhere{INT_MIN, INT_MIN, INT_MAX, INT_MAX};

std::shared_ptr<const TFontFace> Font(bool underline = false, bool strikeOut = false) {
  TFontRequest request;
  request.Family = "ＭＳ Ｐゴシック";
  request.Height = -16;
  request.Underline = underline;
  request.StrikeOut = strikeOut;
  auto face = TFontCache::Instance().Realize(request);
  EXPECT_NE(face, nullptr);
  return face;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

TEST(TextCoverage, InkStaysInsideTheTextCell) {
  const auto face = Font();
  const std::u32string text = U"Hgjy漢字ぱ";
  const POINT origin{30, 50};
  const TRegion ink = GlyphRunInk(*face, text, origin, Everywhere);
  ASSERT_FALSE(ink.IsEmpty());
  const auto width = static_cast<LONG>(RunWidth(*face, text));
  const RECT cell = TextCellBox(*face, origin.x, width, origin.y);
  EXPECT_EQ(cell.bottom - cell.top, face->Metrics().Text.tmHeight);
  EXPECT_TRUE(Inside(ink.Extents(), cell));
}

TEST(TextCoverage, InkMovesWithTheOrigin) {
  const auto face = Font();
  TRegion a = GlyphRunInk(*face, U"Move", POINT{0, 20}, Everywhere);
  const TRegion b = GlyphRunInk(*face, U"Move", POINT{-7, 133}, Everywhere);
  a.Offset(-7, 113);
  EXPECT_EQ(a, b);
}

TEST(TextCoverage, GlyphsOutsideTheLimitAreSkipped) {
  const auto face = Font();
  const int advance = face->Advance(U'W');
  // Only the third W overlaps the limit.
  const RECT limit{2 * advance + 1, -100, 2 * advance + 2, 100};
  const TRegion ink = GlyphRunInk(*face, U"WWWW", POINT{0, 0}, limit);
  const TRegion third = GlyphRunInk(*face, U"W", POINT{2 * advance, 0}, Everywhere);
  EXPECT_EQ(ink, third);
  EXPECT_TRUE(GlyphRunInk(*face, U"WWWW", POINT{0, 0}, RECT{0, 500, 10, 510}).IsEmpty());
}

TEST(TextCoverage, ExplicitAdvancesPlaceEachGlyph) {
  const auto face = Font();
  const int dx[] = {40, 40};
  const TRegion spaced = GlyphRunInk(*face, U"ii", POINT{0, 0}, Everywhere, dx);
  TRegion expected = GlyphRunInk(*face, U"i", POINT{0, 0}, Everywhere);
  expected.Union(GlyphRunInk(*face, U"i", POINT{40, 0}, Everywhere));
  EXPECT_EQ(spaced, expected);
  EXPECT_EQ(RunWidth(*face, U"iii", dx), 80 + face->Advance(U'i'));
}

TEST(TextCoverage, UnderlineSitsBelowTheBaselineInsideTheCellAndStrikeOutAbove) {
  const auto face = Font(true, true);
  const LONG baseline = 40;
  const RECT underline = UnderlineRect(*face, 10, 50, baseline);
  const RECT strike = StrikeOutRect(*face, 10, 50, baseline);
  const RECT cell = TextCellBox(*face, 10, 40, baseline);
  EXPECT_GE(underline.top, baseline);
  EXPECT_TRUE(Inside(underline, cell));
  EXPECT_GE(underline.bottom - underline.top, 1);
  EXPECT_LT(strike.bottom, baseline);
  EXPECT_GT(strike.top, cell.top);

  const TRegion line = TextLineCoverage(*face, U"ab", POINT{10, baseline}, Everywhere);
  const LONG width = static_cast<LONG>(RunWidth(*face, U"ab"));
  TRegion bars(UnderlineRect(*face, 10, 10 + width, baseline));
  bars.Union(StrikeOutRect(*face, 10, 10 + width, baseline));
  TRegion missing = bars;
  missing.Subtract(line);
  EXPECT_TRUE(missing.IsEmpty());
  // A plain font adds no bars.
  EXPECT_EQ(TextLineCoverage(*Font(), U"ab", POINT{10, baseline}, Everywhere),
            GlyphRunInk(*Font(), U"ab", POINT{10, baseline}, Everywhere));
}

TEST(TextCoverage, CoordinatesNearTheLimitsDoNotOverflow) {
  const auto face = Font(true, false);
  const TRegion ink =
      TextLineCoverage(*face, U"WWWW", POINT{INT_MAX - 20, INT_MAX - 3}, Everywhere);
  for (const RECT& r : ink.Rects()) {
    EXPECT_LE(r.left, r.right);
    EXPECT_LE(r.top, r.bottom);
  }
  EXPECT_TRUE(GlyphRunInk(*face, U"W", POINT{INT_MIN, INT_MIN}, RECT{0, 0, 100, 100}).IsEmpty());
}

}  // namespace
}  // namespace win::gdi
