// A small reader of uncompressed 24- and 32-bit BMP files for the graphics tests, installed as
// the bitmap class's file reader so pictures can be loaded and stored without the full reader.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Exceptions.h"
#include "framework/Streams.h"
#include "framework/platform/Gdi.h"

namespace fw::testing {

inline void ReadPlainBmp(TBitmap& bitmap, TStream& stream) {
  const std::int64_t count = stream.Size() - stream.Position();
  if (count == 0) {
    bitmap.SetHandle(nullptr);
    return;
  }
  std::vector<std::uint8_t> file(static_cast<std::size_t>(count));
  stream.ReadBuffer(file.data(), count);
  if (file.size() < 54 || file[0] != 'B' || file[1] != 'M') throw EInvalidGraphic("not a bmp");
  win::BITMAPINFOHEADER header;
  std::memcpy(&header, file.data() + 14, sizeof header);
  if (header.biCompression != win::BI_RGB || (header.biBitCount != 24 && header.biBitCount != 32))
    throw EInvalidGraphic("unsupported");
  void* bits = nullptr;
  const win::HBITMAP section =
      win::CreateDIBSection(nullptr, reinterpret_cast<const win::BITMAPINFO*>(&header),
                            win::DIB_RGB_COLORS, &bits, nullptr, 0);
  if (section == nullptr) throw EInvalidGraphic("no section");
  const std::size_t stride =
      (static_cast<std::size_t>(header.biWidth) * header.biBitCount + 31) / 32 * 4;
  const std::size_t bytes = stride * static_cast<std::size_t>(std::abs(header.biHeight));
  std::memcpy(bits, file.data() + 54, std::min(bytes, file.size() - 54));
  bitmap.AdoptImage(section, nullptr, nullptr, false);
}

// Installs the reader for the lifetime of the object.
class TScopedBmpReader {
 public:
  TScopedBmpReader() { TBitmap::SetReader(ReadPlainBmp); }
  ~TScopedBmpReader() { TBitmap::SetReader(nullptr); }
  TScopedBmpReader(const TScopedBmpReader&) = delete;
  TScopedBmpReader& operator=(const TScopedBmpReader&) = delete;
};

}  // namespace fw::testing
