// End to end on a real X server: the controls demo runs with the SDL2 backend under a private
// Xvfb and asks two confirmation questions; the first is answered with its accelerator key, the
// second with a click on its いいえ button, both from outside through xdotool.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>

#include "tests/e2e/OutputLines.h"
#include "tests/e2e/XdotoolWindows.h"
#include "tests/e2e/XvfbSession.h"
#include "tests/support/ChildProcess.h"

namespace tovu::e2e {
namespace {

struct TDialogButtons {
  int YesX = 0;
  int YesY = 0;
  int NoX = 0;
  int NoY = 0;
};

std::optional<TDialogButtons> ParseDialog(const std::optional<std::string>& line) {
  TDialogButtons b;
  if (!line ||
      std::sscanf(line->c_str(), "dialog %d %d %d %d", &b.YesX, &b.YesY, &b.NoX, &b.NoY) != 4)
    return std::nullopt;
  return b;
}

TEST(ControlsDemoOnXvfb, DialogsAreAnsweredByKeyAndByPointer) {
  TXvfbSession xvfb(1024, 768);
  if (!xvfb.Running()) GTEST_SKIP() << "Xvfb could not start here";
  TChildProcess demo({TOVU_CONTROLS_DEMO, "--ask", "2"}, xvfb.SdlProgramEnvironment(), true);
  ASSERT_TRUE(demo.Started());
  TLineReader reader(demo);

  const auto first = ParseDialog(reader.Next());
  ASSERT_TRUE(first) << "the first question did not appear";
  // Centred on the 1024 x 768 screen, はい left of いいえ on one row.
  EXPECT_LT(first->YesX, 512);
  EXPECT_GT(first->NoX, 512);
  EXPECT_EQ(first->YesY, first->NoY);
  // The accelerator of はい(&Y), typed into the dialog once it has the focus.
  const std::string window = FindWindowTitled(xvfb.Display(), "確認", std::chrono::seconds(5));
  ASSERT_FALSE(window.empty()) << "no window titled 確認";
  std::optional<std::string> answer;
  for (int attempt = 0; attempt < 20 && !answer; ++attempt) {
    Xdotool(xvfb.Display(), {"windowfocus", window});
    Xdotool(xvfb.Display(), {"key", "y"});
    const auto line = reader.Next();
    if (line) answer = line;
  }
  ASSERT_TRUE(answer);
  EXPECT_EQ(*answer, "answer 6");

  const auto second = ParseDialog(reader.Next());
  ASSERT_TRUE(second) << "the second question did not appear";
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  ASSERT_TRUE(Xdotool(xvfb.Display(), {"mousemove", std::to_string(second->NoX),
                                       std::to_string(second->NoY), "click", "1"}));
  EXPECT_EQ(reader.Next(), std::optional<std::string>("answer 7"));

  const auto status = demo.Wait(std::chrono::seconds(20));
  ASSERT_TRUE(status) << "the demo did not end";
  EXPECT_EQ(*status, 0);
}

}  // namespace
}  // namespace tovu::e2e
