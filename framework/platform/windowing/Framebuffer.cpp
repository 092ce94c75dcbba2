#include "framework/platform/windowing/Framebuffer.h"

#include <algorithm>
#include <utility>

namespace win::wnd {

void TFramebuffer::Resize(LONG width, LONG height) {
  width = std::clamp<LONG>(width, 0, MaxSide);
  height = std::clamp<LONG>(height, 0, MaxSide);
  if (width == FWidth && height == FHeight) return;
  std::vector<std::uint32_t> pixels(std::size_t(width) * std::size_t(height), 0x00FFFFFFu);
  const LONG keepWidth = std::min(width, FWidth);
  const LONG keepHeight = std::min(height, FHeight);
  for (LONG y = 0; y < keepHeight; ++y) {
    std::copy_n(FPixels.begin() + std::ptrdiff_t(y) * FWidth, keepWidth,
                pixels.begin() + std::ptrdiff_t(y) * width);
  }
  FPixels = std::move(pixels);
  FWidth = width;
  FHeight = height;
  FDamage.Intersect(Bounds());
  DamageAll();
}

std::uint32_t TFramebuffer::Pixel(LONG x, LONG y) const {
  if (x < 0 || y < 0 || x >= FWidth || y >= FHeight) return 0;
  return FPixels[std::size_t(y) * std::size_t(FWidth) + std::size_t(x)];
}

void TFramebuffer::AddDamage(const RECT& rect) {
  gdi::TRegion area(rect);
  area.Intersect(Bounds());
  FDamage.Union(area);
}

void TFramebuffer::AddDamage(const gdi::TRegion& region) {
  gdi::TRegion area = region;
  area.Intersect(Bounds());
  FDamage.Union(area);
}

gdi::TRegion TFramebuffer::TakeDamage() {
  gdi::TRegion damage = std::move(FDamage);
  FDamage = gdi::TRegion();
  return damage;
}

}  // namespace win::wnd
