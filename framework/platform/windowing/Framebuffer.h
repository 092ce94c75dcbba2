// The pixels of one top-level window's client area: a 32-bit top-down GDI surface (0x00RRGGBB)
// that window device contexts draw into and that records the damage a backend has to present.
// It grows when the client area grows (keeping its pixels) and never shrinks.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/platform/gdi/Region.h"
#include "framework/platform/gdi/Surface.h"

namespace win::wnd {

class TFramebuffer {
 public:
  // Sides beyond this are cut: the framebuffer then covers only the top-left part of the client
  // area.
  static constexpr LONG MaxSide = 8192;

  // Changes the client size; a larger surface is made when needed (new pixels are white).
  void Resize(LONG width, LONG height);
  LONG Width() const { return FWidth; }
  LONG Height() const { return FHeight; }
  RECT Bounds() const { return RECT{0, 0, FWidth, FHeight}; }
  // The surface window contexts draw into; null while the client area is empty.
  const std::shared_ptr<gdi::TSurface>& Surface() const { return FSurface; }
  const std::uint32_t* Row(LONG y) const;
  std::size_t Stride() const { return FSurface ? FSurface->Stride() : 0; }
  std::uint32_t Pixel(LONG x, LONG y) const;

  void DamageAll();
  bool HasDamage();
  // Hands the damaged part of the client area to the caller and starts afresh.
  gdi::TRegion TakeDamage();

 private:
  LONG FWidth = 0;
  LONG FHeight = 0;
  std::shared_ptr<gdi::TSurface> FSurface;
  void CollectDamage();
  bool FAllDamaged = false;
  gdi::TRegion FPending;
};

}  // namespace win::wnd
