#include "framework/platform/GdiRegions.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "framework/platform/LastError.h"
#include "framework/platform/gdi/RegionObject.h"

namespace win {
namespace {

// The platform orders the coordinates of a region rectangle.
RECT OrderedRect(int left, int top, int right, int bottom) {
  return {std::min(left, right), std::min(top, bottom), std::max(left, right),
          std::max(top, bottom)};
}

}  // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  return gdi::CreateRegionHandle(gdi::TRegion(OrderedRect(left, top, right, bottom)));
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
  if (!rect) return nullptr;
  return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

HRGN ExtCreateRegion(const XFORM* xform, DWORD count, const RGNDATA* data) {
  if (xform != nullptr || data == nullptr || count < sizeof(RGNDATAHEADER) ||
      data->rdh.dwSize != sizeof(RGNDATAHEADER) || data->rdh.iType != RDH_RECTANGLES ||
      (count - sizeof(RGNDATAHEADER)) / sizeof(RECT) < data->rdh.nCount) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  std::vector<RECT> rects(data->rdh.nCount);
  if (!rects.empty()) std::memcpy(rects.data(), data->Buffer, rects.size() * sizeof(RECT));
  for (RECT& rect : rects)
    rect = OrderedRect(rect.left, rect.top, rect.right, rect.bottom);
  return gdi::CreateRegionHandle(gdi::TRegion::FromRects(rects));
}

BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom) {
  gdi::TRegion* r = gdi::RegionOf(region);
  if (!r) return FALSE;
  *r = gdi::TRegion(OrderedRect(left, top, right, bottom));
  return TRUE;
}

int CombineRgn(HRGN destination, HRGN source1, HRGN source2, int mode) {
  gdi::TRegion* out = gdi::RegionOf(destination);
  const gdi::TRegion* a = gdi::RegionOf(source1);
  if (!out || !a || mode < RGN_AND || mode > RGN_COPY) return ERROR;
  if (mode == RGN_COPY) {
    *out = *a;
    return gdi::RegionComplexity(*out);
  }
  const gdi::TRegion* b = gdi::RegionOf(source2);
  if (!b) return ERROR;
  gdi::TRegion result = *a;
  switch (mode) {
    case RGN_AND:
      result.Intersect(*b);
      break;
    case RGN_OR:
      result.Union(*b);
      break;
    case RGN_XOR:
      result.Xor(*b);
      break;
    default:
      result.Subtract(*b);
      break;
  }
  *out = std::move(result);
  return gdi::RegionComplexity(*out);
}

int OffsetRgn(HRGN region, int dx, int dy) {
  gdi::TRegion* r = gdi::RegionOf(region);
  if (!r) return ERROR;
  r->Offset(dx, dy);
  return gdi::RegionComplexity(*r);
}

int GetRgnBox(HRGN region, RECT* rect) {
  const gdi::TRegion* r = gdi::RegionOf(region);
  if (!r || !rect) return ERROR;
  *rect = r->Extents();
  return gdi::RegionComplexity(*r);
}

BOOL PtInRegion(HRGN region, int x, int y) {
  const gdi::TRegion* r = gdi::RegionOf(region);
  return r && r->Contains(x, y) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN region, const RECT* rect) {
  const gdi::TRegion* r = gdi::RegionOf(region);
  if (!r || !rect) return FALSE;
  return r->Intersects(OrderedRect(rect->left, rect->top, rect->right, rect->bottom)) ? TRUE
                                                                                      : FALSE;
}

BOOL EqualRgn(HRGN region1, HRGN region2) {
  const gdi::TRegion* a = gdi::RegionOf(region1);
  const gdi::TRegion* b = gdi::RegionOf(region2);
  if (!a || !b) return ERROR;
  return *a == *b ? TRUE : FALSE;
}

}  // namespace win

namespace win::gdi {

TRegion* RegionOf(HRGN region) {
  const auto object = FindObject<TRegionObject>(region);
  return object ? &object->Region() : nullptr;
}

HRGN CreateRegionHandle(const TRegion& region) {
  return RegisterObject<HRGN>(std::make_shared<TRegionObject>(region));
}

}  // namespace win::gdi
