#include "app/PicturePath.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>

#include "framework/CommandLine.h"
#include "framework/platform/FileFind.h"
#include "framework/platform/StringCompare.h"

namespace app {

std::string JoinArguments() {
  std::string filePath;
  // The count is asked afresh on every pass, as the arguments are never stored.
  for (int i = 1; i <= fw::ParamCount(); ++i)
    filePath += fw::ParamStr(i) + " ";
  return filePath;
}

std::string PathWithoutTrailingSpace(const std::string& filePath) {
  return filePath.empty() ? filePath : filePath.substr(0, filePath.size() - 1);
}

TPictureFileState PictureFileState(const std::string& filePath) {
  win::WIN32_FIND_DATAA data;
  const std::string path = PathWithoutTrailingSpace(filePath);
  if (!win::FindFileA(path.c_str(), &data)) {
    // The search follows links; one whose target is gone is told apart for the message only.
    std::error_code error;
    return std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))
               ? pfsDanglingLink
               : pfsMissing;
  }
  return (data.dwFileAttributes & win::FILE_ATTRIBUTE_DIRECTORY) != 0 ? pfsFolder : pfsFile;
}

bool PictureFileExists(const std::string& filePath) {
  return PictureFileState(filePath) == pfsFile;
}

std::string RefusalReason(TPictureFileState state) {
  switch (state) {
    case pfsMissing:
      return "no such file";
    case pfsDanglingLink:
      return "a symbolic link whose target does not exist";
    case pfsFolder:
      return "a folder, not a picture file";
    case pfsFile:
      break;
  }
  return "a file";
}

std::string PictureExtension(const std::string& filePath, const fw::TPathDelimiters& delimiters) {
  return fw::ExtractFileExt(filePath, delimiters);
}

bool IsAcceptedExtension(const std::string& fileExt) {
  for (const char* accepted : {".BMP ", ".JPG ", ".JPEG "}) {
    if (win::CompareStringA(win::LOCALE_USER_DEFAULT, win::NORM_IGNORECASE, fileExt.c_str(),
                            int(fileExt.size()), accepted, -1) == win::CSTR_EQUAL) {
      return true;
    }
  }
  return false;
}

bool NamesPictureFile(const std::string& filePath) {
  return PictureFileExists(filePath) && IsAcceptedExtension(PictureExtension(filePath));
}

std::vector<std::string> SeveralPicturesGiven() {
  const int count = fw::ParamCount();
  if (count < 2 || PictureFileExists(JoinArguments())) return {};
  std::vector<std::string> paths;
  for (int i = 1; i <= count; ++i) {
    std::string path = fw::ParamStr(i);
    if (!NamesPictureFile(path + " ")) return {};
    paths.push_back(std::move(path));
  }
  return paths;
}

void SayWhyNothingIsFramed(const std::string& path, const std::string& reason) {
  std::fprintf(stderr, "tovu: %s: %s; nothing is framed\n", path.c_str(), reason.c_str());
}

}  // namespace app
