#include "framework/platform/windowing/SdlBackend.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/platform/Shell.h"
#include "framework/platform/VirtualKeys.h"
#include "framework/platform/windowing/BackendNotifications.h"
#include "framework/platform/windowing/InputInjection.h"
#include "framework/platform/windowing/Runtime.h"
#include "framework/platform/windowing/SdlLibrary.h"
#include "framework/platform/windowing/X11Connection.h"
#include "framework/platform/windowing/X11Hints.h"

extern char** environ;

namespace win::wnd {

namespace {

constexpr int MaxSdlSide = 16384;

int SdlSide(LONG side) {
  return std::clamp<int>(side, 1, MaxSdlSide);
}

int VirtualKeyOf(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + (key - SDLK_F1);
  switch (key) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return VK_RETURN;
    case SDLK_ESCAPE:
      return VK_ESCAPE;
    case SDLK_BACKSPACE:
      return VK_BACK;
    case SDLK_TAB:
      return VK_TAB;
    case SDLK_SPACE:
      return VK_SPACE;
    case SDLK_LEFT:
      return VK_LEFT;
    case SDLK_RIGHT:
      return VK_RIGHT;
    case SDLK_UP:
      return VK_UP;
    case SDLK_DOWN:
      return VK_DOWN;
    case SDLK_HOME:
      return VK_HOME;
    case SDLK_END:
      return VK_END;
    case SDLK_PAGEUP:
      return VK_PRIOR;
    case SDLK_PAGEDOWN:
      return VK_NEXT;
    case SDLK_INSERT:
      return VK_INSERT;
    case SDLK_DELETE:
      return VK_DELETE;
    case SDLK_LSHIFT:
      return VK_LSHIFT;
    case SDLK_RSHIFT:
      return VK_RSHIFT;
    case SDLK_LCTRL:
      return VK_LCONTROL;
    case SDLK_RCTRL:
      return VK_RCONTROL;
    case SDLK_LALT:
      return VK_LMENU;
    case SDLK_RALT:
      return VK_RMENU;
    case SDLK_CAPSLOCK:
      return VK_CAPITAL;
    case SDLK_PAUSE:
      return VK_PAUSE;
    default:
      return 0;
  }
}

int VirtualButtonOf(Uint8 button) {
  switch (button) {
    case SDL_BUTTON_LEFT:
      return VK_LBUTTON;
    case SDL_BUTTON_RIGHT:
      return VK_RBUTTON;
    case SDL_BUTTON_MIDDLE:
      return VK_MBUTTON;
    default:
      return 0;
  }
}

bool Exists(const std::string& path) {
  return !path.empty() && access(path.c_str(), F_OK) == 0;
}

// Whether a sound server or card is there to play the beep. Without one SDL would probe ALSA,
// which prints its failures on standard error; the bell does then.
bool SoundOutputExpected() {
  const char* driver = std::getenv("SDL_AUDIODRIVER");
  if ((driver && *driver) || std::getenv("PULSE_SERVER")) return true;
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const std::string sessionFolder = runtime ? runtime : "";
  if (!sessionFolder.empty() &&
      (Exists(sessionFolder + "/pulse/native") || Exists(sessionFolder + "/pipewire-0"))) {
    return true;
  }
  std::error_code error;
  for (std::filesystem::directory_iterator card("/dev/snd", error), end; !error && card != end;
       card.increment(error)) {
    const std::string name = card->path().filename().string();
    if (name.rfind("pcmC", 0) == 0 && name.back() == 'p') return true;
  }
  return false;
}

bool IsAscii(const char* text) {
  for (; *text; ++text) {
    if (static_cast<unsigned char>(*text) >= 0x80) return false;
  }
  return true;
}

// One top-level window on the display.
struct TSdlWindow {
  SDL_Window* FWindow = nullptr;
  bool FShaped = false;
  bool FPresentAll = true;
  TTopLevelState FState;
  POINT FPlacedAt{INT_MIN, INT_MIN};
  SIZE FPlacedSize;
  bool FShown = false;
  std::string FShownTitle;
  // The owner the display knows the window belongs to.
  HWND FShownOwner = nullptr;
  // Another client destroyed the window on the display: it is not shown again.
  bool FGone = false;
};

class TSdlBackend : public TBackend {
 public:
  TSdlBackend() = default;
  ~TSdlBackend() override;
  TSdlBackend(const TSdlBackend&) = delete;
  TSdlBackend& operator=(const TSdlBackend&) = delete;

