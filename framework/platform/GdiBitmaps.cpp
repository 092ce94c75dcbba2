#include "framework/platform/GdiBitmaps.h"

#include <algorithm>
#include <cstring>

#include "framework/platform/GdiObjects.h"
#include "framework/platform/gdi/BlockTransfer.h"
#include "framework/platform/gdi/DeviceContext.h"
#include "framework/platform/gdi/DibInfo.h"
#include "framework/platform/gdi/PixelConverter.h"
#include "framework/platform/gdi/StockObjects.h"

namespace win {
namespace {

using gdi::TPixelFormat;
using gdi::TSurface;

HBITMAP DefaultBitmapHandle() {
  return HandleCast<HBITMAP>(gdi::DefaultBitmap()->Handle());
}

HBITMAP RegisterDevice(std::shared_ptr<TSurface> surface) {
  if (!surface) return nullptr;
  return gdi::RegisterObject<HBITMAP>(std::make_shared<gdi::TBitmapObject>(std::move(surface)));
}

// The 16 colours of a 4-bit device bitmap and the 256 of an 8-bit one.
std::vector<RGBQUAD> DeviceColorTable(int bitCount) {
  static constexpr BYTE kVga[16][3] = {
      {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},  {0, 0, 128}, {128, 0, 128},
      {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},    {0, 255, 0}, {255, 255, 0},
      {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
  std::vector<RGBQUAD> table;
  if (bitCount == 4) {
    for (const auto& c : kVga)
      table.push_back(RGBQUAD{c[2], c[1], c[0], 0});
  } else {
    // 6x6x6 colour cube followed by greys.
    for (int i = 0; i < 256; ++i) {
      if (i < 216) {
        table.push_back(RGBQUAD{BYTE(i % 6 * 51), BYTE(i / 6 % 6 * 51), BYTE(i / 36 * 51), 0});
      } else {
        const BYTE g = BYTE((i - 216) * 255 / 39);
        table.push_back(RGBQUAD{g, g, g, 0});
      }
    }
  }
  return table;
}

std::shared_ptr<TSurface> DeviceSurface(LONG width, LONG height, int bitCount) {
  switch (bitCount) {
    case 1:
      return TSurface::Create(width, height, TPixelFormat::Monochrome(), true);
    case 4:
    case 8: {
      TPixelFormat f;
      f.BitCount = bitCount;
      f.Colors = DeviceColorTable(bitCount);
      return TSurface::Create(width, height, std::move(f), true);
    }
    case 16:
    case 24:
    case 32:
      return TSurface::Create(width, height, TPixelFormat::Rgb(bitCount), true);
    default:
      return nullptr;
  }
}

// The format of bitmaps compatible with a context: a memory context's selected bitmap decides
// (its default monochrome bitmap gives monochrome), any other context is the 32-bit screen.
struct TCompatible {
  int BitCount = 32;
  const gdi::TBitmapObject* DibTemplate = nullptr;  // a selected DIB section is cloned
};

std::optional<TCompatible> CompatibleWith(HDC dc) {
  TCompatible c;
  if (!dc) return c;
  const auto context = gdi::FindDc(dc);
  if (!context) return std::nullopt;
  if (!context->IsMemory()) return c;
  const gdi::TBitmapObject* bitmap = context->SelectedBitmap();
  if (!bitmap) return c;
  c.BitCount = bitmap->Surface()->BitCount();
  if (bitmap->IsDibSection()) c.DibTemplate = bitmap;
  return c;
}

const gdi::TPaletteObject* DcPalette(HDC dc) {
  const auto context = gdi::FindDc(dc);
  return context ? context->Palette() : nullptr;
}

HBITMAP MakeDibSection(const gdi::TDibInfo& dib, void** bitsOut) {
  auto surface = TSurface::Create(dib.Width, dib.Height, dib.Format, dib.TopDown);
  if (!surface) return nullptr;
  BITMAPINFOHEADER header = dib.Header;
  header.biCompression = dib.Compression;
  header.biSizeImage = DWORD(surface->ByteSize());
  if (dib.Format.BitCount <= 8 && header.biClrUsed == 0) header.biClrUsed = 0;
  void* bits = surface->Bits();
  const HBITMAP handle = gdi::RegisterObject<HBITMAP>(
      std::make_shared<gdi::TBitmapObject>(std::move(surface), header));
  if (bitsOut) *bitsOut = handle ? bits : nullptr;
  return handle;
}

// Copies DIB rows [first, first + count) (scan lines counted in the DIB's own order: from the
// bottom for bottom-up DIBs) between a DIB view and a bitmap's surface.
void CopyScanLines(const TSurface& from, TSurface& to, LONG fromTopRow, LONG toTopRow, LONG rows,
                   const gdi::TPixelConverter& converter) {
  std::vector<std::uint32_t> buffer(std::size_t(std::min(from.Width(), to.Width())));
  for (LONG i = 0; i < rows; ++i) {
    from.ReadRow(fromTopRow + i, 0, buffer.size(), buffer.data());
    converter.ConvertRow(buffer.data(), buffer.size());
    to.WriteRow(toTopRow + i, 0, buffer.size(), buffer.data());
  }
}

gdi::TConversionColors ByColor() {
  gdi::TConversionColors colors;
  colors.ByColorOnly = true;
  return colors;
}

// Run-length encoded data: pixels the data skips (deltas, early line ends) keep their value.
int SetRleBits(const gdi::TDibInfo& dib, const void* bits, std::size_t available,
               TSurface& surface) {
  auto decoded = TSurface::Create(dib.Width, dib.Height, dib.Format, false);
  if (!decoded) return 0;
  std::vector<std::uint8_t> written;
  gdi::DecodeRle(static_cast<const std::uint8_t*>(bits), available, dib.Compression == BI_RLE4,
                 *decoded, &written);
  const gdi::TPixelConverter converter(*decoded, surface, ByColor());
  const LONG rows = std::min(decoded->Height(), surface.Height());
  const LONG cols = std::min(decoded->Width(), surface.Width());
  // Bottom-up data fills the bitmap from its bottom row.
  const LONG sourceTop = decoded->Height() - rows, targetTop = surface.Height() - rows;
  for (LONG i = 0; i < rows; ++i) {
    for (LONG x = 0; x < cols; ++x) {
      if (!written[std::size_t(sourceTop + i) * std::size_t(decoded->Width()) + std::size_t(x)])
        continue;
      surface.SetPixel(x, targetTop + i, converter.Convert(decoded->GetPixel(x, sourceTop + i)));
    }
  }
  surface.AddDamage(surface.Bounds());
  return rows;
}

}  // namespace

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitCount, const void* bits) {
  if (width < 0 || height < 0 || planes != 1) return nullptr;
  if (width == 0 || height == 0) return DefaultBitmapHandle();
  auto surface = DeviceSurface(width, height, int(bitCount));
  if (!surface) return nullptr;
  if (bits) {
    // Device bitmap rows are padded to 16 bits.
    const std::size_t rowBytes = (std::size_t(width) * bitCount + 15) / 16 * 2;
    const auto* src = static_cast<const std::uint8_t*>(bits);
    for (LONG y = 0; y < height; ++y) {
      std::memcpy(surface->Row(y), src + rowBytes * std::size_t(y),
                  std::min(rowBytes, surface->Stride()));
    }
  }
  return RegisterDevice(std::move(surface));
}

HBITMAP CreateBitmapIndirect(const BITMAP* bitmap) {
  if (!bitmap) return nullptr;
  return CreateBitmap(bitmap->bmWidth, bitmap->bmHeight, bitmap->bmPlanes, bitmap->bmBitsPixel,
                      bitmap->bmBits);
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
  const auto compatible = CompatibleWith(dc);
  if (!dc || !compatible || width < 0 || height < 0) return nullptr;
  if (width == 0 || height == 0) return DefaultBitmapHandle();
  if (compatible->DibTemplate) {
    // A context holding a DIB section makes DIB sections of the same layout.
    const TSurface& like = *compatible->DibTemplate->Surface();
    gdi::TDibInfo dib;
    dib.Width = width;
    dib.Height = height;
    dib.TopDown = like.IsTopDown();
    dib.Format = like.Format();
    dib.Compression =
        dib.Format.BitCount == 16 || dib.Format.BitCount == 32 ? BI_BITFIELDS : BI_RGB;
    dib.Header.biWidth = width;
    dib.Header.biHeight = like.IsTopDown() ? -height : height;
    dib.Header.biPlanes = 1;
    dib.Header.biBitCount = WORD(dib.Format.BitCount);
    return MakeDibSection(dib, nullptr);
  }
  return RegisterDevice(DeviceSurface(width, height, compatible->BitCount));
}

HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, void* /*section*/,
                         DWORD /*offset*/) {
  if (bits) *bits = nullptr;
  if (usage != DIB_RGB_COLORS && usage != DIB_PAL_COLORS) return nullptr;
  const auto dib = gdi::ParseDibInfo(info, usage, DcPalette(dc));
  if (!dib || dib->Compression == BI_RLE8 || dib->Compression == BI_RLE4 || dib->MasksMissing)
    return nullptr;
  return MakeDibSection(*dib, bits);
}

HBITMAP CreateDIBitmap(HDC dc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage) {
  if (!header) return nullptr;
  const auto compatible = CompatibleWith(dc);
  if (!compatible) return nullptr;
  LONG width = 0, height = 0;
  if (header->biSize == sizeof(BITMAPCOREHEADER)) {
    BITMAPCOREHEADER core;
    std::memcpy(static_cast<void*>(&core), header, sizeof(core));
    width = core.bcWidth;
    height = core.bcHeight;
  } else {
    width = header->biWidth;
    height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
  }
  if (width < 0 || height < 0 || header->biHeight == INT32_MIN) return nullptr;
  // Without a context the bitmap is monochrome, as the platform makes it.
  const int bitCount = dc ? compatible->BitCount : 1;
  const HBITMAP bitmap = width == 0 || height == 0
                             ? DefaultBitmapHandle()
                             : RegisterDevice(DeviceSurface(width, height, bitCount));
  if (!bitmap) return nullptr;
  if ((init & CBM_INIT) && bits && info && width && height &&
      SetDIBits(dc, bitmap, 0, UINT(height), bits, info, usage) == 0) {
    // Pixels the platform cannot read (an unknown compression, run-length data of the wrong
    // depth or row order, or none at all) fail the creation rather than give a black bitmap.
    DeleteObject(bitmap);
    return nullptr;
  }
  return bitmap;
}

int GetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info,
              UINT usage) {
  const auto object = gdi::FindObject<gdi::TBitmapObject>(bitmap);
  if (!gdi::FindDc(dc) || !object || !info) return 0;
  const TSurface& surface = *object->Surface();
  BITMAPINFOHEADER& h = info->bmiHeader;
  if (h.biSize < sizeof(BITMAPINFOHEADER)) return 0;
  if (h.biBitCount == 0) {
    // Describe the bitmap itself.
    h.biWidth = surface.Width();
    h.biHeight = surface.Height();
    h.biPlanes = 1;
    h.biBitCount = WORD(surface.BitCount());
    h.biCompression =
        surface.BitCount() == 16 && surface.Format().GreenMask == 0x07E0 ? BI_BITFIELDS : BI_RGB;
    h.biSizeImage = DWORD(DibStride(surface.Width(), surface.BitCount()) * surface.Height());
    h.biClrUsed = 0;
    h.biClrImportant = 0;
    return 1;
  }
  const auto dib = gdi::ParseDibInfo(info, usage, nullptr);
  if (!dib) return 0;
  // Indexed requests get the bitmap's own table when the depth matches, else a standard one.
  TPixelFormat requested = dib->Format;
  if (requested.IsIndexed()) {
    if (surface.Format().IsIndexed() && surface.BitCount() == requested.BitCount) {
      requested.Colors = surface.Format().Colors;
    } else {
      requested.Colors = requested.BitCount == 1 ? TPixelFormat::Monochrome().Colors
                                                 : DeviceColorTable(requested.BitCount);
    }
    if (usage == DIB_RGB_COLORS) {
      std::copy(requested.Colors.begin(), requested.Colors.end(), info->bmiColors);
    }
  }
  if (h.biSizeImage == 0) h.biSizeImage = DWORD(dib->Stride() * std::size_t(dib->Height));
  if (!bits) return int(std::min<LONG>(surface.Height(), dib->Height));
  if (dib->Width != surface.Width() && dib->Width <= 0) return 0;

  const LONG height = std::min(surface.Height(), dib->Height);
  if (start >= UINT(height)) return 0;
  const LONG count = LONG(std::min<UINT>(lines, UINT(height) - start));
  const auto view = TSurface::Wrap(dib->Width, dib->Height, requested, dib->TopDown, bits,
                                   dib->Stride() * std::size_t(dib->Height));
  if (!view) return 0;
  const gdi::TPixelConverter converter(surface, *view, ByColor());
  // Scan line i is the i-th row from the bottom for bottom-up DIBs, from the top otherwise.
  for (LONG i = 0; i < count; ++i) {
    const LONG scan = LONG(start) + i;
    const LONG bitmapRow = dib->TopDown ? scan : surface.Height() - 1 - scan;
    const LONG viewRow = dib->TopDown ? scan : dib->Height - 1 - scan;
    if (bitmapRow < 0 || bitmapRow >= surface.Height()) continue;
    CopyScanLines(surface, *view, bitmapRow, viewRow, 1, converter);
  }
  return count;
}

