// The picture path of a run: rebuilt from all arguments, each followed by one space, then checked
// for an existing file and for one of the accepted extensions.
#pragma once

#include <string>

#include "framework/FilePaths.h"

namespace app {

// Arguments 1 to count joined in order, each followed by one space.
std::string JoinArguments();

// The path a picture is read from: the joined path without the space its last argument left.
std::string PathWithoutTrailingSpace(const std::string& filePath);

// What the joined path names. Spaces are significant here, so the trailing space of the joined
// path is left out of the test. On Linux * and ? are ordinary characters in names: they name
// themselves and match no other file.
enum TPictureFileState { pfsFile, pfsMissing, pfsDanglingLink, pfsFolder };
TPictureFileState PictureFileState(const std::string& filePath);

// True when an entry is found there and it is not a folder, whatever its timestamps.
bool PictureFileExists(const std::string& filePath);

// Why a path that is not a file names no picture, as said on standard error.
std::string RefusalReason(TPictureFileState state);

// The extension of the joined path, trailing space included (".bmp " for a bitmap file).
std::string PictureExtension(const std::string& filePath,
                             const fw::TPathDelimiters& delimiters = fw::PlatformPathDelimiters());

// ".BMP ", ".JPG " or ".JPEG " in any letter case.
bool IsAcceptedExtension(const std::string& fileExt);

}  // namespace app
