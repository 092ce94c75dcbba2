#include "framework/platform/gdi/SurfaceDc.h"

#include "framework/platform/gdi/DeviceContext.h"

namespace win::gdi {

std::shared_ptr<TSurface> CreateFramebuffer(LONG width, LONG height) {
  auto surface = TSurface::Create(width, height, TPixelFormat::Rgb(32), true);
  if (surface) surface->TrackDamage(true);
  return surface;
}

HDC CreateSurfaceDC(std::shared_ptr<TSurface> surface, POINT origin, const TRegion& visible) {
  auto dc = TDeviceContext::CreateForSurface(std::move(surface), origin, visible);
  return dc ? RegisterObject<HDC>(std::move(dc)) : nullptr;
}

bool SetSurfaceDCOrigin(HDC dc, POINT origin) {
  const auto context = FindDc(dc);
  if (!context || context->IsMemory()) return false;
  context->SetDeviceOrigin(origin);
  return true;
}

bool SetSurfaceDCVisibleRegion(HDC dc, const TRegion& visible) {
  const auto context = FindDc(dc);
  if (!context || context->IsMemory()) return false;
  context->SetVisibleRegion(visible);
  return true;
}

std::shared_ptr<TSurface> SurfaceOf(HDC dc) {
  const auto context = FindDc(dc);
  return context ? context->TargetPtr() : nullptr;
}

}  // namespace win::gdi