int SetDIBits(HDC dc, HBITMAP bitmap, UINT start, UINT lines, const void* bits,
              const BITMAPINFO* info, UINT usage) {
  const auto object = gdi::FindObject<gdi::TBitmapObject>(bitmap);
  if (!object || !bits || !info) return 0;
  const auto dib = gdi::ParseDibInfo(info, usage, DcPalette(dc));
  if (!dib) return 0;
  TSurface& surface = *object->Surface();
  const bool compressed = dib->Compression == BI_RLE8 || dib->Compression == BI_RLE4;
  std::size_t available = compressed ? dib->SizeImage : dib->Stride() * std::size_t(dib->Height);
  if (!compressed && start == 0 && lines < UINT(dib->Height)) {
    // Only the given scan lines are present.
    available = dib->Stride() * lines;
  }
  if (compressed) {
    // Run-length data must say how long it is.
    return available == 0 ? 0 : SetRleBits(*dib, bits, available, surface);
  }
  // A view over the given lines only: rows outside stay unread.
  const LONG rows = LONG(std::min<UINT>(lines, UINT(dib->Height)));
  const auto source = TSurface::Wrap(dib->Width, rows, dib->Format, dib->TopDown,
                                     const_cast<void*>(bits), dib->Stride() * std::size_t(rows));
  if (!source) return 0;
  const gdi::TPixelConverter converter(*source, surface, ByColor());
  const LONG width = std::min(source->Width(), surface.Width());
  std::vector<std::uint32_t> buffer(std::size_t(std::max<LONG>(width, 0)));
  int copied = 0;
  for (LONG i = 0; i < rows; ++i) {
    const LONG scan = LONG(start) + i;
    const LONG sourceRow = dib->TopDown ? i : rows - 1 - i;
    const LONG bitmapRow = dib->TopDown ? scan : surface.Height() - 1 - scan;
    if (bitmapRow < 0 || bitmapRow >= surface.Height()) continue;
    source->ReadRow(sourceRow, 0, buffer.size(), buffer.data());
    converter.ConvertRow(buffer.data(), buffer.size());
    surface.WriteRow(bitmapRow, 0, buffer.size(), buffer.data());
    ++copied;
  }
  surface.AddDamage(surface.Bounds());
  return copied;
}

