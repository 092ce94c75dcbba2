#include "framework/BmpLayout.h"

#include <algorithm>
#include <cstring>

#include "framework/ByteOrder.h"
#include "framework/platform/GdiBitmaps.h"

namespace fw {
namespace {

constexpr std::size_t FileHeaderSize = 14;
constexpr std::uint32_t CoreHeaderSize = 12;
constexpr std::uint32_t InfoHeaderSize = 40;
// Fields beyond the largest header the platform defines (124 bytes) are skipped, not kept.
constexpr std::uint32_t LargestHeaderSize = 124;

// Reads exactly `count` bytes, keeping track of what the file still holds.
class TReader {
 public:
  TReader(const TBmpRead& read, std::uint64_t available) : FRead(read), FAvailable(available) {}

  bool ReadExactly(void* buffer, std::size_t count) {
    if (count > FAvailable) return false;
    const std::size_t got = FRead(buffer, count);
    FAvailable -= got;
    return got == count;
  }

  bool Skip(std::uint64_t count) {
    std::uint8_t scratch[256];
    while (count > 0) {
      const std::size_t chunk = std::size_t(std::min<std::uint64_t>(count, sizeof scratch));
      if (!ReadExactly(scratch, chunk)) return false;
      count -= chunk;
    }
    return true;
  }

  std::uint64_t Available() const { return FAvailable; }

