// Code pages on Windows: the system's ANSI code page (932 on a Japanese system), its character
// stepping, and conversions through UTF-16 with MultiByteToWideChar and WideCharToMultiByte.
#include <string>

#include "framework/platform/win32/WinApi.h"

namespace win {
namespace {

UINT Resolve(UINT codePage) {
  return codePage == 0 ? ::GetACP() : codePage;
}

// UTF-16 of text in a code page; nothing when `strict` and a character is malformed.
std::optional<std::wstring> ToWide(std::string_view text, UINT codePage, bool strict) {
  if (text.empty()) return std::wstring();
  const DWORD flags = strict ? MB_ERR_INVALID_CHARS : 0;
  const int size = int(text.size());
  const int length = ::MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring wide(std::size_t(length), L'\0');
  ::MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), length);
  return wide;
}

// Text in a code page for UTF-16; nothing when a character has no equivalent there.
std::optional<std::string> FromWide(const std::wstring& wide, UINT codePage) {
  if (wide.empty()) return std::string();
  const bool utf8 = codePage == CP_UTF8;
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  ::BOOL defaulted = FALSE;
  ::BOOL* usedDefault = utf8 ? nullptr : &defaulted;
  const int size = int(wide.size());
  const int length =
      ::WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, usedDefault);
  if (length <= 0 || defaulted) return std::nullopt;
  std::string text(std::size_t(length), '\0');
  ::WideCharToMultiByte(codePage, flags, wide.data(), size, text.data(), length, nullptr, nullptr);
  return text;
}

}  // namespace

UINT GetACP() {
  return ::GetACP();
}

BOOL IsDBCSLeadByteEx(UINT codePage, BYTE byte) {
  return ::IsDBCSLeadByteEx(codePage, byte);
}
BOOL IsDBCSLeadByte(BYTE byte) {
  return ::IsDBCSLeadByte(byte);
}

std::size_t CharLength(UINT codePage, std::string_view text) {
  if (text.empty()) return 0;
  const UINT resolved = Resolve(codePage);
  if (resolved != CP_UTF8) {
    return ::IsDBCSLeadByteEx(resolved, BYTE(text[0])) && text.size() > 1 && text[1] != '\0' ? 2
                                                                                             : 1;
  }
  // The shortest well-formed UTF-8 sequence at the start; a malformed one counts as one byte.
  for (std::size_t length = 1; length <= 4 && length <= text.size(); ++length) {
    if (::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), int(length), nullptr, 0) >
        0)
      return length;
  }
  return 1;
}

LPSTR CharNextExA(WORD codePage, LPCSTR current, DWORD flags) {
  return ::CharNextExA(codePage, current, flags);
}
LPSTR CharNextA(LPCSTR current) {
  return ::CharNextA(current);
}
LPSTR CharPrevExA(WORD codePage, LPCSTR start, LPCSTR current, DWORD flags) {
  return ::CharPrevExA(codePage, start, current, flags);
}
LPSTR CharPrevA(LPCSTR start, LPCSTR current) {
  return ::CharPrevA(start, current);
}

std::optional<std::string> ConvertCodePage(std::string_view text, UINT fromCodePage,
                                           UINT toCodePage) {
  const std::optional<std::wstring> wide = ToWide(text, Resolve(fromCodePage), true);
  if (!wide) return std::nullopt;
  return FromWide(*wide, Resolve(toCodePage));
}

std::u32string DecodeLossy(std::string_view text, UINT codePage) {
  const std::wstring wide = ToWide(text, Resolve(codePage), false).value_or(std::wstring());
  std::u32string result;
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const char32_t unit = wide[i];
    const bool pair = unit >= 0xD800 && unit <= 0xDBFF && i + 1 < wide.size() &&
                      wide[i + 1] >= 0xDC00 && wide[i + 1] <= 0xDFFF;
    if (pair) {
      result += char32_t(0x10000 + ((unit - 0xD800) << 10) + (char32_t(wide[++i]) - 0xDC00));
    } else {
      result += unit >= 0xD800 && unit <= 0xDFFF ? char32_t(0xFFFD) : unit;
    }
  }
  return result;
}

std::string FromUtf8(std::string_view utf8) {
  return ConvertCodePage(utf8, CP_UTF8, CP_ACP).value_or(std::string(utf8));
}

int CompareStringA(LCID locale, DWORD flags, LPCSTR string1, int count1, LPCSTR string2,
                   int count2) {
  return ::CompareStringA(locale, flags, string1, count1, string2, count2);
}

}  // namespace win
