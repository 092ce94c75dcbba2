// The picture path of a run: rebuilt from all arguments, each followed by one space, then checked
// for an existing file and for one of the accepted extensions.
#pragma once

#include <string>
#include <vector>

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

// ".BMP ", ".JPG " or ".JPEG " in any letter case. The one test of a picture's extension.
bool IsAcceptedExtension(const std::string& fileExt);

// True when the path (with the joining's trailing space) names an existing file with an accepted
// extension.
bool NamesPictureFile(const std::string& filePath);

// Several pictures given at once, as a file manager passes them: the arguments, each a path of its
// own, when the joined path names no file and every argument names a picture file. Otherwise
// none, and the joined path is the one picture of the run (a path split at its spaces included).
std::vector<std::string> SeveralPicturesGiven();

// Says on standard error why nothing is framed of the path.
void SayWhyNothingIsFramed(const std::string& path, const std::string& reason);

}  // namespace app
