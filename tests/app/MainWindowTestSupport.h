// The fixture of the program's tests that run main windows whole on the headless backend: the
// graphics units, the application's title, a fixed local time whose minute chooses the edge,
// and a scratch folder for copies of the capture corpus.
#pragma once

#include <filesystem>
#include <string>

#include "../framework/FrameworkTestSupport.h"
#include "../framework/GraphicsTestSupport.h"
#include "framework/platform/Clock.h"
#include "framework/platform/CodePageConversion.h"
#include "framework/platform/Process.h"
#include "gfx/GfxUnits.h"

namespace app::testing {

class TMainWindowTest : public fw::testing::TFrameworkTest {
 protected:
  void SetUp() override {
    TFrameworkTest::SetUp();
    fw::InitializeGfxUnits();
    FApplication->SetTitle(win::FromUtf8("Tovuザビロナ"));
    SetMinute(41);
  }
  void TearDown() override {
    win::SetCommandLineArguments({"tovu"});
    TFrameworkTest::TearDown();
    fw::FinalizeGfxUnits();
  }

  void SetMinute(int minute) {
    win::SYSTEMTIME time{};
    time.wYear = 2026;
    time.wMonth = 12;
    time.wDay = 9;
    time.wHour = 10;
    time.wMinute = win::WORD(minute);
    FBackend->SetLocalTime(time);
  }

  // Copies a picture of the capture corpus into the scratch folder under the given name.
  std::string Source(const std::string& corpusName, const std::string& name) {
    const std::string path = FScratch.File(name);
    std::filesystem::copy_file(fw::testing::TestData("capture/" + corpusName), path);
    return path;
  }

  fw::testing::TScratchFolder FScratch;
};

}  // namespace app::testing
