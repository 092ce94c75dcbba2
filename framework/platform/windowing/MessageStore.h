// The queued messages of the user-interface thread: posted messages, raw input waiting to be
// routed, routed input messages, and the quit request; with the filter that retrieval applies.
#pragma once

#include <deque>
#include <optional>
#include <string>

#include "framework/platform/WindowTypes.h"

namespace win::wnd {

// Filter of PeekMessageA and GetMessageA: window (NULL: any; -1: thread messages only) and message
// range (0, 0: all; a reversed range matches the numbers outside it).
struct TMessageFilter {
  HWND FWindow = nullptr;
  UINT FMin = 0;
  UINT FMax = 0;

  bool MatchesNumber(UINT message) const;
  bool MatchesWindow(HWND hwnd) const;
  bool Matches(const MSG& msg) const {
    return MatchesWindow(msg.hwnd) && MatchesNumber(msg.message);
  }
};

enum class TRawInputKind { rikPointerMove, rikButton, rikKey, rikChar };

// One event from the display (or a test) before it is routed to a window.
struct TRawInput {
  TRawInputKind FKind = TRawInputKind::rikPointerMove;
  POINT FPoint;        // screen position of the pointer
  int FButton = 0;     // VK_LBUTTON, VK_RBUTTON or VK_MBUTTON
  bool FDown = false;  // button or key pressed (true) or released
  int FVirtualKey = 0;
  std::string FText;  // characters typed (rikChar), in the process code page
  DWORD FTime = 0;
};

class TMessageStore {
 public:
  void Post(const MSG& msg) { FPosted.push_back(msg); }
  std::optional<MSG> TakePosted(const TMessageFilter& filter, bool remove);
  bool HasPosted() const { return !FPosted.empty(); }

  // Raw input: consecutive pointer moves collapse into the latest one.
  void AddRawInput(const TRawInput& input);
  bool HasRawInput() const { return !FRaw.empty(); }
  TRawInput TakeRawInput();

  void AddInputMessage(const MSG& msg) { FInput.push_back(msg); }
  std::optional<MSG> TakeInput(const TMessageFilter& filter, bool remove);
  bool HasInput() const { return !FInput.empty(); }

  void RequestQuit(int exitCode);
  std::optional<MSG> TakeQuit(bool remove);

  // Drops every posted and routed message addressed to a window.
  void PurgeWindow(HWND hwnd);
  void Clear();

 private:
  static std::optional<MSG> Take(std::deque<MSG>& queue, const TMessageFilter& filter, bool remove);
  std::deque<MSG> FPosted;
  std::deque<TRawInput> FRaw;
  std::deque<MSG> FInput;
  bool FQuitPending = false;
  int FQuitCode = 0;
};

}  // namespace win::wnd
