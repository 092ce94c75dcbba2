#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "framework/platform/Clock.h"
#include "framework/platform/Headless.h"
#include "framework/platform/LastError.h"
#include "framework/platform/Process.h"
#include "framework/platform/Shell.h"
#include "framework/platform/SystemMetrics.h"
#include "tests/framework/platform/windowing/WindowTestSupport.h"

namespace win::testing {
namespace {

class SystemTest : public THeadlessTest {};

// The program's command-line splitting rules (blanks are codes 1 to 32, a pair of quotes before an
// argument is skipped, quotes join quoted and unquoted pieces and are dropped), for UTF-8 text.
std::vector<std::string> SplitCommandLine(const std::string& line) {
  std::vector<std::string> arguments;
  std::size_t at = 0;
  auto blank = [](char c) {
    return static_cast<unsigned char>(c) >= 1 && static_cast<unsigned char>(c) <= 32;
  };
  for (;;) {
    for (;;) {
      while (at < line.size() && blank(line[at]))
        ++at;
      if (line.compare(at, 2, "\"\"") == 0) {
        at += 2;
        continue;
      }
      break;
    }
    std::string argument;
    while (at < line.size() && static_cast<unsigned char>(line[at]) > 32) {
      if (line[at] == '"') {
        ++at;
        while (at < line.size() && line[at] != '"')
          argument += line[at++];
        if (at < line.size()) ++at;
      } else {
        argument += line[at++];
      }
    }
    if (argument.empty()) break;
    arguments.push_back(argument);
  }
  return arguments;
}

TEST_F(SystemTest, CommandLineSplitsBackIntoTheSameArguments) {
  const std::vector<std::string> arguments{"/opt/tovu/bin/tovu", "/home/me/My Pictures/cat.bmp",
                                           "two\tparts", "表示.jpg", "plain"};
  SetCommandLineArguments(arguments);
  const std::string line = GetCommandLineA();
  EXPECT_EQ(line,
            "/opt/tovu/bin/tovu \"/home/me/My Pictures/cat.bmp\" \"two\tparts\" 表示.jpg plain");
  EXPECT_EQ(SplitCommandLine(line), arguments);

  // Quote characters cannot be expressed and are dropped; empty arguments would end the list.
  SetCommandLineArguments({"prog", "a\"b", "", "c"});
  EXPECT_EQ(SplitCommandLine(GetCommandLineA()), (std::vector<std::string>{"prog", "ab", "c"}));
  SetCommandLineArguments({"prog"});
  EXPECT_EQ(SplitCommandLine(GetCommandLineA()), (std::vector<std::string>{"prog"}));
}

TEST_F(SystemTest, ModuleFileNameIsTheExecutableAndTruncatesLikeThePlatform) {
  char buffer[261];
  const DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  ASSERT_GT(length, 0u);
  EXPECT_EQ(std::strlen(buffer), length);
  EXPECT_NE(std::string(buffer).find("platform_tests"), std::string::npos);
  char small[5];
  EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), 5u);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(std::string(small), std::string(buffer, 4));
  EXPECT_EQ(GetModuleFileNameA(reinterpret_cast<HINSTANCE>(std::intptr_t(4)), buffer, 10), 0u);
}

TEST_F(SystemTest, ScreenFollowsTheHeadlessBackend) {
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1920);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1080);
  FBackend->SetScreenSize(1024, 768);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
  EXPECT_EQ(GetSystemMetrics(-1), 0);
  EXPECT_TRUE(IsHeadless());
}

TEST_F(SystemTest, LocalTimeAndTickCountRunWithTheVirtualClock) {
  SYSTEMTIME set;
  set.wYear = 2024;
  set.wMonth = 2;
  set.wDay = 29;
  set.wHour = 23;
  set.wMinute = 59;
  set.wSecond = 59;
  set.wMilliseconds = 990;
  FBackend->SetLocalTime(set);
  const DWORD before = GetTickCount();
  Sleep(20);
  EXPECT_EQ(GetTickCount() - before, 20u);
  SYSTEMTIME now;
  GetLocalTime(&now);
  EXPECT_EQ(now.wYear, 2024);
  EXPECT_EQ(now.wMonth, 3);
  EXPECT_EQ(now.wDay, 1);
  EXPECT_EQ(now.wHour, 0);
  EXPECT_EQ(now.wMinute, 0);
  EXPECT_EQ(now.wMilliseconds, 10);
  EXPECT_EQ(now.wDayOfWeek, 5) << "1 March 2024 was a Friday";
}

TEST_F(SystemTest, BeepOpenAndDialogsAreRecordedNotPerformed) {
  EXPECT_TRUE(MessageBeep(MB_OK));
  EXPECT_EQ(FBackend->Beeps(), (std::vector<UINT>{MB_OK}));

  const auto result = [](HINSTANCE value) { return reinterpret_cast<std::intptr_t>(value); };
  EXPECT_GT(result(ShellExecuteA(nullptr, "OPEN", "http://example.invalid/info.php?pf=w&sn=tovu",
                                 "", "", 5)),
            32);
  EXPECT_GT(
      result(ShellExecuteA(nullptr, nullptr, "https://example.invalid/", nullptr, nullptr, 5)), 32);
  EXPECT_EQ(FBackend->OpenedTargets().size(), 2u);
  EXPECT_EQ(result(ShellExecuteA(nullptr, "print", "http://example.invalid/", "", "", 5)),
            SE_ERR_NOASSOC);
  EXPECT_EQ(result(ShellExecuteA(nullptr, "open", "/no/such/file.bmp", "", "", 5)), SE_ERR_FNF);
  EXPECT_EQ(result(ShellExecuteA(nullptr, "open", nullptr, "", "", 5)), SE_ERR_FNF);
  EXPECT_EQ(FBackend->OpenedTargets().size(), 2u);

  EXPECT_EQ(AnswerUnattendedDialog("Tovu", "prompt"), 0) << "Escape";
  FBackend->ScriptDialogAnswer(6);
  EXPECT_EQ(AnswerUnattendedDialog("確認", "question"), 6);
  ASSERT_EQ(FBackend->Dialogs().size(), 2u);
  EXPECT_EQ(FBackend->Dialogs()[1].FCaption, "確認");
}

}  // namespace
}  // namespace win::testing