int StretchDIBits(HDC dc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                  int srcWidth, int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage,
                  DWORD rop) {
  const auto context = gdi::FindDc(dc);
  if (!context || !info) return 0;
  const auto dib = gdi::ParseDibInfo(info, usage, context->Palette());
  if (!dib) return 0;
  std::shared_ptr<TSurface> source;
  if (bits) source = gdi::DibSurface(*dib, bits, dib->DataSize());
  gdi::TTransferSource from;
  from.Surface = source.get();
  // The source rectangle's y is counted from the bottom of a bottom-up DIB.
  const LONG top = dib->TopDown ? ySrc : dib->Height - ySrc - srcHeight;
  gdi::TTransferRects rects;
  const RECT d = context->ToDevice(RECT{xDest, yDest, xDest + destWidth, yDest + destHeight});
  rects.DestX = d.left;
  rects.DestY = d.top;
  rects.DestWidth = d.right - d.left;
  rects.DestHeight = d.bottom - d.top;
  rects.SrcX = xSrc;
  rects.SrcY = top;
  rects.SrcWidth = srcWidth;
  rects.SrcHeight = srcHeight;
  const gdi::TPainter painter(context);
  if (!gdi::Transfer(painter, rects, source ? &from : nullptr, rop, context->State().StretchMode))
    return 0;
  return srcHeight < 0 ? -srcHeight : srcHeight;
}

