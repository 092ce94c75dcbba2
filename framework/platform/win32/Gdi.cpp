// The graphics calls on Windows: device contexts, objects, pens, brushes and palettes, bitmaps,
// block transfers, fills, lines and figures, clipping, regions, rectangles and system colours,
// each forwarded to gdi32 or user32.
#include "framework/platform/win32/WinApi.h"

namespace win {

using native::OurObject;
using native::Ours;
using native::Real;
using native::RealObject;

// ---------------------------------------------------------------- device contexts

HDC CreateCompatibleDC(HDC dc) {
  return Ours(::CreateCompatibleDC(Real(dc)));
}
BOOL DeleteDC(HDC dc) {
  return ::DeleteDC(Real(dc));
}
int SaveDC(HDC dc) {
  return ::SaveDC(Real(dc));
}
BOOL RestoreDC(HDC dc, int savedDc) {
  return ::RestoreDC(Real(dc), savedDc);
}
int GetDeviceCaps(HDC dc, int index) {
  return ::GetDeviceCaps(Real(dc), index);
}

COLORREF SetTextColor(HDC dc, COLORREF color) {
  return ::SetTextColor(Real(dc), color);
}
COLORREF GetTextColor(HDC dc) {
  return ::GetTextColor(Real(dc));
}
COLORREF SetBkColor(HDC dc, COLORREF color) {
  return ::SetBkColor(Real(dc), color);
}
COLORREF GetBkColor(HDC dc) {
  return ::GetBkColor(Real(dc));
}
int SetBkMode(HDC dc, int mode) {
  return ::SetBkMode(Real(dc), mode);
}
int GetBkMode(HDC dc) {
  return ::GetBkMode(Real(dc));
}
int SetROP2(HDC dc, int rop2) {
  return ::SetROP2(Real(dc), rop2);
}
int GetROP2(HDC dc) {
  return ::GetROP2(Real(dc));
}
int SetStretchBltMode(HDC dc, int mode) {
  return ::SetStretchBltMode(Real(dc), mode);
}
int GetStretchBltMode(HDC dc) {
  return ::GetStretchBltMode(Real(dc));
}
int SetPolyFillMode(HDC dc, int mode) {
  return ::SetPolyFillMode(Real(dc), mode);
}
int GetPolyFillMode(HDC dc) {
  return ::GetPolyFillMode(Real(dc));
}
BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* previous) {
  return ::SetBrushOrgEx(Real(dc), x, y, Real(previous));
}
BOOL GetBrushOrgEx(HDC dc, POINT* origin) {
  return ::GetBrushOrgEx(Real(dc), Real(origin));
}
COLORREF SetDCBrushColor(HDC dc, COLORREF color) {
  return ::SetDCBrushColor(Real(dc), color);
}
COLORREF GetDCBrushColor(HDC dc) {
  return ::GetDCBrushColor(Real(dc));
}
COLORREF SetDCPenColor(HDC dc, COLORREF color) {
  return ::SetDCPenColor(Real(dc), color);
}
COLORREF GetDCPenColor(HDC dc) {
  return ::GetDCPenColor(Real(dc));
}

int SetMapMode(HDC dc, int mode) {
  return ::SetMapMode(Real(dc), mode);
}
int GetMapMode(HDC dc) {
  return ::GetMapMode(Real(dc));
}
BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* previous) {
  return ::SetWindowOrgEx(Real(dc), x, y, Real(previous));
}
BOOL GetWindowOrgEx(HDC dc, POINT* origin) {
  return ::GetWindowOrgEx(Real(dc), Real(origin));
}
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, POINT* previous) {
  return ::OffsetWindowOrgEx(Real(dc), dx, dy, Real(previous));
}
BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* previous) {
  return ::SetViewportOrgEx(Real(dc), x, y, Real(previous));
}
BOOL GetViewportOrgEx(HDC dc, POINT* origin) {
  return ::GetViewportOrgEx(Real(dc), Real(origin));
}
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* previous) {
  return ::OffsetViewportOrgEx(Real(dc), dx, dy, Real(previous));
}
BOOL LPtoDP(HDC dc, POINT* points, int count) {
  return ::LPtoDP(Real(dc), Real(points), count);
}
BOOL DPtoLP(HDC dc, POINT* points, int count) {
  return ::DPtoLP(Real(dc), Real(points), count);
}

