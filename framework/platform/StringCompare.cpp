#include "framework/platform/StringCompare.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "framework/platform/CodePage.h"

namespace win {
namespace {

// Upper-cases the ASCII letters that stand as characters of their own; bytes inside a multibyte
// character stay as they are.
std::string FoldCase(std::string_view text) {
  std::string folded(text);
  for (std::size_t i = 0; i < folded.size();) {
    const std::size_t length = CharLength(CP_ACP, std::string_view(folded).substr(i));
    if (length == 1 && folded[i] >= 'a' && folded[i] <= 'z') folded[i] = char(folded[i] - 32);
    i += length;
  }
  return folded;
}

bool ToView(LPCSTR text, int count, std::string_view& view) {
  if (text == nullptr || count < -1) return false;
  view = count == -1 ? std::string_view(text) : std::string_view(text, std::size_t(count));
  return true;
}

}  // namespace

int CompareStringA(LCID /*locale*/, DWORD flags, LPCSTR string1, int count1, LPCSTR string2,
                   int count2) {
  std::string_view a, b;
  if (!ToView(string1, count1, a) || !ToView(string2, count2, b)) return 0;
  std::string foldedA, foldedB;
  if ((flags & NORM_IGNORECASE) != 0) {
    foldedA = FoldCase(a);
    foldedB = FoldCase(b);
    a = foldedA;
    b = foldedB;
  }
  // Compare as unsigned bytes, as the code page's order has lead bytes above ASCII.
  const std::size_t common = std::min(a.size(), b.size());
  const int byBytes = std::memcmp(a.data(), b.data(), common);
  if (byBytes != 0) return byBytes < 0 ? CSTR_LESS_THAN : CSTR_GREATER_THAN;
  if (a.size() == b.size()) return CSTR_EQUAL;
  return a.size() < b.size() ? CSTR_LESS_THAN : CSTR_GREATER_THAN;
}

}  // namespace win
