#include "framework/platform/Shell.h"

#include <sys/stat.h>

#include <cstdint>
#include <string>

#include "framework/platform/windowing/Runtime.h"

namespace win {

namespace {

bool IsOpenVerb(LPCSTR verb) {
  if (!verb || !*verb) return true;
  const std::string text(verb);
  if (text.size() != 4) return false;
  for (std::size_t i = 0; i < 4; ++i) {
    const char lower = char(text[i] >= 'A' && text[i] <= 'Z' ? text[i] - 'A' + 'a' : text[i]);
    if (lower != "open"[i]) return false;
  }
  return true;
}

// A web address or other URL: a scheme of letters, digits, '+', '-' or '.' and "://" or ':'.
bool IsUrl(const std::string& target) {
  const std::size_t colon = target.find(':');
  if (colon == std::string::npos || colon < 2) return false;
  for (std::size_t i = 0; i < colon; ++i) {
    const char c = target[i];
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                    (i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'));
    if (!ok) return false;
  }
  return true;
}

HINSTANCE ResultHandle(int code) {
  return reinterpret_cast<HINSTANCE>(std::intptr_t(code));
}

}  // namespace

BOOL MessageBeep(UINT type) {
  wnd::Runtime().Backend().Beep(type);
  return TRUE;
}

HINSTANCE ShellExecuteA(HWND /*owner*/, LPCSTR verb, LPCSTR file, LPCSTR /*parameters*/,
                        LPCSTR /*directory*/, int /*showCmd*/) {
  if (!file || !*file) return ResultHandle(SE_ERR_FNF);
  if (!IsOpenVerb(verb)) return ResultHandle(SE_ERR_NOASSOC);
  const std::string target(file);
  if (!IsUrl(target)) {
    struct stat info {};
    if (stat(target.c_str(), &info) != 0) return ResultHandle(SE_ERR_FNF);
  }
  return ResultHandle(wnd::Runtime().Backend().Open(target));
}

}  // namespace win
