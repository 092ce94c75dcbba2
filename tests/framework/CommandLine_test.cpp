#include "framework/CommandLine.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "framework/platform/CodePage.h"
#include "framework/platform/Process.h"

namespace fw {
namespace {

TEST(CommandLine, UnquotedPiecesAreSeparateArguments) {
  const char* line = "C:\\tovu.exe C:\\My Pictures\\cat.bmp";
  EXPECT_EQ(ParamCount(line), 2);
  EXPECT_EQ(ParamStr(line, 0), "C:\\tovu.exe");
  EXPECT_EQ(ParamStr(line, 1), "C:\\My");
  EXPECT_EQ(ParamStr(line, 2), "Pictures\\cat.bmp");
  EXPECT_EQ(ParamStr(line, 3), "");
  EXPECT_EQ(ParamStr(line, -1), "");
}

TEST(CommandLine, QuotedStretchesJoinWithTheirNeighbours) {
  const char* line = "\"C:\\Program Files\\tovu.exe\" \"C:\\My Pictures\\cat.bmp\" a\"b c\"d";
  EXPECT_EQ(ParamCount(line), 2);
  EXPECT_EQ(ParamStr(line, 0), "C:\\Program Files\\tovu.exe");
  EXPECT_EQ(ParamStr(line, 1), "C:\\My Pictures\\cat.bmp");
  EXPECT_EQ(ParamStr(line, 2), "ab cd");
}

TEST(CommandLine, BlanksTabsControlCharactersAndEmptyQuotesSeparate) {
  const char* line = "tovu\ta\x01\x1f  b \"\" \"\"\"\"c";
  EXPECT_EQ(ParamCount(line), 3);
  EXPECT_EQ(ParamStr(line, 1), "a");
  EXPECT_EQ(ParamStr(line, 2), "b");
  EXPECT_EQ(ParamStr(line, 3), "c");
}

TEST(CommandLine, OnlyBlanksAfterTheProgramMeanNoArguments) {
  EXPECT_EQ(ParamCount("tovu.exe    \t "), 0);
  EXPECT_EQ(ParamCount(""), 0);
  EXPECT_EQ(ParamCount("tovu.exe \"\""), 0);
  // An unterminated quote reaches to the end of the line.
  EXPECT_EQ(ParamStr("tovu \"a b", 1), "a b");
  EXPECT_EQ(ParamCount("tovu \""), 0);
}

TEST(CommandLine, Cp932TrailBytesAreNeitherBlanksNorQuotes) {
  win::TScopedCodePage scoped(win::CP_SHIFTJIS);
  // 表 is 0x95 0x5C; 0x81 0x40 is the ideographic space, whose trail byte is '@' and not a blank.
  // A lead byte followed by 0x22 would hide a quote: "\x83\x22" is one character.
  const char* line = "tovu C:\\\x95\x5C\\\x81\x40x.bmp \x83\"y";
  EXPECT_EQ(ParamCount(line), 2);
  EXPECT_EQ(ParamStr(line, 1), "C:\\\x95\x5C\\\x81\x40x.bmp");
  EXPECT_EQ(ParamStr(line, 2), "\x83\"y");
}

TEST(CommandLine, RebuiltLineSplitsBackIntoTheArgumentsItCanExpress) {
  {
    win::TScopedCodePage scoped(win::CP_SHIFTJIS);
    // A trail byte 0x22 is no quote and stays; a lead byte ending an argument would take the
    // blank after it as its trail, so it is left out.
    const std::string line = win::BuildCommandLine({"tovu", "\x83\"y", "a\x81", "b c\x81", "d"});
    EXPECT_EQ(ParamCount(line), 4);
    EXPECT_EQ(ParamStr(line, 1), "\x83\"y");
    EXPECT_EQ(ParamStr(line, 2), "a");
    EXPECT_EQ(ParamStr(line, 3), "b c");
    EXPECT_EQ(ParamStr(line, 4), "d");
  }
  // An empty program path would let the picture take its place.
  const std::string line = win::BuildCommandLine({"", "x.bmp"});
  EXPECT_EQ(ParamCount(line), 1);
  EXPECT_EQ(ParamStr(line, 1), "x.bmp");
}

// An argument the rebuilt line would give back changed is named, so that the program can refuse
// it instead of framing another file; the program's own path is no argument.
TEST(CommandLine, ArgumentsTheRebuiltLineCannotCarryAreNamed) {
  struct TCase {
    std::vector<std::string> Arguments;
    std::optional<std::string> Lost;
  };
  const TCase cases[] = {
      {{"tovu", "a\"b.jpg"}, "a\"b.jpg"},
      {{"tovu", "My", "Pic\"s/a.jpg", "x\"y"}, "Pic\"s/a.jpg"},
      {{"tovu", "\""}, "\""},
      {{"to\"vu", "a b.jpg", "tab\there", "", "photo*[1].jpg", "\xE8\xA1\xA8"}, std::nullopt},
  };
  for (const TCase& c : cases) {
    win::SetCommandLineArguments(c.Arguments);
    EXPECT_EQ(win::ArgumentTheCommandLineCannotCarry(), c.Lost) << c.Arguments[1];
  }
  win::TScopedCodePage scoped(win::CP_SHIFTJIS);
  win::SetCommandLineArguments({"tovu", "\x83\"y", "a\x81"});
  EXPECT_EQ(win::ArgumentTheCommandLineCannotCarry(), std::optional<std::string>("a\x81"));
  win::SetCommandLineArguments({"tovu"});
}

}  // namespace
}  // namespace fw
