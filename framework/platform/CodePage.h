// Multibyte code pages: the process code page and character stepping that keeps a lead byte and
// its trail bytes together, so that a trail byte (0x5C in CP932) is never taken for a delimiter.
#pragma once

#include <cstddef>
#include <string_view>

#include "framework/platform/WinTypes.h"

namespace win {

inline constexpr UINT CP_ACP = 0;
inline constexpr UINT CP_SHIFTJIS = 932;
inline constexpr UINT CP_UTF8 = 65001;

// The process's multibyte code page: UTF-8 unless a caller (a test) switches it.
UINT GetACP();

// Switches the process code page for the lifetime of the object; the previous one comes back after.
class TScopedCodePage {
 public:
  explicit TScopedCodePage(UINT codePage);
  ~TScopedCodePage();
  TScopedCodePage(const TScopedCodePage&) = delete;
  TScopedCodePage& operator=(const TScopedCodePage&) = delete;

 private:
  UINT FPrevious;
};

// True when `byte` starts a double-byte character of a DBCS code page (CP932). UTF-8 is not a
// DBCS code page, so this is false for it, as on the platform.
BOOL IsDBCSLeadByteEx(UINT codePage, BYTE byte);
BOOL IsDBCSLeadByte(BYTE byte);

// Number of bytes of the character starting at `text[0]` in `codePage`, never more than the
// bytes left and at least 1 (0 for empty text). A malformed sequence counts as one byte.
std::size_t CharLength(UINT codePage, std::string_view text);

// Pointer to the next character of a NUL-terminated string; at the terminating NUL it stays put.
LPSTR CharNextExA(WORD codePage, LPCSTR current, DWORD flags);
LPSTR CharNextA(LPCSTR current);
// Pointer to the character before `current`, scanning from `start`; `start` itself at the start.
LPSTR CharPrevExA(WORD codePage, LPCSTR start, LPCSTR current, DWORD flags);
LPSTR CharPrevA(LPCSTR start, LPCSTR current);

}  // namespace win
