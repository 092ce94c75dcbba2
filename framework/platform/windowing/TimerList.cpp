#include "framework/platform/windowing/TimerList.h"

#include <algorithm>

#include "framework/platform/MessageQueue.h"

namespace win::wnd {

UINT_PTR TTimerList::Set(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc, std::uint64_t now) {
  elapse = std::clamp(elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
  if (!hwnd && !Find(nullptr, id)) id = ++FNextThreadTimerId;
  if (TTimer* existing = Find(hwnd, id)) {
    existing->FElapse = elapse;
    existing->FProc = proc;
    existing->FDue = now + elapse;
  } else {
    FTimers.push_back(TTimer{hwnd, id, elapse, proc, now + elapse});
  }
  return hwnd && id == 0 ? 1 : id;
}

bool TTimerList::Kill(HWND hwnd, UINT_PTR id) {
  const auto found = std::find_if(FTimers.begin(), FTimers.end(), [&](const TTimer& timer) {
    return timer.FWindow == hwnd && timer.FId == id;
  });
  if (found == FTimers.end()) return false;
  FTimers.erase(found);
  return true;
}

void TTimerList::KillAllOf(HWND hwnd) {
  std::erase_if(FTimers, [&](const TTimer& timer) { return timer.FWindow == hwnd; });
}

const TTimer* TTimerList::FindDue(HWND filter, std::uint64_t now) const {
  const TTimer* best = nullptr;
  for (const TTimer& timer : FTimers) {
    if (filter && timer.FWindow != filter) continue;
    if (timer.FDue > now) continue;
    if (!best || timer.FDue < best->FDue) best = &timer;
  }
  return best;
}

void TTimerList::Restart(HWND hwnd, UINT_PTR id, std::uint64_t now) {
  if (TTimer* timer = Find(hwnd, id)) timer->FDue = now + timer->FElapse;
}

bool TTimerList::Exists(HWND hwnd, UINT_PTR id, TIMERPROC proc) const {
  return std::any_of(FTimers.begin(), FTimers.end(), [&](const TTimer& timer) {
    return timer.FWindow == hwnd && timer.FId == id && timer.FProc == proc;
  });
}

std::optional<std::uint64_t> TTimerList::NextDue(HWND filter) const {
  std::optional<std::uint64_t> next;
  for (const TTimer& timer : FTimers) {
    if (filter && timer.FWindow != filter) continue;
    if (!next || timer.FDue < *next) next = timer.FDue;
  }
  return next;
}

TTimer* TTimerList::Find(HWND hwnd, UINT_PTR id) {
  const auto found = std::find_if(FTimers.begin(), FTimers.end(), [&](const TTimer& timer) {
    return timer.FWindow == hwnd && timer.FId == id;
  });
  return found == FTimers.end() ? nullptr : &*found;
}

}  // namespace win::wnd
