// Little-endian numbers in byte buffers, the order the platform's file formats store them in:
// read from memory, written into it, or appended to a growing buffer.
#pragma once

#include <cstdint>
#include <vector>

namespace fw {

inline std::uint16_t ReadLe16(const std::uint8_t* Bytes) {
  return std::uint16_t(Bytes[0] | (Bytes[1] << 8));
}

inline std::uint32_t ReadLe32(const std::uint8_t* Bytes) {
  return std::uint32_t(Bytes[0]) | std::uint32_t(Bytes[1]) << 8 | std::uint32_t(Bytes[2]) << 16 |
         std::uint32_t(Bytes[3]) << 24;
}

inline void WriteLe16(std::uint8_t* Bytes, std::uint16_t Value) {
  Bytes[0] = std::uint8_t(Value);
  Bytes[1] = std::uint8_t(Value >> 8);
}

inline void WriteLe32(std::uint8_t* Bytes, std::uint32_t Value) {
  for (int i = 0; i < 4; ++i)
    Bytes[i] = std::uint8_t(Value >> (8 * i));
}

inline void AppendLe16(std::vector<std::uint8_t>& Bytes, std::uint16_t Value) {
  Bytes.push_back(std::uint8_t(Value));
  Bytes.push_back(std::uint8_t(Value >> 8));
}

inline void AppendLe32(std::vector<std::uint8_t>& Bytes, std::uint32_t Value) {
  AppendLe16(Bytes, std::uint16_t(Value));
  AppendLe16(Bytes, std::uint16_t(Value >> 16));
}

}  // namespace fw
