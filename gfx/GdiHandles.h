// Platform objects held for a scope: an owned GDI object deleted at the end, a memory device
// context, and an object or palette selected into a context and deselected again.
#pragma once

#include "framework/platform/Gdi.h"

namespace fw::gdihandles {

// Owns a pen, brush, bitmap, palette or region until Release hands it on.
template <class THandle>
class TOwned {
 public:
  explicit TOwned(THandle handle = nullptr) : FHandle(handle) {}
  ~TOwned() { Reset(); }
  TOwned(const TOwned&) = delete;
  TOwned& operator=(const TOwned&) = delete;

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

// A memory device context compatible with the screen.
class TMemoryDC {
 public:
  TMemoryDC() : FDC(win::CreateCompatibleDC(nullptr)) {}
  ~TMemoryDC() {
    if (FDC != nullptr) win::DeleteDC(FDC);
  }
  TMemoryDC(const TMemoryDC&) = delete;
  TMemoryDC& operator=(const TMemoryDC&) = delete;

  win::HDC Get() const { return FDC; }
  explicit operator bool() const { return FDC != nullptr; }

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

}  // namespace fw::gdihandles
