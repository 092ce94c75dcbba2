// The windowing runtime of the user-interface thread: the window table, the message store, the
// timers, the input state, the framebuffers of top-level windows and the backend in use.
#pragma once

#include <memory>
#include <unordered_map>

#include "framework/platform/windowing/Backend.h"
#include "framework/platform/windowing/Framebuffer.h"
#include "framework/platform/windowing/InputState.h"
#include "framework/platform/windowing/MessageStore.h"
#include "framework/platform/windowing/TimerList.h"
#include "framework/platform/windowing/WindowTable.h"

namespace win::wnd {

class TRuntime {
 public:
  static TRuntime& Instance();

  // The backend, chosen on first use (see BackendChoice.h).
  TBackend& Backend();
  bool HasBackend() const { return FBackend != nullptr; }
  // Destroys every window and state, then uses `backend` from now on.
  void UseBackend(std::unique_ptr<TBackend> backend);
  // Destroys every window and forgets all queued messages, timers and input state.
  void Reset();

  std::uint64_t Now() { return Backend().NowMs(); }
  TFramebuffer* FramebufferOf(HWND topLevel);

  TWindowTable FWindows;
  TMessageStore FMessages;
  TTimerList FTimers;
  TInputState FInput;
  std::unordered_map<HWND, TFramebuffer> FFramebuffers;
  DWORD FLastMessageTime = 0;
  POINT FLastMessagePos;

 private:
  TRuntime() = default;
  std::unique_ptr<TBackend> FBackend;
};

inline TRuntime& Runtime() {
  return TRuntime::Instance();
}

// The window of a handle, or null with the last error set to ERROR_INVALID_WINDOW_HANDLE.
TWindow* FindWindowOrFail(HWND hwnd);

}  // namespace win::wnd
