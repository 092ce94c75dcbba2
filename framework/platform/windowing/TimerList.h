// Window-message timers: the registered timers with their next due times, the choice of the due
// timer that WM_TIMER retrieval reports, and the time the next one falls due.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "framework/platform/WindowTypes.h"

namespace win::wnd {

struct TTimer {
  HWND FWindow = nullptr;
  UINT_PTR FId = 0;
  UINT FElapse = 0;
  TIMERPROC FProc = nullptr;
  std::uint64_t FDue = 0;
};

class TTimerList {
 public:
  // Sets or replaces a timer; a timer without a window gets a fresh identifier unless `id` names
  // one of the thread's timers. Returns the identifier (1 for a window timer with id 0).
  UINT_PTR Set(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc, std::uint64_t now);
  bool Kill(HWND hwnd, UINT_PTR id);
  void KillAllOf(HWND hwnd);
  void Clear() { FTimers.clear(); }

  // The due timer with the earliest due time that a retrieval for `filter` may report (all timers
  // when `filter` is NULL).
  const TTimer* FindDue(HWND filter, std::uint64_t now) const;
  // Restarts the interval of a reported timer.
  void Restart(HWND hwnd, UINT_PTR id, std::uint64_t now);
  bool Exists(HWND hwnd, UINT_PTR id, TIMERPROC proc) const;
  // The earliest due time among the timers of `filter` (all timers when NULL).
  std::optional<std::uint64_t> NextDue(HWND filter = nullptr) const;
  std::size_t Count() const { return FTimers.size(); }

 private:
  TTimer* Find(HWND hwnd, UINT_PTR id);
  std::vector<TTimer> FTimers;
  UINT_PTR FNextThreadTimerId = 0x7FF0;
};

}  // namespace win::wnd