int SelectClipRgn(HDC dc, HRGN region) {
  return ::SelectClipRgn(Real(dc), Real(region));
}
int ExtSelectClipRgn(HDC dc, HRGN region, int mode) {
  return ::ExtSelectClipRgn(Real(dc), Real(region), mode);
}
int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
  return ::IntersectClipRect(Real(dc), left, top, right, bottom);
}
int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
  return ::ExcludeClipRect(Real(dc), left, top, right, bottom);
}
int OffsetClipRgn(HDC dc, int dx, int dy) {
  return ::OffsetClipRgn(Real(dc), dx, dy);
}
int GetClipBox(HDC dc, RECT* rect) {
  return ::GetClipBox(Real(dc), Real(rect));
}
int GetClipRgn(HDC dc, HRGN region) {
  return ::GetClipRgn(Real(dc), Real(region));
}
BOOL PtVisible(HDC dc, int x, int y) {
  return ::PtVisible(Real(dc), x, y);
}
BOOL RectVisible(HDC dc, const RECT* rect) {
  return ::RectVisible(Real(dc), Real(rect));
}

// ---------------------------------------------------------------- objects

HGDIOBJ GetStockObject(int index) {
  return OurObject(::GetStockObject(index));
}
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  return OurObject(::SelectObject(Real(dc), RealObject(object)));
}
BOOL DeleteObject(HGDIOBJ object) {
  return ::DeleteObject(RealObject(object));
}
int GetObjectA(HGDIOBJ object, int size, void* buffer) {
  return ::GetObjectA(RealObject(object), size, buffer);
}
DWORD GetObjectType(HGDIOBJ object) {
  return ::GetObjectType(RealObject(object));
}
HGDIOBJ GetCurrentObject(HDC dc, UINT type) {
  return OurObject(::GetCurrentObject(Real(dc), type));
}
BOOL UnrealizeObject(HGDIOBJ object) {
  return ::UnrealizeObject(RealObject(object));
}

// ---------------------------------------------------------------- pens, brushes, palettes

HPEN CreatePen(int style, int width, COLORREF color) {
  return Ours(::CreatePen(style, width, color));
}
HPEN CreatePenIndirect(const LOGPEN* pen) {
  return Ours(::CreatePenIndirect(Real(pen)));
}
HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD styleCount,
                  const DWORD* styles) {
  return Ours(::ExtCreatePen(style, width, Real(brush), styleCount,
                             reinterpret_cast<const ::DWORD*>(styles)));
}
HBRUSH CreateSolidBrush(COLORREF color) {
  return Ours(::CreateSolidBrush(color));
}
HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
  return Ours(::CreateHatchBrush(hatch, color));
}
HBRUSH CreatePatternBrush(HBITMAP bitmap) {
  return Ours(::CreatePatternBrush(Real(bitmap)));
}
HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
  return Ours(::CreateBrushIndirect(Real(brush)));
}
HPALETTE CreatePalette(const LOGPALETTE* palette) {
  return Ours(::CreatePalette(Real(palette)));
}
HPALETTE SelectPalette(HDC dc, HPALETTE palette, BOOL forceBackground) {
  return Ours(::SelectPalette(Real(dc), Real(palette), forceBackground));
}
UINT RealizePalette(HDC dc) {
  return ::RealizePalette(Real(dc));
}
UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF color) {
  return ::GetNearestPaletteIndex(Real(palette), color);
}
UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries) {
  return ::GetPaletteEntries(Real(palette), start, count, Real(entries));
}
COLORREF GetNearestColor(HDC dc, COLORREF color) {
  return ::GetNearestColor(Real(dc), color);
}

