#include "framework/platform/windowing/InputState.h"

#include "framework/platform/VirtualKeys.h"

namespace win::wnd {

namespace {

bool IsLockKey(int virtualKey) {
  return virtualKey == VK_CAPITAL || virtualKey == VK_NUMLOCK || virtualKey == VK_SCROLL;
}

// The side-specific keys also move their generic key.
int GenericKey(int virtualKey) {
  switch (virtualKey) {
    case VK_LSHIFT:
    case VK_RSHIFT:
      return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL:
      return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU:
      return VK_MENU;
    default:
      return 0;
  }
}

}  // namespace

void TKeyStates::Set(int virtualKey, bool down) {
  if (!Valid(virtualKey)) return;
  const std::size_t key = std::size_t(virtualKey);
  if (down && !FDown[key]) {
    FPressedSince[key] = true;
    if (IsLockKey(virtualKey)) FToggled[key] = !FToggled[key];
  }
  FDown[key] = down;
  if (const int generic = GenericKey(virtualKey)) Set(generic, down);
}

bool TKeyStates::IsDown(int virtualKey) const {
  return Valid(virtualKey) && FDown[std::size_t(virtualKey)];
}

bool TKeyStates::IsToggled(int virtualKey) const {
  return Valid(virtualKey) && FToggled[std::size_t(virtualKey)];
}

SHORT TKeyStates::State(int virtualKey) const {
  const unsigned value = (IsDown(virtualKey) ? 0x8000u : 0u) | (IsToggled(virtualKey) ? 1u : 0u);
  return SHORT(std::uint16_t(value));
}

bool TKeyStates::TakePressedSince(int virtualKey) {
  if (!Valid(virtualKey)) return false;
  const bool pressed = FPressedSince[std::size_t(virtualKey)];
  FPressedSince[std::size_t(virtualKey)] = false;
  return pressed;
}

void TKeyStates::Clear() {
  FDown.fill(false);
  FToggled.fill(false);
  FPressedSince.fill(false);
}

void TInputState::Forget(HWND hwnd) {
  if (FCapture == hwnd) FCapture = nullptr;
  if (FFocus == hwnd) FFocus = nullptr;
  if (FActive == hwnd) FActive = nullptr;
  if (FTracked == hwnd) {
    FTracked = nullptr;
    FTrackFlags = 0;
  }
  if (FLastPress.FWindow == hwnd) FLastPress = TLastPress();
}

}  // namespace win::wnd
