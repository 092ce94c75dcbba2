#include "framework/platform/gdi/RasterOp.h"

namespace win::gdi {

void ApplyRop3Row(std::uint8_t code, const std::uint32_t* p, const std::uint32_t* s,
                  std::uint32_t* d, std::size_t count) {
  switch (code) {
    case 0xCC:  // SRCCOPY
      for (std::size_t i = 0; i < count; ++i)
        d[i] = s[i];
      return;
    case 0xF0:  // PATCOPY
      for (std::size_t i = 0; i < count; ++i)
        d[i] = p[i];
      return;
    case 0xAA:  // destination unchanged
      return;
    case 0x00:
      for (std::size_t i = 0; i < count; ++i)
        d[i] = 0;
      return;
    case 0xFF:
      for (std::size_t i = 0; i < count; ++i)
        d[i] = ~0u;
      return;
    case 0x55:  // DSTINVERT
      for (std::size_t i = 0; i < count; ++i)
        d[i] = ~d[i];
      return;
    case 0x5A:  // PATINVERT
      for (std::size_t i = 0; i < count; ++i)
        d[i] ^= p[i];
      return;
    case 0x66:  // SRCINVERT
      for (std::size_t i = 0; i < count; ++i)
        d[i] ^= s[i];
      return;
    case 0x88:  // SRCAND
      for (std::size_t i = 0; i < count; ++i)
        d[i] &= s[i];
      return;
    case 0xEE:  // SRCPAINT
      for (std::size_t i = 0; i < count; ++i)
        d[i] |= s[i];
      return;
    case 0xE2:  // pattern where the source is set, destination elsewhere
      for (std::size_t i = 0; i < count; ++i)
        d[i] = (p[i] & s[i]) | (d[i] & ~s[i]);
      return;
    default:
      break;
  }
  const std::uint32_t zero = 0;
  for (std::size_t i = 0; i < count; ++i) {
    d[i] = ApplyRop3(code, p ? p[i] : zero, s ? s[i] : zero, d[i]);
  }
}

}  // namespace win::gdi
