#include "framework/platform/windowing/Framebuffer.h"

#include <algorithm>
#include <cstring>

#include "framework/platform/gdi/SurfaceDc.h"

namespace win::wnd {

void TFramebuffer::Resize(LONG width, LONG height) {
  width = std::clamp<LONG>(width, 0, MaxSide);
  height = std::clamp<LONG>(height, 0, MaxSide);
  if (width == FWidth && height == FHeight) return;
  const bool fits = FSurface && width <= FSurface->Width() && height <= FSurface->Height();
  if (!fits && width > 0 && height > 0) {
    const LONG newWidth = std::max(width, FSurface ? FSurface->Width() : 0);
    const LONG newHeight = std::max(height, FSurface ? FSurface->Height() : 0);
    std::shared_ptr<gdi::TSurface> surface = gdi::CreateFramebuffer(newWidth, newHeight);
    if (surface) {
      for (LONG y = 0; y < newHeight; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(surface->Row(y));
        std::fill_n(row, newWidth, 0x00FFFFFFu);
        if (FSurface && y < FSurface->Height()) {
          std::memcpy(row, FSurface->Row(y), std::size_t(FSurface->Width()) * 4);
        }
      }
      FSurface = std::move(surface);
    }
  }
  FWidth = FSurface ? std::min(width, FSurface->Width()) : 0;
  FHeight = FSurface ? std::min(height, FSurface->Height()) : 0;
  DamageAll();
}

const std::uint32_t* TFramebuffer::Row(LONG y) const {
  return reinterpret_cast<const std::uint32_t*>(FSurface->Row(y));
}

std::uint32_t TFramebuffer::Pixel(LONG x, LONG y) const {
  if (!FSurface || x < 0 || y < 0 || x >= FWidth || y >= FHeight) return 0;
  return Row(y)[x] & 0x00FFFFFFu;
}

void TFramebuffer::DamageAll() {
  FAllDamaged = true;
}

void TFramebuffer::CollectDamage() {
  if (FSurface) FPending.Union(FSurface->TakeDamage());
}

bool TFramebuffer::HasDamage() {
  if (!FSurface || FWidth == 0 || FHeight == 0) return false;
  CollectDamage();
  return FAllDamaged || FPending.Intersects(Bounds());
}

gdi::TRegion TFramebuffer::TakeDamage() {
  CollectDamage();
  gdi::TRegion damage = FAllDamaged ? gdi::TRegion(Bounds()) : std::move(FPending);
  FPending = gdi::TRegion();
  FAllDamaged = false;
  damage.Intersect(Bounds());
  return damage;
}

}  // namespace win::wnd
