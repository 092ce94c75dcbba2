#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "framework/platform/windowing/BackendChoice.h"

namespace win::testing {
namespace {

// Sets environment variables for one test and puts the old values back after it.
class TScopedEnvironment {
 public:
  void Set(const char* name, const char* value) {
    const char* old = std::getenv(name);
    FSaved.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~TScopedEnvironment() {
    for (auto it = FSaved.rbegin(); it != FSaved.rend(); ++it) {
      if (it->second) {
        setenv(it->first.c_str(), it->second->c_str(), 1);
      } else {
        unsetenv(it->first.c_str());
      }
    }
  }

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> FSaved;
};

TEST(BackendChoiceTest, HeadlessWhenForcedOrWithoutDisplayAndSdlStaysUntouched) {
  TScopedEnvironment environment;
  environment.Set("DISPLAY", nullptr);
  environment.Set("WAYLAND_DISPLAY", nullptr);
  for (const char* forced : {"headless", "", "bogus"}) {
    environment.Set("TOVU_BACKEND", forced);
    ::testing::internal::CaptureStderr();
    const auto backend = wnd::ChooseBackend();
    const std::string said = ::testing::internal::GetCapturedStderr();
    ASSERT_TRUE(backend);
    EXPECT_TRUE(backend->IsHeadless()) << forced;
    EXPECT_FALSE(wnd::SdlMapped()) << "the headless path never loads SDL";
    if (std::string(forced) == "headless") {
      EXPECT_TRUE(said.empty()) << said;
    } else {
      EXPECT_NE(said.find("headless"), std::string::npos) << "one line saying so: " << said;
    }
  }
}

}  // namespace
}  // namespace win::testing
