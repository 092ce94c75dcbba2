#include "framework/platform/gdi/Surface.h"

#include <bit>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

namespace win::gdi {
namespace {

int MaskShift(DWORD mask) {
  return mask ? std::countr_zero(mask) : 0;
}

int MaskWidth(DWORD mask) {
  return mask ? std::popcount(mask) : 0;
}

// Widens a channel of `bits` bits to 8 bits by repeating its high bits, as 5-bit 31 gives 255.
std::uint32_t ExpandChannel(std::uint32_t v, int bits) {
  if (bits <= 0) return 0;
  if (bits >= 8) return (v >> (bits - 8)) & 0xFF;
  std::uint32_t out = 0;
  int filled = 0;
  while (filled < 8) {
    const int shift = 8 - filled - bits;
    out |= shift >= 0 ? (v << shift) : (v >> -shift);
    filled += bits;
  }
  return out & 0xFF;
}

std::uint32_t NarrowChannel(std::uint32_t v8, int bits) {
  if (bits <= 0) return 0;
  if (bits >= 8) return v8 << (bits - 8);
  return v8 >> (8 - bits);
}

}  // namespace

TPixelFormat TPixelFormat::Rgb(int bitCount) {
  TPixelFormat f;
  f.BitCount = bitCount;
  if (bitCount == 16) {
    f.RedMask = 0x7C00;
    f.GreenMask = 0x03E0;
    f.BlueMask = 0x001F;
  } else if (bitCount == 32 || bitCount == 24) {
    f.RedMask = 0xFF0000;
    f.GreenMask = 0x00FF00;
    f.BlueMask = 0x0000FF;
  }
  return f;
}

TPixelFormat TPixelFormat::Monochrome() {
  TPixelFormat f;
  f.BitCount = 1;
  f.Colors = {RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}};
  return f;
}

TSurface::~TSurface() = default;

void TSurface::Init(LONG width, LONG height, TPixelFormat format, bool topDown) {
  FWidth = width;
  FHeight = height;
  FTopDown = topDown;
  if (format.BitCount == 24) format = TPixelFormat::Rgb(24);
  FFormat = std::move(format);
  FStride = std::size_t(DibStride(width, FFormat.BitCount));
  if (FFormat.IsIndexed()) {
    FValueMask = (1u << FFormat.BitCount) - 1;
  } else {
    const DWORD masks[3] = {FFormat.RedMask, FFormat.GreenMask, FFormat.BlueMask};
    FValueMask = 0;
    for (int i = 0; i < 3; ++i) {
      FShift[i] = MaskShift(masks[i]);
      FBits3[i] = MaskWidth(masks[i] >> FShift[i]);
      FValueMask |= masks[i];
    }
  }
}

static bool UsableSize(LONG width, LONG height, int bitCount) {
  if (width <= 0 || height <= 0) return false;
  if (std::int64_t(width) * height > kMaxSurfacePixels) return false;
  const std::int64_t stride = DibStride(width, bitCount);
  return stride > 0 && stride * height <= kMaxSurfaceBytes;
}

