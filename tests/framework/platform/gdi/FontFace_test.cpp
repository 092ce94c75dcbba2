#include "framework/platform/gdi/FontFace.h"

#include <gtest/gtest.h>

#include "framework/platform/gdi/FontCache.h"

namespace win::gdi {
namespace {

std::shared_ptr<const TFontFace> Realize(std::string family, LONG height, LONG weight = FW_NORMAL) {
  TFontRequest request;
  request.Family = std::move(family);
  request.Height = height;
  request.Weight = weight;
  return TFontCache::Instance().Realize(request);
}

TEST(FontFace, JapaneseFaceNamesResolveToTheIpaGothicFaces) {
  for (const char* name : {"ＭＳ Ｐゴシック", "MS PGothic", "ms pgothic"}) {
    const auto face = Realize(name, -12);
    ASSERT_NE(face, nullptr) << name;
    EXPECT_EQ(face->DesignFamily(), "IPAPGothic") << name;
    EXPECT_EQ(face->FaceName(), name);
  }
  for (const char* name : {"ＭＳ ゴシック", "MS Gothic"}) {
    const auto face = Realize(name, -12);
    ASSERT_NE(face, nullptr) << name;
    EXPECT_EQ(face->DesignFamily(), "IPAGothic") << name;
  }
}

TEST(FontFace, MissingFaceFallsBackAndReportsTheStandIn) {
  const auto face = Realize("No Such Face At All", -12);
  ASSERT_NE(face, nullptr);
  EXPECT_NE(face->FaceName(), "No Such Face At All");
  EXPECT_FALSE(face->FaceName().empty());
  EXPECT_GT(face->Advance(U'A'), 0);
}

TEST(FontFace, NegativeHeightIsTheEmAndCellHeightIsAscentPlusDescent) {
  const auto face = Realize("ＭＳ Ｐゴシック", -12);
  ASSERT_NE(face, nullptr);
  const TEXTMETRICA& tm = face->Metrics().Text;
  EXPECT_EQ(face->Metrics().EmPixels, 12);
  EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
  EXPECT_EQ(tm.tmInternalLeading, tm.tmHeight - 12);
  EXPECT_GE(tm.tmHeight, 12);
  EXPECT_GT(tm.tmDescent, 0);
  EXPECT_EQ(tm.tmWeight, FW_NORMAL);
  EXPECT_EQ(tm.tmCharSet, SHIFTJIS_CHARSET);  // DEFAULT_CHARSET on a Japanese face
  EXPECT_GT(tm.tmAveCharWidth, 0);
  EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
  // The glyphs themselves stay inside the cell.
  for (const char32_t c : std::u32string(U"AgÅjy漢あ")) {
    const RECT ink = face->Glyph(c)->Ink;
    EXPECT_GE(ink.top, -tm.tmAscent) << static_cast<unsigned>(c);
    EXPECT_LE(ink.bottom, tm.tmDescent) << static_cast<unsigned>(c);
  }
}

TEST(FontFace, PositiveHeightIsTheCellHeightToTheNearestWholeEm) {
  for (const LONG height : {9, 13, 16, 27, 40}) {
    const auto face = Realize("MS PGothic", height);
    ASSERT_NE(face, nullptr);
    const TEXTMETRICA& tm = face->Metrics().Text;
    EXPECT_EQ(tm.tmHeight, height);
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, height);
    EXPECT_EQ(face->Metrics().EmPixels, height - tm.tmInternalLeading);
  }
  // The em is whole pixels: 24 asks for an em of 22.3, which rounds to 22 and has a 23-pixel
  // cell (the oracle draws the same).
  const auto rounded = Realize("MS PGothic", 24);
  EXPECT_EQ(rounded->Metrics().EmPixels, 22);
  EXPECT_EQ(rounded->Metrics().Text.tmHeight, 23);
  EXPECT_EQ(rounded->Metrics().Text.tmHeight, Realize("MS PGothic", -22)->Metrics().Text.tmHeight);
}

TEST(FontFace, PositiveHeightStepsDownWhenTheRoundedEmsCellWouldBeTaller) {
  // IPAPGothic's cell is 2203/2048 ems. 7 pixels give 6.51 ems, but an em of 7 has a cell of
  // 7.53 pixels, which rounds to 8: the em is 6. 35 pixels give 32.54 ems, and an em of 33 has a
  // cell of 35.497 pixels, which rounds to 35: the em stays 33.
  const std::pair<LONG, int> expected[] = {{6, 6}, {7, 6}, {21, 19}, {22, 20}, {35, 33}, {92, 85}};
  for (const auto& [height, em] : expected) {
    const auto face = Realize("IPAPGothic", height);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->Metrics().EmPixels, em) << height;
  }
}

