// Finding files as the platform's FindFirstFileA family does (exact names and the wildcards * and ?
// in the last path component), and the file-time conversions that go with it.
#pragma once

#include <cstdint>

#include "framework/platform/WinTypes.h"

namespace win {

// 100-nanosecond intervals since 1 January 1601, split in two halves.
struct FILETIME {
  DWORD dwLowDateTime = 0;
  DWORD dwHighDateTime = 0;
};

inline constexpr DWORD MAX_PATH = 260;
inline constexpr DWORD ERROR_NO_MORE_FILES = 18;

inline constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x01;
inline constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x02;
inline constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
inline constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;

struct WIN32_FIND_DATAA {
  DWORD dwFileAttributes = 0;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  DWORD nFileSizeHigh = 0;
  DWORD nFileSizeLow = 0;
  DWORD dwReserved0 = 0;
  DWORD dwReserved1 = 0;
  char cFileName[MAX_PATH] = {};
  char cAlternateFileName[14] = {};
};

// Handles of the kernel's objects (open files, searches), and the value the calls that open them
// answer on failure.
struct TKernelObject;
using HANDLE = TKernelObject*;
using HANDLE_FIND = HANDLE;
inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(std::intptr_t(-1));

// The characters that end a folder part of a path on this platform: "/" on Linux, "\\:" (the
// separator and a drive's colon) on Windows. Not a call of the platform's interface.
LPCSTR PathDelimiters();

// The first entry matching `pattern`; INVALID_HANDLE_VALUE with ERROR_FILE_NOT_FOUND (or
// ERROR_INVALID_PARAMETER) when there is none. Names longer than MAX_PATH - 1 are not reported.
HANDLE_FIND FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* data);
BOOL FindNextFileA(HANDLE_FIND handle, WIN32_FIND_DATAA* data);
BOOL FindClose(HANDLE_FIND handle);

// The entry FindFirstFileA finds first for `fileName`, with no search left open; FALSE with
// ERROR_FILE_NOT_FOUND when there is none. On Linux, where * and ? are ordinary characters in
// names, `fileName` names one entry literally; on Windows, whose names cannot hold them, they
// stay wildcards. Not a call of the platform's interface.
BOOL FindFileA(LPCSTR fileName, WIN32_FIND_DATAA* data);

// Converts a time from UTC to local time with the local zone's offset at that moment.
BOOL FileTimeToLocalFileTime(const FILETIME* utc, FILETIME* local);
// The 16-bit DOS date and time of a file time; FALSE outside the years 1980 to 2107.
BOOL FileTimeToDosDateTime(const FILETIME* time, WORD* dosDate, WORD* dosTime);

}  // namespace win
