// The state of pointer and keyboard input: key states as of the last retrieved input message and
// as of now, the pointer position, capture, focus, the active window, leave tracking and the
// last press that a double click is measured against.
#pragma once

#include <array>
#include <cstdint>

#include "framework/platform/WindowTypes.h"

namespace win::wnd {

class TKeyStates {
 public:
  void Set(int virtualKey, bool down);
  bool IsDown(int virtualKey) const;
  bool IsToggled(int virtualKey) const;
  // The value GetKeyState answers: high bit down, low bit toggled.
  SHORT State(int virtualKey) const;
  // True once after each press (GetAsyncKeyState's low bit).
  bool TakePressedSince(int virtualKey);
  void Clear();

 private:
  static bool Valid(int virtualKey) { return virtualKey >= 0 && virtualKey < 256; }
  std::array<bool, 256> FDown{};
  std::array<bool, 256> FToggled{};
  std::array<bool, 256> FPressedSince{};
};

struct TLastPress {
  HWND FWindow = nullptr;
  int FButton = 0;
  DWORD FTime = 0;
  POINT FPoint;
  bool FValid = false;
};

struct TInputState {
  TKeyStates FSyncKeys;   // as of the last retrieved input message
  TKeyStates FAsyncKeys;  // as of now
  POINT FCursor;
  HWND FCapture = nullptr;
  HWND FFocus = nullptr;
  HWND FActive = nullptr;
  HWND FTracked = nullptr;  // window with leave tracking (TrackMouseEvent)
  DWORD FTrackFlags = 0;
  TLastPress FLastPress;

  void Clear() { *this = TInputState(); }
  // Forgets every reference to a window that is going away.
  void Forget(HWND hwnd);
};

}  // namespace win::wnd
