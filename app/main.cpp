// Program entry of the picture-framing tool: the application object, its title, the one window,
// and the message loop. The exit status tells a script whether a picture given was framed.

#include <vector>

#include "app/Mainwindow1.h"
#include "framework/Application.h"
#include "framework/CommandLine.h"
#include "framework/platform/CodePageConversion.h"
#include "framework/platform/Process.h"
#include "gfx/GfxUnits.h"

namespace {

// 0 after a save and when started without a picture; 1 when a picture was given and nothing was
// saved (no such file, a rejected extension, a load or save error, or the window closed early).
int ExitStatus(const app::TMainForm1* form, bool pictureGiven) {
  if (!pictureGiven) return 0;
  return form != nullptr && form->Saved() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  win::SetCommandLineArguments(std::vector<std::string>(argv, argv + argc));
  fw::InitializeGfxUnits();
  const bool pictureGiven = fw::ParamCount() > 0;
  {
    fw::TApplication application(nullptr);
    try {
      application.Initialize();
      application.SetTitle(win::FromUtf8("Tovuザビロナ"));
      application.CreateForm(app::MainForm1);
      application.Run();
    } catch (...) {
      application.HandleException(nullptr);
    }
    const int status = ExitStatus(app::MainForm1, pictureGiven);
    fw::FinalizeGfxUnits();
    return status;
  }
}