// ---------------------------------------------------------------- bitmaps

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitCount, const void* bits) {
  return Ours(::CreateBitmap(width, height, planes, bitCount, bits));
}
HBITMAP CreateBitmapIndirect(const BITMAP* bitmap) {
  return Ours(::CreateBitmapIndirect(Real(bitmap)));
}
HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
  return Ours(::CreateCompatibleBitmap(Real(dc), width, height));
}
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, void* section,
                         DWORD offset) {
  return Ours(::CreateDIBSection(Real(dc), Real(info), usage, bits, section, offset));
}
HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage) {
  return Ours(::CreateDIBitmap(Real(dc), Real(header), init, bits, Real(info), usage));
}
int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info,
              UINT usage) {
  return ::GetDIBits(Real(dc), Real(bitmap), start, lines, bits, Real(info), usage);
}
int SetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, const void* bits,
              const BITMAPINFO* info, UINT usage) {
  return ::SetDIBits(Real(dc), Real(bitmap), start, lines, bits, Real(info), usage);
}
int SetDIBitsToDevice(HDC dc, int xDest, int yDest, DWORD width, DWORD height, int xSrc, int ySrc,
                      UINT startScan, UINT lines, const void* bits, const BITMAPINFO* info,
                      UINT usage) {
  return ::SetDIBitsToDevice(Real(dc), xDest, yDest, width, height, xSrc, ySrc, startScan, lines,
                             bits, Real(info), usage);
}
int StretchDIBits(HDC dc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                  int srcWidth, int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage,
                  DWORD rop) {
  return ::StretchDIBits(Real(dc), xDest, yDest, destWidth, destHeight, xSrc, ySrc, srcWidth,
                         srcHeight, bits, Real(info), usage, rop);
}
UINT GetDIBColorTable(HDC dc, UINT start, UINT count, RGBQUAD* colors) {
  return ::GetDIBColorTable(Real(dc), start, count, Real(colors));
}
UINT SetDIBColorTable(HDC dc, UINT start, UINT count, const RGBQUAD* colors) {
  return ::SetDIBColorTable(Real(dc), start, count, Real(colors));
}

// ---------------------------------------------------------------- block transfers

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSrc, int ySrc,
            DWORD rop) {
  return ::BitBlt(Real(dest), x, y, width, height, Real(source), xSrc, ySrc, rop);
}
BOOL StretchBlt(HDC dest, int xDest, int yDest, int destWidth, int destHeight, HDC source, int xSrc,
                int ySrc, int srcWidth, int srcHeight, DWORD rop) {
  return ::StretchBlt(Real(dest), xDest, yDest, destWidth, destHeight, Real(source), xSrc, ySrc,
                      srcWidth, srcHeight, rop);
}
// The real GDI does not publish which source pixels a shrinking stretch keeps.
std::vector<LONG> StretchSourceOffsets(LONG, LONG, bool) {
  return {};
}
BOOL MaskBlt(HDC dest, int x, int y, int width, int height, HDC source, int xSrc, int ySrc,
             HBITMAP mask, int xMask, int yMask, DWORD rop) {
  return ::MaskBlt(Real(dest), x, y, width, height, Real(source), xSrc, ySrc, Real(mask), xMask,
                   yMask, rop);
}
BOOL TransparentBlt(HDC dest, int xDest, int yDest, int destWidth, int destHeight, HDC source,
                    int xSrc, int ySrc, int srcWidth, int srcHeight, UINT transparent) {
  return ::TransparentBlt(Real(dest), xDest, yDest, destWidth, destHeight, Real(source), xSrc, ySrc,
                          srcWidth, srcHeight, transparent);
}

// ---------------------------------------------------------------- fills and pixels

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  return ::FillRect(Real(dc), Real(rect), Real(brush));
}
int FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
  return ::FrameRect(Real(dc), Real(rect), Real(brush));
}
BOOL InvertRect(HDC dc, const RECT* rect) {
  return ::InvertRect(Real(dc), Real(rect));
}
BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
  return ::PatBlt(Real(dc), x, y, width, height, rop);
}
BOOL FillRgn(HDC dc, HRGN region, HBRUSH brush) {
  return ::FillRgn(Real(dc), Real(region), Real(brush));
}
BOOL PaintRgn(HDC dc, HRGN region) {
  return ::PaintRgn(Real(dc), Real(region));
}
BOOL FrameRgn(HDC dc, HRGN region, HBRUSH brush, int width, int height) {
  return ::FrameRgn(Real(dc), Real(region), Real(brush), width, height);
}
BOOL InvertRgn(HDC dc, HRGN region) {
  return ::InvertRgn(Real(dc), Real(region));
}
COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
  return ::SetPixel(Real(dc), x, y, color);
}
BOOL SetPixelV(HDC dc, int x, int y, COLORREF color) {
  return ::SetPixelV(Real(dc), x, y, color);
}
COLORREF GetPixel(HDC dc, int x, int y) {
  return ::GetPixel(Real(dc), x, y);
}

// ---------------------------------------------------------------- lines and figures