  bool IsHeadless() const override { return false; }
  const char* Name() const override { return "sdl"; }
  SIZE ScreenSize() override;
  std::uint64_t NowMs() override { return Sdl().GetTicks64(); }
  SYSTEMTIME LocalTime() override;
  void Sleep(DWORD milliseconds) override { Sdl().Delay(milliseconds); }

  void WindowCreated(HWND hwnd, const TTopLevelState& state) override;
  void WindowChanged(HWND hwnd, const TTopLevelState& state) override;
  void WindowDestroyed(HWND hwnd) override;
  void WindowShapeChanged(HWND hwnd, const gdi::TRegion* shape) override;
  void Present(HWND hwnd, TFramebuffer& framebuffer) override;

  void PumpEvents() override;
  bool WaitForEvents(std::optional<std::uint64_t> dueMs) override;

  void Beep(UINT type) override;
  int Open(const std::string& target) override;
  int AnswerDialog(const std::string& caption, const std::string& text) override;

 private:
  void OpenSdlWindow(TSdlWindow& window, bool shaped);
  void CloseSdlWindow(TSdlWindow& window);
  void ForgetWindowsDestroyedElsewhere();
  void ApplyState(TSdlWindow& window);
  void ApplyOwner(TSdlWindow& window);
  SDL_Window* AnyWindow() const;
  void PresentAll();
  void HandleEvent(const SDL_Event& event);
  void HandleWindowEvent(HWND hwnd, const SDL_WindowEvent& event);
  void ReadFrameExtents(HWND hwnd, TSdlWindow& window);
  HWND WindowOfId(Uint32 id) const;
  POINT ToScreen(HWND hwnd, int x, int y);
  void ReapChildren();

  std::unordered_map<HWND, TSdlWindow> FWindows;
  std::unique_ptr<x11::TWindowFollowing> FFollowing = std::make_unique<x11::TWindowFollowing>();
  std::vector<pid_t> FChildren;
  SDL_AudioDeviceID FAudio = 0;
  bool FAudioTried = false;
};

TSdlBackend::~TSdlBackend() {
  for (auto& entry : FWindows)
    CloseSdlWindow(entry.second);
  FFollowing.reset();
  if (FAudio) Sdl().CloseAudioDevice(FAudio);
  ReapChildren();
  Sdl().Quit();
}

SIZE TSdlBackend::ScreenSize() {
  SDL_Rect bounds;
  if (Sdl().GetDisplayBounds(0, &bounds) != 0) return SIZE{1920, 1080};
  return SIZE{bounds.w, bounds.h};
}

SYSTEMTIME TSdlBackend::LocalTime() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  SYSTEMTIME time;
  time.wYear = WORD(local.tm_year + 1900);
  time.wMonth = WORD(local.tm_mon + 1);
  time.wDayOfWeek = WORD(local.tm_wday);
  time.wDay = WORD(local.tm_mday);
  time.wHour = WORD(local.tm_hour);
  time.wMinute = WORD(local.tm_min);
  time.wSecond = WORD(local.tm_sec);
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  time.wMilliseconds = WORD(ms);
  return time;
}

