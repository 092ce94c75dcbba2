#include "framework/platform/windowing/Retrieval.h"

#include <cstdio>

#include "framework/platform/Messages.h"
#include "framework/platform/windowing/InputRouting.h"
#include "framework/platform/windowing/Painting.h"
#include "framework/platform/windowing/Runtime.h"

namespace win::wnd {

namespace {

const HWND ThreadOnly = reinterpret_cast<HWND>(std::intptr_t(-1));

bool IsUnfiltered(const TMessageFilter& filter) {
  return !filter.FWindow && filter.FMin == 0 && filter.FMax == 0;
}

void CookInputFor(const TMessageFilter& filter) {
  TMessageStore& messages = Runtime().FMessages;
  if (IsUnfiltered(filter)) {
    // One event at a time, so that a capture or focus change made while handling one message
    // decides where the next event goes.
    while (!messages.HasInput() && messages.HasRawInput())
      CookOneRawInput();
  } else {
    while (messages.HasRawInput())
      CookOneRawInput();
  }
}

MSG Stamped(MSG msg, bool remove) {
  TRuntime& runtime = Runtime();
  if (msg.time == 0) msg.time = DWORD(runtime.Now());
  if (remove) {
    runtime.FLastMessageTime = msg.time;
    runtime.FLastMessagePos = msg.pt;
  }
  return msg;
}

std::optional<MSG> TakePaint(const TMessageFilter& filter) {
  if (!filter.MatchesNumber(WM_PAINT) || filter.FWindow == ThreadOnly) return std::nullopt;
  const std::optional<HWND> hwnd = FindWindowNeedingPaint(filter.FWindow);
  if (!hwnd) return std::nullopt;
  MSG msg;
  msg.hwnd = *hwnd;
  msg.message = WM_PAINT;
  msg.pt = Runtime().FInput.FCursor;
  return msg;
}

HWND TimerWindowFilter(const TMessageFilter& filter) {
  return filter.FWindow == ThreadOnly ? nullptr : filter.FWindow;
}

std::optional<MSG> TakeTimer(const TMessageFilter& filter, bool remove) {
  TRuntime& runtime = Runtime();
  if (!filter.MatchesNumber(WM_TIMER)) return std::nullopt;
  const std::uint64_t now = runtime.Now();
  const TTimer* timer = runtime.FTimers.FindDue(TimerWindowFilter(filter), now);
  if (!timer) return std::nullopt;
  if (filter.FWindow == ThreadOnly && timer->FWindow) return std::nullopt;
  MSG msg;
  msg.hwnd = timer->FWindow;
  msg.message = WM_TIMER;
  msg.wParam = timer->FId;
  msg.lParam = reinterpret_cast<LPARAM>(timer->FProc);
  msg.pt = runtime.FInput.FCursor;
  if (remove) runtime.FTimers.Restart(timer->FWindow, timer->FId, now);
  return msg;
}

}  // namespace

std::optional<MSG> Retrieve(const TMessageFilter& filter, bool remove) {
  TRuntime& runtime = Runtime();
  runtime.Backend().PumpEvents();
  if (auto msg = runtime.FMessages.TakePosted(filter, remove)) return Stamped(*msg, remove);
  if (auto msg = runtime.FMessages.TakeQuit(remove)) return Stamped(*msg, remove);
  CookInputFor(filter);
  // Routing may post (WM_MOUSELEAVE): those come first again.
  if (auto msg = runtime.FMessages.TakePosted(filter, remove)) return Stamped(*msg, remove);
  if (auto msg = runtime.FMessages.TakeInput(filter, remove)) return Stamped(*msg, remove);
  if (auto msg = TakePaint(filter)) return Stamped(*msg, remove);
  if (auto msg = TakeTimer(filter, remove)) return Stamped(*msg, remove);
  return std::nullopt;
}

void WaitIdle(const TMessageFilter& filter) {
  TRuntime& runtime = Runtime();
  std::optional<std::uint64_t> due;
  if (filter.MatchesNumber(WM_TIMER)) {
    due = runtime.FTimers.NextDue(TimerWindowFilter(filter));
  }
  if (runtime.Backend().WaitForEvents(due)) return;
  std::fprintf(stderr, "tovu: the message loop waits with no timer and no input left; quitting\n");
  runtime.FMessages.RequestQuit(0);
}

}  // namespace win::wnd
