#include "framework/FilePaths.h"

#include "framework/platform/CodePage.h"
#include "framework/platform/FileFind.h"

namespace fw {
namespace {

// The separators with the extension's dot in front, built by appending (GCC 12 at -O3 warns
// falsely about overlapping copies when it inlines "." + std::string).
std::string WithDot(std::string_view separators) {
  std::string delimiters;
  delimiters.reserve(separators.size() + 1);
  delimiters += '.';
  delimiters += separators;
  return delimiters;
}

}  // namespace

const TPathDelimiters& PlatformPathDelimiters() {
  static const TPathDelimiters delimiters{win::PathDelimiters()};
  return delimiters;
}

std::size_t LastDelimiter(std::string_view delimiters, std::string_view text) {
  std::size_t last = std::string_view::npos;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = win::CharLength(win::CP_ACP, text.substr(i));
    if (length == 1 && delimiters.find(text[i]) != std::string_view::npos) last = i;
    i += length;
  }
  return last;
}

std::string ExtractFileExt(std::string_view path, const TPathDelimiters& delimiters) {
  const std::size_t at = LastDelimiter(WithDot(delimiters.Separators), path);
  if (at == std::string_view::npos || path[at] != '.') return {};
  return std::string(path.substr(at));
}

std::string ChangeFileExt(std::string_view path, std::string_view extension,
                          const TPathDelimiters& delimiters) {
  std::size_t at = LastDelimiter(WithDot(delimiters.Separators), path);
  if (at == std::string_view::npos || path[at] != '.') at = path.size();
  return std::string(path.substr(0, at)) + std::string(extension);
}

std::string ExtractFileName(std::string_view path, const TPathDelimiters& delimiters) {
  const std::size_t at = LastDelimiter(delimiters.Separators, path);
  return std::string(at == std::string_view::npos ? path : path.substr(at + 1));
}

std::string ExtractFilePath(std::string_view path, const TPathDelimiters& delimiters) {
  const std::size_t at = LastDelimiter(delimiters.Separators, path);
  return at == std::string_view::npos ? std::string() : std::string(path.substr(0, at + 1));
}

}  // namespace fw
