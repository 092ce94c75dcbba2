// Sound and shell: the message beep and opening a document or web address with the desktop's
// opener (spawned with an argument vector, never through a shell command string).
#pragma once

#include "framework/platform/WindowTypes.h"

namespace win {

inline constexpr UINT MB_OK = 0x00000000;
inline constexpr UINT MB_ICONHAND = 0x00000010;
inline constexpr UINT MB_ICONQUESTION = 0x00000020;
inline constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
inline constexpr UINT MB_ICONASTERISK = 0x00000040;
inline constexpr UINT MB_SIMPLEBEEP = 0xFFFFFFFF;

BOOL MessageBeep(UINT type);

// ShellExecuteA results at or below 32 are errors.
inline constexpr int SE_ERR_FNF = 2;
inline constexpr int SE_ERR_PNF = 3;
inline constexpr int SE_ERR_ACCESSDENIED = 5;
inline constexpr int SE_ERR_OOM = 8;
inline constexpr int SE_ERR_NOASSOC = 31;

// Opens `file` (a web address or an existing file) for the verb "open" (any letter case, or
// NULL). The result, a pseudo instance handle, is greater than 32 on success and an SE_ERR_ code
// otherwise.
HINSTANCE ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                        int showCmd);

}  // namespace win
