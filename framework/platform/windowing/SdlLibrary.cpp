#include "framework/platform/windowing/SdlLibrary.h"

#include <dlfcn.h>

#include <cstdio>

#include "framework/platform/windowing/BackendChoice.h"

namespace win::wnd {
namespace {

constexpr const char* SdlLibraryName = "libSDL2-2.0.so.0";

bool LoadFunctions(void* library, TSdlApi& api) {
  bool complete = true;
#define TOVU_SDL_LOAD(Name)                                                      \
  api.Name = reinterpret_cast<decltype(api.Name)>(dlsym(library, "SDL_" #Name)); \
  if (api.Name == nullptr) {                                                     \
    std::fprintf(stderr, "tovu: %s has no SDL_%s\n", SdlLibraryName, #Name);     \
    complete = false;                                                            \
  }
  TOVU_SDL_FUNCTIONS(TOVU_SDL_LOAD)
  TOVU_SDL_LOAD(GetWindowWMInfo)
#undef TOVU_SDL_LOAD
  return complete;
}

const TSdlApi* LoadOnce() {
  void* library = dlopen(SdlLibraryName, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    std::fprintf(stderr, "tovu: cannot load %s: %s\n", SdlLibraryName, dlerror());
    return nullptr;
  }
  // The library stays mapped for the life of the process, as SDL's own clean-up at exit expects.
  static TSdlApi api;
  return LoadFunctions(library, api) ? &api : nullptr;
}

}  // namespace

const TSdlApi* LoadSdl() {
  static const TSdlApi* const loaded = LoadOnce();
  return loaded;
}

const TSdlApi& Sdl() {
  return *LoadSdl();
}

bool SdlMapped() {
  void* library = dlopen(SdlLibraryName, RTLD_NOW | RTLD_NOLOAD);
  if (library == nullptr) return false;
  dlclose(library);
  return true;
}

}  // namespace win::wnd