void TSdlBackend::OpenSdlWindow(TSdlWindow& window, bool shaped) {
  CloseSdlWindow(window);
  const SIZE size{window.FState.FClientOnScreen.right - window.FState.FClientOnScreen.left,
                  window.FState.FClientOnScreen.bottom - window.FState.FClientOnScreen.top};
  // Every window is kept above ordinary desktop windows, dialogs too: a dialog that was not
  // would open hidden behind the program's always-on-top main window.
  Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_ALWAYS_ON_TOP;
  if (window.FState.FToolWindow) flags |= SDL_WINDOW_UTILITY;
  if (!window.FState.FCaption) flags |= SDL_WINDOW_BORDERLESS;
  const int x = window.FState.FClientOnScreen.left;
  const int y = window.FState.FClientOnScreen.top;
  window.FWindow = shaped ? Sdl().CreateShapedWindow(window.FState.FTitle.c_str(), unsigned(x),
                                                     unsigned(y), unsigned(SdlSide(size.cx)),
                                                     unsigned(SdlSide(size.cy)), flags)
                          : Sdl().CreateWindow(window.FState.FTitle.c_str(), x, y, SdlSide(size.cx),
                                               SdlSide(size.cy), flags);
  window.FShaped = shaped && window.FWindow;
  if (!window.FWindow && shaped) {
    window.FWindow = Sdl().CreateWindow(window.FState.FTitle.c_str(), x, y, SdlSide(size.cx),
                                        SdlSide(size.cy), flags);
  }
  if (!window.FWindow) {
    std::fprintf(stderr, "tovu: SDL could not open a window: %s\n", Sdl().GetError());
    return;
  }
  FFollowing->Follow(window.FWindow);
  window.FPlacedAt = POINT{INT_MIN, INT_MIN};
  window.FPlacedSize = SIZE{};
  window.FShown = false;
  window.FShownTitle = window.FState.FTitle;
  window.FShownOwner = nullptr;
  window.FPresentAll = true;
  if (window.FState.FDialogFrame) x11::MarkAsDialog(window.FWindow);
  // SDL gives a bordered window every button; the styles say which the frame offers.
  if (window.FState.FCaption) {
    x11::SetFrameFunctions(
        window.FWindow,
        x11::TFrameFunctions{window.FState.FCloseButton, window.FState.FMinimizeButton,
                             window.FState.FMaximizeButton, window.FState.FSizable});
  }
  // Another client may have destroyed it already, even while SDL was creating it (SDL then
  // holds made-up facts about it, which nothing may act on).
  ForgetWindowsDestroyedElsewhere();
}

void TSdlBackend::CloseSdlWindow(TSdlWindow& window) {
  if (!window.FWindow) return;
  Sdl().DestroyWindow(window.FWindow);
  FFollowing->StopFollowing(window.FWindow);
  window.FWindow = nullptr;
  window.FShaped = false;
}

void TSdlBackend::WindowCreated(HWND hwnd, const TTopLevelState& state) {
  TSdlWindow& window = FWindows[hwnd];
  window.FState = state;
}

void TSdlBackend::ApplyState(TSdlWindow& window) {
  const TTopLevelState& state = window.FState;
  if (window.FGone) return;
  if (!window.FWindow) {
    if (!state.FVisible) return;  // opened when first shown, at its place then
    OpenSdlWindow(window, false);
    if (!window.FWindow) return;
  }
  if (state.FTitle != window.FShownTitle) {
    Sdl().SetWindowTitle(window.FWindow, state.FTitle.c_str());
    window.FShownTitle = state.FTitle;
  }
  const SIZE size{state.FClientOnScreen.right - state.FClientOnScreen.left,
                  state.FClientOnScreen.bottom - state.FClientOnScreen.top};
  if (size.cx != window.FPlacedSize.cx || size.cy != window.FPlacedSize.cy) {
    Sdl().SetWindowSize(window.FWindow, SdlSide(size.cx), SdlSide(size.cy));
    window.FPlacedSize = size;
    window.FPresentAll = true;
  }
  const POINT at{state.FClientOnScreen.left, state.FClientOnScreen.top};
  if (at.x != window.FPlacedAt.x || at.y != window.FPlacedAt.y) {
    Sdl().SetWindowPosition(window.FWindow, at.x, at.y);
    window.FPlacedAt = at;
    window.FPresentAll = true;
  }
  if (state.FOwner != window.FShownOwner) ApplyOwner(window);
  if (state.FVisible && !window.FShown) {
    Sdl().ShowWindow(window.FWindow);
    window.FShown = true;
    window.FPresentAll = true;
    // A dialog comes up in front, with the keyboard, also when none of our windows is active
    // (a window manager preventing focus stealing would otherwise open it behind the others).
    if (state.FDialogFrame || state.FOwner) {
      Sdl().RaiseWindow(window.FWindow);
      x11::RequestActivation(window.FWindow);
    }
  } else if (!state.FVisible && window.FShown) {
    Sdl().HideWindow(window.FWindow);
    window.FShown = false;
  }
}

