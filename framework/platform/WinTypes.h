// Basic value types of the desktop platform's programming interface, as our stand-in layer uses
// them. Names and widths follow the platform so that code reads the same as code written against
// it.
#pragma once

#include <cstdint>

namespace win {

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using LONG = std::int32_t;
using BOOL = int;
using LCID = DWORD;
using LPSTR = char*;
using LPCSTR = const char*;

inline constexpr BOOL FALSE = 0;
inline constexpr BOOL TRUE = 1;

}  // namespace win
