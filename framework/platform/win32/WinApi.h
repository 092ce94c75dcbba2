// The Windows file set's one include: every public header of the platform layer first, then the
// real API's headers. The order matters: <windows.h> defines most of the names the public headers
// declare (WM_PAINT, RGB, ERROR ...) as macros, so after it this file set names our declarations
// only by their functions and types, never by a constant, and calls the real API with `::`.
//
// Our structures mirror the real ones field for field (Layouts.cpp checks each against
// <windows.h>), so pointers to them are passed through as they are; handles are converted
// between our distinct handle types and the real ones. Only 64-bit Windows is built, where both
// sides use one calling convention, so our procedure types can stand for the real ones.
#pragma once

#include "framework/platform/Clock.h"
#include "framework/platform/CodePage.h"
#include "framework/platform/CodePageConversion.h"
#include "framework/platform/FileFind.h"
#include "framework/platform/Files.h"
#include "framework/platform/Gdi.h"
#include "framework/platform/Headless.h"
#include "framework/platform/Input.h"
#include "framework/platform/LargeMemory.h"
#include "framework/platform/LastError.h"
#include "framework/platform/MessageQueue.h"
#include "framework/platform/Messages.h"
#include "framework/platform/Paint.h"
#include "framework/platform/Process.h"
#include "framework/platform/Shell.h"
#include "framework/platform/StringCompare.h"
#include "framework/platform/SystemMetrics.h"
#include "framework/platform/Text.h"
#include "framework/platform/TextTypes.h"
#include "framework/platform/VirtualKeys.h"
#include "framework/platform/Window.h"
#include "framework/platform/WindowStyles.h"
#include "framework/platform/WindowTypes.h"

#include <windows.h>
// After <windows.h>, which it needs.
#include <shellapi.h>

#include <type_traits>

static_assert(sizeof(void*) == 8, "the Windows file set is built for 64-bit Windows only");

namespace win::native {

// TMirror<T>::Type is the real API's type for one of ours and ours for a real one.
template <class T>
struct TMirror;

#define TOVU_MIRROR(ours, real) \
  template <>                   \
  struct TMirror<ours> {        \
    using Type = real;          \
  };                            \
  template <>                   \
  struct TMirror<real> {        \
    using Type = ours;          \
  };
// Handle types: our HDC is win::HDC__*, the real one ::HDC__*.
#define TOVU_MIRROR_HANDLE(name) TOVU_MIRROR(win::name##__, ::name##__)
TOVU_MIRROR_HANDLE(HDC)
TOVU_MIRROR_HANDLE(HBITMAP)
TOVU_MIRROR_HANDLE(HPEN)
TOVU_MIRROR_HANDLE(HBRUSH)
TOVU_MIRROR_HANDLE(HFONT)
TOVU_MIRROR_HANDLE(HRGN)
TOVU_MIRROR_HANDLE(HPALETTE)
TOVU_MIRROR_HANDLE(HWND)
TOVU_MIRROR_HANDLE(HINSTANCE)
TOVU_MIRROR_HANDLE(HICON)
TOVU_MIRROR_HANDLE(HMENU)
#undef TOVU_MIRROR_HANDLE
TOVU_MIRROR(win::POINT, ::POINT)
TOVU_MIRROR(win::SIZE, ::SIZE)
TOVU_MIRROR(win::RECT, ::RECT)
TOVU_MIRROR(win::MSG, ::MSG)
TOVU_MIRROR(win::PAINTSTRUCT, ::PAINTSTRUCT)
TOVU_MIRROR(win::TRACKMOUSEEVENT, ::TRACKMOUSEEVENT)
TOVU_MIRROR(win::SYSTEMTIME, ::SYSTEMTIME)
TOVU_MIRROR(win::BITMAP, ::BITMAP)
TOVU_MIRROR(win::BITMAPINFO, ::BITMAPINFO)
TOVU_MIRROR(win::BITMAPINFOHEADER, ::BITMAPINFOHEADER)
TOVU_MIRROR(win::RGBQUAD, ::RGBQUAD)
TOVU_MIRROR(win::LOGPEN, ::LOGPEN)
TOVU_MIRROR(win::LOGBRUSH, ::LOGBRUSH)
TOVU_MIRROR(win::LOGPALETTE, ::LOGPALETTE)
TOVU_MIRROR(win::PALETTEENTRY, ::PALETTEENTRY)
TOVU_MIRROR(win::RGNDATA, ::RGNDATA)
TOVU_MIRROR(win::XFORM, ::XFORM)
TOVU_MIRROR(win::LOGFONTA, ::LOGFONTA)
TOVU_MIRROR(win::TEXTMETRICA, ::TEXTMETRICA)
TOVU_MIRROR(win::FILETIME, ::FILETIME)
TOVU_MIRROR(win::WIN32_FIND_DATAA, ::WIN32_FIND_DATAA)
#undef TOVU_MIRROR

// A pointer to one of our types as a pointer to the real type (or back), constness kept.
template <class T>
auto Real(T* pointer) {
  using TOther = typename TMirror<std::remove_const_t<T>>::Type;
  if constexpr (std::is_const_v<T>)
    return reinterpret_cast<const TOther*>(pointer);
  else
    return reinterpret_cast<TOther*>(pointer);
}
template <class T>
auto Ours(T* pointer) {
  return Real(pointer);
}

// Handles that are plain pointers on the real side (HGDIOBJ, HANDLE).
inline void* RealObject(win::HGDIOBJ object) {
  return object;
}
inline win::HGDIOBJ OurObject(void* object) {
  return static_cast<win::HGDIOBJ>(object);
}
inline ::HANDLE RealHandle(win::HANDLE handle) {
  return handle;
}
inline win::HANDLE OurHandle(::HANDLE handle) {
  return static_cast<win::HANDLE>(handle);
}

// Procedures: the same calling convention on 64-bit Windows, so the pointers are passed through
// (by way of a procedure type without parameters, which converts without a warning).
template <class TTo, class TFrom>
TTo ProcedureCast(TFrom procedure) {
  return reinterpret_cast<TTo>(reinterpret_cast<void (*)()>(procedure));
}

}  // namespace win::native
