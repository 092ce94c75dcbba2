// Files as the platform's kernel opens them: CreateFileA with its access, sharing and creation
// modes, reading and writing, the file pointer and the size, flushing, closing, and moving,
// replacing and deleting files by name. Names are in the process code page.
#pragma once

#include <cstdint>

#include "framework/platform/FileFind.h"

namespace win {

using LONGLONG = std::int64_t;

// A 64-bit file offset or size (the platform's union, of which only the whole value is used).
struct LARGE_INTEGER {
  LONGLONG QuadPart = 0;
};

inline constexpr DWORD GENERIC_READ = 0x80000000;
inline constexpr DWORD GENERIC_WRITE = 0x40000000;

// What other openers of the same file may do meanwhile; 0 lets them do nothing.
inline constexpr DWORD FILE_SHARE_READ = 0x00000001;
inline constexpr DWORD FILE_SHARE_WRITE = 0x00000002;

// Creation dispositions.
inline constexpr DWORD CREATE_NEW = 1;
inline constexpr DWORD CREATE_ALWAYS = 2;
inline constexpr DWORD OPEN_EXISTING = 3;
inline constexpr DWORD OPEN_ALWAYS = 4;

// A file that lives only until it is renamed into place or deleted: the Linux file set removes
// it when a signal that ends the program (SIGTERM, SIGINT, SIGQUIT, SIGPIPE, ...) arrives
// meanwhile.
inline constexpr DWORD FILE_ATTRIBUTE_TEMPORARY = 0x00000100;
// Opens a link itself instead of its target: the call fails for a symbolic link.
inline constexpr DWORD FILE_FLAG_OPEN_REPARSE_POINT = 0x00200000;

inline constexpr DWORD FILE_BEGIN = 0;
inline constexpr DWORD FILE_CURRENT = 1;
inline constexpr DWORD FILE_END = 2;

inline constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x00000001;
inline constexpr DWORD MOVEFILE_WRITE_THROUGH = 0x00000008;

inline constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

inline constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
inline constexpr DWORD ERROR_SHARING_VIOLATION = 32;
inline constexpr DWORD ERROR_FILE_EXISTS = 80;

// Opens or creates a file; INVALID_HANDLE_VALUE on failure. Folders, pipes and sockets are not
// opened. `security` and `templateFile` must be null.
HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode, void* security,
                   DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE templateFile);
// Synchronous only (`overlapped` null). Reading at the end succeeds with 0 bytes read.
BOOL ReadFile(HANDLE file, void* buffer, DWORD toRead, DWORD* read, void* overlapped);
// A write past the disk's space or the process's file-size limit fails with an error (on Linux
// the limit's signal, SIGXFSZ, is ignored once a file is opened for writing).
BOOL WriteFile(HANDLE file, const void* buffer, DWORD toWrite, DWORD* written, void* overlapped);
BOOL SetFilePointerEx(HANDLE file, LARGE_INTEGER distance, LARGE_INTEGER* newPointer,
                      DWORD moveMethod);
BOOL GetFileSizeEx(HANDLE file, LARGE_INTEGER* size);
// Ends the file at the file pointer. A file made longer gets the disk space for its new end, or
// keeps its size when there is none (disk full, file-size limit).
BOOL SetEndOfFile(HANDLE file);
BOOL FlushFileBuffers(HANDLE file);
BOOL CloseHandle(HANDLE handle);

BOOL MoveFileExA(LPCSTR existingFileName, LPCSTR newFileName, DWORD flags);
// Puts `replacementFileName` in the place of the existing `replacedFileName`, which lends it its
// attributes (on Linux: its permission bits, without set-user-ID, set-group-ID and sticky).
// `backupFileName`, `exclude` and `reserved` must be null or 0.
BOOL ReplaceFileA(LPCSTR replacedFileName, LPCSTR replacementFileName, LPCSTR backupFileName,
                  DWORD replaceFlags, void* exclude, void* reserved);
BOOL DeleteFileA(LPCSTR fileName);
// FILE_ATTRIBUTE_DIRECTORY and the like for what the name leads to; INVALID_FILE_ATTRIBUTES when
// there is nothing.
DWORD GetFileAttributesA(LPCSTR fileName);

}  // namespace win
