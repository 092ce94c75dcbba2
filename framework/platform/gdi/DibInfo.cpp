#include "framework/platform/gdi/DibInfo.h"

#include <algorithm>
#include <cstring>

namespace win::gdi {
namespace {

template <class T>
T ReadAt(const void* base, std::size_t offset) {
  T value;
  std::memcpy(static_cast<void*>(&value), static_cast<const std::uint8_t*>(base) + offset,
              sizeof(T));
  return value;
}

bool ValidBitCount(int bpp) {
  return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
}

}  // namespace

std::size_t TDibInfo::DataSize() const {
  if (Compression == BI_RLE8 || Compression == BI_RLE4) return SizeImage;
  return Stride() * std::size_t(Height);
}

std::optional<TDibInfo> ParseDibInfo(const BITMAPINFO* info, UINT usage,
                                     const TPaletteObject* palette) {
  if (!info) return std::nullopt;
  TDibInfo dib;
  const DWORD headerSize = ReadAt<DWORD>(info, 0);
  const bool core = headerSize == sizeof(BITMAPCOREHEADER);
  if (core) {
    const auto h = ReadAt<BITMAPCOREHEADER>(info, 0);
    dib.Header.biWidth = h.bcWidth;
    dib.Header.biHeight = h.bcHeight;
    dib.Header.biPlanes = h.bcPlanes;
    dib.Header.biBitCount = h.bcBitCount;
  } else if (headerSize >= sizeof(BITMAPINFOHEADER) && headerSize <= 1024) {
    dib.Header = ReadAt<BITMAPINFOHEADER>(info, 0);
  } else {
    return std::nullopt;
  }
  dib.HeaderSize = headerSize;
  dib.Header.biSize = sizeof(BITMAPINFOHEADER);
  const BITMAPINFOHEADER& h = dib.Header;
  const int bpp = h.biBitCount;
  if (!ValidBitCount(bpp) || h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN) {
    return std::nullopt;
  }
  dib.Width = h.biWidth;
  dib.Height = h.biHeight < 0 ? -h.biHeight : h.biHeight;
  dib.TopDown = h.biHeight < 0;
  dib.Compression = core ? BI_RGB : h.biCompression;
  dib.SizeImage = h.biSizeImage;
  switch (dib.Compression) {
    case BI_RGB:
      break;
    case BI_BITFIELDS:
      if (bpp != 16 && bpp != 32) return std::nullopt;
      // The masks follow a 40-byte header and lie inside headers of 52 bytes or more; a header
      // in between would have them straddle its end.
      if (!core && headerSize > sizeof(BITMAPINFOHEADER) && headerSize < 52) return std::nullopt;
      break;
    case BI_RLE8:
      if (bpp != 8 || dib.TopDown) return std::nullopt;
      break;
    case BI_RLE4:
      if (bpp != 4 || dib.TopDown) return std::nullopt;
      break;
    default:
      return std::nullopt;
  }
  if (DibStride(dib.Width, bpp) < 0) return std::nullopt;

  dib.Format = TPixelFormat::Rgb(bpp);
  std::size_t tableOffset = headerSize;
  if (dib.Compression == BI_BITFIELDS) {
    // Masks follow a 40-byte header; the larger headers carry them inside.
    const std::size_t at = headerSize == sizeof(BITMAPINFOHEADER) ? headerSize : 40;
    dib.Format.RedMask = ReadAt<DWORD>(info, at);
    dib.Format.GreenMask = ReadAt<DWORD>(info, at + 4);
    dib.Format.BlueMask = ReadAt<DWORD>(info, at + 8);
    if (headerSize == sizeof(BITMAPINFOHEADER)) tableOffset += 12;
    if (!dib.Format.RedMask && !dib.Format.GreenMask && !dib.Format.BlueMask) {
      dib.Format = TPixelFormat::Rgb(bpp);
      dib.MasksMissing = true;
    }
  }
  if (bpp <= 8) {
    std::size_t count = std::size_t(1) << bpp;
    if (!core && h.biClrUsed != 0 && h.biClrUsed < count) count = h.biClrUsed;
    dib.Format.Colors.resize(std::size_t(1) << bpp);
    for (std::size_t i = 0; i < count; ++i) {
      if (usage == DIB_PAL_COLORS) {
        const WORD index = ReadAt<WORD>(info, tableOffset + 2 * i);
        if (palette && index < palette->Entries().size()) {
          const PALETTEENTRY& e = palette->Entries()[index];
          dib.Format.Colors[i] = RGBQUAD{e.peBlue, e.peGreen, e.peRed, 0};
        }
      } else if (core) {
        const auto t = ReadAt<RGBTRIPLE>(info, tableOffset + 3 * i);
        dib.Format.Colors[i] = RGBQUAD{t.rgbtBlue, t.rgbtGreen, t.rgbtRed, 0};
      } else {
        dib.Format.Colors[i] = ReadAt<RGBQUAD>(info, tableOffset + 4 * i);
      }
    }
  }
  return dib;
}

std::shared_ptr<TSurface> DibSurface(const TDibInfo& dib, const void* bits, std::size_t available) {
  if (!bits) return nullptr;
  if (dib.Compression == BI_RLE8 || dib.Compression == BI_RLE4) {
    auto out = TSurface::Create(dib.Width, dib.Height, dib.Format, false);
    if (!out) return nullptr;
    DecodeRle(static_cast<const std::uint8_t*>(bits), available, dib.Compression == BI_RLE4, *out);
    return out;
  }
  return TSurface::Wrap(dib.Width, dib.Height, dib.Format, dib.TopDown, const_cast<void*>(bits),
                        available);
}

void DecodeRle(const std::uint8_t* data, std::size_t size, bool rle4, TSurface& out,
               std::vector<std::uint8_t>* written) {
  const LONG width = out.Width(), height = out.Height();
  if (written) written->assign(std::size_t(width) * std::size_t(height), 0);
  LONG x = 0, y = 0;  // y counts rows from the bottom
  std::size_t i = 0;
  auto put = [&](std::uint32_t value) {
    if (x < width && y < height) {
      out.SetPixel(x, height - 1 - y, value);
      if (written)
        (*written)[std::size_t(height - 1 - y) * std::size_t(width) + std::size_t(x)] = 1;
    }
    if (x < width) ++x;  // pixels past the row end are dropped
  };
  while (i + 1 < size && y < height) {
    const std::uint8_t count = data[i], value = data[i + 1];
    i += 2;
    if (count > 0) {
      // An encoded run: one index repeated, or two alternating nibbles.
      for (int k = 0; k < count && x < width; ++k) {
        put(rle4 ? ((k & 1) ? value & 0xF : value >> 4) : value);
      }
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of bitmap
      break;
    } else if (value == 2) {  // delta
      if (i + 1 >= size) break;
      x = std::min<LONG>(width, x + data[i]);
      y += data[i + 1];
      i += 2;
    } else {  // a literal run of `value` pixels, padded to 16 bits
      const std::size_t bytes = rle4 ? (std::size_t(value) + 1) / 2 : value;
      if (i + bytes > size) break;
      for (int k = 0; k < value; ++k) {
        const std::uint8_t b = data[i + (rle4 ? std::size_t(k) / 2 : std::size_t(k))];
        put(rle4 ? ((k & 1) ? b & 0xF : b >> 4) : b);
      }
      i += (bytes + 1) & ~std::size_t(1);
    }
  }
}

}  // namespace win::gdi
