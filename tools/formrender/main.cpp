// form-render FORM.txt OUT.bmp [--move X,Y] [--press] [--release] ...: creates the form a text
// description names on the headless backend, plays the pointer steps in order and saves the
// form's client area as it is displayed (window regions applied) as a 24-bit BMP.
#include <cstdio>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/platform/windowing/HeadlessBackend.h"
#include "tools/formrender/FormRender.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: form-render FORM.txt OUT.bmp [--move X,Y] [--press] [--release]...\n");
  return 2;
}

bool ParseActions(int argc, char** argv, std::vector<tovu::formrender::TAction>& actions) {
  using tovu::formrender::TAction;
  for (int i = 3; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--press") {
      actions.push_back({TAction::akPress});
    } else if (option == "--release") {
      actions.push_back({TAction::akRelease});
    } else if (option == "--move" && i + 1 < argc) {
      TAction move{TAction::akMove};
      char rest = 0;
      if (std::sscanf(argv[++i], "%d,%d%c", &move.X, &move.Y, &rest) != 2) return false;
      actions.push_back(move);
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<tovu::formrender::TAction> actions;
  if (argc < 3 || !ParseActions(argc, argv, actions)) return Usage();
  win::wnd::UseHeadlessBackend().SetQuiet(true);
  tovu::formrender::RegisterRenderableClasses();
  fw::TApplication application(nullptr);
  try {
    tovu::formrender::SaveBmp(tovu::formrender::RenderForm(argv[1], actions), argv[2]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "form-render: %s\n", e.what());
    return 1;
  }
  return 0;
}
