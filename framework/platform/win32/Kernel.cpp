// The process, files, memory and shell on Windows, forwarded to kernel32 and shell32. The
// process has no headless mode: every dialog is shown.
#include "framework/platform/win32/WinApi.h"

namespace win {

using native::OurHandle;
using native::Ours;
using native::Real;
using native::RealHandle;

// ---------------------------------------------------------------- process and errors

DWORD GetModuleFileNameA(HINSTANCE module, LPSTR buffer, DWORD size) {
  return ::GetModuleFileNameA(Real(module), buffer, size);
}
LPCSTR GetCommandLineA() {
  return ::GetCommandLineA();
}
std::optional<std::string> ArgumentTheCommandLineCannotCarry() {
  return std::nullopt;
}
DWORD GetLastError() {
  return ::GetLastError();
}
void SetLastError(DWORD error) {
  ::SetLastError(error);
}
void SetExitCodeOnDisplayLoss(UINT /*exitCode*/) {}

bool IsHeadless() {
  return false;
}
// Never asked: with a display every dialog is shown and answered by the user.
int AnswerUnattendedDialog(LPCSTR /*caption*/, LPCSTR /*text*/) {
  return 0;
}

// ---------------------------------------------------------------- sound and shell

BOOL MessageBeep(UINT type) {
  return ::MessageBeep(type);
}
HINSTANCE ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                        int showCmd) {
  return Ours(::ShellExecuteA(Real(owner), verb, file, parameters, directory, showCmd));
}

// ---------------------------------------------------------------- finding files

LPCSTR PathDelimiters() {
  return "\\:";
}

HANDLE_FIND FindFirstFileA(LPCSTR pattern, WIN32_FIND_DATAA* data) {
  return OurHandle(::FindFirstFileA(pattern, Real(data)));
}
BOOL FindNextFileA(HANDLE_FIND handle, WIN32_FIND_DATAA* data) {
  return ::FindNextFileA(RealHandle(handle), Real(data));
}
BOOL FindClose(HANDLE_FIND handle) {
  return ::FindClose(RealHandle(handle));
}
BOOL FindFileA(LPCSTR fileName, WIN32_FIND_DATAA* data) {
  const HANDLE_FIND handle = FindFirstFileA(fileName, data);
  if (handle == INVALID_HANDLE_VALUE) return FALSE;
  FindClose(handle);
  return TRUE;
}
BOOL FileTimeToLocalFileTime(const FILETIME* utc, FILETIME* local) {
  return ::FileTimeToLocalFileTime(Real(utc), Real(local));
}
BOOL FileTimeToDosDateTime(const FILETIME* time, WORD* dosDate, WORD* dosTime) {
  return ::FileTimeToDosDateTime(Real(time), dosDate, dosTime);
}

// ---------------------------------------------------------------- files

HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode, void* security,
                   DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE templateFile) {
  return OurHandle(::CreateFileA(
      fileName, desiredAccess, shareMode, static_cast<::LPSECURITY_ATTRIBUTES>(security),
      creationDisposition, flagsAndAttributes, RealHandle(templateFile)));
}
BOOL ReadFile(HANDLE file, void* buffer, DWORD toRead, DWORD* read, void* overlapped) {
  return ::ReadFile(RealHandle(file), buffer, toRead, reinterpret_cast<::DWORD*>(read),
                    static_cast<::LPOVERLAPPED>(overlapped));
}
BOOL WriteFile(HANDLE file, const void* buffer, DWORD toWrite, DWORD* written, void* overlapped) {
  return ::WriteFile(RealHandle(file), buffer, toWrite, reinterpret_cast<::DWORD*>(written),
                     static_cast<::LPOVERLAPPED>(overlapped));
}
BOOL SetFilePointerEx(HANDLE file, LARGE_INTEGER distance, LARGE_INTEGER* newPointer,
                      DWORD moveMethod) {
  ::LARGE_INTEGER real;
  real.QuadPart = distance.QuadPart;
  ::LARGE_INTEGER moved;
  const BOOL result = ::SetFilePointerEx(RealHandle(file), real, &moved, moveMethod);
  if (result && newPointer != nullptr) newPointer->QuadPart = moved.QuadPart;
  return result;
}
BOOL GetFileSizeEx(HANDLE file, LARGE_INTEGER* size) {
  ::LARGE_INTEGER real;
  const BOOL result = ::GetFileSizeEx(RealHandle(file), &real);
  if (result && size != nullptr) size->QuadPart = real.QuadPart;
  return result;
}
BOOL SetEndOfFile(HANDLE file) {
  return ::SetEndOfFile(RealHandle(file));
}
BOOL FlushFileBuffers(HANDLE file) {
  return ::FlushFileBuffers(RealHandle(file));
}
BOOL CloseHandle(HANDLE handle) {
  if (handle == nullptr || RealHandle(handle) == INVALID_HANDLE_VALUE) {
    ::SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return ::CloseHandle(RealHandle(handle));
}
BOOL MoveFileExA(LPCSTR existingFileName, LPCSTR newFileName, DWORD flags) {
  return ::MoveFileExA(existingFileName, newFileName, flags);
}
BOOL ReplaceFileA(LPCSTR replacedFileName, LPCSTR replacementFileName, LPCSTR backupFileName,
                  DWORD replaceFlags, void* exclude, void* reserved) {
  return ::ReplaceFileA(replacedFileName, replacementFileName, backupFileName, replaceFlags,
                        exclude, reserved);
}
BOOL DeleteFileA(LPCSTR fileName) {
  return ::DeleteFileA(fileName);
}
DWORD GetFileAttributesA(LPCSTR fileName) {
  return ::GetFileAttributesA(fileName);
}

// ---------------------------------------------------------------- memory

// Large blocks are committed pages of their own, zeroed by the system; small ones come from the
// process heap, zeroed on request.
void* AllocateLargeMemory(std::size_t Bytes) {
  const std::size_t size = Bytes == 0 ? 1 : Bytes;
  if (size >= LargeBlockFrom)
    return ::VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  return ::HeapAlloc(::GetProcessHeap(), HEAP_ZERO_MEMORY, size);
}
void ReleaseLargeMemory(void* Block, std::size_t Bytes) {
  if (Block == nullptr) return;
  if ((Bytes == 0 ? 1 : Bytes) >= LargeBlockFrom)
    ::VirtualFree(Block, 0, MEM_RELEASE);
  else
    ::HeapFree(::GetProcessHeap(), 0, Block);
}

}  // namespace win