// Makes the window transient for its owner, so that the window manager keeps it in front of the
// owner (even an always-on-top one) and treats both as one application's windows.
void TSdlBackend::ApplyOwner(TSdlWindow& window) {
  const HWND owner = window.FState.FOwner;
  if (owner == nullptr) {
    x11::ForgetTransientOwner(window.FWindow);
    window.FShownOwner = nullptr;
    return;
  }
  const auto found = FWindows.find(owner);
  if (found == FWindows.end() || found->second.FWindow == nullptr) return;  // not on display yet
  Sdl().SetWindowModalFor(window.FWindow, found->second.FWindow);
  window.FShownOwner = owner;
}

SDL_Window* TSdlBackend::AnyWindow() const {
  for (const auto& entry : FWindows) {
    if (entry.second.FWindow) return entry.second.FWindow;
  }
  return nullptr;
}

void TSdlBackend::WindowChanged(HWND hwnd, const TTopLevelState& state) {
  TSdlWindow& window = FWindows[hwnd];
  window.FState = state;
  ApplyState(window);
}

void TSdlBackend::WindowDestroyed(HWND hwnd) {
  const auto found = FWindows.find(hwnd);
  if (found == FWindows.end()) return;
  CloseSdlWindow(found->second);
  FWindows.erase(found);
}

void TSdlBackend::WindowShapeChanged(HWND hwnd, const gdi::TRegion* shape) {
  const auto found = FWindows.find(hwnd);
  if (found == FWindows.end() || found->second.FGone) return;
  TSdlWindow& window = found->second;
  if (!shape) {
    if (window.FShaped) {
      OpenSdlWindow(window, false);
      ApplyState(window);
    }
    return;
  }
  if (!window.FShaped) {
    OpenSdlWindow(window, true);
    ApplyState(window);
  }
  if (!window.FShaped) return;
  int width = 0;
  int height = 0;
  Sdl().GetWindowSize(window.FWindow, &width, &height);
  SDL_Surface* mask =
      Sdl().CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
  if (!mask) return;
  Sdl().FillRect(mask, nullptr, 0);
  for (const RECT& rect : shape->Rects()) {
    SDL_Rect area{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
    Sdl().FillRect(mask, &area, 0xFFFFFFFFu);
  }
  SDL_WindowShapeMode mode;
  mode.mode = ShapeModeBinarizeAlpha;
  mode.parameters.binarizationCutoff = 128;
  Sdl().SetWindowShape(window.FWindow, mask, &mode);
  Sdl().FreeSurface(mask);
  window.FPresentAll = true;
}

void TSdlBackend::Present(HWND hwnd, TFramebuffer& framebuffer) {
  const auto found = FWindows.find(hwnd);
  if (found == FWindows.end() || !found->second.FWindow || !found->second.FShown) return;
  TSdlWindow& window = found->second;
  SDL_Surface* surface = Sdl().GetWindowSurface(window.FWindow);
  if (!surface) return;
  gdi::TRegion damage = framebuffer.TakeDamage();
  if (window.FPresentAll) damage = gdi::TRegion(framebuffer.Bounds());
  window.FPresentAll = false;
  damage.Intersect(RECT{0, 0, surface->w, surface->h});
  if (damage.IsEmpty()) return;
  std::vector<SDL_Rect> rects;
  if (SDL_MUSTLOCK(surface)) Sdl().LockSurface(surface);
  for (const RECT& rect : damage.Rects()) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const std::uint32_t* source = framebuffer.Row(rect.top) + rect.left;
    auto* target = static_cast<std::uint8_t*>(surface->pixels) +
                   std::ptrdiff_t(rect.top) * surface->pitch +
                   std::ptrdiff_t(rect.left) * surface->format->BytesPerPixel;
    Sdl().ConvertPixels(width, height, SDL_PIXELFORMAT_XRGB8888, source, int(framebuffer.Stride()),
                        surface->format->format, target, surface->pitch);
    rects.push_back(SDL_Rect{rect.left, rect.top, width, height});
  }
  if (SDL_MUSTLOCK(surface)) Sdl().UnlockSurface(surface);
  Sdl().UpdateWindowSurfaceRects(window.FWindow, rects.data(), int(rects.size()));
}

