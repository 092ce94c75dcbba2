// The SDL2 library, loaded with dlopen when the SDL backend is first chosen: a run without a
// display never maps SDL and the dozens of libraries it pulls in, most of a headless start-up.
#pragma once

#include <SDL.h>
#include <SDL_shape.h>

namespace win::wnd {

// Every SDL function the SDL backend calls.
#define TOVU_SDL_FUNCTIONS(X)   \
  X(CloseAudioDevice)           \
  X(ConvertPixels)              \
  X(CreateRGBSurfaceWithFormat) \
  X(CreateShapedWindow)         \
  X(CreateWindow)               \
  X(Delay)                      \
  X(DestroyWindow)              \
  X(FillRect)                   \
  X(FreeSurface)                \
  X(GetCurrentVideoDriver)      \
  X(GetDisplayBounds)           \
  X(GetError)                   \
  X(GetGlobalMouseState)        \
  X(GetTicks64)                 \
  X(GetWindowBordersSize)       \
  X(GetWindowID)                \
  X(GetWindowSize)              \
  X(GetWindowSurface)           \
  X(HideWindow)                 \
  X(Init)                       \
  X(InitSubSystem)              \
  X(LockSurface)                \
  X(OpenAudioDevice)            \
  X(PauseAudioDevice)           \
  X(PollEvent)                  \
  X(PushEvent)                  \
  X(QueueAudio)                 \
  X(Quit)                       \
  X(RaiseWindow)                \
  X(RegisterEvents)             \
  X(SetHint)                    \
  X(SetHintWithPriority)        \
  X(SetWindowModalFor)          \
  X(SetWindowPosition)          \
  X(SetWindowShape)             \
  X(SetWindowSize)              \
  X(SetWindowTitle)             \
  X(ShowWindow)                 \
  X(UnlockSurface)              \
  X(UpdateWindowSurfaceRects)   \
  X(WaitEvent)                  \
  X(WaitEventTimeout)

struct TSdlApi {
#define TOVU_SDL_POINTER(Name) decltype(&::SDL_##Name) Name = nullptr;
  TOVU_SDL_FUNCTIONS(TOVU_SDL_POINTER)
#undef TOVU_SDL_POINTER
  // Declared by SDL_syswm.h, which brings the X11 headers and their macros along: only the
  // files that talk to X11 include it.
  SDL_bool(SDLCALL* GetWindowWMInfo)(SDL_Window* window, struct SDL_SysWMinfo* info) = nullptr;
};

// Loads the library and its functions once; nullptr when it or one of them is missing.
const TSdlApi* LoadSdl();
// The loaded functions; only after LoadSdl() has succeeded.
const TSdlApi& Sdl();

}  // namespace win::wnd
