#include "framework/platform/CodePageConversion.h"

#include <iconv.h>

#include <array>
#include <bit>
#include <cerrno>

#include "framework/platform/CodePage.h"

namespace win {
namespace {

static_assert(std::endian::native == std::endian::little, "UTF-32LE is read as char32_t");

// Owns one iconv conversion descriptor.
class TIconv {
 public:
  TIconv(std::string_view to, std::string_view from)
      : FHandle(iconv_open(std::string(to).c_str(), std::string(from).c_str())) {}
  ~TIconv() {
    if (Valid()) iconv_close(FHandle);
  }
  TIconv(const TIconv&) = delete;
  TIconv& operator=(const TIconv&) = delete;

  bool Valid() const { return FHandle != reinterpret_cast<iconv_t>(-1); }

  // Converts as much of `in` as it can, appending to `out`; false at a character it cannot take,
  // with `in` left at that character.
  bool Convert(std::string_view& in, std::string& out) {
    std::array<char, 1024> buffer;
    while (!in.empty()) {
      char* source = const_cast<char*>(in.data());
      std::size_t sourceLeft = in.size();
      char* target = buffer.data();
      std::size_t targetLeft = buffer.size();
      const std::size_t result = iconv(FHandle, &source, &sourceLeft, &target, &targetLeft);
      out.append(buffer.data(), buffer.size() - targetLeft);
      in.remove_prefix(in.size() - sourceLeft);
      if (result == static_cast<std::size_t>(-1) && errno != E2BIG) return false;
    }
    return true;
  }

 private:
  iconv_t FHandle;
};

std::u32string FromUtf32Bytes(const std::string& bytes) {
  std::u32string result(bytes.size() / 4, U'\0');
  for (std::size_t i = 0; i < result.size(); ++i) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data() + 4 * i);
    result[i] = static_cast<char32_t>(b[0] | (b[1] << 8) | (b[2] << 16) |
                                      (static_cast<std::uint32_t>(b[3]) << 24));
  }
  return result;
}

}  // namespace

std::string_view IconvName(UINT codePage) {
  switch (codePage == CP_ACP ? GetACP() : codePage) {
    case CP_UTF8:
      return "UTF-8";
    case CP_SHIFTJIS:
      return "CP932";
    default:
      return {};
  }
}

std::optional<std::string> ConvertCodePage(std::string_view text, UINT fromCodePage,
                                           UINT toCodePage) {
  const auto from = IconvName(fromCodePage);
  const auto to = IconvName(toCodePage);
  if (from.empty() || to.empty()) return std::nullopt;
  TIconv converter(to, from);
  if (!converter.Valid()) return std::nullopt;
  std::string out;
  if (!converter.Convert(text, out)) return std::nullopt;
  return out;
}

std::u32string DecodeLossy(std::string_view text, UINT codePage) {
  const auto from = IconvName(codePage);
  TIconv converter("UTF-32LE", from.empty() ? std::string_view("ISO-8859-1") : from);
  std::string bytes;
  std::u32string result;
  while (converter.Valid() && !text.empty()) {
    if (converter.Convert(text, bytes)) break;
    // Keep what came before the bad character, then replace the character and go on after it.
    result += FromUtf32Bytes(bytes);
    bytes.clear();
    result += U'\uFFFD';
    text.remove_prefix(CharLength(codePage, text));
  }
  result += FromUtf32Bytes(bytes);
  return result;
}

std::string FromUtf8(std::string_view utf8) {
  if (GetACP() == CP_UTF8) return std::string(utf8);
  return ConvertCodePage(utf8, CP_UTF8, CP_ACP).value_or(std::string(utf8));
}

}  // namespace win