int SetDIBitsToDevice(HDC dc, int xDest, int yDest, DWORD width, DWORD height, int xSrc, int ySrc,
                      UINT startScan, UINT lines, const void* bits, const BITMAPINFO* info,
                      UINT usage) {
  const auto context = gdi::FindDc(dc);
  if (!context || !info || !bits) return 0;
  const auto dib = gdi::ParseDibInfo(info, usage, context->Palette());
  if (!dib || startScan != 0) return 0;
  const auto source = gdi::DibSurface(*dib, bits, dib->DataSize());
  if (!source) return 0;
  gdi::TTransferSource from;
  from.Surface = source.get();
  const LONG w = LONG(std::min<DWORD>(width, 0x7FFFFFFF));
  const LONG h = LONG(std::min<DWORD>(height, 0x7FFFFFFF));
  const LONG top = dib->TopDown ? ySrc : dib->Height - ySrc - h;
  const POINT d = context->ToDevice(POINT{xDest, yDest});
  const gdi::TTransferRects rects{d.x, d.y, w, h, xSrc, top, w, h};
  const gdi::TPainter painter(context);
  gdi::Transfer(painter, rects, &from, SRCCOPY, COLORONCOLOR);
  return int(std::min<UINT>(lines, UINT(dib->Height)));
}

UINT GetDIBColorTable(HDC dc, UINT start, UINT count, RGBQUAD* colors) {
  const auto context = gdi::FindDc(dc);
  const gdi::TBitmapObject* bitmap = context ? context->SelectedBitmap() : nullptr;
  if (!bitmap || !bitmap->IsDibSection() || !colors) return 0;
  const auto& table = bitmap->Surface()->Format().Colors;
  if (start >= table.size()) return 0;
  const UINT n = std::min<UINT>(count, UINT(table.size()) - start);
  std::copy_n(table.begin() + start, n, colors);
  return n;
}

UINT SetDIBColorTable(HDC dc, UINT start, UINT count, const RGBQUAD* colors) {
  const auto context = gdi::FindDc(dc);
  gdi::TBitmapObject* bitmap = context ? context->SelectedBitmap() : nullptr;
  if (!bitmap || !bitmap->IsDibSection() || !colors) return 0;
  std::vector<RGBQUAD> table = bitmap->Surface()->Format().Colors;
  if (start >= table.size()) return 0;
  const UINT n = std::min<UINT>(count, UINT(table.size()) - start);
  std::copy_n(colors, n, table.begin() + start);
  bitmap->Surface()->SetColors(std::move(table));
  return n;
}

}  // namespace win
