#include "app/PicturePath.h"

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

bool PictureFileExists(const std::string& filePath) {
  win::WIN32_FIND_DATAA data;
  const std::string path = PathWithoutTrailingSpace(filePath);
  win::HANDLE_FIND handle = win::FindFirstFileA(path.c_str(), &data);
  if (handle == win::INVALID_HANDLE_VALUE) return false;
  win::FindClose(handle);
  if ((data.dwFileAttributes & win::FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
  win::FILETIME local;
  win::WORD date = 0, time = 0;
  return win::FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) &&
         win::FileTimeToDosDateTime(&local, &date, &time);
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

}  // namespace app
