#include "framework/platform/StringCompare.h"

#include <gtest/gtest.h>

#include "framework/platform/CodePage.h"

namespace win {
namespace {

int IgnoringCase(LPCSTR a, LPCSTR b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a, -1, b, -1);
}

TEST(StringCompare, AsciiLettersCompareWithoutCase) {
  EXPECT_EQ(IgnoringCase(".bMp ", ".BMP "), CSTR_EQUAL);
  EXPECT_EQ(IgnoringCase(".Jpeg ", ".JPEG "), CSTR_EQUAL);
  EXPECT_EQ(IgnoringCase(".jpe ", ".JPEG "), CSTR_LESS_THAN);
  EXPECT_EQ(IgnoringCase(".png ", ".BMP "), CSTR_GREATER_THAN);
  EXPECT_EQ(IgnoringCase(".BMP", ".BMP "), CSTR_LESS_THAN);  // the trailing space matters
  EXPECT_EQ(CompareStringA(LOCALE_USER_DEFAULT, 0, "bmp", -1, "BMP", -1), CSTR_GREATER_THAN);
}

TEST(StringCompare, ExplicitCountsAndInvalidArguments) {
  EXPECT_EQ(CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, "abcX", 3, "ABCY", 3), CSTR_EQUAL);
  EXPECT_EQ(CompareStringA(LOCALE_USER_DEFAULT, 0, nullptr, -1, "a", -1), 0);
  EXPECT_EQ(CompareStringA(LOCALE_USER_DEFAULT, 0, "a", -2, "a", -1), 0);
}

TEST(StringCompare, TrailBytesThatLookLikeLettersAreNotFolded) {
  // In CP932, 0x82 0x61 is a full-width letter whose trail byte has the code of 'a'.
  TScopedCodePage scoped(CP_SHIFTJIS);
  EXPECT_EQ(IgnoringCase("\x82\x61", "\x82\x41"), CSTR_GREATER_THAN);
  EXPECT_EQ(IgnoringCase("\x82\x61x", "\x82\x61X"), CSTR_EQUAL);
}

}  // namespace
}  // namespace win
