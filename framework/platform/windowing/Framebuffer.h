// The pixels of one top-level window's client area, 32 bits per pixel (0x00RRGGBB), top-down,
// with the damaged area that the backend has not presented yet.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/platform/gdi/Region.h"

namespace win::wnd {

class TFramebuffer {
 public:
  // Sides beyond this are cut: the framebuffer then covers only the top-left part of the client
  // area.
  static constexpr LONG MaxSide = 8192;

  // Changes the size, keeping the pixels of the overlapping part; new pixels are white.
  void Resize(LONG width, LONG height);
  LONG Width() const { return FWidth; }
  LONG Height() const { return FHeight; }
  std::uint32_t* Pixels() { return FPixels.data(); }
  const std::uint32_t* Pixels() const { return FPixels.data(); }
  std::uint32_t Pixel(LONG x, LONG y) const;
  RECT Bounds() const { return RECT{0, 0, FWidth, FHeight}; }

  void AddDamage(const RECT& rect);
  void AddDamage(const gdi::TRegion& region);
  void DamageAll() { AddDamage(Bounds()); }
  bool HasDamage() const { return !FDamage.IsEmpty(); }
  // Hands the damaged area to the caller and starts afresh.
  gdi::TRegion TakeDamage();

 private:
  LONG FWidth = 0;
  LONG FHeight = 0;
  std::vector<std::uint32_t> FPixels;
  gdi::TRegion FDamage;
};

}  // namespace win::wnd
