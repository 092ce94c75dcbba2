// Conversion of text between the multibyte code pages and Unicode, done with iconv.
// Strict conversions fail on malformed input; lossy decoding replaces it and never fails.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "framework/platform/WinTypes.h"

namespace win {

// Name iconv knows the code page by ("UTF-8", "CP932"); empty for a code page we do not carry.
std::string_view IconvName(UINT codePage);

// `text` in `fromCodePage` re-encoded in `toCodePage`; nothing when a character is malformed or
// has no equivalent in the target code page.
std::optional<std::string> ConvertCodePage(std::string_view text, UINT fromCodePage,
                                           UINT toCodePage);

// Text in `codePage` as Unicode code points; every malformed character becomes U+FFFD, so that a
// caller that only shows the text always gets something to show.
std::u32string DecodeLossy(std::string_view text, UINT codePage);

// Text given in UTF-8 (source literals) in the process code page; unchanged when it cannot be.
std::string FromUtf8(std::string_view utf8);

}  // namespace win
