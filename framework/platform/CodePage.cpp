#include "framework/platform/CodePage.h"

namespace win {
namespace {

UINT gProcessCodePage = CP_UTF8;

UINT Resolve(UINT codePage) {
  return codePage == CP_ACP ? gProcessCodePage : codePage;
}

bool IsUtf8Continuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// Length of a well-formed UTF-8 sequence at the start of `text`, or 1 when it is malformed.
std::size_t Utf8Length(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  std::size_t length = 1;
  unsigned char minSecond = 0x80, maxSecond = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) minSecond = 0xA0;  // no overlong forms
    if (lead == 0xED) maxSecond = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) minSecond = 0x90;
    if (lead == 0xF4) maxSecond = 0x8F;  // nothing above U+10FFFF
  } else {
    return 1;
  }
  if (text.size() < length) return 1;
  const auto second = static_cast<unsigned char>(text[1]);
  if (second < minSecond || second > maxSecond) return 1;
  for (std::size_t i = 2; i < length; ++i) {
    if (!IsUtf8Continuation(static_cast<unsigned char>(text[i]))) return 1;
  }
  return length;
}

}  // namespace

UINT GetACP() {
  return gProcessCodePage;
}

TScopedCodePage::TScopedCodePage(UINT codePage) : FPrevious(gProcessCodePage) {
  gProcessCodePage = Resolve(codePage);
}

TScopedCodePage::~TScopedCodePage() {
  gProcessCodePage = FPrevious;
}

BOOL IsDBCSLeadByteEx(UINT codePage, BYTE byte) {
  if (Resolve(codePage) != CP_SHIFTJIS) return FALSE;
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC) ? TRUE : FALSE;
}

BOOL IsDBCSLeadByte(BYTE byte) {
  return IsDBCSLeadByteEx(CP_ACP, byte);
}

std::size_t CharLength(UINT codePage, std::string_view text) {
  if (text.empty()) return 0;
  switch (Resolve(codePage)) {
    case CP_UTF8:
      return Utf8Length(text);
    case CP_SHIFTJIS:
      // A lead byte takes the next byte with it, whatever it is, unless the text ends there.
      return IsDBCSLeadByteEx(CP_SHIFTJIS, static_cast<BYTE>(text[0])) && text.size() > 1 &&
                     text[1] != '\0'
                 ? 2
                 : 1;
    default:
      return 1;
  }
}

LPSTR CharNextExA(WORD codePage, LPCSTR current, DWORD /*flags*/) {
  if (current == nullptr || *current == '\0') return const_cast<LPSTR>(current);
  // Only as many bytes as a character can have are looked at, and never past the terminator.
  std::size_t available = 0;
  while (available < 4 && current[available] != '\0')
    ++available;
  return const_cast<LPSTR>(current + CharLength(codePage, std::string_view(current, available)));
}

LPSTR CharNextA(LPCSTR current) {
  return CharNextExA(CP_ACP, current, 0);
}

LPSTR CharPrevExA(WORD codePage, LPCSTR start, LPCSTR current, DWORD flags) {
  if (start == nullptr || current == nullptr || current <= start) return const_cast<LPSTR>(start);
  LPCSTR previous = start;
  for (LPCSTR p = start; p < current && *p != '\0';) {
    previous = p;
    p = CharNextExA(codePage, p, flags);
  }
  return const_cast<LPSTR>(previous);
}

LPSTR CharPrevA(LPCSTR start, LPCSTR current) {
  return CharPrevExA(CP_ACP, start, current, 0);
}

}  // namespace win
