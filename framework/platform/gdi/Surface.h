// Pixel memory in one of the device-independent layouts (1, 4, 8, 16, 24, 32 bits per pixel,
// colour table or channel masks, either row order), read and written as physical pixel values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "framework/platform/GdiBitmaps.h"
#include "framework/platform/GdiTypes.h"
#include "framework/platform/LargeMemory.h"
#include "framework/platform/gdi/Region.h"

namespace win::gdi {

// How the bits of one pixel map to a colour.
struct TPixelFormat {
  int BitCount = 32;
  // Channel masks for 16 and 32 bits per pixel (24 bits is always blue, green, red bytes).
  DWORD RedMask = 0;
  DWORD GreenMask = 0;
  DWORD BlueMask = 0;
  // Colour table for 1, 4 and 8 bits per pixel.
  std::vector<RGBQUAD> Colors;

  bool IsIndexed() const { return BitCount <= 8; }
  static TPixelFormat Rgb(int bitCount);  // BI_RGB masks for 16 (555) and 32 bits
  static TPixelFormat Monochrome();       // black and white
  friend bool operator==(const TPixelFormat&, const TPixelFormat&) = default;
};

// Largest pixel count a bitmap may have; larger requests fail like an allocation failure.
inline constexpr std::int64_t kMaxSurfacePixels = std::int64_t(1) << 28;
inline constexpr std::int64_t kMaxSurfaceBytes = std::int64_t(1) << 30;

// Coordinates computed in 64 bits and brought back into range, so that huge ones cannot wrap.
constexpr LONG ClampToLong(std::int64_t v) {
  return v < INT32_MIN ? INT32_MIN : v > INT32_MAX ? INT32_MAX : LONG(v);
}

class TSurface {
 public:
  // A zero-filled surface, or null when the size is not positive, too large or memory runs out.
  static std::shared_ptr<TSurface> Create(LONG width, LONG height, TPixelFormat format,
                                          bool topDown);
  // A view on memory someone else owns (DIB data handed to SetDIBits and friends); null when the
  // memory is too short for the rows.
  static std::shared_ptr<TSurface> Wrap(LONG width, LONG height, TPixelFormat format, bool topDown,
                                        void* bits, std::size_t available);
  struct TKey {
    explicit TKey() = default;
  };
  explicit TSurface(TKey) {}
  ~TSurface();
  TSurface(const TSurface&) = delete;
  TSurface& operator=(const TSurface&) = delete;

  LONG Width() const { return FWidth; }
  LONG Height() const { return FHeight; }
  int BitCount() const { return FFormat.BitCount; }
  std::size_t Stride() const { return FStride; }
  bool IsTopDown() const { return FTopDown; }
  const TPixelFormat& Format() const { return FFormat; }
  void SetColors(std::vector<RGBQUAD> colors);
  // The memory as the bitmap's owner sees it: the first row in memory order.
  void* Bits() const { return FBits; }
  std::size_t ByteSize() const { return FStride * std::size_t(FHeight); }
  RECT Bounds() const { return {0, 0, FWidth, FHeight}; }

  // Row y counted from the top of the image, whatever the memory order.
  std::uint8_t* Row(LONG y) const {
    return FBits + std::size_t(FTopDown ? y : FHeight - 1 - y) * FStride;
  }

  std::uint32_t GetPixel(LONG x, LONG y) const;
  void SetPixel(LONG x, LONG y, std::uint32_t value);
  // Physical values of `count` pixels from (x, y) to the right; the range must lie inside.
  void ReadRow(LONG y, LONG x, std::size_t count, std::uint32_t* out) const;
  void WriteRow(LONG y, LONG x, std::size_t count, const std::uint32_t* values);
  // Copies `count` pixels from column x of row `from` to the same columns of row `to`.
  void CopyRowSpan(LONG from, LONG to, LONG x, std::size_t count);
  // All bits a physical value has in this format.
  std::uint32_t ValueMask() const { return FValueMask; }
  // The physical value closest to a colour (nearest table entry on indexed formats).
  std::uint32_t FromColor(COLORREF color) const;
  COLORREF ToColor(std::uint32_t value) const;

  // Damage tracking, on for window framebuffers: every change adds its bounds.
  void TrackDamage(bool on) { FTrackDamage = on; }
  bool TracksDamage() const { return FTrackDamage; }
  void AddDamage(const RECT& rect);
  void AddDamage(const TRegion& region);
  // The damaged area since the last call, then cleared.
  TRegion TakeDamage();

 private:
  void Init(LONG width, LONG height, TPixelFormat format, bool topDown);

  TLargeMemory FOwned;
  std::uint8_t* FBits = nullptr;
  LONG FWidth = 0;
  LONG FHeight = 0;
  std::size_t FStride = 0;
  bool FTopDown = true;
  TPixelFormat FFormat;
  std::uint32_t FValueMask = 0;
  int FShift[3] = {};  // red, green, blue shifts of the masked formats
  int FBits3[3] = {};  // red, green, blue widths
  bool FTrackDamage = false;
  TRegion FDamage;
};

}  // namespace win::gdi