std::shared_ptr<TSurface> TSurface::Create(LONG width, LONG height, TPixelFormat format,
                                           bool topDown) {
  if (!UsableSize(width, height, format.BitCount)) return nullptr;
  std::shared_ptr<TSurface> s;
  try {
    s = std::make_shared<TSurface>(TKey());
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  s->Init(width, height, std::move(format), topDown);
  s->FOwned = AllocateZeroedBytes(s->ByteSize());
  if (!s->FOwned) return nullptr;
  s->FBits = s->FOwned.get();
  return s;
}

std::shared_ptr<TSurface> TSurface::Wrap(LONG width, LONG height, TPixelFormat format, bool topDown,
                                         void* bits, std::size_t available) {
  if (!bits || !UsableSize(width, height, format.BitCount)) return nullptr;
  auto s = std::make_shared<TSurface>(TKey());
  s->Init(width, height, std::move(format), topDown);
  if (s->ByteSize() > available) return nullptr;
  s->FBits = static_cast<std::uint8_t*>(bits);
  return s;
}

void TSurface::SetColors(std::vector<RGBQUAD> colors) {
  FFormat.Colors = std::move(colors);
}

std::uint32_t TSurface::GetPixel(LONG x, LONG y) const {
  const std::uint8_t* row = Row(y);
  switch (FFormat.BitCount) {
    case 1:
      return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case 4:
      return (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF;
    case 8:
      return row[x];
    case 16: {
      const std::uint8_t* p = row + 2 * std::size_t(x);
      return (std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8) & FValueMask;
    }
    case 24: {
      const std::uint8_t* p = row + 3 * std::size_t(x);
      return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16;
    }
    default: {
      std::uint32_t v;
      std::memcpy(&v, row + 4 * std::size_t(x), 4);
      return v & FValueMask;
    }
  }
}

void TSurface::SetPixel(LONG x, LONG y, std::uint32_t value) {
  std::uint8_t* row = Row(y);
  value &= FValueMask;
  switch (FFormat.BitCount) {
    case 1: {
      const int shift = 7 - (x & 7);
      std::uint8_t& b = row[x >> 3];
      b = std::uint8_t((b & ~(1u << shift)) | (value << shift));
      break;
    }
    case 4: {
      std::uint8_t& b = row[x >> 1];
      b = (x & 1) ? std::uint8_t((b & 0xF0) | value) : std::uint8_t((b & 0x0F) | (value << 4));
      break;
    }
    case 8:
      row[x] = std::uint8_t(value);
      break;
    case 16: {
      std::uint8_t* p = row + 2 * std::size_t(x);
      p[0] = std::uint8_t(value);
      p[1] = std::uint8_t(value >> 8);
      break;
    }
    case 24: {
      std::uint8_t* p = row + 3 * std::size_t(x);
      p[0] = std::uint8_t(value);
      p[1] = std::uint8_t(value >> 8);
      p[2] = std::uint8_t(value >> 16);
      break;
    }
    default:
      std::memcpy(row + 4 * std::size_t(x), &value, 4);
      break;
  }
}

void TSurface::ReadRow(LONG y, LONG x, std::size_t count, std::uint32_t* out) const {
  const std::uint8_t* row = Row(y);
  if (FFormat.BitCount == 32) {
    std::memcpy(out, row + 4 * std::size_t(x), count * 4);
    for (std::size_t i = 0; i < count; ++i)
      out[i] &= FValueMask;
    return;
  }
  if (FFormat.BitCount == 24) {
    const std::uint8_t* p = row + 3 * std::size_t(x);
    for (std::size_t i = 0; i < count; ++i, p += 3) {
      out[i] = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16;
    }
    return;
  }
  for (std::size_t i = 0; i < count; ++i)
    out[i] = GetPixel(x + LONG(i), y);
}

void TSurface::WriteRow(LONG y, LONG x, std::size_t count, const std::uint32_t* values) {
  std::uint8_t* row = Row(y);
  if (FFormat.BitCount == 32) {
    std::uint8_t* p = row + 4 * std::size_t(x);
    for (std::size_t i = 0; i < count; ++i, p += 4) {
      const std::uint32_t v = values[i] & FValueMask;
      std::memcpy(p, &v, 4);
    }
    return;
  }
  if (FFormat.BitCount == 24) {
    std::uint8_t* p = row + 3 * std::size_t(x);
    for (std::size_t i = 0; i < count; ++i, p += 3) {
      p[0] = std::uint8_t(values[i]);
      p[1] = std::uint8_t(values[i] >> 8);
      p[2] = std::uint8_t(values[i] >> 16);
    }
    return;
  }
  for (std::size_t i = 0; i < count; ++i)
    SetPixel(x + LONG(i), y, values[i]);
}

void TSurface::CopyRowSpan(LONG from, LONG to, LONG x, std::size_t count) {
  if (FFormat.BitCount >= 8) {
    const std::size_t bytes = std::size_t(FFormat.BitCount / 8);
    std::memcpy(Row(to) + bytes * std::size_t(x), Row(from) + bytes * std::size_t(x),
                bytes * count);
    return;
  }
  std::vector<std::uint32_t> values(count);
  ReadRow(from, x, count, values.data());
  WriteRow(to, x, count, values.data());
}

std::uint32_t TSurface::FromColor(COLORREF color) const {
  const int r = GetRValue(color), g = GetGValue(color), b = GetBValue(color);
  if (FFormat.IsIndexed()) {
    // Nearest entry by squared distance; the first of equals wins.
    std::uint32_t best = 0;
    int bestDistance = 1 << 30;
    const std::size_t count = std::min<std::size_t>(FFormat.Colors.size(), FValueMask + 1);
    for (std::size_t i = 0; i < count; ++i) {
      const RGBQUAD& q = FFormat.Colors[i];
      const int dr = r - q.rgbRed, dg = g - q.rgbGreen, db = b - q.rgbBlue;
      const int d = dr * dr + dg * dg + db * db;
      if (d < bestDistance) {
        bestDistance = d;
        best = std::uint32_t(i);
        if (d == 0) break;
      }
    }
    return best;
  }
  if (FFormat.BitCount == 24)
    return std::uint32_t(b) | std::uint32_t(g) << 8 | std::uint32_t(r) << 16;
  return (NarrowChannel(std::uint32_t(r), FBits3[0]) << FShift[0]) |
         (NarrowChannel(std::uint32_t(g), FBits3[1]) << FShift[1]) |
         (NarrowChannel(std::uint32_t(b), FBits3[2]) << FShift[2]);
}

COLORREF TSurface::ToColor(std::uint32_t value) const {
  if (FFormat.IsIndexed()) {
    if (value >= FFormat.Colors.size()) return RGB(0, 0, 0);
    const RGBQUAD& q = FFormat.Colors[value];
    return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
  }
  if (FFormat.BitCount == 24) return RGB(BYTE(value >> 16), BYTE(value >> 8), BYTE(value));
  const DWORD masks[3] = {FFormat.RedMask, FFormat.GreenMask, FFormat.BlueMask};
  BYTE c[3];
  for (int i = 0; i < 3; ++i)
    c[i] = BYTE(ExpandChannel((value & masks[i]) >> FShift[i], FBits3[i]));
  return RGB(c[0], c[1], c[2]);
}

void TSurface::AddDamage(const RECT& rect) {
  if (FTrackDamage) FDamage.Union(rect);
}

void TSurface::AddDamage(const TRegion& region) {
  if (FTrackDamage) FDamage.Union(region);
}

TRegion TSurface::TakeDamage() {
  TRegion out = std::move(FDamage);
  FDamage = TRegion();
  return out;
}

}  // namespace win::gdi
