#include "framework/platform/FileFind.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <cstring>
#include <ctime>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "framework/platform/LastError.h"
#include "framework/platform/kernel/KernelObject.h"

namespace win {

struct TFindHandle : TKernelObject {
  std::vector<WIN32_FIND_DATAA> Entries;
  std::size_t Next = 0;
};

namespace {

constexpr std::int64_t SecondsFrom1601To1970 = 11644473600;
constexpr std::int64_t IntervalsPerSecond = 10000000;

std::set<std::unique_ptr<TFindHandle>>& OpenHandles() {
  static std::set<std::unique_ptr<TFindHandle>> handles;
  return handles;
}

std::int64_t ToInt64(const FILETIME& t) {
  return std::int64_t((std::uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime);
}

FILETIME FromInt64(std::int64_t value) {
  const auto bits = std::uint64_t(value);
  return {DWORD(bits & 0xFFFFFFFF), DWORD(bits >> 32)};
}

FILETIME FromTimespec(const timespec& t) {
  return FromInt64((std::int64_t(t.tv_sec) + SecondsFrom1601To1970) * IntervalsPerSecond +
                   t.tv_nsec / 100);
}

bool HasWildcard(const std::string& name) {
  return name.find_first_of("*?") != std::string::npos;
}

bool Describe(const std::string& path, const std::string& name, WIN32_FIND_DATAA& data) {
  struct stat info {};
  if (name.empty() || name.size() >= MAX_PATH || ::stat(path.c_str(), &info) != 0) return false;
  data = WIN32_FIND_DATAA{};
  data.dwFileAttributes = S_ISDIR(info.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : 0;
  if ((info.st_mode & S_IWUSR) == 0) data.dwFileAttributes |= FILE_ATTRIBUTE_READONLY;
  if (name[0] == '.') data.dwFileAttributes |= FILE_ATTRIBUTE_HIDDEN;
  if (data.dwFileAttributes == 0) data.dwFileAttributes = FILE_ATTRIBUTE_NORMAL;
  data.ftCreationTime = FromTimespec(info.st_ctim);
  data.ftLastAccessTime = FromTimespec(info.st_atim);
  data.ftLastWriteTime = FromTimespec(info.st_mtim);
  data.nFileSizeHigh = DWORD(std::uint64_t(info.st_size) >> 32);
  data.nFileSizeLow = DWORD(std::uint64_t(info.st_size) & 0xFFFFFFFF);
  std::memcpy(data.cFileName, name.c_str(), name.size() + 1);
  return true;
}

// The folder part of a path, up to and including its last "/", and the name after it.
std::pair<std::string, std::string> SplitPath(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {std::string(), path};
  return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

std::vector<WIN32_FIND_DATAA> Matches(const std::string& pattern) {
  const auto [folder, name] = SplitPath(pattern);
  std::vector<WIN32_FIND_DATAA> entries;
  WIN32_FIND_DATAA data;
  if (!HasWildcard(name)) {
    if (Describe(pattern, name, data)) entries.push_back(data);
    return entries;
  }
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.empty() ? "." : folder.c_str()),
                                          ::closedir);
  if (!dir) return entries;
  while (const dirent* entry = ::readdir(dir.get())) {
    if (::fnmatch(name.c_str(), entry->d_name, FNM_PERIOD) != 0) continue;
    if (Describe(folder + entry->d_name, entry->d_name, data)) entries.push_back(data);
  }
  return entries;
}

}  // namespace

LPCSTR PathDelimiters() {
  return "/";
}

HANDLE_FIND FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* data) {
  if (pattern == nullptr || data == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return INVALID_HANDLE_VALUE;
  }
  auto handle = std::make_unique<TFindHandle>();
  handle->Entries = Matches(pattern);
  if (handle->Entries.empty()) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return INVALID_HANDLE_VALUE;
  }
  *data = handle->Entries[0];
  handle->Next = 1;
  return OpenHandles().insert(std::move(handle)).first->get();
}

namespace {

std::set<std::unique_ptr<TFindHandle>>::iterator Lookup(HANDLE_FIND handle) {
  auto& handles = OpenHandles();
  for (auto it = handles.begin(); it != handles.end(); ++it) {
    if (it->get() == handle) return it;
  }
  return handles.end();
}

}  // namespace

BOOL FindNextFileA(HANDLE_FIND handle, WIN32_FIND_DATAA* data) {
  const auto it = Lookup(handle);
  if (it == OpenHandles().end() || data == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  TFindHandle& find = **it;
  if (find.Next >= find.Entries.size()) {
    SetLastError(ERROR_NO_MORE_FILES);
    return FALSE;
  }
  *data = find.Entries[find.Next++];
  return TRUE;
}

BOOL FindClose(HANDLE_FIND handle) {
  const auto it = Lookup(handle);
  if (it == OpenHandles().end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  OpenHandles().erase(it);
  return TRUE;
}

BOOL FindFileA(LPCSTR fileName, WIN32_FIND_DATAA* data) {
  if (fileName == nullptr || data == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!Describe(fileName, SplitPath(fileName).second, *data)) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  return TRUE;
}

BOOL FileTimeToLocalFileTime(const FILETIME* utc, FILETIME* local) {
  if (utc == nullptr || local == nullptr) return FALSE;
  const std::int64_t intervals = ToInt64(*utc);
  const std::time_t seconds = std::time_t(intervals / IntervalsPerSecond - SecondsFrom1601To1970);
  std::tm parts{};
  if (::localtime_r(&seconds, &parts) == nullptr) return FALSE;
  *local = FromInt64(intervals + std::int64_t(parts.tm_gmtoff) * IntervalsPerSecond);
  return TRUE;
}

BOOL FileTimeToDosDateTime(const FILETIME* time, WORD* dosDate, WORD* dosTime) {
  if (time == nullptr || dosDate == nullptr || dosTime == nullptr) return FALSE;
  const std::int64_t intervals = ToInt64(*time);
  if (intervals < 0) return FALSE;
  const std::time_t seconds = std::time_t(intervals / IntervalsPerSecond - SecondsFrom1601To1970);
  std::tm parts{};
  if (::gmtime_r(&seconds, &parts) == nullptr) return FALSE;
  const int year = parts.tm_year + 1900;
  if (year < 1980 || year > 2107) return FALSE;
  *dosDate = WORD(((year - 1980) << 9) | ((parts.tm_mon + 1) << 5) | parts.tm_mday);
  *dosTime = WORD((parts.tm_hour << 11) | (parts.tm_min << 5) | (parts.tm_sec / 2));
  return TRUE;
}

}  // namespace win
