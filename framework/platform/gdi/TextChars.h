// Splitting multibyte text into characters: each character's bytes, stepped as CharNextA steps
// them, and its Unicode code point, so that layout can work on characters and map back to bytes.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "framework/platform/WinTypes.h"

namespace win::gdi {

struct TTextChar {
  std::size_t Offset = 0;  // first byte of the character in the text
  std::size_t Length = 0;  // bytes of the character (a lead byte and its trail bytes)
  char32_t Code = 0;       // U+FFFD for a malformed character
  // The single byte of a one-byte character, 0 otherwise; a trail byte never shows up here, so
  // tests for '&', CR or LF are safe in CP932.
  char SingleByte() const { return Length == 1 ? static_cast<char>(Code < 0x80 ? Code : 0) : 0; }
};

// The characters of `text` in `codePage` (CP_ACP: the process code page).
std::vector<TTextChar> SplitCharacters(std::string_view text, UINT codePage);

}  // namespace win::gdi
