// Raster operations: the 16 binary mixes of a pen with the destination (ROP2) and the 256
// ternary operations of pattern, source and destination (ROP3), on physical pixel values.
#pragma once

#include <cstdint>

#include "framework/platform/WinTypes.h"

namespace win::gdi {

// The ternary code (the truth table byte, bit index pattern*4 + source*2 + destination) of a
// ROP3 value such as SRCCOPY 0x00CC0020.
constexpr std::uint8_t Rop3Code(DWORD rop) {
  return std::uint8_t((rop >> 16) & 0xFF);
}
// The ternary code that mixes a pen (as the pattern) with the destination like a ROP2 mode.
constexpr std::uint8_t Rop2ToRop3Code(int rop2) {
  const unsigned t = unsigned(rop2 - 1) & 0xF;  // bit index pen*2 + destination
  std::uint8_t code = 0;
  for (unsigned i = 0; i < 8; ++i) {
    const unsigned p = (i >> 2) & 1, d = i & 1;
    if ((t >> (p * 2 + d)) & 1) code |= std::uint8_t(1u << i);
  }
  return code;
}

constexpr bool RopUsesSource(std::uint8_t code) {
  return ((code >> 2) ^ code) & 0x33;
}
constexpr bool RopUsesPattern(std::uint8_t code) {
  return ((code >> 4) ^ code) & 0x0F;
}
constexpr bool RopUsesDestination(std::uint8_t code) {
  return ((code >> 1) ^ code) & 0x55;
}

constexpr std::uint32_t ApplyRop3(std::uint8_t code, std::uint32_t p, std::uint32_t s,
                                  std::uint32_t d) {
  std::uint32_t r = 0;
  for (unsigned i = 0; i < 8; ++i) {
    if ((code >> i) & 1) r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
  }
  return r;
}

// Applies a ternary operation to a row: out[i] = op(p[i], s[i], d[i]). Any of p, s may be null
// when the operation does not use it.
void ApplyRop3Row(std::uint8_t code, const std::uint32_t* p, const std::uint32_t* s,
                  std::uint32_t* d, std::size_t count);

}  // namespace win::gdi