void TSdlBackend::PresentAll() {
  ForgetWindowsDestroyedElsewhere();
  TRuntime& runtime = Runtime();
  for (auto& entry : FWindows) {
    TFramebuffer* framebuffer = runtime.FramebufferOf(entry.first);
    if (framebuffer && (framebuffer->HasDamage() || entry.second.FPresentAll)) {
      Present(entry.first, *framebuffer);
    }
  }
}

HWND TSdlBackend::WindowOfId(Uint32 id) const {
  for (const auto& entry : FWindows) {
    if (entry.second.FWindow && Sdl().GetWindowID(entry.second.FWindow) == id) return entry.first;
  }
  return nullptr;
}

POINT TSdlBackend::ToScreen(HWND hwnd, int x, int y) {
  const POINT origin = Runtime().FWindows.ClientOriginOnScreen(hwnd);
  return POINT{origin.x + x, origin.y + y};
}

void TSdlBackend::ReadFrameExtents(HWND hwnd, TSdlWindow& window) {
  int top = 0;
  int left = 0;
  int bottom = 0;
  int right = 0;
  if (!window.FState.FCaption || window.FShaped) return;
  if (Sdl().GetWindowBordersSize(window.FWindow, &top, &left, &bottom, &right) != 0) return;
  if (top == 0 && left == 0 && bottom == 0 && right == 0) return;  // no window manager frame
  TopLevelFrameReported(hwnd, RECT{left, top, right, bottom});
}

void TSdlBackend::HandleWindowEvent(HWND hwnd, const SDL_WindowEvent& event) {
  const auto found = FWindows.find(hwnd);
  if (found == FWindows.end()) return;
  TSdlWindow& window = found->second;
  switch (event.event) {
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
      window.FPresentAll = true;
      ReadFrameExtents(hwnd, window);
      break;
    case SDL_WINDOWEVENT_MOVED:
      window.FPresentAll = true;
      if (event.data1 != window.FPlacedAt.x || event.data2 != window.FPlacedAt.y) {
        window.FPlacedAt = POINT{event.data1, event.data2};
        TopLevelMovedByUser(hwnd, window.FPlacedAt);
      }
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      window.FPresentAll = true;
      break;
    case SDL_WINDOWEVENT_CLOSE:
      InjectCloseRequest(hwnd);
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      TopLevelActivatedByUser(hwnd);
      break;
    case SDL_WINDOWEVENT_LEAVE: {
      int x = 0;
      int y = 0;
      Sdl().GetGlobalMouseState(&x, &y);
      InjectPointerMove(POINT{x, y});
      break;
    }
    default:
      break;
  }
}

void TSdlBackend::HandleEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_MOUSEMOTION:
      if (HWND hwnd = WindowOfId(event.motion.windowID)) {
        InjectPointerMove(ToScreen(hwnd, event.motion.x, event.motion.y));
      }
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (HWND hwnd = WindowOfId(event.button.windowID)) {
        InjectPointerMove(ToScreen(hwnd, event.button.x, event.button.y));
        InjectButton(VirtualButtonOf(event.button.button), event.type == SDL_MOUSEBUTTONDOWN);
      }
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      if (const int key = VirtualKeyOf(event.key.keysym.sym)) {
        InjectKey(key, event.type == SDL_KEYDOWN);
      }
      break;
    case SDL_TEXTINPUT:
      // Plain ASCII characters come from TranslateMessage; the rest (input methods) from here.
      if (!IsAscii(event.text.text)) InjectText(event.text.text);
      break;
    case SDL_WINDOWEVENT:
      if (HWND hwnd = WindowOfId(event.window.windowID)) HandleWindowEvent(hwnd, event.window);
      break;
    default:
      break;
  }
}

// A window that another client destroyed is closed as if the user had closed it: the program
// goes on as after a close at that moment. SDL lets go of it at once (nothing on the display is
// left to wait for) and it is never opened again.
void TSdlBackend::ForgetWindowsDestroyedElsewhere() {
  for (SDL_Window* destroyed : FFollowing->TakeDestroyedWindows()) {
    for (auto& [hwnd, window] : FWindows) {
      if (window.FWindow != destroyed) continue;
      CloseSdlWindow(window);
      window.FGone = true;
      window.FShown = false;
      InjectCloseRequest(hwnd);
    }
  }
}

void TSdlBackend::PumpEvents() {
  PresentAll();
  SDL_Event event;
  while (Sdl().PollEvent(&event))
    HandleEvent(event);
  PresentAll();
  ReapChildren();
}

