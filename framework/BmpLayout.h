// The byte layout of BMP files: a file's headers, bit-field masks and colour table read, up to its
// pixel data, into the header block the platform's bitmap calls take, and written for a new file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "framework/platform/GdiTypes.h"

namespace fw {

// Reads up to `count` bytes into `buffer`; returns how many it read (fewer at the end).
using TBmpRead = std::function<std::size_t(void* buffer, std::size_t count)>;

enum TBmpReadResult {
  brrOk,         // the layout is read; the pixel data follows
  brrEmpty,      // no bytes at all: an empty bitmap
  brrReadError,  // the file ends inside a part whose length is checked
  brrInvalid,    // not a bitmap this reader accepts
  brrEmbedded,   // a JPEG or PNG picture inside a bitmap file (printers' compressions)
};

struct TBmpLayout {
  // The 40-byte (or the file's larger) info header, widened from a 12-byte core header, then
  // the three masks of a 40-byte bit-field header, then the colour table as 4-byte entries.
  std::vector<std::uint8_t> Info;
  bool CoreHeader = false;
  std::int32_t Width = 0;
  std::int32_t Height = 0;  // negative: rows stored top-down
  std::uint16_t BitCount = 0;
  std::uint32_t Compression = 0;
  std::uint32_t ColorCount = 0;  // entries in the colour table
  // Bytes between the end of the colour table and the pixel data, from the file header's offset
  // when it points there or further and inside the file; otherwise 0 (old writers leave the
  // offset 0 or wrong, and the pixels follow the table).
  std::uint64_t DataGap = 0;
  // The header's image size, or the padded row length times the height when that is 0.
  std::uint64_t DataLength = 0;
  // Bytes of pixel data to read after the gap: DataLength, but never more than the file holds.
  std::uint64_t PixelBytes = 0;
  // Bytes from the start of the file to the end of the colour table: what the reader consumed.
  std::uint64_t TableEnd = 0;

  // The colour table: the ColorCount 4-byte entries after the info header (and its masks).
  const std::uint8_t* ColorTable() const {
    return Info.data() + Info.size() - std::size_t(ColorCount) * 4;
  }
};

// Compression values of the info header.
inline constexpr std::uint32_t BmpRgb = 0;
inline constexpr std::uint32_t BmpRle8 = 1;
inline constexpr std::uint32_t BmpRle4 = 2;
inline constexpr std::uint32_t BmpBitFields = 3;
inline constexpr std::uint32_t BmpJpeg = 4;
inline constexpr std::uint32_t BmpPng = 5;

// Reads the file header, the info header, the masks and the colour table; the gap before the
// pixel data is left to the caller. `available` is the number of bytes from the current position
// to the end of the file. A file that ends inside its headers, or holds no pixel bytes at all
// after them, is a read error.
TBmpReadResult ReadBmpLayout(const TBmpRead& read, std::uint64_t available, TBmpLayout& layout);
// The same for a whole file held in memory.
TBmpReadResult ReadBmpLayout(std::span<const std::uint8_t> file, TBmpLayout& layout);

// The padded length of one row: (width * bits + 31) div 32 * 4; 0 for a width or bit count that
// describes no rows.
std::uint64_t BmpRowBytes(std::int64_t width, std::uint32_t bitCount);

// The start of a BMP file written with a 40-byte info header: the file header and `info`, whose
// biSizeImage bytes of pixel data follow `tableBytes` bytes of masks and colour table that the
// caller appends, as the offsets and sizes written say.
std::vector<std::uint8_t> BmpFileStart(const win::BITMAPINFOHEADER& info, std::uint32_t tableBytes);

// Follows run-length encoded data (8 or 4 bits per pixel) code by code, as the decoder reads it,
// to find where it ends: right after its end-of-bitmap code.
class TBmpRunLengthEnd {
 public:
  explicit TBmpRunLengthEnd(std::uint32_t compression) : FFourBit(compression == BmpRle4) {}

  // Takes the next bytes of the data; returns how many of them belong to it, fewer than `count`
  // only when its end lies inside them.
  std::size_t Take(const std::uint8_t* bytes, std::size_t count);
  bool Ended() const { return FState == stEnded; }

 private:
  enum TState { stCount, stValue, stEscape, stSkip, stEnded };
  void Step(std::uint8_t byte);

  bool FFourBit;
  TState FState = stCount;
  std::size_t FSkip = 0;  // bytes of a delta or a literal run still to pass
};

}  // namespace fw
