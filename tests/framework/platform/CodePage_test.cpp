#include "framework/platform/CodePage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace win {
namespace {

// Splits a NUL-terminated string into its characters by repeated CharNextExA.
std::vector<std::string> Characters(UINT codePage, const std::string& text) {
  std::vector<std::string> result;
  for (LPCSTR p = text.c_str(); *p != '\0';) {
    LPCSTR next = CharNextExA(static_cast<WORD>(codePage), p, 0);
    result.emplace_back(p, next);
    p = next;
  }
  return result;
}

TEST(CodePage, ProcessCodePageIsUtf8AndCanBeSwitchedForAScope) {
  EXPECT_EQ(GetACP(), CP_UTF8);
  {
    TScopedCodePage scoped(CP_SHIFTJIS);
    EXPECT_EQ(GetACP(), CP_SHIFTJIS);
    EXPECT_TRUE(IsDBCSLeadByte(0x95));
  }
  EXPECT_EQ(GetACP(), CP_UTF8);
  EXPECT_FALSE(IsDBCSLeadByte(0x95));
}

TEST(CodePage, Utf8StepsOverWholeSequences) {
  // "aé表😀": 1, 2, 3 and 4 bytes.
  const std::string text = "a\xC3\xA9\xE8\xA1\xA8\xF0\x9F\x98\x80";
  const std::vector<std::string> expected = {"a", "\xC3\xA9", "\xE8\xA1\xA8", "\xF0\x9F\x98\x80"};
  EXPECT_EQ(Characters(CP_UTF8, text), expected);
}

TEST(CodePage, MalformedUtf8StepsOneByteAtATime) {
  // A lone continuation byte, a truncated sequence before an ASCII byte, an overlong form and a
  // sequence cut short by the end of the text are each taken one byte at a time.
  EXPECT_EQ(Characters(CP_UTF8, "\x80z").size(), 2u);
  EXPECT_EQ(Characters(CP_UTF8, "\xE8\xA1/").size(), 3u);
  EXPECT_EQ(Characters(CP_UTF8, "\xC0\xAF").size(), 2u);
  EXPECT_EQ(Characters(CP_UTF8, "\xED\xA0\x80").size(), 3u);  // a surrogate is not a character
  EXPECT_EQ(Characters(CP_UTF8, "\xF0\x9F\x98").size(), 3u);
}

TEST(CodePage, Cp932TrailByte5CIsPartOfItsCharacter) {
  // 表 is 0x95 0x5C: its trail byte is the backslash's code and must not stand alone.
  const std::string text = "C:\\\x95\x5C\\a.bmp";
  const auto chars = Characters(CP_SHIFTJIS, text);
  ASSERT_EQ(chars.size(), 10u);
  EXPECT_EQ(chars[3], "\x95\x5C");
  EXPECT_EQ(chars[4], "\\");
  // Read under UTF-8 the same bytes are all single characters.
  EXPECT_EQ(Characters(CP_UTF8, text).size(), text.size());
}

TEST(CodePage, Cp932LeadByteAtTheEndDoesNotSwallowTheTerminator) {
  const std::string text = "a\x95";
  LPCSTR p = text.c_str();
  LPCSTR second = CharNextExA(CP_SHIFTJIS, p, 0);
  LPCSTR end = CharNextExA(CP_SHIFTJIS, second, 0);
  EXPECT_EQ(end, p + 2);
  EXPECT_EQ(CharNextExA(CP_SHIFTJIS, end, 0), end);
  EXPECT_EQ(CharNextA(nullptr), nullptr);
}

TEST(CodePage, CharPrevFindsTheStartOfTheCharacterBefore) {
  TScopedCodePage scoped(CP_SHIFTJIS);
  const std::string text = "x\x95\x5C\\";
  LPCSTR p = text.c_str();
  EXPECT_EQ(CharPrevA(p, p + 3), p + 1);  // before the backslash is 表, not its trail byte
  EXPECT_EQ(CharPrevA(p, p + 1), p);
  EXPECT_EQ(CharPrevA(p, p), p);
}

}  // namespace
}  // namespace win
