#include "framework/Accelerators.h"

#include "framework/platform/CodePage.h"

namespace fw {

namespace {

char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

char HotKeyOf(const std::string& Caption) {
  const char* p = Caption.c_str();
  while (*p != '\0') {
    if (*p == '&') {
      const char* next = p + 1;
      if (*next == '&') {
        p = next + 1;
        continue;
      }
      if (*next == '\0') return 0;
      if (win::CharNextA(next) - next != 1) return 0;
      return *next;
    }
    p = win::CharNextA(p);
  }
  return 0;
}

bool IsAccel(win::WPARAM CharCode, const std::string& Caption) {
  const char key = HotKeyOf(Caption);
  if (key == 0 || CharCode > 0xFF) return false;
  return AsciiUpper(key) == AsciiUpper(static_cast<char>(CharCode));
}

}  // namespace fw
