// Platform objects held for a scope: an owned GDI object deleted at the end, a memory device
// context, an object or palette selected into a context and deselected again, a context's saved
// state restored, and a window's paint begun and ended.
#pragma once

#include "framework/platform/Gdi.h"
#include "framework/platform/Paint.h"

namespace fw::gdihandles {

// Owns a pen, brush, bitmap, palette or region until Release hands it on.
template <class THandle>
class TOwned {
 public:
  explicit TOwned(THandle handle = nullptr) : FHandle(handle) {}
  ~TOwned() { Reset(); }
  TOwned(const TOwned&) = delete;
  TOwned& operator=(const TOwned&) = delete;
  TOwned(TOwned&& other) noexcept : FHandle(other.Release()) {}
  TOwned& operator=(TOwned&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }

  THandle Get() const { return FHandle; }
  explicit operator bool() const { return FHandle != nullptr; }
  THandle Release() {
    const THandle handle = FHandle;
    FHandle = nullptr;
    return handle;
  }
  void Reset(THandle handle = nullptr) {
    if (FHandle != nullptr) win::DeleteObject(FHandle);
    FHandle = handle;
  }

 private:
  THandle FHandle;
};

// A memory device context compatible with the screen; EOutOfResources when none can be made.
class TMemoryDC {
 public:
  TMemoryDC();
  ~TMemoryDC() { win::DeleteDC(FDC); }
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;

  win::HDC Get() const { return FDC; }

 private:
  win::HDC FDC;
};

// An object selected into a context; the previous one comes back at the end of the scope.
class TSelected {
 public:
  template <class THandle>
  TSelected(win::HDC dc, THandle object) : FDC(dc), FOld(win::SelectObject(dc, object)) {}
  ~TSelected() {
    if (FOld != nullptr && FOld != win::HGDI_ERROR) win::SelectObject(FDC, FOld);
  }
  TSelected(const TSelected&) = delete;
  TSelected& operator=(const TSelected&) = delete;

 private:
  win::HDC FDC;
  win::HGDIOBJ FOld;
};

// A palette selected into a context (in the background) and realised; the previous one comes
// back at the end of the scope.
class TSelectedPalette {
 public:
  TSelectedPalette(win::HDC dc, win::HPALETTE palette) : FDC(dc) {
    if (palette == nullptr) return;
    FOld = win::SelectPalette(dc, palette, win::TRUE);
    win::RealizePalette(dc);
  }
  ~TSelectedPalette() {
    if (FOld != nullptr) win::SelectPalette(FDC, FOld, win::TRUE);
  }
  TSelectedPalette(const TSelectedPalette&) = delete;
  TSelectedPalette& operator=(const TSelectedPalette&) = delete;

 private:
  win::HDC FDC;
  win::HPALETTE FOld = nullptr;
};

// The state of a device context (origin, clipping, selected objects, modes) saved for a scope
// and restored at its end.
class TSavedDC {
 public:
  explicit TSavedDC(win::HDC dc) : FDC(dc), FSaved(win::SaveDC(dc)) {}
  ~TSavedDC() {
    if (FSaved != 0) win::RestoreDC(FDC, FSaved);
  }
  TSavedDC(const TSavedDC&) = delete;
  TSavedDC& operator=(const TSavedDC&) = delete;

 private:
  win::HDC FDC;
  int FSaved;
};

// A window's paint for a scope: BeginPaint at the start, EndPaint at the end.
class TWindowPaint {
 public:
  explicit TWindowPaint(win::HWND window)
      : FWindow(window), FDC(win::BeginPaint(window, &FPaint)) {}
  ~TWindowPaint() { win::EndPaint(FWindow, &FPaint); }
  TWindowPaint(const TWindowPaint&) = delete;
  TWindowPaint& operator=(const TWindowPaint&) = delete;

  win::HDC DC() const { return FDC; }

 private:
  win::HWND FWindow;
  win::PAINTSTRUCT FPaint{};
  win::HDC FDC;
};

}  // namespace fw::gdihandles
