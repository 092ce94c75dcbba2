// The headless backend: a virtual screen, a virtual clock that jumps to the next due timer when
// the queue is idle, dialogs printed and answered as Escape (or as scripted), beeps and open
// requests printed and recorded. Tests drive it through its hooks.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "framework/platform/windowing/Backend.h"

namespace win::wnd {

class THeadlessBackend : public TBackend {
 public:
  THeadlessBackend();

  bool IsHeadless() const override { return true; }
  const char* Name() const override { return "headless"; }
  SIZE ScreenSize() override { return FScreen; }
  std::uint64_t NowMs() override { return FNow; }
  SYSTEMTIME LocalTime() override;
  void Sleep(DWORD milliseconds) override { FNow += milliseconds; }

  void WindowCreated(HWND hwnd, const TTopLevelState& state) override { FStates[hwnd] = state; }
  void WindowChanged(HWND hwnd, const TTopLevelState& state) override { FStates[hwnd] = state; }
  void WindowDestroyed(HWND hwnd) override { FStates.erase(hwnd); }
  void WindowShapeChanged(HWND, const gdi::TRegion*) override {}
  void Present(HWND, TFramebuffer& framebuffer) override { framebuffer.TakeDamage(); }

  void PumpEvents() override {}
  bool WaitForEvents(std::optional<std::uint64_t> dueMs) override;

  void Beep(UINT type) override;
  int Open(const std::string& target) override;
  int AnswerDialog(const std::string& caption, const std::string& text) override;

  // Test hooks.
  void SetScreenSize(LONG width, LONG height) { FScreen = SIZE{width, height}; }
  void SetClock(std::uint64_t milliseconds) { FNow = milliseconds; }
  void AdvanceClock(std::uint64_t milliseconds) { FNow += milliseconds; }
  // Local time at the current clock value; the local time then runs with the clock.
  void SetLocalTime(const SYSTEMTIME& time);
  void ScriptDialogAnswer(int answer) { FDialogAnswers.push_back(answer); }
  // Called when the queue is idle and no timer is due: it may inject input and answer true;
  // answering false (or having no hook) ends the wait, and the runtime posts WM_QUIT.
  void SetIdleHook(std::function<bool()> hook) { FIdleHook = std::move(hook); }
  void SetQuiet(bool quiet) { FQuiet = quiet; }

  // A copy of a top-level window's framebuffer (its client area as displayed).
  struct TFramebufferCopy {
    LONG FWidth = 0;
    LONG FHeight = 0;
    std::vector<std::uint32_t> FPixels;  // 0x00RRGGBB, rows top-down
    std::uint32_t Pixel(LONG x, LONG y) const {
      return FPixels[std::size_t(y) * std::size_t(FWidth) + std::size_t(x)];
    }
  };
  std::optional<TFramebufferCopy> ReadFramebuffer(HWND topLevel) const;
  // What a display would be told of a top-level window; none for other handles.
  std::optional<TTopLevelState> TopLevelState(HWND topLevel) const;

  struct TDialog {
    std::string FCaption;
    std::string FText;
    int FAnswer = 0;
  };
  const std::vector<UINT>& Beeps() const { return FBeeps; }
  const std::vector<std::string>& OpenedTargets() const { return FOpened; }
  const std::vector<TDialog>& Dialogs() const { return FDialogs; }

 private:
  SIZE FScreen{1920, 1080};
  std::uint64_t FNow = 10000;
  std::int64_t FLocalEpochMs = 0;  // local wall-clock milliseconds at FNow == FLocalBaseTick
  std::uint64_t FLocalBaseTick = 10000;
  std::deque<int> FDialogAnswers;
  std::function<bool()> FIdleHook;
  bool FQuiet = false;
  std::vector<UINT> FBeeps;
  std::vector<std::string> FOpened;
  std::vector<TDialog> FDialogs;
  std::unordered_map<HWND, TTopLevelState> FStates;
};

// Replaces the runtime's backend with a fresh headless one (all windows are destroyed first).
THeadlessBackend& UseHeadlessBackend();

}  // namespace win::wnd
