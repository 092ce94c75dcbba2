// Basic value types of the platform's programming interface as our stand-in layer uses them.
// Names and widths follow the platform, so code reads the same as code written against it.
#pragma once

#include <cstdint>

namespace win {

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using LONG = std::int32_t;
using BOOL = int;
using LCID = DWORD;
using LPSTR = char*;
using LPCSTR = const char*;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using COLORREF = DWORD;

inline constexpr BOOL FALSE = 0;
inline constexpr BOOL TRUE = 1;

struct POINT {
  LONG x = 0;
  LONG y = 0;
  friend bool operator==(const POINT&, const POINT&) = default;
};

struct SIZE {
  LONG cx = 0;
  LONG cy = 0;
  friend bool operator==(const SIZE&, const SIZE&) = default;
};

struct RECT {
  LONG left = 0;
  LONG top = 0;
  LONG right = 0;
  LONG bottom = 0;
  friend bool operator==(const RECT&, const RECT&) = default;
};

// Colour values 0x00BBGGRR.
constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
  return COLORREF(r) | (COLORREF(g) << 8) | (COLORREF(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) {
  return BYTE(c & 0xFF);
}
constexpr BYTE GetGValue(COLORREF c) {
  return BYTE((c >> 8) & 0xFF);
}
constexpr BYTE GetBValue(COLORREF c) {
  return BYTE((c >> 16) & 0xFF);
}

// Handles are opaque pointers of distinct types, so that one kind cannot be passed for another.
#define TOVU_DECLARE_HANDLE(name) \
  struct name##__;                \
  using name = name##__*
TOVU_DECLARE_HANDLE(HGDIOBJ);
TOVU_DECLARE_HANDLE(HDC);
TOVU_DECLARE_HANDLE(HBITMAP);
TOVU_DECLARE_HANDLE(HPEN);
TOVU_DECLARE_HANDLE(HBRUSH);
TOVU_DECLARE_HANDLE(HFONT);
TOVU_DECLARE_HANDLE(HRGN);
TOVU_DECLARE_HANDLE(HPALETTE);
TOVU_DECLARE_HANDLE(HWND);
TOVU_DECLARE_HANDLE(HINSTANCE);
TOVU_DECLARE_HANDLE(HICON);
TOVU_DECLARE_HANDLE(HCURSOR);
#undef TOVU_DECLARE_HANDLE

// Converts between handle kinds where the platform's code would cast, e.g. the HGDIOBJ that
// GetStockObject answers to the HPEN it is.
template <class TTo, class TFrom>
TTo HandleCast(TFrom handle) {
  return reinterpret_cast<TTo>(handle);
}

}  // namespace win
