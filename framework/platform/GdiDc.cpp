#include "framework/platform/GdiDc.h"

#include <utility>

#include "framework/platform/gdi/DeviceContext.h"
#include "framework/platform/gdi/RegionObject.h"

namespace win {
namespace {

using gdi::FindDc;
using gdi::TDcState;

SIZE& Screen() {
  static SIZE size{1920, 1080};
  return size;
}

// Sets one state value, answering the previous one, or `failure` for an unknown context or value.
template <class T, class TValid>
T Exchange(HDC dc, T TDcState::*field, T value, T failure, TValid valid) {
  const auto context = FindDc(dc);
  if (!context || !valid(value)) return failure;
  TDcState& s = context->State();
  const T previous = s.*field;
  s.*field = value;
  return previous;
}

template <class T>
T Read(HDC dc, T TDcState::*field, T failure) {
  const auto context = FindDc(dc);
  return context ? context->State().*field : failure;
}

auto Any = [](auto) { return true; };

BOOL ExchangePoint(HDC dc, POINT TDcState::*field, POINT value, POINT* previous) {
  const auto context = FindDc(dc);
  if (!context) return FALSE;
  if (previous) *previous = context->State().*field;
  context->State().*field = value;
  return TRUE;
}

BOOL ReadPoint(HDC dc, POINT TDcState::*field, POINT* out) {
  const auto context = FindDc(dc);
  if (!context || !out) return FALSE;
  *out = context->State().*field;
  return TRUE;
}

// The clip region a context clips against: its own one, or everything its surface shows.
gdi::TRegion CurrentClip(const gdi::TDeviceContext& dc) {
  return dc.State().Clip ? *dc.State().Clip : dc.DeviceClip();
}

int ClipComplexity(const gdi::TDeviceContext& dc) {
  return gdi::RegionComplexity(dc.DeviceClip());
}

RECT NormalizedLogicalRect(const gdi::TDeviceContext& dc, int l, int t, int r, int b) {
  RECT d = dc.ToDevice(RECT{l, t, r, b});
  if (d.left > d.right) std::swap(d.left, d.right);
  if (d.top > d.bottom) std::swap(d.top, d.bottom);
  return d;
}

}  // namespace

HDC CreateCompatibleDC(HDC dc) {
  if (dc && !FindDc(dc)) return nullptr;
  return gdi::RegisterObject<HDC>(gdi::TDeviceContext::CreateMemory());
}

BOOL DeleteDC(HDC dc) {
  const auto context = FindDc(dc);
  if (!context) return FALSE;
  context->ReleaseSelections();
  gdi::TObjectTable::Instance().Remove(HandleCast<HGDIOBJ>(dc));
  return TRUE;
}

int SaveDC(HDC dc) {
  const auto context = FindDc(dc);
  return context ? context->Save() : 0;
}

BOOL RestoreDC(HDC dc, int savedDc) {
  const auto context = FindDc(dc);
  return context && context->Restore(savedDc) ? TRUE : FALSE;
}

int GetDeviceCaps(HDC dc, int index) {
  if (!FindDc(dc)) return 0;
  const SIZE screen = Screen();
  switch (index) {
    case DRIVERVERSION:
      return 0x4000;
    case TECHNOLOGY:
      return DT_RASDISPLAY;
    case HORZSIZE:
      return (screen.cx * 254 + 480) / 960;
    case VERTSIZE:
      return (screen.cy * 254 + 480) / 960;
    case HORZRES:
    case DESKTOPHORZRES:
      return screen.cx;
    case VERTRES:
    case DESKTOPVERTRES:
      return screen.cy;
    case BITSPIXEL:
      return 32;
    case PLANES:
      return 1;
    case NUMBRUSHES:
    case NUMPENS:
    case NUMCOLORS:
      return -1;
    case NUMFONTS:
      return 0;
    case RASTERCAPS:
      return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
    case LOGPIXELSX:
    case LOGPIXELSY:
      return 96;
    case SIZEPALETTE:
    case NUMRESERVED:
      return 0;
    case COLORRES:
      return 24;
    default:
      return 0;
  }
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
  return Exchange(dc, &TDcState::TextColor, color, CLR_INVALID, Any);
}
COLORREF GetTextColor(HDC dc) {
  return Read(dc, &TDcState::TextColor, CLR_INVALID);
}
COLORREF SetBkColor(HDC dc, COLORREF color) {
  return Exchange(dc, &TDcState::BkColor, color, CLR_INVALID, Any);
}
COLORREF GetBkColor(HDC dc) {
  return Read(dc, &TDcState::BkColor, CLR_INVALID);
}
int SetBkMode(HDC dc, int mode) {
  return Exchange(dc, &TDcState::BkMode, mode, 0,
                  [](int m) { return m == OPAQUE || m == TRANSPARENT; });
}
int GetBkMode(HDC dc) {
  return Read(dc, &TDcState::BkMode, 0);
}
int SetROP2(HDC dc, int rop2) {
  return Exchange(dc, &TDcState::Rop2, rop2, 0,
                  [](int r) { return r >= R2_BLACK && r <= R2_WHITE; });
}
int GetROP2(HDC dc) {
  return Read(dc, &TDcState::Rop2, 0);
}
int SetStretchBltMode(HDC dc, int mode) {
  return Exchange(dc, &TDcState::StretchMode, mode, 0,
                  [](int m) { return m >= BLACKONWHITE && m <= HALFTONE; });
}
int GetStretchBltMode(HDC dc) {
  return Read(dc, &TDcState::StretchMode, 0);
}
int SetPolyFillMode(HDC dc, int mode) {
  return Exchange(dc, &TDcState::PolyFillMode, mode, 0,
                  [](int m) { return m == ALTERNATE || m == WINDING; });
}
int GetPolyFillMode(HDC dc) {
  return Read(dc, &TDcState::PolyFillMode, 0);
}
BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* previous) {
  return ExchangePoint(dc, &TDcState::BrushOrg, POINT{x, y}, previous);
}
BOOL GetBrushOrgEx(HDC dc, POINT* origin) {
  return ReadPoint(dc, &TDcState::BrushOrg, origin);
}
COLORREF SetDCBrushColor(HDC dc, COLORREF color) {
  const auto context = FindDc(dc);
  if (!context) return CLR_INVALID;
  // The DC brush's realisation follows its colour.
  context->ForgetRealizedBrush();
  return Exchange(dc, &TDcState::DcBrushColor, color, CLR_INVALID, Any);
}
COLORREF GetDCBrushColor(HDC dc) {
  return Read(dc, &TDcState::DcBrushColor, CLR_INVALID);
}
COLORREF SetDCPenColor(HDC dc, COLORREF color) {
  return Exchange(dc, &TDcState::DcPenColor, color, CLR_INVALID, Any);
}
COLORREF GetDCPenColor(HDC dc) {
  return Read(dc, &TDcState::DcPenColor, CLR_INVALID);
}