BOOL MoveToEx(HDC dc, int x, int y, POINT* previous) {
  return ::MoveToEx(Real(dc), x, y, Real(previous));
}
BOOL GetCurrentPositionEx(HDC dc, POINT* position) {
  return ::GetCurrentPositionEx(Real(dc), Real(position));
}
BOOL LineTo(HDC dc, int x, int y) {
  return ::LineTo(Real(dc), x, y);
}
BOOL Polyline(HDC dc, const POINT* points, int count) {
  return ::Polyline(Real(dc), Real(points), count);
}
BOOL PolylineTo(HDC dc, const POINT* points, DWORD count) {
  return ::PolylineTo(Real(dc), Real(points), count);
}
BOOL Polygon(HDC dc, const POINT* points, int count) {
  return ::Polygon(Real(dc), Real(points), count);
}
BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
  return ::Rectangle(Real(dc), left, top, right, bottom);
}
BOOL RoundRect(HDC dc, int left, int top, int right, int bottom, int width, int height) {
  return ::RoundRect(Real(dc), left, top, right, bottom, width, height);
}
BOOL Ellipse(HDC dc, int left, int top, int right, int bottom) {
  return ::Ellipse(Real(dc), left, top, right, bottom);
}

// ---------------------------------------------------------------- regions

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  return Ours(::CreateRectRgn(left, top, right, bottom));
}
HRGN CreateRectRgnIndirect(const RECT* rect) {
  return Ours(::CreateRectRgnIndirect(Real(rect)));
}
BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom) {
  return ::SetRectRgn(Real(region), left, top, right, bottom);
}
HRGN ExtCreateRegion(const XFORM* xform, DWORD count, const RGNDATA* data) {
  return Ours(::ExtCreateRegion(Real(xform), count, Real(data)));
}
int CombineRgn(HRGN destination, HRGN source1, HRGN source2, int mode) {
  return ::CombineRgn(Real(destination), Real(source1), Real(source2), mode);
}
int OffsetRgn(HRGN region, int dx, int dy) {
  return ::OffsetRgn(Real(region), dx, dy);
}
int GetRgnBox(HRGN region, RECT* rect) {
  return ::GetRgnBox(Real(region), Real(rect));
}
BOOL PtInRegion(HRGN region, int x, int y) {
  return ::PtInRegion(Real(region), x, y);
}
BOOL RectInRegion(HRGN region, const RECT* rect) {
  return ::RectInRegion(Real(region), Real(rect));
}
BOOL EqualRgn(HRGN region1, HRGN region2) {
  return ::EqualRgn(Real(region1), Real(region2));
}

// ---------------------------------------------------------------- rectangles

BOOL SetRect(RECT* rect, int left, int top, int right, int bottom) {
  return ::SetRect(Real(rect), left, top, right, bottom);
}
BOOL SetRectEmpty(RECT* rect) {
  return ::SetRectEmpty(Real(rect));
}
BOOL CopyRect(RECT* destination, const RECT* source) {
  return ::CopyRect(Real(destination), Real(source));
}
BOOL IsRectEmpty(const RECT* rect) {
  return ::IsRectEmpty(Real(rect));
}
BOOL OffsetRect(RECT* rect, int dx, int dy) {
  return ::OffsetRect(Real(rect), dx, dy);
}
BOOL InflateRect(RECT* rect, int dx, int dy) {
  return ::InflateRect(Real(rect), dx, dy);
}
BOOL IntersectRect(RECT* destination, const RECT* a, const RECT* b) {
  return ::IntersectRect(Real(destination), Real(a), Real(b));
}
BOOL UnionRect(RECT* destination, const RECT* a, const RECT* b) {
  return ::UnionRect(Real(destination), Real(a), Real(b));
}
BOOL SubtractRect(RECT* destination, const RECT* a, const RECT* b) {
  return ::SubtractRect(Real(destination), Real(a), Real(b));
}
BOOL PtInRect(const RECT* rect, POINT point) {
  return ::PtInRect(Real(rect), *Real(&point));
}
BOOL EqualRect(const RECT* a, const RECT* b) {
  return ::EqualRect(Real(a), Real(b));
}

// ---------------------------------------------------------------- system colours

DWORD GetSysColor(int index) {
  return ::GetSysColor(index);
}
HBRUSH GetSysColorBrush(int index) {
  return Ours(::GetSysColorBrush(index));
}

}  // namespace win
