#include "framework/platform/gdi/TextLayout.h"

#include <gtest/gtest.h>

#include <climits>

#include "framework/platform/CodePage.h"
#include "framework/platform/CodePageConversion.h"

namespace win::gdi {
namespace {

// A font with round numbers: narrow characters 7 pixels, ideographs and kana 14, lines 13 high.
class TFixedMeasure : public TTextMeasure {
 public:
  int CharWidth(char32_t code) const override { return code >= 0x2E80 ? 14 : 7; }
  int LineHeight() const override { return 13; }
  int ExternalLeading() const override { return 2; }
  int AveCharWidth() const override { return 6; }
};

const TFixedMeasure Font;

TTextLayout Layout(std::string_view text, RECT rect, UINT format) {
  return LayoutDrawText(text, CP_UTF8, rect, format, Font);
}

std::u32string AllText(const TTextLayout& layout) {
  std::u32string text;
  for (const TLayoutRun& run : layout.Runs)
    text += run.Text;
  return text;
}

TEST(TextLayout, CalcRectOfOneLineMovesOnlyRightAndBottom) {
  const TTextLayout layout = Layout("Hello", RECT{10, 20, 15, 21}, DT_CALCRECT);
  EXPECT_EQ(layout.CalcRect, (RECT{10, 20, 10 + 35, 20 + 13}));
  EXPECT_EQ(layout.Result, 13);
  // Centring changes where the text would go, not the computed rectangle.
  EXPECT_EQ(Layout("Hello", RECT{10, 20, 15, 21}, DT_CALCRECT | DT_CENTER).CalcRect,
            layout.CalcRect);
}

TEST(TextLayout, LineBreaksAreCrLfCrAndLfAndTheWidestLineSetsTheWidth) {
  const TTextLayout layout = Layout("ab\r\ncdef\nx\rY", RECT{0, 0, 0, 0}, DT_CALCRECT);
  EXPECT_EQ(layout.LineCount, 4);
  EXPECT_EQ(layout.CalcRect, (RECT{0, 0, 28, 52}));
  EXPECT_EQ(layout.Result, 52);
  ASSERT_EQ(layout.Runs.size(), 4u);
  EXPECT_EQ(layout.Runs[1].Text, U"cdef");
  EXPECT_EQ(layout.Runs[1].Y, 13);
  EXPECT_EQ(layout.Runs[3].Y, 39);
  // LF CR is one break too; two alike in a row leave an empty line between; a break at the
  // end starts one more (empty) line.
  EXPECT_EQ(Layout("a\n\rb", RECT{}, DT_CALCRECT).Result, 26);
  EXPECT_EQ(Layout("a\n\nb", RECT{}, DT_CALCRECT).Result, 39);
  EXPECT_EQ(Layout("a\r\rb", RECT{}, DT_CALCRECT).Result, 39);
  EXPECT_EQ(Layout("a\r\n", RECT{}, DT_CALCRECT).Result, 26);
}

TEST(TextLayout, SingleLineShowsEachLineBreakCharacterAsASpace) {
  const TTextLayout layout = Layout("ab\r\ncd\n", RECT{0, 0, 100, 100}, DT_SINGLELINE);
  EXPECT_EQ(layout.LineCount, 1);
  ASSERT_EQ(layout.Runs.size(), 1u);
  EXPECT_EQ(layout.Runs[0].Text, U"ab  cd ");
}

TEST(TextLayout, CentresInBothDirectionsOnlyOnASingleLine) {
  const RECT rect{10, 20, 110, 70};
  const TTextLayout centred = Layout("Hello", rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  ASSERT_EQ(centred.Runs.size(), 1u);
  EXPECT_EQ(centred.Runs[0].X, 10 + (100 - 35) / 2);
  EXPECT_EQ(centred.Runs[0].Y, 20 + (50 - 13) / 2);
  EXPECT_EQ(centred.Result, (50 - 13) / 2 + 13);  // offset from the top to the text's bottom

  const TTextLayout multi = Layout("Hello", rect, DT_CENTER | DT_VCENTER);
  EXPECT_EQ(multi.Runs[0].X, 42);
  EXPECT_EQ(multi.Runs[0].Y, 20);
  EXPECT_EQ(multi.Result, 13);

  // Text larger than the box overhangs both sides, halves truncated toward zero.
  const TTextLayout wide =
      Layout("Hello", RECT{0, 0, 10, 4}, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  EXPECT_EQ(wide.Runs[0].X, (10 - 35) / 2);
  EXPECT_EQ(wide.Runs[0].Y, (4 - 13) / 2);
}

TEST(TextLayout, RightAndBottomAlignment) {
  const RECT rect{0, 0, 100, 50};
  const TTextLayout layout = Layout("ab\ncde", rect, DT_RIGHT);
  ASSERT_EQ(layout.Runs.size(), 2u);
  EXPECT_EQ(layout.Runs[0].X, 100 - 14);
  EXPECT_EQ(layout.Runs[1].X, 100 - 21);
  const TTextLayout bottom = Layout("ab", rect, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
  EXPECT_EQ(bottom.Runs[0].Y, 50 - 13);
  EXPECT_EQ(bottom.Result, 50);
  EXPECT_EQ(Layout("ab", rect, DT_BOTTOM).Runs[0].Y, 0);
}

TEST(TextLayout, PrefixUnderlinesTheNextCharacterAndIsNotDrawn) {
  const TTextLayout file = Layout("&File", RECT{5, 0, 100, 20}, 0);
  EXPECT_EQ(AllText(file), U"File");
  EXPECT_EQ(file.CalcRect.right - file.CalcRect.left, Layout("File", RECT{}, 0).CalcRect.right);
  ASSERT_EQ(file.Marks.size(), 1u);
  EXPECT_EQ(file.Marks[0].Left, 5);
  EXPECT_EQ(file.Marks[0].Right, 12);

  const TTextLayout middle = Layout("Sa&ve", RECT{}, 0);
  ASSERT_EQ(middle.Marks.size(), 1u);
  EXPECT_EQ(middle.Marks[0].Left, 14);

  const TTextLayout ampersand = Layout("A&&B", RECT{}, 0);
  EXPECT_EQ(AllText(ampersand), U"A&B");
  EXPECT_TRUE(ampersand.Marks.empty());

  EXPECT_EQ(AllText(Layout("End&", RECT{}, 0)), U"End&") << "a final '&' is drawn";
  EXPECT_EQ(AllText(Layout("&", RECT{}, 0)), U"&");

  const TTextLayout several = Layout("&a&b\r\n&c&&", RECT{}, 0);
  ASSERT_EQ(several.Marks.size(), 2u) << "the last prefixed character of each line";
  EXPECT_EQ(several.Marks[0].Left, 7);
  EXPECT_EQ(several.Marks[1].Left, 0);

  const TTextLayout literal = Layout("&File", RECT{}, DT_NOPREFIX);
  EXPECT_EQ(AllText(literal), U"&File");
  EXPECT_TRUE(literal.Marks.empty());

  const TTextLayout hidden = Layout("&File", RECT{}, DT_HIDEPREFIX);
  EXPECT_EQ(AllText(hidden), U"File");
  EXPECT_TRUE(hidden.Marks.empty());

  const TTextLayout only = Layout("&File", RECT{}, DT_PREFIXONLY);
  EXPECT_TRUE(only.Runs.empty());
  EXPECT_EQ(only.Marks.size(), 1u);
}

TEST(TextLayout, PrefixedMultibyteCharacterIsUnderlinedWhole) {
  const TTextLayout layout = Layout("ファイル(&ふ)", RECT{}, 0);
  ASSERT_EQ(layout.Marks.size(), 1u);
  EXPECT_EQ(layout.Marks[0].Left, 4 * 14 + 7);
  EXPECT_EQ(layout.Marks[0].Right, 4 * 14 + 7 + 14);
}

TEST(TextLayout, Cp932TextLaysOutAsItsUtf8Equivalent) {
  const std::string utf8 = "ファイル(&ソ)\r\n表示";
  const auto cp932 = ConvertCodePage(utf8, CP_UTF8, CP_SHIFTJIS);
  ASSERT_TRUE(cp932.has_value());
  const TTextLayout a = LayoutDrawText(utf8, CP_UTF8, RECT{3, 4, 200, 100}, DT_CENTER, Font);
  const TTextLayout b = LayoutDrawText(*cp932, CP_SHIFTJIS, RECT{3, 4, 200, 100}, DT_CENTER, Font);
  ASSERT_EQ(a.Runs.size(), b.Runs.size());
  for (std::size_t i = 0; i < a.Runs.size(); ++i) {
    EXPECT_EQ(a.Runs[i].Text, b.Runs[i].Text);
    EXPECT_EQ(a.Runs[i].X, b.Runs[i].X);
  }
  ASSERT_EQ(b.Marks.size(), 1u);
  EXPECT_EQ(a.Marks[0].Left, b.Marks[0].Left);
}

TEST(TextLayout, Cp932TrailBytesAreNeverPrefixesOrLineBreaks) {
  // A lead byte takes whatever byte follows as its trail, even '&' or LF.
  const TTextLayout prefix = LayoutDrawText("\x82&A", CP_SHIFTJIS, RECT{}, 0, Font);
  EXPECT_TRUE(prefix.Marks.empty());
  EXPECT_EQ(AllText(prefix).size(), 2u);
  const TTextLayout lf = LayoutDrawText("\x82\nA", CP_SHIFTJIS, RECT{}, 0, Font);
  EXPECT_EQ(lf.LineCount, 1);
  // 0x5C as a trail byte is part of the character.
  const TTextLayout so = LayoutDrawText("\x83\x5C", CP_SHIFTJIS, RECT{}, 0, Font);
  EXPECT_EQ(AllText(so), U"ソ");
}

TEST(TextLayout, WordBreakWrapsAtSpacesAndDropsThem) {
  const TTextLayout fits = Layout("aaa bbb ccc", RECT{0, 0, 49, 0}, DT_WORDBREAK | DT_CALCRECT);
  EXPECT_EQ(fits.LineCount, 2);
  EXPECT_EQ(fits.CalcRect.right, 49);

  const TTextLayout three = Layout("aaa bbb ccc", RECT{0, 0, 48, 0}, DT_WORDBREAK);
  ASSERT_EQ(three.Runs.size(), 3u);
  EXPECT_EQ(three.Runs[0].Text, U"aaa");
  EXPECT_EQ(three.Runs[1].Text, U"bbb");
  EXPECT_EQ(three.Runs[2].Y, 26);

  // A word longer than the line is not split, and widens the computed rectangle.
  const TTextLayout longWord =
      Layout("abcdefghij k", RECT{0, 0, 20, 0}, DT_WORDBREAK | DT_CALCRECT);
  EXPECT_EQ(longWord.LineCount, 2);
  EXPECT_EQ(longWord.CalcRect.right, 70);

  // Without DT_WORDBREAK nothing wraps; with DT_SINGLELINE neither.
  EXPECT_EQ(Layout("aaa bbb ccc", RECT{0, 0, 20, 0}, 0).LineCount, 1);
  EXPECT_EQ(Layout("aaa bbb ccc", RECT{0, 0, 20, 0}, DT_WORDBREAK | DT_SINGLELINE).LineCount, 1);
}

TEST(TextLayout, JapaneseTextWrapsBetweenAnyCharacters) {
  const TTextLayout layout = Layout("あいうえお", RECT{0, 0, 30, 0}, DT_WORDBREAK);
  ASSERT_EQ(layout.Runs.size(), 3u);
  EXPECT_EQ(layout.Runs[0].Text, U"あい");
  EXPECT_EQ(layout.Runs[2].Text, U"お");
  EXPECT_EQ(
      Layout("あいうえお", RECT{0, 0, 30, 0}, DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK).LineCount, 1);
}

TEST(TextLayout, ExpandedTabsJumpToTabStops) {
  const TTextLayout layout = Layout("a\tb\tc", RECT{0, 0, 0, 0}, DT_EXPANDTABS);
  ASSERT_EQ(layout.Runs.size(), 3u);
  EXPECT_EQ(layout.Runs[1].X, 48);  // 8 average characters of 6 pixels
  EXPECT_EQ(layout.Runs[2].X, 96);
  EXPECT_EQ(layout.CalcRect.right, 103);

  const TTextLayout four = Layout("a\tb", RECT{}, DT_EXPANDTABS | DT_TABSTOP | (4u << 8));
  ASSERT_EQ(four.Runs.size(), 2u);
  EXPECT_EQ(four.Runs[1].X, 24);

  const TTextLayout plain = Layout("a\tb", RECT{}, 0);
  ASSERT_EQ(plain.Runs.size(), 1u);
  EXPECT_EQ(plain.Runs[0].Text, U"a\tb");
}

TEST(TextLayout, ExternalLeadingOnlyWhenAskedFor) {
  EXPECT_EQ(Layout("a\nb", RECT{}, DT_CALCRECT).Result, 26);
  EXPECT_EQ(Layout("a\nb", RECT{}, DT_CALCRECT | DT_EXTERNALLEADING).Result, 30);
}

TEST(TextLayout, EmptyTextHasNoHeight) {
  const TTextLayout layout = Layout("", RECT{4, 5, 50, 60}, DT_CALCRECT);
  EXPECT_EQ(layout.Result, 0);
  EXPECT_EQ(layout.CalcRect, (RECT{4, 5, 4, 5}));
  EXPECT_TRUE(layout.Runs.empty());
}

TEST(TextLayout, HugeCoordinatesSaturateInsteadOfOverflowing) {
  const TTextLayout layout =
      Layout("Hello", RECT{INT_MAX - 10, INT_MIN, INT_MAX, INT_MAX}, DT_CALCRECT | DT_RIGHT);
  EXPECT_EQ(layout.CalcRect.right, INT_MAX);
  const TTextLayout centred = Layout("Hello", RECT{INT_MIN, INT_MIN, INT_MAX, INT_MAX},
                                     DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  ASSERT_EQ(centred.Runs.size(), 1u);
  EXPECT_NEAR(centred.Runs[0].X, -18, 1);
}

}  // namespace
}  // namespace win::gdi