int SetMapMode(HDC dc, int mode) {
  // Only MM_TEXT, one logical unit per pixel, is supported.
  return Exchange(dc, &TDcState::MapMode, mode, 0, [](int m) { return m == MM_TEXT; });
}
int GetMapMode(HDC dc) {
  return Read(dc, &TDcState::MapMode, 0);
}
BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* previous) {
  return ExchangePoint(dc, &TDcState::WindowOrg, POINT{x, y}, previous);
}
BOOL GetWindowOrgEx(HDC dc, POINT* origin) {
  return ReadPoint(dc, &TDcState::WindowOrg, origin);
}
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, POINT* previous) {
  const auto context = FindDc(dc);
  if (!context) return FALSE;
  const POINT p = context->State().WindowOrg;
  return ExchangePoint(dc, &TDcState::WindowOrg, POINT{p.x + dx, p.y + dy}, previous);
}
BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* previous) {
  return ExchangePoint(dc, &TDcState::ViewportOrg, POINT{x, y}, previous);
}
BOOL GetViewportOrgEx(HDC dc, POINT* origin) {
  return ReadPoint(dc, &TDcState::ViewportOrg, origin);
}
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* previous) {
  const auto context = FindDc(dc);
  if (!context) return FALSE;
  const POINT p = context->State().ViewportOrg;
  return ExchangePoint(dc, &TDcState::ViewportOrg, POINT{p.x + dx, p.y + dy}, previous);
}
BOOL LPtoDP(HDC dc, POINT* points, int count) {
  const auto context = FindDc(dc);
  if (!context || (count > 0 && !points)) return FALSE;
  for (int i = 0; i < count; ++i)
    points[i] = context->ToDevice(points[i]);
  return TRUE;
}
BOOL DPtoLP(HDC dc, POINT* points, int count) {
  const auto context = FindDc(dc);
  if (!context || (count > 0 && !points)) return FALSE;
  for (int i = 0; i < count; ++i)
    points[i] = context->ToLogical(points[i]);
  return TRUE;
}

