#include "framework/BmpReader.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/BmpLayout.h"
#include "framework/ColorTables.h"
#include "framework/Exceptions.h"
#include "framework/GdiHandles.h"
#include "framework/PictureLimits.h"
#include "framework/Streams.h"
#include "framework/platform/LastError.h"

namespace fw {
namespace {

using gdihandles::TMemoryDC;
using gdihandles::TOwned;
using gdihandles::TSelected;
using gdihandles::TSelectedPalette;

[[noreturn]] void RaiseInvalidBitmap() {
  throw EInvalidGraphic(LoadResString(SInvalidBitmap));
}

// The platform refused to build the bitmap: its reason when it gives one, else an invalid file.
[[noreturn]] void RaiseRefusal() {
  if (win::GetLastError() == win::ERROR_NOT_ENOUGH_MEMORY)
    throw EOutOfResources(LoadResString(SOutOfResources));
  RaiseInvalidBitmap();
}

// Reads as much of `count` bytes as the stream has; returns how many arrived.
std::size_t ReadAvailable(TStream& stream, void* buffer, std::size_t count) {
  auto* at = static_cast<std::uint8_t*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    const std::int64_t got = stream.Read(at + done, std::int64_t(count - done));
    if (got <= 0) break;
    done += std::size_t(got);
  }
  return done;
}

win::HPALETTE PaletteFromColorTable(const TBmpLayout& layout) {
  return CreatePaletteFromColorTable(layout.ColorTable(), layout.ColorCount);
}

bool IsUncompressed(const TBmpLayout& layout) {
  return layout.Compression == BmpRgb || layout.Compression == BmpBitFields;
}

// Hands a new image to the bitmap, which owns the palette from then on (also when it refuses the
// image) and the platform bitmap once it has taken it.
void Adopt(TBitmap& bitmap, TOwned<win::HBITMAP>& handle, win::HPALETTE palette,
           std::unique_ptr<TMemoryStream> keptFile, bool coreHeader) {
  bitmap.AdoptImage(handle.Get(), palette, std::move(keptFile), coreHeader);
  handle.Release();
}

// Uncompressed and bit-field data: a section whose memory receives the pixel bytes as they are;
// bytes the file lacks stay zero, bytes beyond the section's size are not read. Top-down rows go
// into a bottom-up section, the first row read into the last row of memory: the bitmap class
// copies sections as bottom-up ones, so a top-down section would come out upside down in a copy.
void ReadSection(TBitmap& bitmap, TStream& stream, const TBmpLayout& layout) {
  // The one height whose rows cannot be turned over; the platform refuses it as well.
  if (layout.Height == INT32_MIN) RaiseInvalidBitmap();
  std::vector<std::uint8_t> info(layout.Info);
  const bool topDown = layout.Height < 0;
  if (topDown) {
    const std::int32_t height = -layout.Height;
    std::memcpy(info.data() + 8, &height, sizeof height);
  }
  win::SetLastError(win::ERROR_SUCCESS);
  void* bits = nullptr;
  TOwned<win::HBITMAP> section(
      win::CreateDIBSection(nullptr, reinterpret_cast<const win::BITMAPINFO*>(info.data()),
                            win::DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!section || bits == nullptr) RaiseRefusal();
  win::DIBSECTION ds;
  if (win::GetObject(section.Get(), int(sizeof ds), &ds) != int(sizeof ds)) RaiseInvalidBitmap();
  const std::size_t rows = std::size_t(std::abs(std::int64_t(ds.dsBm.bmHeight)));
  const std::size_t stride = std::size_t(std::max<win::LONG>(ds.dsBm.bmWidthBytes, 0));
  std::size_t length = std::size_t(std::min<std::uint64_t>(layout.PixelBytes, stride * rows));
  auto* memory = static_cast<std::uint8_t*>(bits);
  stream.Seek(std::int64_t(layout.DataGap), soCurrent);
  std::size_t read = 0;
  if (!topDown) {
    read = ReadAvailable(stream, memory, length);
  } else {
    for (std::size_t row = rows; row > 0 && length > 0; --row) {
      const std::size_t count = std::min(stride, length);
      const std::size_t got = ReadAvailable(stream, memory + (row - 1) * stride, count);
      read += got;
      if (got < count) break;
      length -= count;
    }
  }
  // A deeper section keeps a palette only when the file carries a colour table; shallower ones
  // have their colours in the section itself.
  const win::HPALETTE palette = layout.BitCount > 8 ? PaletteFromColorTable(layout) : nullptr;
  Adopt(bitmap, section, palette, nullptr, layout.CoreHeader);
  bitmap.NotePixelData(read, stride * rows);
}

// Zero bytes that can still change what run-length data decodes to when appended to it: the
// rest of a literal run, then one end-of-line pair per remaining row.
std::uint64_t UsefulPadding(const TBmpLayout& layout) {
  const std::int64_t height = layout.Height < 0 ? -std::int64_t(layout.Height) : layout.Height;
  return 256 + 2 * std::uint64_t(height + 1);
}

// Compressed data: a device-compatible bitmap built by the platform from the header, the colour
// table and the data, with a palette from the table realised meanwhile. The file is kept with
// the image so that it can be written back unchanged.
void ReadDeviceBitmap(TBitmap& bitmap, const TBmpLayout& layout,
                      std::unique_ptr<TMemoryStream> keptFile, std::size_t dataOffset) {
  if (layout.Width == 0 || layout.Height == 0) RaiseInvalidBitmap();
  // The data, zero-padded up to the header's image size as far as padding can matter, and the
  // header telling the platform exactly how many bytes it has.
  std::vector<std::uint8_t> info(layout.Info);
  win::BITMAPINFOHEADER header;
  std::memcpy(&header, info.data(), sizeof header);
  std::uint64_t length = layout.PixelBytes;
  if (header.biSizeImage > length)
    length = std::min<std::uint64_t>(header.biSizeImage, length + UsefulPadding(layout));
  std::vector<std::uint8_t> data(std::size_t(length), 0);
  if (layout.PixelBytes > 0)
    std::memcpy(data.data(), keptFile->Memory() + dataOffset, std::size_t(layout.PixelBytes));
  if (header.biSizeImage != 0) {
    header.biSizeImage = win::DWORD(length);
    std::memcpy(info.data(), &header, sizeof header);
  }

  TMemoryDC dc;
  // The screen's format: a device-compatible bitmap of the screen's depth selected in the context.
  const int screenBits =
      win::GetDeviceCaps(dc.Get(), win::BITSPIXEL) * win::GetDeviceCaps(dc.Get(), win::PLANES);
  TOwned<win::HBITMAP> screenLike(win::CreateBitmap(1, 1, 1, win::UINT(screenBits), nullptr));
  TSelected selected(dc.Get(), screenLike.Get());
  TOwned<win::HPALETTE> palette(PaletteFromColorTable(layout));
  TOwned<win::HBITMAP> made;
  {
    TSelectedPalette realised(dc.Get(), palette.Get());
    win::SetLastError(win::ERROR_SUCCESS);
    made.Reset(win::CreateDIBitmap(dc.Get(), &header, win::CBM_INIT, data.data(),
                                   reinterpret_cast<const win::BITMAPINFO*>(info.data()),
                                   win::DIB_RGB_COLORS));
  }
  if (!made) RaiseRefusal();
  data = {};
  Adopt(bitmap, made, palette.Release(), std::move(keptFile), layout.CoreHeader);
}

struct TKeptData {
  std::uint64_t Bytes = 0;  // of pixel data
  bool Ended = false;       // at the end-of-bitmap code
};

// Copies a compressed file into memory up to the end of its pixel data: the headers, the gap,
// then the data as far as the decoder reads it (run-length data ends at its end-of-bitmap
// code), and never past the header's image size or the file's end, so that a long tail after
// the data is not read at all.
TKeptData KeepCompressedFile(TStream& stream, std::int64_t start, std::uint64_t dataOffset,
                             const TBmpLayout& layout, TMemoryStream& kept) {
  stream.SetPosition(start);
  kept.CopyFrom(stream, std::int64_t(dataOffset));
  const bool runLength = layout.Compression == BmpRle8 || layout.Compression == BmpRle4;
  TBmpRunLengthEnd end(layout.Compression);
  std::vector<std::uint8_t> block(std::size_t(std::min<std::uint64_t>(layout.PixelBytes, 65536)));
  std::uint64_t taken = 0;
  while (taken < layout.PixelBytes && !end.Ended()) {
    const std::size_t wanted =
        std::size_t(std::min<std::uint64_t>(layout.PixelBytes - taken, block.size()));
    const std::size_t got = ReadAvailable(stream, block.data(), wanted);
    const std::size_t used = runLength ? end.Take(block.data(), got) : got;
    kept.WriteBuffer(block.data(), std::int64_t(used));
    taken += used;
    if (got < wanted) break;
  }
  return TKeptData{taken, end.Ended()};
}

}  // namespace

void ReadBitmapFile(TBitmap& Bitmap, TStream& Stream) {
  const std::int64_t start = Stream.Position();
  const std::uint64_t available = std::uint64_t(std::max<std::int64_t>(Stream.Size() - start, 0));
  const TBmpRead read = [&Stream](void* buffer, std::size_t count) {
    return ReadAvailable(Stream, buffer, count);
  };
  TBmpLayout layout;
  switch (ReadBmpLayout(read, available, layout)) {
    case brrOk:
      break;
    case brrEmpty:
      Bitmap.SetHandle(nullptr);
      return;
    case brrReadError:
      throw EReadError(LoadResString(SReadError));
    case brrInvalid:
      RaiseInvalidBitmap();
    case brrEmbedded:
      throw EInvalidGraphic(LoadResString(SEmbeddedPicture));
  }
  CheckPictureSize(layout.Width, layout.Height);
  if (IsUncompressed(layout)) {
    ReadSection(Bitmap, Stream, layout);
    return;
  }
  auto kept = std::make_unique<TMemoryStream>();
  const std::uint64_t dataOffset = layout.TableEnd + layout.DataGap;
  const TKeptData data = KeepCompressedFile(Stream, start, dataOffset, layout, *kept);
  layout.PixelBytes = data.Bytes;
  ReadDeviceBitmap(Bitmap, layout, std::move(kept), std::size_t(dataOffset));
  // Data that reaches its end code is complete however long the header says it is.
  Bitmap.NotePixelData(data.Bytes, data.Ended ? data.Bytes : layout.DataLength);
}

}  // namespace fw
