// Locale comparison of multibyte strings as the platform's CompareStringA offers it: with
// NORM_IGNORECASE, ASCII letters compare without case; trail bytes are never folded.
#pragma once

#include "framework/platform/WinTypes.h"

namespace win {

inline constexpr LCID LOCALE_USER_DEFAULT = 0x0400;
inline constexpr DWORD NORM_IGNORECASE = 0x00000001;

inline constexpr int CSTR_LESS_THAN = 1;
inline constexpr int CSTR_EQUAL = 2;
inline constexpr int CSTR_GREATER_THAN = 3;

// Compares two strings of the process code page. A count of -1 means "up to the terminating NUL".
// Returns CSTR_LESS_THAN, CSTR_EQUAL or CSTR_GREATER_THAN, or 0 for invalid arguments.
// Strings that are not equal are ordered by their (case-folded) bytes.
int CompareStringA(LCID locale, DWORD flags, LPCSTR string1, int count1, LPCSTR string2,
                   int count2);

}  // namespace win
