// Program entry of the picture-framing tool: the application object, its title, the one window,
// and the message loop. The exit status tells a script whether a picture given was framed.

#include <cstdio>
#include <string>

#include "app/Mainwindow1.h"
#include "framework/Application.h"
#include "framework/CommandLine.h"
#include "framework/StandardControls.h"
#include "framework/platform/CodePageConversion.h"
#include "gfx/GfxUnits.h"

namespace {

// The command line the program splits has no way to carry a double quote (it only groups), so
// a file name holding one cannot reach the program; say so rather than end without a word.
void WarnAboutDoubleQuotes(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::string(argv[i]).find('"') != std::string::npos)
      std::fprintf(stderr, "tovu: a double quote cannot be passed on and is dropped from: %s\n",
                   argv[i]);
}

// 0 after a save and when started without a picture; 1 when a picture was given and nothing was
// saved (no such file, a rejected extension, a load or save error, or the window closed early).
int ExitStatus(const app::TMainForm1* form, bool pictureGiven) {
  if (!pictureGiven) return 0;
  return form != nullptr && form->Saved() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  WarnAboutDoubleQuotes(argc, argv);
  fw::RegisterStandardControls();
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
