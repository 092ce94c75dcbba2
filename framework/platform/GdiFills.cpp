#include "framework/platform/GdiFills.h"

#include "framework/platform/SysColors.h"
#include "framework/platform/gdi/Painter.h"
#include "framework/platform/gdi/RasterOp.h"
#include "framework/platform/gdi/RegionObject.h"

namespace win {
namespace {

// A brush handle, or a system colour given as its index plus one.
std::shared_ptr<gdi::TBrushObject> BrushOf(HBRUSH brush) {
  const auto value = reinterpret_cast<std::uintptr_t>(brush);
  if (value > 0 && value <= COLOR_MAX_INDEX + 1) {
    brush = GetSysColorBrush(int(value - 1));
  }
  return gdi::FindObject<gdi::TBrushObject>(brush);
}

// A region handle's region in device coordinates of the context.
std::optional<gdi::TRegion> DeviceRegion(const gdi::TPainter& painter, HRGN region) {
  const auto object = gdi::FindObject<gdi::TRegionObject>(region);
  if (!object) return std::nullopt;
  return painter.ToDevice(object->Region());
}

}  // namespace

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  const gdi::TPainter painter(dc);
  const auto object = BrushOf(brush);
  if (!painter.IsValid() || !rect || !object) return 0;
  // The rectangle excludes its right and bottom edges.
  painter.PaintRop3(gdi::TRegion(gdi::OrderedRect(painter.ToDevice(*rect))), PATCOPY, object.get(),
                    nullptr);
  return 1;
}

int FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
  const gdi::TPainter painter(dc);
  const auto object = BrushOf(brush);
  if (!painter.IsValid() || !rect || !object) return 0;
  const RECT r = painter.ToDevice(*rect);
  // An empty or inverted rectangle is refused.
  if (r.right <= r.left || r.bottom <= r.top) return 0;
  gdi::TRegion frame(r);
  frame.Subtract(RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1});
  painter.PaintRop3(frame, PATCOPY, object.get(), nullptr);
  return 1;
}

BOOL InvertRect(HDC dc, const RECT* rect) {
  const gdi::TPainter painter(dc);
  if (!painter.IsValid() || !rect) return FALSE;
  painter.PaintRop3(gdi::TRegion(gdi::OrderedRect(painter.ToDevice(*rect))), DSTINVERT, nullptr,
                    nullptr);
  return TRUE;
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
  const gdi::TPainter painter(dc);
  if (!painter.IsValid()) return FALSE;
  // PatBlt takes no source: operations that read one are refused.
  if (gdi::RopUsesSource(gdi::Rop3Code(rop))) return FALSE;
  const RECT r = gdi::OrderedRect(
      painter.ToDevice(RECT{x, y, LONG(std::int64_t(x) + width), LONG(std::int64_t(y) + height)}));
  painter.PaintRop3(gdi::TRegion(r), rop, painter.Dc().Brush(), nullptr);
  return TRUE;
}

BOOL FillRgn(HDC dc, HRGN region, HBRUSH brush) {
  const gdi::TPainter painter(dc);
  const auto object = BrushOf(brush);
  if (!painter.IsValid() || !object) return FALSE;
  const auto device = DeviceRegion(painter, region);
  if (!device) return FALSE;
  painter.PaintRop3(*device, PATCOPY, object.get(), nullptr);
  return TRUE;
}

BOOL PaintRgn(HDC dc, HRGN region) {
  const gdi::TPainter painter(dc);
  if (!painter.IsValid()) return FALSE;
  const auto device = DeviceRegion(painter, region);
  if (!device) return FALSE;
  painter.PaintBrush(*device);
  return TRUE;
}

BOOL FrameRgn(HDC dc, HRGN region, HBRUSH brush, int width, int height) {
  const gdi::TPainter painter(dc);
  const auto object = BrushOf(brush);
  if (!painter.IsValid() || !object || width <= 0 || height <= 0) return FALSE;
  const auto device = DeviceRegion(painter, region);
  if (!device) return FALSE;
  // The frame is the region less the region shrunk by the frame size on every side: a pixel
  // stays inside only when its whole neighbourhood of that size is inside.
  gdi::TRegion inner = *device;
  for (int dx = -width + 1; dx < width; ++dx) {
    for (int dy : {-height + 1, height - 1}) {
      gdi::TRegion moved = *device;
      moved.Offset(dx, dy);
      inner.Intersect(moved);
    }
  }
  for (int dy = -height + 1; dy < height; ++dy) {
    for (int dx : {-width + 1, width - 1}) {
      gdi::TRegion moved = *device;
      moved.Offset(dx, dy);
      inner.Intersect(moved);
    }
  }
  gdi::TRegion frame = *device;
  frame.Subtract(inner);
  painter.PaintRop3(frame, PATCOPY, object.get(), nullptr);
  return TRUE;
}

BOOL InvertRgn(HDC dc, HRGN region) {
  const gdi::TPainter painter(dc);
  if (!painter.IsValid()) return FALSE;
  const auto device = DeviceRegion(painter, region);
  if (!device) return FALSE;
  painter.PaintRop3(*device, DSTINVERT, nullptr, nullptr);
  return TRUE;
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
  const gdi::TPainter painter(dc);
  if (!painter.IsValid()) return CLR_INVALID;
  const POINT p = painter.ToDevice(POINT{x, y});
  if (!painter.Reaches(p.x, p.y)) return CLR_INVALID;
  // The pixel goes through the mix mode like a pen's.
  painter.PaintSolid(gdi::TRegion(RECT{p.x, p.y, p.x + 1, p.y + 1}), color);
  const gdi::TSurface& target = painter.Dc().Target();
  return target.ToColor(target.FromColor(color));
}

BOOL SetPixelV(HDC dc, int x, int y, COLORREF color) {
  return SetPixel(dc, x, y, color) == CLR_INVALID ? FALSE : TRUE;
}

COLORREF GetPixel(HDC dc, int x, int y) {
  const gdi::TPainter painter(dc);
  if (!painter.IsValid()) return CLR_INVALID;
  const POINT p = painter.ToDevice(POINT{x, y});
  if (!painter.Reaches(p.x, p.y)) return CLR_INVALID;
  const POINT o = painter.Dc().DeviceOrigin();
  const gdi::TSurface& target = painter.Dc().Target();
  // Reaches() vouched for the pixel being inside the surface.
  return target.ToColor(target.GetPixel(p.x + o.x, p.y + o.y));
}

}  // namespace win
