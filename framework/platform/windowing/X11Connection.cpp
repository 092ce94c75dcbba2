#include "framework/platform/windowing/X11Connection.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unordered_map>
#include <utility>

#include "framework/platform/Process.h"
#include "framework/platform/windowing/SdlLibrary.h"
#include "framework/platform/windowing/X11Library.h"

namespace win {

namespace {
UINT ExitCodeOnDisplayLoss = 1;
}  // namespace

void SetExitCodeOnDisplayLoss(UINT exitCode) {
  ExitCodeOnDisplayLoss = exitCode;
}

}  // namespace win

namespace win::wnd::x11 {

// The followed windows of SDL's connection, and what wakes SDL from a wait for one of them that
// another client destroyed: events sent on a connection of our own to a window that only SDL's
// connection listens to, which SDL's wait takes for the map or unmap it waits for (it compares
// the event's type and window only) and otherwise drops as an event of a window it does not know.
struct TWindowFollowing::TState {
  const TXlib* FXlib = nullptr;
  Display* FSdlDisplay = nullptr;
  Display* FOwnDisplay = nullptr;
  Window FWakeWindow = 0;
  // Any client may destroy it too: it is made anew at the next chance.
  bool FWakeWindowLost = false;
  TWireToEvent FXlibDestroyNotify = nullptr;
  Uint32 FNoticeEvent = 0;
  std::unordered_map<Window, SDL_Window*> FWindows;
  std::vector<SDL_Window*> FDestroyed;

  bool Started() const { return FOwnDisplay != nullptr; }
  bool Start(const TTarget& target);
  void Stop();
  void MakeWakeWindow();
  void WakeWaitsFor(Window window);
  void NoteDestroyed(Window window);
};

namespace {

// The one the Xlib handlers report to, while there is one.
TWindowFollowing::TState* Active = nullptr;

int OnRequestError(Display*, XErrorEvent* error) {
  if (Active != nullptr && error->error_code == BadWindow) Active->NoteDestroyed(error->resourceid);
  return 0;
}

int OnConnectionBroken(Display* display) {
  std::fprintf(stderr, "tovu: the connection to the display %s broke; the program ends\n",
               DisplayString(display));
  std::_Exit(int(win::ExitCodeOnDisplayLoss));
}

// A destruction that another client sends as an event of its own is not one.
Bool ConvertDestroyNotify(Display* display, XEvent* event, _xEvent* wire) {
  const Bool converted = Active->FXlibDestroyNotify(display, event, wire);
  if (!converted || event->xany.send_event) return converted;
  const Window destroyed = event->xdestroywindow.window;
  if (destroyed == Active->FWakeWindow) Active->FWakeWindowLost = true;
  Active->NoteDestroyed(destroyed);
  return converted;
}

}  // namespace

bool TWindowFollowing::TState::Start(const TTarget& target) {
  FOwnDisplay = target.FXlib->OpenDisplay(DisplayString(target.FDisplay));
  if (FOwnDisplay == nullptr) return false;
  FXlib = target.FXlib;
  FSdlDisplay = target.FDisplay;
  MakeWakeWindow();
  FXlibDestroyNotify = FXlib->SetWireToEvent(FSdlDisplay, DestroyNotify, ConvertDestroyNotify);
  FNoticeEvent = Sdl().RegisterEvents(1);
  return true;
}

void TWindowFollowing::TState::MakeWakeWindow() {
  XSetWindowAttributes attributes{};
  attributes.event_mask = StructureNotifyMask;
  FWakeWindow =
      FXlib->CreateWindow(FSdlDisplay, DefaultRootWindow(FSdlDisplay), -1, -1, 1, 1, 0,
                          CopyFromParent, InputOnly, CopyFromParent, CWEventMask, &attributes);
  FWakeWindowLost = false;
  // The own connection names the window next: it must exist on the server by then.
  FXlib->Sync(FSdlDisplay, False);
}

void TWindowFollowing::TState::Stop() {
  if (!Started()) return;
  FXlib->SetWireToEvent(FSdlDisplay, DestroyNotify, FXlibDestroyNotify);
  FXlib->CloseDisplay(FOwnDisplay);
  FOwnDisplay = nullptr;
}

void TWindowFollowing::TState::WakeWaitsFor(Window window) {
  for (const int type : {MapNotify, UnmapNotify}) {
    XEvent event{};
    event.type = type;
    // Both kinds keep the window they report on and the one they are about in the same places.
    event.xmap.event = FWakeWindow;
    event.xmap.window = window;
    FXlib->SendEvent(FOwnDisplay, FWakeWindow, False, StructureNotifyMask, &event);
  }
  FXlib->Flush(FOwnDisplay);
}

// Called from inside Xlib, where SDL's connection may be locked: only the own one is used.
void TWindowFollowing::TState::NoteDestroyed(Window window) {
  const auto found = FWindows.find(window);
  if (!Started() || found == FWindows.end()) return;
  // Every request on the window and its destruction may be what SDL waits on: each wakes it.
  WakeWaitsFor(window);
  if (std::find(FDestroyed.begin(), FDestroyed.end(), found->second) != FDestroyed.end()) return;
  FDestroyed.push_back(found->second);
  SDL_Event notice{};
  notice.type = FNoticeEvent;
  Sdl().PushEvent(&notice);
}

void InstallConnectionHandlers() {
  if (const TXlib* xlib = LoadXlib()) {
    xlib->SetErrorHandler(OnRequestError);
    xlib->SetIOErrorHandler(OnConnectionBroken);
  }
}

TWindowFollowing::TWindowFollowing() : FState(std::make_unique<TState>()) {
  Active = FState.get();
}

TWindowFollowing::~TWindowFollowing() {
  FState->Stop();
  Active = nullptr;
}

void TWindowFollowing::Follow(SDL_Window* window) {
  const TTarget target = TargetOf(window);
  if (!target) return;
  if (!FState->Started() && !FState->Start(target)) return;
  if (target.FDisplay != FState->FSdlDisplay) return;
  if (FState->FWakeWindowLost) FState->MakeWakeWindow();
  FState->FWindows[target.FWindow] = window;
  // Destroyed while SDL was still creating it, the window was not followed yet when that showed.
  XWindowAttributes attributes;
  if (!FState->FXlib->GetWindowAttributes(target.FDisplay, target.FWindow, &attributes)) {
    FState->NoteDestroyed(target.FWindow);
  }
}

void TWindowFollowing::StopFollowing(SDL_Window* window) {
  std::erase_if(FState->FWindows, [window](const auto& entry) { return entry.second == window; });
  std::erase(FState->FDestroyed, window);
}

std::vector<SDL_Window*> TWindowFollowing::TakeDestroyedWindows() {
  if (FState->FWakeWindowLost) FState->MakeWakeWindow();
  return std::exchange(FState->FDestroyed, {});
}

}  // namespace win::wnd::x11
