#include "framework/StrFormat.h"

#include <cstdio>
#include <vector>

#include "framework/Consts.h"
#include "framework/Exceptions.h"

namespace fw {
namespace {

struct TDirective {
  bool ZeroPad = false;
  int Width = 0;
  char Kind = 0;
};

[[noreturn]] void RaiseBadFormat(std::string_view pattern) {
  // The message is built by hand: formatting it with Format could fail the same way.
  std::string text = LoadResString(SInvalidFormat);
  const std::size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, std::string(pattern));
  throw EConvertError(text);
}

std::string Pad(std::string digits, const TDirective& d, bool negative) {
  std::string sign = negative ? "-" : "";
  const std::size_t used = digits.size() + sign.size();
  if (d.Width > 0 && used < static_cast<std::size_t>(d.Width)) {
    const std::size_t fill = static_cast<std::size_t>(d.Width) - used;
    if (d.ZeroPad) return sign + std::string(fill, '0') + digits;
    return std::string(fill, ' ') + sign + digits;
  }
  return sign + digits;
}

std::string Unsigned(std::uint64_t value, int base, bool upper) {
  const char* digits = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  std::string out;
  do {
    out.insert(out.begin(), digits[value % static_cast<std::uint64_t>(base)]);
    value /= static_cast<std::uint64_t>(base);
  } while (value != 0);
  return out;
}

std::string Apply(const TDirective& d, const TFormatArg& arg, std::string_view pattern) {
  if (d.Kind == 's') {
    if (!arg.IsText()) RaiseBadFormat(pattern);
    std::string text(arg.Text());
    if (d.Width > 0 && text.size() < static_cast<std::size_t>(d.Width))
      text.insert(0, static_cast<std::size_t>(d.Width) - text.size(), ' ');
    return text;
  }
  if (arg.IsText()) RaiseBadFormat(pattern);
  const std::int64_t v = arg.Integer();
  switch (d.Kind) {
    case 'd': {
      const bool negative = v < 0;
      const std::uint64_t magnitude =
          negative ? ~static_cast<std::uint64_t>(v) + 1 : static_cast<std::uint64_t>(v);
      return Pad(Unsigned(magnitude, 10, false), d, negative);
    }
    case 'u':
      return Pad(Unsigned(static_cast<std::uint32_t>(v), 10, false), d, false);
    case 'x':
    case 'X': {
      // Negative values print as their 32-bit two's complement, like the platform's formatter.
      const std::uint64_t bits =
          (v < 0 && v >= INT32_MIN) ? static_cast<std::uint32_t>(v) : static_cast<std::uint64_t>(v);
      return Pad(Unsigned(bits, 16, d.Kind == 'X'), d, false);
    }
    default:
      RaiseBadFormat(pattern);
  }
}

}  // namespace

std::string FormatList(std::string_view pattern, std::initializer_list<TFormatArg> args) {
  std::string out;
  const TFormatArg* next = args.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%') {
      out += pattern[i];
      continue;
    }
    if (++i >= pattern.size()) RaiseBadFormat(pattern);
    if (pattern[i] == '%') {
      out += '%';
      continue;
    }
    TDirective d;
    if (pattern[i] == '0') {
      d.ZeroPad = true;
      ++i;
    }
    while (i < pattern.size() && pattern[i] >= '0' && pattern[i] <= '9') {
      d.Width = d.Width * 10 + (pattern[i] - '0');
      if (d.Width > 256) RaiseBadFormat(pattern);
      ++i;
    }
    if (i >= pattern.size()) RaiseBadFormat(pattern);
    d.Kind = pattern[i];
    if (next == args.end()) RaiseBadFormat(pattern);
    out += Apply(d, *next++, pattern);
  }
  return out;
}

}  // namespace fw