 private:
  const TBmpRead& FRead;
  std::uint64_t FAvailable;
};

std::uint32_t DefaultColorCount(std::uint16_t bitCount) {
  switch (bitCount) {
    case 1:
      return 2;
    case 4:
      return 16;
    case 8:
      return 256;
    default:
      return 0;
  }
}

// Widens a core header (16-bit width and height, planes, bit count) to an info header.
void WidenCoreHeader(const std::uint8_t* core, std::vector<std::uint8_t>& info) {
  info.assign(InfoHeaderSize, 0);
  WriteLe32(info.data(), InfoHeaderSize);
  WriteLe32(info.data() + 4, ReadLe16(core));
  WriteLe32(info.data() + 8, ReadLe16(core + 2));
  WriteLe16(info.data() + 12, ReadLe16(core + 4));
  WriteLe16(info.data() + 14, ReadLe16(core + 6));
}

}  // namespace

std::uint64_t BmpRowBytes(std::int64_t width, std::uint32_t bitCount) {
  // No pixel format is wider than 64 bits.
  if (bitCount > 64) return 0;
  const std::int64_t stride = win::DibStride(width, int(bitCount));
  return stride < 0 ? 0 : std::uint64_t(stride);
}

TBmpReadResult ReadBmpLayout(const TBmpRead& read, std::uint64_t available, TBmpLayout& layout) {
  layout = TBmpLayout{};
  if (available == 0) return brrEmpty;
  TReader reader(read, available);

  std::uint8_t fileHeader[FileHeaderSize];
  if (!reader.ReadExactly(fileHeader, sizeof fileHeader)) return brrReadError;
  if (fileHeader[0] != 'B' || fileHeader[1] != 'M') return brrInvalid;
  const std::uint32_t dataOffset = ReadLe32(fileHeader + 10);

  std::uint8_t sizeBytes[4];
  if (!reader.ReadExactly(sizeBytes, 4)) return brrReadError;
  const std::uint32_t headerSize = ReadLe32(sizeBytes);
  if (headerSize == CoreHeaderSize) {
    std::uint8_t core[8];
    if (!reader.ReadExactly(core, sizeof core)) return brrReadError;
    WidenCoreHeader(core, layout.Info);
    layout.CoreHeader = true;
  } else if (headerSize >= InfoHeaderSize) {
    const std::uint32_t kept = std::min(headerSize, LargestHeaderSize);
    layout.Info.assign(kept, 0);
    WriteLe32(layout.Info.data(), kept);
    if (!reader.ReadExactly(layout.Info.data() + 4, kept - 4)) return brrReadError;
    if (!reader.Skip(headerSize - kept)) return brrReadError;
  } else {
    return brrInvalid;  // no platform header is that small
  }

  const std::uint8_t* info = layout.Info.data();
  layout.Width = std::int32_t(ReadLe32(info + 4));
  layout.Height = std::int32_t(ReadLe32(info + 8));
  const std::uint16_t planes = ReadLe16(info + 12);
  layout.BitCount = ReadLe16(info + 14);
  layout.Compression = ReadLe32(info + 16);
  const std::uint32_t sizeImage = ReadLe32(info + 20);
  const std::uint32_t colorsUsed = ReadLe32(info + 32);
  if (planes != 1) return brrInvalid;
  if (layout.Compression == BmpJpeg || layout.Compression == BmpPng) return brrEmbedded;

  const bool masksFollow = headerSize == InfoHeaderSize &&
                           (layout.BitCount == 16 || layout.BitCount == 32) &&
                           layout.Compression == BmpBitFields;
  if (masksFollow) {
    const std::size_t at = layout.Info.size();
    layout.Info.resize(at + 12);
    if (!reader.ReadExactly(layout.Info.data() + at, 12)) return brrReadError;
  }

  layout.ColorCount = colorsUsed != 0 ? colorsUsed : DefaultColorCount(layout.BitCount);
  const std::uint64_t entrySize = layout.CoreHeader ? 3 : 4;
  if (std::uint64_t(layout.ColorCount) * entrySize > reader.Available()) return brrReadError;
  const std::size_t tableAt = layout.Info.size();
  layout.Info.resize(tableAt + std::size_t(layout.ColorCount) * 4);
  for (std::uint32_t i = 0; i < layout.ColorCount; ++i) {
    std::uint8_t* entry = layout.Info.data() + tableAt + std::size_t(i) * 4;
    if (!reader.ReadExactly(entry, std::size_t(entrySize))) return brrReadError;
    if (layout.CoreHeader) entry[3] = 0;
  }

  const std::uint64_t tableEnd = available - reader.Available();
  layout.TableEnd = tableEnd;
  if (dataOffset >= tableEnd && dataOffset < available) layout.DataGap = dataOffset - tableEnd;
  const std::uint64_t remaining = reader.Available() - layout.DataGap;
  if (remaining == 0) return brrReadError;
  const std::uint64_t computed =
      BmpRowBytes(layout.Width, layout.BitCount) *
      std::uint64_t(layout.Height < 0 ? -std::int64_t(layout.Height) : layout.Height);
  layout.DataLength = sizeImage != 0 ? sizeImage : computed;
  layout.PixelBytes = std::min(layout.DataLength, remaining);
  return brrOk;
}

TBmpReadResult ReadBmpLayout(std::span<const std::uint8_t> file, TBmpLayout& layout) {
  std::size_t at = 0;
  const TBmpRead read = [&](void* buffer, std::size_t count) {
    const std::size_t n = std::min(count, file.size() - at);
    std::memcpy(buffer, file.data() + at, n);
    at += n;
    return n;
  };
  return ReadBmpLayout(read, file.size(), layout);
}

std::vector<std::uint8_t> BmpFileStart(const win::BITMAPINFOHEADER& info,
                                       std::uint32_t tableBytes) {
  const std::uint32_t offset = std::uint32_t(FileHeaderSize) + InfoHeaderSize + tableBytes;
  std::vector<std::uint8_t> out;
  out.reserve(offset);
  out.push_back('B');
  out.push_back('M');
  AppendLe32(out, offset + info.biSizeImage);
  AppendLe32(out, 0);
  AppendLe32(out, offset);
  AppendLe32(out, InfoHeaderSize);
  AppendLe32(out, std::uint32_t(info.biWidth));
  AppendLe32(out, std::uint32_t(info.biHeight));
  AppendLe16(out, info.biPlanes);
  AppendLe16(out, info.biBitCount);
  AppendLe32(out, info.biCompression);
  AppendLe32(out, info.biSizeImage);
  AppendLe32(out, std::uint32_t(info.biXPelsPerMeter));
  AppendLe32(out, std::uint32_t(info.biYPelsPerMeter));
  AppendLe32(out, info.biClrUsed);
  AppendLe32(out, info.biClrImportant);
  return out;
}

void TBmpRunLengthEnd::Step(std::uint8_t byte) {
  switch (FState) {
    case stCount:
      FState = byte != 0 ? stValue : stEscape;
      return;
    case stValue:
      FState = stCount;
      return;
    case stEscape:
      if (byte == 0) {
        FState = stCount;  // end of line
      } else if (byte == 1) {
        FState = stEnded;  // end of bitmap
      } else if (byte == 2) {
        FSkip = 2;  // a delta: two offsets follow
        FState = stSkip;
      } else {
        // A literal run of `byte` pixels, padded to whole 16-bit words.
        const std::size_t bytes = FFourBit ? (std::size_t(byte) + 1) / 2 : byte;
        FSkip = (bytes + 1) & ~std::size_t(1);
        FState = stSkip;
      }
      return;
    case stSkip:
    case stEnded:
      return;
  }
}

std::size_t TBmpRunLengthEnd::Take(const std::uint8_t* bytes, std::size_t count) {
  std::size_t at = 0;
  while (at < count && FState != stEnded) {
    if (FState == stSkip) {
      const std::size_t passed = std::min(FSkip, count - at);
      FSkip -= passed;
      at += passed;
      if (FSkip == 0) FState = stCount;
      continue;
    }
    Step(bytes[at++]);
  }
  return at;
}

}  // namespace fw
