// The interface between the windowing runtime and a display backend: the screen and the clock,
// top-level windows mirrored on the display, presentation of framebuffers, waiting for events,
// and the beep, the opener and modal-dialog answers.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "framework/platform/WindowTypes.h"
#include "framework/platform/gdi/Region.h"
#include "framework/platform/windowing/Framebuffer.h"

namespace win::wnd {

// What a backend mirrors of a top-level window.
struct TTopLevelState {
  RECT FClientOnScreen;
  bool FVisible = false;
  bool FTopMost = false;
  bool FToolWindow = false;
  bool FCaption = false;
  // A dialog frame: the window manager treats the window as a dialog (of its owner, if any).
  bool FDialogFrame = false;
  // The frame's buttons and the user's resizing, as the window's styles ask for them.
  bool FCloseButton = false;
  bool FMinimizeButton = false;
  bool FMaximizeButton = false;
  bool FSizable = false;
  // The top-level window this one belongs to and stays in front of (none for nullptr).
  HWND FOwner = nullptr;
  std::string FTitle;
};

class TBackend {
 public:
  virtual ~TBackend() = default;

  virtual bool IsHeadless() const = 0;
  virtual const char* Name() const = 0;
  virtual SIZE ScreenSize() = 0;
  // The value of a system metric other than the screen size (see SystemMetrics.h).
  virtual int Metric(int index);
  // Milliseconds of a monotonic clock; the start is arbitrary.
  virtual std::uint64_t NowMs() = 0;
  virtual SYSTEMTIME LocalTime() = 0;
  virtual void Sleep(DWORD milliseconds) = 0;

  virtual void WindowCreated(HWND hwnd, const TTopLevelState& state) = 0;
  virtual void WindowChanged(HWND hwnd, const TTopLevelState& state) = 0;
  virtual void WindowDestroyed(HWND hwnd) = 0;
  // The window's shape in client coordinates, or none for a rectangular window.
  virtual void WindowShapeChanged(HWND hwnd, const gdi::TRegion* shape) = 0;
  // Shows the damaged part of a framebuffer (or all of it when the backend needs to).
  virtual void Present(HWND hwnd, TFramebuffer& framebuffer) = 0;

  // Turns pending display events into input for the runtime without waiting.
  virtual void PumpEvents() = 0;
  // Waits until an event arrives or the clock reaches `dueMs`. False when nothing can ever arrive
  // (no event source and no due time).
  virtual bool WaitForEvents(std::optional<std::uint64_t> dueMs) = 0;

  virtual void Beep(UINT type) = 0;
  // Opens a web address or file; returns a ShellExecuteA result.
  virtual int Open(const std::string& target) = 0;
  // Answers a modal dialog that the framework does not show (headless); 0 means Escape.
  virtual int AnswerDialog(const std::string& caption, const std::string& text) = 0;
};

}  // namespace win::wnd
