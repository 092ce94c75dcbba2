// Program entry of the picture-framing tool: the application object, its title, the one window,
// and the message loop. The exit status tells a script whether a picture given was framed.

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/Mainwindow1.h"
#include "app/PicturePath.h"
#include "app/PictureSequence.h"
#include "framework/Application.h"
#include "framework/CommandLine.h"
#include "framework/StandardControls.h"
#include "framework/platform/CodePageConversion.h"
#include "framework/platform/Process.h"
#include "gfx/GfxUnits.h"

namespace {

// The command line the program splits has no way to carry a double quote (it only groups): an
// argument holding one would come back as another path, perhaps another file's. Such a run frames
// nothing and says why.
bool RefuseArgumentTheCommandLineCannotCarry() {
  const std::optional<std::string> argument = win::ArgumentTheCommandLineCannotCarry();
  if (!argument) return false;
  std::fprintf(stderr,
               "tovu: %s: the command line cannot carry this argument (a double quote there only "
               "groups); nothing is framed\n",
               argument->c_str());
  return true;
}

// 0 after a save and when started without a picture; 1 when a picture was given and nothing was
// saved (no such file, a rejected extension, a load or save error, or the window closed early).
int ExitStatus(const app::TMainForm1* form, bool pictureGiven) {
  if (!pictureGiven) return 0;
  return form != nullptr && form->Saved() ? 0 : 1;
}

}  // namespace

int main() {
  if (RefuseArgumentTheCommandLineCannotCarry()) return 1;
  fw::RegisterStandardControls();
  fw::InitializeGfxUnits();
  const bool pictureGiven = fw::ParamCount() > 0;
  const std::vector<std::string> severalPictures = app::SeveralPicturesGiven();
  {
    fw::TApplication application(nullptr);
    std::optional<int> severalStatus;
    try {
      application.Initialize();
      application.SetTitle(win::FromUtf8("Tovuザビロナ"));
      if (severalPictures.empty()) {
        application.CreateForm(app::MainForm1);
        application.Run();
      } else {
        severalStatus = app::FramePictures(application, severalPictures);
      }
    } catch (...) {
      application.HandleException(nullptr);
    }
    const int status = severalPictures.empty() ? ExitStatus(app::MainForm1, pictureGiven)
                                               : severalStatus.value_or(1);
    fw::FinalizeGfxUnits();
    return status;
  }
}
