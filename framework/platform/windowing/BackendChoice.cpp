#include "framework/platform/windowing/BackendChoice.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "framework/platform/windowing/HeadlessBackend.h"
#include "framework/platform/windowing/SdlBackend.h"

namespace win::wnd {

namespace {

std::string ForcedBackend() {
  const char* value = std::getenv("TOVU_BACKEND");
  return value ? std::string(value) : std::string();
}

bool DisplayNamed() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland);
}

}  // namespace

std::unique_ptr<TBackend> ChooseBackend() {
  std::string forced = ForcedBackend();
  if (forced == "headless") return std::make_unique<THeadlessBackend>();
  if (!forced.empty() && forced != "sdl") {
    // A value that forces nothing: chosen as if it were not set.
    std::fprintf(stderr, "tovu: unknown TOVU_BACKEND \"%s\" (sdl or headless) ignored\n",
                 forced.c_str());
    forced.clear();
  }
  if (forced == "sdl" || DisplayNamed()) {
    if (auto backend = CreateSdlBackend()) return backend;
    std::fprintf(stderr, "tovu: no display could be opened; using the headless backend\n");
    return std::make_unique<THeadlessBackend>();
  }
  std::fprintf(stderr, "tovu: no display; using the headless backend\n");
  return std::make_unique<THeadlessBackend>();
}

}  // namespace win::wnd