int SelectClipRgn(HDC dc, HRGN region) {
  return ExtSelectClipRgn(dc, region, RGN_COPY);
}

int ExtSelectClipRgn(HDC dc, HRGN region, int mode) {
  const auto context = FindDc(dc);
  if (!context) return ERROR;
  auto& clip = context->State().Clip;
  if (!region) {
    // Only RGN_COPY takes a null region: the context is unclipped again.
    if (mode != RGN_COPY) return ERROR;
    clip.reset();
    return ClipComplexity(*context);
  }
  const auto object = gdi::FindObject<gdi::TRegionObject>(region);
  if (!object) return ERROR;
  const gdi::TRegion& r = object->Region();
  gdi::TRegion current = CurrentClip(*context);
  switch (mode) {
    case RGN_COPY:
      clip = r;
      break;
    case RGN_AND:
      current.Intersect(r);
      clip = current;
      break;
    case RGN_OR:
      current.Union(r);
      clip = current;
      break;
    case RGN_XOR:
      current.Xor(r);
      clip = current;
      break;
    case RGN_DIFF:
      current.Subtract(r);
      clip = current;
      break;
    default:
      return ERROR;
  }
  return ClipComplexity(*context);
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
  const auto context = FindDc(dc);
  if (!context) return ERROR;
  gdi::TRegion current = CurrentClip(*context);
  current.Intersect(NormalizedLogicalRect(*context, left, top, right, bottom));
  context->State().Clip = current;
  return ClipComplexity(*context);
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
  const auto context = FindDc(dc);
  if (!context) return ERROR;
  gdi::TRegion current = CurrentClip(*context);
  current.Subtract(NormalizedLogicalRect(*context, left, top, right, bottom));
  context->State().Clip = current;
  return ClipComplexity(*context);
}

int OffsetClipRgn(HDC dc, int dx, int dy) {
  const auto context = FindDc(dc);
  if (!context) return ERROR;
  if (context->State().Clip) context->State().Clip->Offset(dx, dy);
  return ClipComplexity(*context);
}

int GetClipBox(HDC dc, RECT* rect) {
  const auto context = FindDc(dc);
  if (!context || !rect) return ERROR;
  const gdi::TRegion clip = context->DeviceClip();
  const RECT box = clip.Extents();
  const POINT a = context->ToLogical(POINT{box.left, box.top});
  const POINT b = context->ToLogical(POINT{box.right, box.bottom});
  *rect = clip.IsEmpty() ? RECT{} : RECT{a.x, a.y, b.x, b.y};
  return gdi::RegionComplexity(clip);
}

int GetClipRgn(HDC dc, HRGN region) {
  const auto context = FindDc(dc);
  const auto object = gdi::FindObject<gdi::TRegionObject>(region);
  if (!context || !object) return -1;
  if (!context->State().Clip) return 0;
  object->Region() = *context->State().Clip;
  return 1;
}

BOOL PtVisible(HDC dc, int x, int y) {
  const auto context = FindDc(dc);
  if (!context) return -1;
  const POINT p = context->ToDevice(POINT{x, y});
  return context->DeviceClip().Contains(p.x, p.y) ? TRUE : FALSE;
}

BOOL RectVisible(HDC dc, const RECT* rect) {
  const auto context = FindDc(dc);
  if (!context || !rect) return FALSE;
  const RECT r = NormalizedLogicalRect(*context, rect->left, rect->top, rect->right, rect->bottom);
  return context->DeviceClip().Intersects(r) ? TRUE : FALSE;
}

}  // namespace win

namespace win::gdi {

void SetScreenSize(SIZE size) {
  Screen() = size;
}

SIZE ScreenSize() {
  return Screen();
}

}  // namespace win::gdi
