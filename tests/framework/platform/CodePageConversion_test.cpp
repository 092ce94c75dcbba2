#include "framework/platform/CodePageConversion.h"

#include <gtest/gtest.h>

#include "framework/platform/CodePage.h"

namespace win {
namespace {

// "Tovuザビロナ ～ " in both encodings; ～ is U+FF5E, which CP932 writes as 0x81 0x60.
const std::string kPrefixUtf8 =
    "Tovu\xE3\x82\xB6\xE3\x83\x93\xE3\x83\xAD\xE3\x83\x8A \xEF\xBD\x9E ";
const std::string kPrefixCp932 = "Tovu\x83\x55\x83\x72\x83\x8D\x83\x69 \x81\x60 ";

TEST(CodePageConversion, Cp932AndUtf8RoundTrip) {
  EXPECT_EQ(ConvertCodePage(kPrefixUtf8, CP_UTF8, CP_SHIFTJIS), kPrefixCp932);
  EXPECT_EQ(ConvertCodePage(kPrefixCp932, CP_SHIFTJIS, CP_UTF8), kPrefixUtf8);
  EXPECT_EQ(ConvertCodePage("\x95\x5C", CP_SHIFTJIS, CP_UTF8), "\xE8\xA1\xA8");  // 表
  EXPECT_EQ(ConvertCodePage("", CP_UTF8, CP_SHIFTJIS), "");
}

TEST(CodePageConversion, StrictConversionFailsOnMalformedOrUnmappableText) {
  EXPECT_FALSE(ConvertCodePage("a\xFF", CP_UTF8, CP_SHIFTJIS).has_value());
  EXPECT_FALSE(ConvertCodePage("\xF0\x9F\x98\x80", CP_UTF8, CP_SHIFTJIS).has_value());  // emoji
  EXPECT_FALSE(ConvertCodePage("abc", 12345, CP_UTF8).has_value());
}

TEST(CodePageConversion, LossyDecodeReplacesEachBadCharacterAndKeepsTheRest) {
  EXPECT_EQ(DecodeLossy("a\xC3\xA9", CP_UTF8), U"a\u00E9");
  EXPECT_EQ(DecodeLossy("a\xFF"
                        "b\xE8\xA1",
                        CP_UTF8),
            U"a\uFFFDb\uFFFD\uFFFD");
  EXPECT_EQ(DecodeLossy("\x95\x5C"
                        "x",
                        CP_SHIFTJIS),
            U"\u8868x");
  EXPECT_EQ(DecodeLossy("", CP_UTF8), U"");
}

TEST(CodePageConversion, SourceLiteralsFollowTheProcessCodePage) {
  EXPECT_EQ(FromUtf8(kPrefixUtf8), kPrefixUtf8);
  TScopedCodePage scoped(CP_SHIFTJIS);
  EXPECT_EQ(FromUtf8(kPrefixUtf8), kPrefixCp932);
}

}  // namespace
}  // namespace win
