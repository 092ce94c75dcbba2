// File-name helpers over byte strings of the process code page: extension, name and folder parts.
// Delimiters are a parameter, so the same code serves "/" paths and drive-letter "\" paths alike.
#pragma once

#include <string>
#include <string_view>

namespace fw {

// The characters that end a folder part: "/" on Linux, "\\:" for drive-letter paths.
struct TPathDelimiters {
  std::string_view Separators;
};

inline constexpr TPathDelimiters PosixPathDelimiters{"/"};
inline constexpr TPathDelimiters DrivePathDelimiters{"\\:"};

// The delimiters of the platform the program runs on.
const TPathDelimiters& PlatformPathDelimiters();

// Offset of the last character of `text` that is one of `delimiters`, stepping by characters of
// the process code page so that a trail byte never matches; npos when there is none.
std::size_t LastDelimiter(std::string_view delimiters, std::string_view text);

// The extension, dot included: the text from the last "." to the end, provided no separator
// follows that dot; empty otherwise.
std::string ExtractFileExt(std::string_view path,
                           const TPathDelimiters& delimiters = PlatformPathDelimiters());

// `path` with its extension (as ExtractFileExt finds it) replaced by `extension`.
std::string ChangeFileExt(std::string_view path, std::string_view extension,
                          const TPathDelimiters& delimiters = PlatformPathDelimiters());

// The text after the last separator (all of it when there is none).
std::string ExtractFileName(std::string_view path,
                            const TPathDelimiters& delimiters = PlatformPathDelimiters());

// The text up to and including the last separator (empty when there is none).
std::string ExtractFilePath(std::string_view path,
                            const TPathDelimiters& delimiters = PlatformPathDelimiters());

}  // namespace fw
