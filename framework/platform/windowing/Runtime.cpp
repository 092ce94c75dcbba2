#include "framework/platform/windowing/Runtime.h"

#include "framework/platform/LastError.h"
#include "framework/platform/windowing/BackendChoice.h"
#include "framework/platform/windowing/WindowDC.h"

namespace win::wnd {

TWindow* FindWindowOrFail(HWND hwnd) {
  TWindow* window = Runtime().FWindows.Find(hwnd);
  if (!window) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return window;
}

TRuntime& TRuntime::Instance() {
  static TRuntime runtime;
  return runtime;
}

TBackend& TRuntime::Backend() {
  if (!FBackend) FBackend = ChooseBackend();
  return *FBackend;
}

void TRuntime::UseBackend(std::unique_ptr<TBackend> backend) {
  Reset();
  FBackend = std::move(backend);
}

void TRuntime::Reset() {
  if (FBackend) {
    for (HWND hwnd : FWindows.TopLevel())
      FBackend->WindowDestroyed(hwnd);
  }
  FWindows = TWindowTable();
  FMessages.Clear();
  FTimers.Clear();
  FInput.Clear();
  FFramebuffers.clear();
  FLastMessageTime = 0;
  FLastMessagePos = POINT{};
}

TFramebuffer* TRuntime::FramebufferOf(HWND topLevel) {
  const auto found = FFramebuffers.find(topLevel);
  return found == FFramebuffers.end() ? nullptr : &found->second;
}

}  // namespace win::wnd