TEST(FontFace, ZeroHeightGivesTheDefaultSize) {
  const auto zero = Realize("MS PGothic", 0);
  ASSERT_NE(zero, nullptr);
  EXPECT_EQ(zero->Metrics().Text.tmHeight, DefaultCellPixels);
  EXPECT_EQ(zero->Metrics().Text.tmAscent,
            Realize("MS PGothic", DefaultCellPixels)->Metrics().Text.tmAscent);
}

TEST(FontFace, HostileHeightsAreClamped) {
  for (const LONG height : {LONG{-2147483647 - 1}, LONG{2147483647}, LONG{-100000}}) {
    const auto face = Realize("MS PGothic", height);
    ASSERT_NE(face, nullptr) << height;
    EXPECT_LE(face->Metrics().Text.tmHeight, 2 * MaxFontPixels);
    EXPECT_LE(face->Metrics().EmPixels, MaxFontPixels);
    EXPECT_GT(face->Advance(U'W'), 0);
  }
}

TEST(FontFace, BoldIsSynthesizedOnePixelWider) {
  const auto regular = Realize("MS PGothic", -12, FW_NORMAL);
  const auto bold = Realize("MS PGothic", -12, FW_BOLD);
  const auto medium = Realize("MS PGothic", -12, 550);
  const auto heavier = Realize("MS PGothic", -12, 551);
  ASSERT_TRUE(regular && bold && medium && heavier);
  EXPECT_TRUE(bold->SyntheticBold());
  EXPECT_FALSE(medium->SyntheticBold());
  EXPECT_TRUE(heavier->SyntheticBold());
  EXPECT_EQ(bold->Metrics().Text.tmWeight, FW_BOLD);
  EXPECT_EQ(bold->Metrics().Text.tmHeight, regular->Metrics().Text.tmHeight);
  for (const char32_t c : std::u32string(U"lWあ")) {
    EXPECT_EQ(bold->Advance(c), regular->Advance(c) + 1);
    // Every ink pixel of the regular glyph is ink in the bold one too, plus more.
    std::size_t regularPixels = 0, boldPixels = 0;
    for (const TGlyphSpan& span : regular->Glyph(c)->Spans)
      regularPixels += static_cast<std::size_t>(span.Right - span.Left);
    for (const TGlyphSpan& span : bold->Glyph(c)->Spans)
      boldPixels += static_cast<std::size_t>(span.Right - span.Left);
    EXPECT_GT(boldPixels, regularPixels);
  }
}

TEST(FontFace, ItalicIsSynthesizedAsASlant) {
  TFontRequest request;
  request.Family = "MS PGothic";
  request.Height = -24;
  const auto upright = TFontCache::Instance().Realize(request);
  request.Italic = true;
  const auto italic = TFontCache::Instance().Realize(request);
  ASSERT_TRUE(upright && italic);
  EXPECT_TRUE(italic->SyntheticItalic());
  EXPECT_EQ(italic->Metrics().Text.tmItalic, 0xFF);
  // A vertical stem leans right: its top row starts further right than its bottom row.
  const auto stem = italic->Glyph(U'l');
  ASSERT_FALSE(stem->Spans.empty());
  EXPECT_GT(stem->Spans.front().Left, stem->Spans.back().Left);
  EXPECT_EQ(italic->Advance(U'l'), upright->Advance(U'l'));
}

TEST(FontFace, WidthScalesTheAverageCharacterWidth) {
  TFontRequest request;
  request.Family = "MS PGothic";
  request.Height = -20;
  request.Width = 20;
  const auto wide = TFontCache::Instance().Realize(request);
  ASSERT_NE(wide, nullptr);
  EXPECT_NEAR(wide->Metrics().Text.tmAveCharWidth, 20, 1);
  EXPECT_EQ(wide->Metrics().EmPixels, 20);
}

TEST(FontFace, CharactersTheFaceLacksComeFromAnotherFace) {
  const auto face = Realize("MS PGothic", -16);
  ASSERT_NE(face, nullptr);
  // BLACK CHESS KING: not in the IPA faces, present in DejaVu Sans.
  const auto king = face->Glyph(U'♚');
  EXPECT_FALSE(king->Spans.empty());
  EXPECT_GT(king->Advance, 0);
}

}  // namespace
}  // namespace win::gdi
