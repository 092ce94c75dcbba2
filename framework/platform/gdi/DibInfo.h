// Reading a BITMAPINFO as the DIB calls take it (core, info and larger headers, colour tables,
// bit-field masks) and decoding run-length encoded pixel data without reading or writing
// outside the buffers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "framework/platform/GdiTypes.h"
#include "framework/platform/gdi/PaletteObject.h"
#include "framework/platform/gdi/Surface.h"

namespace win::gdi {

struct TDibInfo {
  LONG Width = 0;
  LONG Height = 0;  // always positive
  bool TopDown = false;
  DWORD Compression = BI_RGB;
  DWORD SizeImage = 0;
  TPixelFormat Format;
  BITMAPINFOHEADER Header;  // the header as a 40-byte info header
  std::size_t HeaderSize = 40;
  // Bit fields whose three masks are all zero: reads (GetDIBits) take the bitmap's own layout,
  // but no bitmap is created from them.
  bool MasksMissing = false;
  std::size_t Stride() const { return std::size_t(DibStride(Width, Format.BitCount)); }
  // Bytes of pixel data the DIB holds: the image size for compressed data, else rows * stride.
  std::size_t DataSize() const;
};

// Reads the header, masks and colour table. DIB_PAL_COLORS tables index `palette` (the
// context's). Answers nothing for a header the platform refuses (unknown size, bit count or
// compression, or a width or height that is zero or out of range).
std::optional<TDibInfo> ParseDibInfo(const BITMAPINFO* info, UINT usage,
                                     const TPaletteObject* palette);

// The pixel data of a DIB as a surface: a view on uncompressed data, or a decoded copy of
// BI_RLE8 or BI_RLE4 data (`available` bytes at most). Null when the data cannot be read.
std::shared_ptr<TSurface> DibSurface(const TDibInfo& dib, const void* bits, std::size_t available);

// Decodes run-length encoded rows into an 8- or 4-bit bottom-up surface of the same size. Runs
// past a row end or the image are cut, deltas are honoured, truncated data ends the picture.
// Pixels the data never sets stay 0; `written`, when given, gets one byte per pixel (top row
// first), 1 where the data set the pixel.
void DecodeRle(const std::uint8_t* data, std::size_t size, bool rle4, TSurface& out,
               std::vector<std::uint8_t>* written = nullptr);

}  // namespace win::gdi