bool TSdlBackend::WaitForEvents(std::optional<std::uint64_t> dueMs) {
  PresentAll();
  int timeout = -1;
  if (dueMs) {
    const std::uint64_t now = NowMs();
    timeout = *dueMs <= now ? 0 : int(std::min<std::uint64_t>(*dueMs - now, INT_MAX));
  }
  SDL_Event event;
  const int got = timeout < 0 ? Sdl().WaitEvent(&event) : Sdl().WaitEventTimeout(&event, timeout);
  if (got) HandleEvent(event);
  return true;
}

void TSdlBackend::Beep(UINT /*type*/) {
  if (!FAudioTried) {
    FAudioTried = true;
    if (SoundOutputExpected() && Sdl().InitSubSystem(SDL_INIT_AUDIO) == 0) {
      SDL_AudioSpec wanted{};
      wanted.freq = 22050;
      wanted.format = AUDIO_S16SYS;
      wanted.channels = 1;
      wanted.samples = 1024;
      FAudio = Sdl().OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
      if (FAudio) Sdl().PauseAudioDevice(FAudio, 0);
    }
  }
  if (!FAudio) {
    x11::RingBell(AnyWindow());
    return;
  }
  // A 150 ms tone at 880 Hz with a short fade at both ends.
  constexpr int Rate = 22050;
  constexpr int Count = Rate * 150 / 1000;
  std::vector<Sint16> samples(Count);
  for (int i = 0; i < Count; ++i) {
    const double fade = std::min({1.0, i / 200.0, (Count - i) / 200.0});
    samples[std::size_t(i)] =
        Sint16(8000.0 * fade * std::sin(2.0 * 3.14159265358979 * 880.0 * i / Rate));
  }
  Sdl().QueueAudio(FAudio, samples.data(), Uint32(samples.size() * sizeof(Sint16)));
}

int TSdlBackend::Open(const std::string& target) {
  std::string program = "xdg-open";
  std::string argument = target;
  char* argv[] = {program.data(), argument.data(), nullptr};
  pid_t child = 0;
  if (posix_spawnp(&child, "xdg-open", nullptr, nullptr, argv, environ) != 0) {
    return SE_ERR_NOASSOC;
  }
  FChildren.push_back(child);
  return 42;
}

int TSdlBackend::AnswerDialog(const std::string& caption, const std::string& text) {
  std::fprintf(stderr, "tovu: dialog \"%s\": %s -> Escape (not shown by the backend)\n",
               caption.c_str(), text.c_str());
  return 0;
}

void TSdlBackend::ReapChildren() {
  std::erase_if(FChildren, [](pid_t child) { return waitpid(child, nullptr, WNOHANG) == child; });
}

bool OnRealDisplay() {
  const char* driver = Sdl().GetCurrentVideoDriver();
  return driver != nullptr &&
         (std::strcmp(driver, "x11") == 0 || std::strcmp(driver, "wayland") == 0);
}

}  // namespace

std::unique_ptr<TBackend> CreateSdlBackend() {
  if (LoadSdl() == nullptr) return nullptr;
  // Under Wayland a client cannot place its windows; XWayland (or X itself) can.
  const char* x11 = std::getenv("DISPLAY");
  if (x11 && *x11) {
    Sdl().SetHint(SDL_HINT_VIDEODRIVER, "x11");
    x11::InstallConnectionHandlers();
  }
  // Windows are shown through SDL's plain framebuffer (shared memory or X11 images), never
  // through OpenGL: that keeps Mesa out of the process (its start-up costs, its leaks, its
  // crashes when the display goes away under it), and the framebuffers are small and change
  // little. Set over the environment's choice, as the rest of the backend relies on it.
  Sdl().SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_OVERRIDE);
  Sdl().SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  Sdl().SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  Sdl().SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  Sdl().SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  if (Sdl().Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return nullptr;
  // Without a usable display SDL may still start, on a driver that draws into memory (offscreen
  // or dummy), where nobody could see or answer the program's windows.
  if (!OnRealDisplay()) {
    Sdl().Quit();
    return nullptr;
  }
  return std::make_unique<TSdlBackend>();
}

}  // namespace win::wnd
