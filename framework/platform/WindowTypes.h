// Structures and value helpers of the platform's windowing interface: window procedures,
// queued messages, creation and placement records, paint records and the packing of parameters.
#pragma once

#include <cstdint>

#include "framework/platform/WinTypes.h"

namespace win {

using SHORT = std::int16_t;
using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using UINT_PTR = std::uintptr_t;
using LPVOID = void*;
using ATOM = WORD;

struct HMENU__;
using HMENU = HMENU__*;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);

struct MSG {
  HWND hwnd = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  DWORD time = 0;
  POINT pt;
};

struct CREATESTRUCTA {
  LPVOID lpCreateParams = nullptr;
  HINSTANCE hInstance = nullptr;
  HMENU hMenu = nullptr;
  HWND hwndParent = nullptr;
  int cy = 0;
  int cx = 0;
  int y = 0;
  int x = 0;
  LONG style = 0;
  LPCSTR lpszName = nullptr;
  LPCSTR lpszClass = nullptr;
  DWORD dwExStyle = 0;
};

struct WINDOWPOS {
  HWND hwnd = nullptr;
  HWND hwndInsertAfter = nullptr;
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
  UINT flags = 0;
};

struct MINMAXINFO {
  POINT ptReserved;
  POINT ptMaxSize;
  POINT ptMaxPosition;
  POINT ptMinTrackSize;
  POINT ptMaxTrackSize;
};

struct PAINTSTRUCT {
  HDC hdc = nullptr;
  BOOL fErase = FALSE;
  RECT rcPaint;
  BOOL fRestore = FALSE;
  BOOL fIncUpdate = FALSE;
  BYTE rgbReserved[32] = {};
};

struct TRACKMOUSEEVENT {
  DWORD cbSize = sizeof(TRACKMOUSEEVENT);
  DWORD dwFlags = 0;
  HWND hwndTrack = nullptr;
  DWORD dwHoverTime = 0;
};

struct SYSTEMTIME {
  WORD wYear = 0;
  WORD wMonth = 0;
  WORD wDayOfWeek = 0;
  WORD wDay = 0;
  WORD wHour = 0;
  WORD wMinute = 0;
  WORD wSecond = 0;
  WORD wMilliseconds = 0;
};

constexpr WORD LOWORD(std::uintptr_t value) {
  return WORD(value & 0xFFFF);
}
constexpr WORD HIWORD(std::uintptr_t value) {
  return WORD((value >> 16) & 0xFFFF);
}
constexpr LPARAM MAKELPARAM(WORD low, WORD high) {
  return LPARAM(DWORD(low) | (DWORD(high) << 16));
}
constexpr WPARAM MAKEWPARAM(WORD low, WORD high) {
  return WPARAM(DWORD(low) | (DWORD(high) << 16));
}
// Signed coordinates packed into a message's second parameter.
constexpr int GET_X_LPARAM(LPARAM value) {
  return SHORT(LOWORD(std::uintptr_t(value)));
}
constexpr int GET_Y_LPARAM(LPARAM value) {
  return SHORT(HIWORD(std::uintptr_t(value)));
}
constexpr LPARAM MAKEPOINTLPARAM(int x, int y) {
  return MAKELPARAM(WORD(x), WORD(y));
}

}  // namespace win
