// Text formatting of the framework's messages: a small printf-like formatter whose arguments are
// checked at run time, so a wrong message template gives an error instead of undefined behaviour.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>

namespace fw {

// One argument of Format: an integer or a text.
class TFormatArg {
 public:
  template <class I>
  requires std::is_integral_v<I> &&(!std::is_same_v<I, bool>)
      TFormatArg(I value)  // NOLINT(google-explicit-constructor): arguments convert implicitly
      : FIsText(false), FInteger(static_cast<std::int64_t>(value)) {}
  TFormatArg(std::string_view text) : FIsText(true), FText(text) {}
  TFormatArg(const std::string& text) : FIsText(true), FText(text) {}
  TFormatArg(const char* text) : FIsText(true), FText(text != nullptr ? text : "") {}

  bool IsText() const { return FIsText; }
  std::int64_t Integer() const { return FInteger; }
  std::string_view Text() const { return FText; }

 private:
  bool FIsText;
  std::int64_t FInteger = 0;
  std::string_view FText;
};

// Replaces the directives of `pattern` in order by the arguments: %s (text), %d (signed decimal),
// %u (unsigned decimal), %x and %X (hexadecimal), each with an optional '0' flag and width, and
// %% (a percent sign). A directive without an argument of its kind raises EConvertError.
std::string FormatList(std::string_view pattern, std::initializer_list<TFormatArg> args);

template <class... Args>
std::string Format(std::string_view pattern, const Args&... args) {
  return FormatList(pattern, {TFormatArg(args)...});
}

}  // namespace fw
