#include "framework/platform/gdi/TextChars.h"

#include "framework/platform/CodePage.h"
#include "framework/platform/CodePageConversion.h"

namespace win::gdi {
namespace {

std::vector<TTextChar> StepCharacters(std::string_view text, UINT codePage) {
  std::vector<TTextChar> chars;
  for (std::size_t offset = 0; offset < text.size();) {
    const std::size_t length = CharLength(codePage, text.substr(offset));
    chars.push_back(TTextChar{offset, length, U'\uFFFD'});
    offset += length;
  }
  return chars;
}

}  // namespace

std::vector<TTextChar> SplitCharacters(std::string_view text, UINT codePage) {
  std::vector<TTextChar> chars = StepCharacters(text, codePage);
  // One conversion of the whole text is the fast path; it lines up with the stepped characters
  // unless a character decodes to more or fewer than one code point, then each goes on its own.
  const std::u32string whole = DecodeLossy(text, codePage);
  if (whole.size() == chars.size()) {
    for (std::size_t i = 0; i < chars.size(); ++i)
      chars[i].Code = whole[i];
    return chars;
  }
  for (TTextChar& c : chars) {
    const std::u32string one = DecodeLossy(text.substr(c.Offset, c.Length), codePage);
    c.Code = one.size() == 1 ? one[0] : U'\uFFFD';
  }
  return chars;
}

}  // namespace win::gdi
