// The running process as the platform describes it: its executable's path and its raw command
// line, rebuilt from the argument vector so that the command-line splitting rules give back the
// same arguments.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/platform/WinTypes.h"

namespace win {

// Path of the executable for the main module (`module` NULL). On a too small buffer the path is
// cut to size - 1 bytes and terminated, the result is `size` and the last error
// ERROR_INSUFFICIENT_BUFFER.
DWORD GetModuleFileNameA(HINSTANCE module, LPSTR buffer, DWORD size);

// The raw command line: the program path and every argument, each quoted when it holds a blank or
// control character. Quote characters cannot be expressed by the splitting rules and are dropped,
// as is a double-byte lead byte that ends an argument without its trail byte, and then empty
// arguments (which would end the argument list early); a program path that is empty so is
// replaced by the executable's path. Characters are stepped in the process code page, so a trail
// byte is never taken for a quote or a blank. Arguments hold no NUL bytes, as in an argument
// vector.
LPCSTR GetCommandLineA();

// The first argument after the program's path that the raw command line cannot carry as it is
// (on Linux one holding a double quote, which the splitting rules only group with, or ending in a
// lone lead byte); none when every argument comes back, as always on Windows, whose command line
// is the platform's own. Empty arguments are left out, not changed. Not a call of the platform's
// interface.
std::optional<std::string> ArgumentTheCommandLineCannotCarry();

// Replaces the argument vector the command line is built from (the program entry or a test);
// without it the process's own arguments are read from the system.
void SetCommandLineArguments(const std::vector<std::string>& arguments);

// The raw command line for an argument vector.
std::string BuildCommandLine(const std::vector<std::string>& arguments);

// The exit code the process ends with should the display its windows are on go away under it (1
// until set): nothing can be shown any more, so the process says so in one line on standard
// error and ends at once. A Windows desktop does not go away under a running program: there the
// call does nothing.
void SetExitCodeOnDisplayLoss(UINT exitCode);

}  // namespace win
